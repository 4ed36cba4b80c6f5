// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Registry.h"

#include <algorithm>
#include <cstdio>

#include "ByteOrder.h"
#include "Text.h"

namespace wc {

namespace {

std::vector<std::uint8_t> Utf16LeBytes(std::u16string_view units) {
  std::vector<std::uint8_t> out(units.size() * 2);
  for (std::size_t i = 0; i < units.size(); ++i) PutLe16(&out[2 * i], units[i]);
  return out;
}

std::u16string UnitsOf(const std::vector<std::uint8_t>& data) {
  std::u16string units(data.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) units[i] = GetLe16(&data[2 * i]);
  return units;
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = LowerAscii(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Up to maxDigits hex digits making up all of s.
std::optional<std::uint32_t> ParseHexNumber(std::string_view s, std::size_t maxDigits) {
  if (s.empty() || s.size() > maxDigits) return std::nullopt;
  std::uint32_t v = 0;
  for (char c : s) {
    const int d = HexDigitValue(c);
    if (d < 0) return std::nullopt;
    v = v << 4 | static_cast<std::uint32_t>(d);
  }
  return v;
}

// "01,ab, 2f," as written after hex: (a trailing comma is allowed).
std::optional<std::vector<std::uint8_t>> ParseHexBytes(std::string_view s) {
  std::vector<std::uint8_t> out;
  if (TrimView(s).empty()) return out;
  std::size_t pos = 0;
  while (true) {
    const std::size_t comma = s.find(',', pos);
    const std::string_view piece =
        TrimView(s.substr(pos, comma == std::string_view::npos ? s.npos : comma - pos));
    const bool last = comma == std::string_view::npos;
    if (piece.empty() && last && !out.empty()) break;
    const auto b = ParseHexNumber(piece, 2);
    if (!b) return std::nullopt;
    out.push_back(static_cast<std::uint8_t>(*b));
    if (last) break;
    pos = comma + 1;
  }
  return out;
}

// A quoted name or text starting at s[pos]; only \\ and \" are escapes.
std::optional<std::string> ReadQuoted(std::string_view s, std::size_t& pos) {
  std::string out;
  for (++pos; pos < s.size(); ++pos) {
    const char c = s[pos];
    if (c == '"') {
      ++pos;
      return out;
    }
    if (c == '\\' && pos + 1 < s.size() && (s[pos + 1] == '\\' || s[pos + 1] == '"')) ++pos;
    out += s[pos];
  }
  return std::nullopt;
}

std::string Quote(std::string_view s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + '"';
}

std::optional<RegValue> ParseData(std::string_view data) {
  data = TrimView(data);
  if (!data.empty() && data.front() == '"') {
    std::size_t pos = 0;
    const auto text = ReadQuoted(data, pos);
    if (!text || !TrimView(data.substr(pos)).empty()) return std::nullopt;
    return RegValue::fromString(*text);
  }
  if (StartsWithIgnoreCaseAscii(data, "dword:")) {
    const auto v = ParseHexNumber(TrimView(data.substr(6)), 8);
    if (!v) return std::nullopt;
    return RegValue::fromDword(static_cast<std::int32_t>(*v));
  }
  if (StartsWithIgnoreCaseAscii(data, "hex")) {
    std::size_t pos = 3;
    std::uint32_t type = kRegBinary;
    if (pos < data.size() && data[pos] == '(') {
      const std::size_t close = data.find(')', pos);
      if (close == std::string_view::npos) return std::nullopt;
      const auto t = ParseHexNumber(data.substr(pos + 1, close - pos - 1), 8);
      if (!t) return std::nullopt;
      type = *t;
      pos = close + 1;
    }
    if (pos >= data.size() || data[pos] != ':') return std::nullopt;
    auto bytes = ParseHexBytes(data.substr(pos + 1));
    if (!bytes) return std::nullopt;
    RegValue v;
    v.type = type;
    v.data = std::move(*bytes);
    return v;
  }
  return std::nullopt;
}

std::string_view ContentOf(std::string_view raw) {
  if (!raw.empty() && raw.back() == '\n') raw.remove_suffix(1);
  if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
  return raw;
}

std::string_view LineEndOf(std::string_view raw) { return raw.substr(ContentOf(raw).size()); }

bool IsBlank(std::string_view raw) { return TrimView(raw).empty(); }

// Only such a line may continue a hex value, so that a value line that follows
// a damaged one ending in a backslash is never swallowed.
bool IsHexContinuation(std::string_view content) {
  const std::string_view t = TrimView(content);
  if (t.empty()) return false;
  return std::all_of(t.begin(), t.end(), [](char c) {
    return HexDigitValue(c) >= 0 || c == ',' || c == ' ' || c == '\t' || c == '\\';
  });
}

std::string NormalizeKey(std::string_view key) {
  while (!key.empty() && key.front() == '\\') key.remove_prefix(1);
  while (!key.empty() && key.back() == '\\') key.remove_suffix(1);
  return std::string(key);
}

bool SameKey(std::string_view a, std::string_view b) {
  return EqualsIgnoreCaseAscii(NormalizeKey(a), NormalizeKey(b));
}

constexpr std::string_view kCurrentUser = "HKEY_CURRENT_USER";

// The text of a REG_SZ value when the quoted form gives back exactly its bytes.
std::optional<std::string> PlainText(const RegValue& v) {
  if (v.data.size() < 2 || v.data.size() % 2 != 0) return std::nullopt;
  std::u16string units = UnitsOf(v.data);
  if (units.back() != u'\0') return std::nullopt;
  units.pop_back();
  if (units.find_first_of(std::u16string_view(u"\0\r\n", 3)) != std::u16string::npos) return std::nullopt;
  std::string text = Utf16ToUtf8(units);
  if (Utf8ToUtf16(text) != units) return std::nullopt;  // a lone surrogate
  return text;
}

}  // namespace

RegValue RegValue::fromString(std::string_view utf8) {
  std::u16string units = Utf8ToUtf16(utf8);
  units += u'\0';
  return {kRegSz, Utf16LeBytes(units)};
}

RegValue RegValue::fromDword(std::int32_t v) {
  RegValue r{kRegDword, std::vector<std::uint8_t>(4)};
  PutLe32(r.data.data(), static_cast<std::uint32_t>(v));
  return r;
}

RegValue RegValue::fromBinary(std::span<const std::uint8_t> bytes) {
  return {kRegBinary, std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
}

RegValue RegValue::fromStringList(const std::vector<std::string>& texts) {
  std::u16string units;
  for (const std::string& t : texts) {
    units += Utf8ToUtf16(t);
    units += u'\0';
  }
  units += u'\0';
  return {kRegMultiSz, Utf16LeBytes(units)};
}

std::string RegValue::toString() const {
  const std::u16string units = UnitsOf(data);
  return Utf16ToUtf8(std::u16string_view(units).substr(0, units.find(u'\0')));
}

std::vector<std::string> RegValue::toStringList() const {
  std::vector<std::string> out;
  std::u16string current;
  for (char16_t u : UnitsOf(data)) {
    if (u != u'\0') {
      current += u;
      continue;
    }
    if (current.empty()) return out;
    out.push_back(Utf16ToUtf8(current));
    current.clear();
  }
  if (!current.empty()) out.push_back(Utf16ToUtf8(current));
  return out;
}

RegDocument RegDocument::parse(std::string_view bytes) {
  RegDocument doc;
  std::string text;
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    std::u16string units((bytes.size() - 2) / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
      units[i] = GetLe16(reinterpret_cast<const std::uint8_t*>(bytes.data()) + 2 + 2 * i);
    text = Utf16ToUtf8(units);
  } else {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
      doc.bom_ = bytes.substr(0, 3);
      bytes.remove_prefix(3);
    }
    text = bytes;
  }

  std::vector<std::string_view> physical;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t nl = text.find('\n', pos);
    const std::size_t end = nl == std::string::npos ? text.size() : nl + 1;
    physical.push_back(std::string_view(text).substr(pos, end - pos));
    pos = end;
  }
  for (std::string_view raw : physical) {
    if (raw.back() == '\n') {
      doc.eol_ = LineEndOf(raw);
      break;
    }
  }

  for (std::size_t i = 0; i < physical.size(); ++i) {
    Line line;
    line.raw = physical[i];
    const std::string_view t = TrimView(ContentOf(physical[i]));
    if (!t.empty() && t.front() == '[') {
      // A damaged key line still ends the key before it, so that the values
      // after it are not taken for that key's.
      line.kind = LineKind::Section;
      const std::string_view path =
          t.size() >= 2 && t.back() == ']' ? t.substr(1, t.size() - 2) : std::string_view();
      if (StartsWithIgnoreCaseAscii(path, kCurrentUser) &&
          (path.size() == kCurrentUser.size() || path[kCurrentUser.size()] == '\\')) {
        line.currentUser = true;
        line.key = NormalizeKey(path.substr(kCurrentUser.size()));
      }
    } else if (!t.empty() && (t.front() == '"' || t.front() == '@')) {
      std::size_t pos = 0;
      std::optional<std::string> name;
      if (t.front() == '@') {
        name.emplace();
        pos = 1;
      } else {
        name = ReadQuoted(t, pos);
      }
      const std::string_view rest = name ? TrimView(t.substr(pos)) : std::string_view();
      if (name && !rest.empty() && rest.front() == '=') {
        std::string data(TrimView(rest.substr(1)));
        if (StartsWithIgnoreCaseAscii(data, "hex")) {
          while (!data.empty() && data.back() == '\\' && i + 1 < physical.size() &&
                 IsHexContinuation(ContentOf(physical[i + 1]))) {
            data.pop_back();
            data += TrimView(ContentOf(physical[++i]));
            line.raw += physical[i];
          }
        }
        line.name = std::move(*name);
        if (auto v = ParseData(data)) {
          line.kind = LineKind::Value;
          line.value = std::move(*v);
        } else {
          line.kind = LineKind::BrokenValue;
        }
      }
    }
    doc.lines_.push_back(std::move(line));
  }
  return doc;
}

std::string RegDocument::serialize() const {
  std::string out = bom_;
  for (const Line& l : lines_) out += l.raw;
  return out;
}

template <class F>
void RegDocument::forEachValueLine(std::string_view key, std::string_view name, F&& f) const {
  bool inKey = false;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line& l = lines_[i];
    if (l.kind == LineKind::Section) {
      inKey = l.currentUser && SameKey(l.key, key);
    } else if (inKey && (l.kind == LineKind::Value || l.kind == LineKind::BrokenValue) &&
               EqualsIgnoreCaseAscii(l.name, name)) {
      f(i);
    }
  }
}

std::optional<RegValue> RegDocument::get(std::string_view key, std::string_view name) const {
  std::optional<RegValue> found;
  forEachValueLine(key, name, [&](std::size_t i) {
    if (lines_[i].kind == LineKind::Value) found = lines_[i].value;
  });
  return found;
}

void RegDocument::set(std::string_view key, std::string_view name, const RegValue& value) {
  std::optional<std::size_t> last;
  forEachValueLine(key, name, [&](std::size_t i) { last = i; });
  if (last) {
    Line& l = lines_[*last];
    const std::string end(LineEndOf(l.raw));
    l.raw = formatValue(l.name, value) + end;
    l.kind = LineKind::Value;
    l.value = value;
    return;
  }

  Line added;
  added.raw = formatValue(name, value) + eol_;
  added.kind = LineKind::Value;
  added.name = name;
  added.value = value;
  auto endLine = [this](std::string& raw) {
    if (!raw.empty() && raw.back() != '\n') raw += eol_;
  };

  std::optional<std::size_t> section;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == LineKind::Section && lines_[i].currentUser && SameKey(lines_[i].key, key))
      section = i;
  }
  if (section) {
    std::size_t at = *section;
    for (std::size_t j = at + 1; j < lines_.size() && lines_[j].kind != LineKind::Section; ++j) {
      if (!IsBlank(lines_[j].raw)) at = j;
    }
    endLine(lines_[at].raw);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at) + 1, std::move(added));
    return;
  }

  auto push = [this](std::string raw, LineKind kind) {
    Line l;
    l.raw = std::move(raw);
    l.kind = kind;
    lines_.push_back(std::move(l));
  };
  if (std::all_of(lines_.begin(), lines_.end(), [](const Line& l) { return IsBlank(l.raw); })) {
    Line header;
    header.raw = std::string(kHeader) + eol_;
    lines_.insert(lines_.begin(), std::move(header));
  }
  endLine(lines_.back().raw);
  if (!IsBlank(lines_.back().raw)) push(eol_, LineKind::Other);
  Line header;
  header.kind = LineKind::Section;
  header.currentUser = true;
  header.key = NormalizeKey(key);
  header.raw = "[" + std::string(kCurrentUser) + "\\" + header.key + "]" + eol_;
  lines_.push_back(std::move(header));
  lines_.push_back(std::move(added));
}

