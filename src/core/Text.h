// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Text helpers: UTF-8 is the program's string form; UTF-16 appears where a
// stored format counts in 16-bit units (settings values, fixed name fields).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace wc {

// Invalid sequences become U+FFFD; nothing throws.
std::u16string Utf8ToUtf16(std::string_view s);
// Into a fixed field: at most `capacity` units (the rest is cut off, as
// resizing the string above would); returns how many were written.
std::size_t Utf8ToUtf16(std::string_view s, char16_t* out, std::size_t capacity);
std::string Utf16ToUtf8(std::u16string_view s);

std::string_view TrimView(std::string_view s);
std::string Trim(std::string_view s);
// The one case rule of the program's names and keys: A-Z to a-z, every
// other character (and every byte of a longer UTF-8 sequence) as it is.
template <class Char>
  requires std::is_same_v<Char, char> || std::is_same_v<Char, char16_t>
constexpr Char LowerAscii(Char c) {
  return c >= Char('A') && c <= Char('Z') ? static_cast<Char>(c - Char('A') + Char('a')) : c;
}
bool EqualsIgnoreCaseAscii(std::string_view a, std::string_view b);
bool EqualsIgnoreCaseAscii(std::u16string_view a, std::u16string_view b);
std::string LowerAscii(std::string_view s);
bool StartsWithIgnoreCaseAscii(std::string_view s, std::string_view prefix);
// The first n UTF-16 units of a UTF-8 text, as the stored formats count them.
std::string LeftUtf16(std::string_view s, std::size_t n);

// The text of a file as UTF-8. A UTF-16 byte-order mark names the encoding
// (and is dropped); other text, with or without a UTF-8 mark (dropped), is
// taken as UTF-8 when it is valid UTF-8, else as Windows-1252, the code page
// older files were saved in.
std::string DecodeTextFile(std::string_view bytes);
// Lines ended by CR LF, a lone CR or a lone LF; a last line without an end
// counts, an end at the very end adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);

// A key for comparing and searching names the way people read them: ASCII
// letters in lower case and the accented Latin letters of the city names
// folded to their base letters ("São Tomé" and "sao tome" give the same
// key), Greek and Cyrillic capitals in lower case (a name a user added in
// its own script). Other characters are kept as they are.
std::string FoldForSearch(std::string_view s);

// Lenient number conversions for values read from the program's files. They
// never depend on the C locale: the decimal separator is always ".". Blanks
// around the number are ignored; anything else that is not a whole number
// (a fraction, a comma, hex, trailing text, a value beyond 32 bits) gives def.
std::int32_t StrToIntDef(std::string_view s, std::int32_t def);
std::optional<std::int32_t> TryStrToInt(std::string_view s);
// Optional sign, digits with an optional "." fraction and an optional
// exponent ("+5.75", "-3.5", ".5", "1e1"); "5,5", "inf", "nan" and values
// beyond the range of a double give def.
double StrToFloatDef(std::string_view s, double def);

// The shortest general decimal form with at most 15 significant digits and
// "." as the separator: 5.5/24 gives "0.229166666666667", 0 gives "0".
std::string FloatToStr(double v);

}  // namespace wc
