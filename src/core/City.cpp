#include "City.h"

#include "Text.h"

namespace wc {

std::string CityEntry::name() const {
  std::u16string_view v(nameField.data());
  return Utf16ToUtf8(v);
}

void CityEntry::setName(std::string_view utf8) {
  std::u16string w = Utf8ToUtf16(utf8);
  if (w.size() > kNameChars) w.resize(kNameChars);
  nameField.fill(u'\0');
  w.copy(nameField.data(), w.size());
}

}  // namespace wc
