// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// dialcodes.dat: one country a line, "Country<TAB>+code", read-only, shipped
// in the program folder. The time finder keeps its lines and looks codes up
// by country; the dial codes window lists them as rows and sorts them.

#include <string>
#include <string_view>
#include <vector>

namespace wc {

struct DialCodeLines {
  bool exists = false;             // false: no file (or none that could be read)
  std::vector<std::string> lines;  // every line, in file order, UTF-8
};

// ProgramFolder() + "dialcodes.dat".
std::string DialCodesPath();
DialCodeLines ReadDialCodeLines(const std::string& path);

// Only the first seven characters after the TAB count.
inline constexpr std::size_t kDialCodeChars = 7;
// The code shown for a country that has no line.
inline constexpr std::string_view kDefaultDialCode = "+1";

// The code of the first line that starts with countryKey ("Country<TAB>",
// letters A-Z in any case), trimmed; kDefaultDialCode when none does.
std::string DialCodeFor(const std::vector<std::string>& lines, std::string_view countryKey);

struct DialCodeRow {
  std::string country;  // the text before the first TAB, as it stands
  std::string code;     // at most seven characters after it, as they stand
};
// One row a line that holds a TAB, in file order.
std::vector<DialCodeRow> DialCodeRows(const std::vector<std::string>& lines);

enum class DialCodeColumn { Country = 0, Code = 1 };

// The dial codes list's header clicks: one direction flag for both columns,
// false when the window opens, flipped before each sort (so the first click
// sorts descending). Countries compare by code points, case-sensitive; codes
// compare as whole numbers once every "+" is removed. A code that is no whole
// number then sorts after all numeric ones in either direction, its text
// ordering it among its like. Rows that compare equal keep their order.
class DialCodeSort {
 public:
  void columnClick(std::vector<DialCodeRow>& rows, DialCodeColumn column);
  bool descending() const { return descending_; }

 private:
  bool descending_ = false;
};

}  // namespace wc
