// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "City.h"

#include "Text.h"

namespace wc {

std::string CityEntry::name() const {
  std::u16string_view v(nameField.data());
  return Utf16ToUtf8(v);
}

void CityEntry::setName(std::string_view utf8) {
  nameField.fill(u'\0');
  Utf8ToUtf16(utf8, nameField.data(), kNameChars);
}

}  // namespace wc
