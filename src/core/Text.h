#pragma once
// Text helpers: UTF-8 is the program's string form; UTF-16 appears where a
// stored format counts in 16-bit units (settings values, fixed name fields).

#include <string>
#include <string_view>

namespace wc {

// Invalid sequences become U+FFFD; nothing throws.
std::u16string Utf8ToUtf16(std::string_view s);
std::string Utf16ToUtf8(std::u16string_view s);

std::string_view TrimView(std::string_view s);
std::string Trim(std::string_view s);
bool EqualsIgnoreCaseAscii(std::string_view a, std::string_view b);

}  // namespace wc
