// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The cities of a table found by name, as the reminder check and the time
// finder compare names: the whole 32-unit name field, letters A-Z in either
// case. Built once per table; a look-up costs a hash and a binary search
// instead of a pass over every city, which ten thousand reminders against a
// hundred thousand cities made a freeze of seconds every ten seconds.

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "City.h"

namespace wc {

class CityNameIndex {
 public:
  CityNameIndex() = default;
  // The entries must outlive the index and stay where they are.
  explicit CityNameIndex(std::span<const CityEntry> entries);

  // The name with A-Z in lower case, the form look-ups take; a name longer
  // than the field matches nothing.
  static std::u16string Folded(std::string_view utf8Name);

  // Calls visit(entry) for each entry whose name matches the folded name, in
  // table order, until visit returns true.
  template <class Visit>
  void visitMatches(std::u16string_view folded, Visit&& visit) const {
    if (folded.size() > CityEntry::kNameChars) return;
    const std::uint32_t h = Hash(folded);
    auto it = std::lower_bound(slots_.begin(), slots_.end(), std::pair<std::uint32_t, std::uint32_t>{h, 0});
    for (; it != slots_.end() && it->first == h; ++it) {
      const CityEntry& e = entries_[it->second];
      if (Matches(e, folded) && visit(e)) return;
    }
  }

 private:
  static std::uint32_t Hash(std::u16string_view folded);
  static bool Matches(const CityEntry& e, std::u16string_view folded);

  std::span<const CityEntry> entries_;
  // (hash of the folded name, position), sorted: the entries of one name lie
  // together, in table order.
  std::vector<std::pair<std::uint32_t, std::uint32_t>> slots_;
};

}  // namespace wc
