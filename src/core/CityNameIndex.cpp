// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CityNameIndex.h"

#include <algorithm>

#include "Text.h"

namespace wc {

namespace {

char16_t FoldAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

// The name field up to its end, which is a NUL or the field's last unit.
std::u16string_view NameOf(const CityEntry& e) {
  const auto end = std::find(e.nameField.begin(), e.nameField.begin() + CityEntry::kNameChars, u'\0');
  return {e.nameField.data(), static_cast<std::size_t>(end - e.nameField.begin())};
}

}  // namespace

CityNameIndex::CityNameIndex(std::span<const CityEntry> entries) : entries_(entries) {
  slots_.reserve(entries.size());
  std::u16string folded;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    folded = NameOf(entries[i]);
    for (char16_t& c : folded) c = FoldAscii(c);
    slots_.emplace_back(Hash(folded), static_cast<std::uint32_t>(i));
  }
  std::sort(slots_.begin(), slots_.end());
}

std::u16string CityNameIndex::Folded(std::string_view utf8Name) {
  std::u16string folded = Utf8ToUtf16(utf8Name);
  for (char16_t& c : folded) c = FoldAscii(c);
  return folded;
}

std::uint32_t CityNameIndex::Hash(std::u16string_view folded) {
  std::uint32_t h = 2166136261u;  // FNV-1a
  for (const char16_t c : folded) {
    h = (h ^ (c & 0xFF)) * 16777619u;
    h = (h ^ (c >> 8)) * 16777619u;
  }
  return h;
}

bool CityNameIndex::Matches(const CityEntry& e, std::u16string_view folded) {
  const std::u16string_view name = NameOf(e);
  return name.size() == folded.size() && std::equal(name.begin(), name.end(), folded.begin(),
                                                    [](char16_t a, char16_t b) { return FoldAscii(a) == b; });
}

}  // namespace wc
