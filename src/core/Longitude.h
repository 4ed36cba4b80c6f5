// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Whole degrees of longitude in the two conventions the program meets: the
// city database and the city manager count east positive, everything that
// draws on the map counts west positive. Two types, so that one is never
// taken for the other; the conversions are named.

#include <compare>
#include <cstdint>

namespace wc {

struct EastLongitude {
  std::int32_t degrees = 0;
  auto operator<=>(const EastLongitude&) const = default;
};

struct WestLongitude {
  std::int32_t degrees = 0;
  auto operator<=>(const WestLongitude&) const = default;
};

constexpr WestLongitude ToWest(EastLongitude east) { return {-east.degrees}; }
constexpr EastLongitude ToEast(WestLongitude west) { return {-west.degrees}; }

}  // namespace wc
