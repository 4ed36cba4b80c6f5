// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The map's table of displayed cities, built from the names the user chose
// and the loaded city table.

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "City.h"

namespace wc {

// Sorts as the program's sorted lists do: by FoldForSearch (letter case and
// accents aside, so "São Paulo" stands among the other "Sa" names), equal
// keys keeping their order.
void SortListOrder(std::vector<std::string>& items);

// Clears every slot (the map has 64), then for each name D (in the given order) and each city
// C of the table (in table order), while a slot is free: C's name cut to
// its first 32 characters, then to D's length and trimmed, equal to D
// (case-sensitive) fills the next slot with D up to its first comma and C's
// position, offset and daylight-saving rule. A name can thus fill several
// slots: every city whose name begins with it. Lengths count UTF-16 units,
// as the name field does. An empty name is skipped. Returns the number of slots filled.
std::size_t BuildDisplayCities(const std::vector<std::string>& names, std::span<const CityEntry> table,
                               std::span<Cities> slots);

}  // namespace wc