bool RegDocument::remove(std::string_view key, std::string_view name) {
  std::vector<std::size_t> found;
  forEachValueLine(key, name, [&](std::size_t i) { found.push_back(i); });
  for (auto it = found.rbegin(); it != found.rend(); ++it)
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*it));
  return !found.empty();
}

std::pair<std::string, std::string> RegDocument::valueId(std::string_view key, std::string_view name) {
  return {LowerAscii(NormalizeKey(key)), LowerAscii(name)};
}

RegDocument::ValueMap RegDocument::values() const {
  ValueMap out;
  const Line* section = nullptr;
  for (const Line& l : lines_) {
    if (l.kind == LineKind::Section) {
      section = l.currentUser ? &l : nullptr;
    } else if (section && l.kind == LineKind::Value) {
      out[valueId(section->key, l.name)] = l.value;
    }
  }
  return out;
}

std::string RegDocument::formatValue(std::string_view name, const RegValue& value) const {
  std::string s = name.empty() ? "@" : Quote(name);
  s += '=';
  if (value.type == kRegSz) {
    if (auto text = PlainText(value)) return s + Quote(*text);
  }
  char buf[16];
  if (value.type == kRegDword && value.data.size() == 4) {
    std::snprintf(buf, sizeof buf, "%08x", GetLe32(value.data.data()));
    return s + "dword:" + buf;
  }
  if (value.type == kRegBinary) {
    s += "hex:";
  } else {
    std::snprintf(buf, sizeof buf, "%x", value.type);
    s += "hex(" + std::string(buf) + "):";
  }
  // Wrapped as the registry editor does: at most 80 columns, continued with a
  // backslash and an indent of two.
  std::size_t column = s.size();
  for (std::size_t i = 0; i < value.data.size(); ++i) {
    std::snprintf(buf, sizeof buf, i + 1 < value.data.size() ? "%02x," : "%02x", value.data[i]);
    const std::size_t width = std::char_traits<char>::length(buf);
    if (column + width + 1 > 80 && column > 2) {
      s += "\\" + eol_ + "  ";
      column = 2;
    }
    s += buf;
    column += width;
  }
  return s;
}

}  // namespace wc
