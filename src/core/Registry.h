// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Registry values and their .reg text form (the registry-export syntax), which
// is how the settings are stored where there is no registry.
//
// A value is a type number and raw bytes, as in the registry itself; key paths
// (below HKEY_CURRENT_USER) and value names compare without regard to ASCII
// case but keep their spelling.

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace wc {

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

struct RegValue {
  std::uint32_t type = kRegBinary;
  std::vector<std::uint8_t> data;

  bool operator==(const RegValue&) const = default;

  // UTF-16LE with the terminating NUL.
  static RegValue fromString(std::string_view utf8);
  static RegValue fromDword(std::int32_t v);
  static RegValue fromBinary(std::span<const std::uint8_t> bytes);
  // Each text NUL-terminated, the whole closed by one more NUL; an empty list
  // is a single NUL.
  static RegValue fromStringList(const std::vector<std::string>& texts);

  // The text up to the first NUL (or the end of the data).
  std::string toString() const;
  // The texts up to the first empty one.
  std::vector<std::string> toStringList() const;
};

// A .reg document as lines. Lines that are not understood (a damaged or
// hand-edited file) are kept byte for byte where they are, so writing a value
// back never loses anything else the file held.
class RegDocument {
 public:
  static constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";

  // Reads UTF-8 (with or without a byte-order mark) and UTF-16LE with a
  // byte-order mark; line ends LF or CR LF.
  static RegDocument parse(std::string_view bytes);
  // UTF-8; unchanged lines exactly as read, new ones with the file's line end.
  std::string serialize() const;

  // A value line whose name is readable but whose data is not counts as absent.
  std::optional<RegValue> get(std::string_view key, std::string_view name) const;
  // Replaces the value where it stands (also a damaged one), else adds it to
  // the key's section, else adds the section at the end.
  void set(std::string_view key, std::string_view name, const RegValue& value);
  // Removes every line of the value; false when there was none.
  bool remove(std::string_view key, std::string_view name);

  // Every readable value below HKEY_CURRENT_USER, by lower-cased key and name.
  using ValueMap = std::map<std::pair<std::string, std::string>, RegValue>;
  ValueMap values() const;
  static std::pair<std::string, std::string> valueId(std::string_view key, std::string_view name);

 private:
  enum class LineKind { Other, Section, Value, BrokenValue };
  struct Line {
    std::string raw;  // exact bytes with the line end(s)
    LineKind kind = LineKind::Other;
    bool currentUser = false;  // Section: below HKEY_CURRENT_USER
    std::string key;           // Section: the path below HKEY_CURRENT_USER
    std::string name;          // Value, BrokenValue
    RegValue value;            // Value
  };

  // Calls f(lineIndex) for each value line (broken ones too) of the value.
  template <class F>
  void forEachValueLine(std::string_view key, std::string_view name, F&& f) const;
  std::string formatValue(std::string_view name, const RegValue& value) const;

  std::string bom_;
  std::string eol_ = "\n";
  std::vector<Line> lines_;
};

}  // namespace wc
