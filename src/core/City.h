// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The three containers of a city's data. They carry the same fields; what
// differs is the name's form and the longitude's convention:
//  - CityItem keeps lon as the city database has it (east positive);
//  - Cities and CityEntry (the loaded city table) keep lon west positive,
//    matching the map projection.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "DateTime.h"
#include "DstRule.h"
#include "Longitude.h"

namespace wc {

// Beyond 14 hours from UTC there is no time zone; the manager accepts no
// more, and the readers take a larger offset as none.
inline constexpr double kMaxCityOffsetHours = 14.0;

// Owned by the city manager's and the all-cities list's rows.
struct CityItem {
  std::string name;
  std::int32_t lat = 0;
  EastLongitude lon;
  DateTime tzd = 0.0;  // the standard offset, in days
  DstRule rule;
};

// One slot of the map's table of displayed cities; an empty name ends a table.
struct Cities {
  std::string name;
  std::int32_t lat = 0;
  WestLongitude lon;
  DateTime tzd = 0.0;
  DstRule rule;
};

// An entry of the loaded city table and of the dialogs' own city lists: the
// name lives in a fixed field of 32 characters, lon is west positive.
struct CityEntry {
  static constexpr std::size_t kNameChars = 32;

  std::array<char16_t, kNameChars + 1> nameField{};  // NUL-terminated
  std::int32_t lat = 0;
  WestLongitude lon;
  DateTime tzd = 0.0;
  DstRule rule;

  // The name as UTF-8, cut to the field's 32 UTF-16 units.
  std::string name() const;
  void setName(std::string_view utf8);
};

}  // namespace wc
