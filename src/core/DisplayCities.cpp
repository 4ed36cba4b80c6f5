// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DisplayCities.h"

#include <algorithm>

#include "Text.h"

namespace wc {

namespace {

bool IsTrimmed(char16_t c) { return c <= u' '; }

std::u16string_view TrimView16(std::u16string_view s) {
  while (!s.empty() && IsTrimmed(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsTrimmed(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

void SortListOrder(std::vector<std::string>& items) {
  std::vector<std::pair<std::string, std::string>> keyed;
  keyed.reserve(items.size());
  for (std::string& s : items) keyed.emplace_back(FoldForSearch(s), std::move(s));
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 0; i < items.size(); ++i) items[i] = std::move(keyed[i].second);
}

std::size_t BuildDisplayCities(const std::vector<std::string>& names, std::span<const CityEntry> table,
                               std::span<Cities> slots) {
  std::fill(slots.begin(), slots.end(), Cities{});
  std::size_t filled = 0;
  for (const std::string& d : names) {
    // An empty name would match every city and take all the slots.
    if (d.empty()) continue;
    const std::u16string d16 = Utf8ToUtf16(d);
    const std::string shownName = d.substr(0, d.find(','));
    for (const CityEntry& c : table) {
      if (filled >= slots.size()) return filled;
      std::u16string_view cname(c.nameField.data());
      cname = cname.substr(0, std::min(cname.size(), CityEntry::kNameChars));
      cname = cname.substr(0, std::min(cname.size(), d16.size()));
      if (TrimView16(cname) != d16) continue;
      Cities& s = slots[filled++];
      s.name = shownName;
      s.lat = c.lat;
      s.lon = c.lon;
      s.tzd = c.tzd;
      s.rule = c.rule;
    }
  }
  return filled;
}

}  // namespace wc
