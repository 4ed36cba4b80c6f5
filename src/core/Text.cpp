// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Text.h"

#include <charconv>
#include <limits>

namespace wc {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at s[i], advancing i; malformed input gives U+FFFD.
char32_t NextCodePoint(std::string_view s, std::size_t& i) {
  const auto b0 = static_cast<unsigned char>(s[i++]);
  if (b0 < 0x80) return b0;
  int extra = 0;
  char32_t cp = 0;
  if ((b0 & 0xE0) == 0xC0) {
    extra = 1;
    cp = b0 & 0x1F;
  } else if ((b0 & 0xF0) == 0xE0) {
    extra = 2;
    cp = b0 & 0x0F;
  } else if ((b0 & 0xF8) == 0xF0) {
    extra = 3;
    cp = b0 & 0x07;
  } else {
    return kReplacement;
  }
  for (int k = 0; k < extra; ++k) {
    if (i >= s.size()) return kReplacement;
    const auto b = static_cast<unsigned char>(s[i]);
    if ((b & 0xC0) != 0x80) return kReplacement;
    cp = (cp << 6) | (b & 0x3F);
    ++i;
  }
  static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kReplacement;
  return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const char32_t cp = NextCodePoint(s, i);
    if (cp >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

std::size_t Utf8ToUtf16(std::string_view s, char16_t* out, std::size_t capacity) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < s.size() && n < capacity;) {
    const char32_t cp = NextCodePoint(s, i);
    if (cp >= 0x10000) {
      out[n++] = static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      if (n < capacity) out[n++] = static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      out[n++] = static_cast<char16_t>(cp);
    }
  }
  return n;
}

std::string Utf16ToUtf8(std::u16string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    char32_t cp = s[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

std::string_view TrimView(std::string_view s) {
  // Control characters and blanks, as the toolkit's Trim treats them.
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  return s;
}

std::string Trim(std::string_view s) { return std::string(TrimView(s)); }

namespace {
template <class Char>
bool EqualsIgnoringAsciiCase(std::basic_string_view<Char> a, std::basic_string_view<Char> b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}
}  // namespace

bool EqualsIgnoreCaseAscii(std::string_view a, std::string_view b) { return EqualsIgnoringAsciiCase(a, b); }
bool EqualsIgnoreCaseAscii(std::u16string_view a, std::u16string_view b) { return EqualsIgnoringAsciiCase(a, b); }

std::string LowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = LowerAscii(c);
  return out;
}

bool StartsWithIgnoreCaseAscii(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && EqualsIgnoreCaseAscii(s.substr(0, prefix.size()), prefix);
}

std::string LeftUtf16(std::string_view s, std::size_t n) {
  std::u16string w = Utf8ToUtf16(s);
  if (w.size() <= n) return std::string(s);
  w.resize(n);
  return Utf16ToUtf8(w);
}

namespace {

bool IsValidUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t at = i;
    if (NextCodePoint(s, i) == kReplacement && s.substr(at, 3) != "\xEF\xBF\xBD") return false;
  }
  return true;
}

// Windows-1252 at 0x80..0x9F; the five unassigned bytes keep their Latin-1 value.
constexpr char16_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::string Utf16BytesToUtf8(std::string_view bytes, bool bigEndian) {
  std::u16string w;
  w.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
    w += static_cast<char16_t>(bigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0);
  }
  return Utf16ToUtf8(w);
}

}  // namespace

std::string DecodeTextFile(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE")) return Utf16BytesToUtf8(bytes.substr(2), false);
  if (bytes.starts_with("\xFE\xFF")) return Utf16BytesToUtf8(bytes.substr(2), true);
  // A UTF-8 mark on text that is not UTF-8 is believed no more than no mark.
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  if (IsValidUtf8(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (const char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    AppendUtf8(out, b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : b);
  }
  return out;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

namespace {

// Base letters of U+00C0..U+00FF and U+0100..U+017F; '*' marks the few that
// fold to two letters or are no letter at all.
constexpr std::string_view kLatin1Fold = "aaaaaa*ceeeeiiiidnooooo*ouuuuy**aaaaaa*ceeeeiiiidnooooo*ouuuuy*y";
constexpr std::string_view kLatinAFold =
    "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiii**jjkkkllllllllllnnnnnnnnnoooooo**rrrrrrssssssss"
    "ttttttuuuuuuuuuuuuwwyyyzzzzzzs";
static_assert(kLatin1Fold.size() == 0x40 && kLatinAFold.size() == 0x80);

const char* TwoLetterFold(char32_t cp) {
  switch (cp) {
    case 0xC6:
    case 0xE6:
      return "ae";
    case 0xDE:
    case 0xFE:
      return "th";
    case 0xDF:
      return "ss";
    case 0x132:
    case 0x133:
      return "ij";
    case 0x152:
    case 0x153:
      return "oe";
    default:
      return nullptr;
  }
}

}  // namespace

std::string FoldForSearch(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {  // the common case, without decoding
      out += LowerAscii(static_cast<char>(b));
      ++i;
      continue;
    }
    const std::size_t start = i;
    const char32_t cp = NextCodePoint(s, i);
    char folded = 0;
    if (cp >= 0xC0 && cp < 0x100)
      folded = kLatin1Fold[cp - 0xC0];
    else if (cp >= 0x100 && cp < 0x180)
      folded = kLatinAFold[cp - 0x100];
    if (folded == '*') {
      if (const char* two = TwoLetterFold(cp)) {
        out += two;
        continue;
      }
      folded = 0;
    }
    if (folded) {
      out += folded;
    } else if (cp >= 0x391 && cp <= 0x3A9 && cp != 0x3A2) {  // Greek capitals
      AppendUtf8(out, cp + 0x20);
    } else if (cp >= 0x410 && cp <= 0x42F) {  // Cyrillic capitals А–Я
      AppendUtf8(out, cp + 0x20);
    } else if (cp >= 0x400 && cp <= 0x40F) {  // Ѐ–Џ
      AppendUtf8(out, cp + 0x50);
    } else {
      out.append(s.substr(start, i - start));
    }
  }
  return out;
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<std::int32_t> TryStrToInt(std::string_view s) {
  s = TrimView(s);
  const bool negative = !s.empty() && s.front() == '-';
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
  if (s.empty()) return std::nullopt;
  std::int64_t v = 0;
  for (const char c : s) {
    if (!IsDigit(c)) return std::nullopt;
    v = v * 10 + (c - '0');
    if (v > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return std::nullopt;
  }
  if (negative) v = -v;
  if (v > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(v);
}

std::int32_t StrToIntDef(std::string_view s, std::int32_t def) { return TryStrToInt(s).value_or(def); }

double StrToFloatDef(std::string_view s, double def) {
  s = TrimView(s);
  const bool plus = !s.empty() && s.front() == '+';
  if (plus) s.remove_prefix(1);  // from_chars takes no leading "+"
  // Check the form ourselves: from_chars would also take "inf", "nan" and a
  // number followed by anything.
  std::size_t i = 0;
  if (!plus && i < s.size() && s[i] == '-') ++i;
  std::size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return def;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t expDigits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++expDigits;
    if (expDigits == 0) return def;
  }
  if (i != s.size()) return def;
  double v = 0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
  if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return def;
  return v;
}

std::string FloatToStr(double v) {
  if (v == 0) return "0";  // also for -0
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
  return std::string(buf, r.ptr);
}

}  // namespace wc
