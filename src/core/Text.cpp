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

bool EqualsIgnoreCaseAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
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
      out += (b >= 'A' && b <= 'Z') ? static_cast<char>(b - 'A' + 'a') : static_cast<char>(b);
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
    if (folded)
      out += folded;
    else
      out.append(s.substr(start, i - start));
  }
  return out;
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::int32_t StrToIntDef(std::string_view s, std::int32_t def) {
  s = TrimView(s);
  const bool negative = !s.empty() && s.front() == '-';
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
  if (s.empty()) return def;
  std::int64_t v = 0;
  for (const char c : s) {
    if (!IsDigit(c)) return def;
    v = v * 10 + (c - '0');
    if (v > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return def;
  }
  if (negative) v = -v;
  if (v > std::numeric_limits<std::int32_t>::max()) return def;
  return static_cast<std::int32_t>(v);
}

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
