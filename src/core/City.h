// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The three containers of a city's data. They carry the same fields; what
// differs is the order of the rule fields and the sign of lon:
//  - CityItem keeps lon as the city database has it (east positive) in the
//    manager, and negated in the all-cities list;
//  - Cities and CityEntry (the loaded city table) keep lon west positive,
//    matching the map projection.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "DateTime.h"

namespace wc {

// Beyond 14 hours from UTC there is no time zone; the manager accepts no
// more, and the readers take a larger offset as none.
inline constexpr double kMaxCityOffsetHours = 14.0;

// Owned by the city manager's and the all-cities list's rows.
class CityItem {
 public:
  std::string name;
  std::int32_t lat = 0;
  std::int32_t lon = 0;
  DateTime tzd = 0.0;
  std::int32_t dst = 0;
  std::int32_t weekno = 0;
  std::int32_t dayofweek = 0;
  std::int32_t weekno1 = 0;
  std::int32_t dayofweek1 = 0;
  std::int32_t month = 0;
  std::int32_t month1 = 0;
};

// One slot of the map's table of displayed cities; an empty name ends a table.
struct Cities {
  std::string name;
  std::int32_t lat = 0;
  std::int32_t lon = 0;  // west positive
  DateTime tzd = 0.0;
  std::int32_t dst = 0;
  std::int32_t weekno = 0;
  std::int32_t dayofweek = 0;
  std::int32_t month = 0;
  std::int32_t weekno1 = 0;
  std::int32_t dayofweek1 = 0;
  std::int32_t month1 = 0;
};

// An entry of the loaded city table and of the dialogs' own city lists: the
// name lives in a fixed field of 32 characters, lon is west positive.
struct CityEntry {
  static constexpr std::size_t kNameChars = 32;

  std::array<char16_t, kNameChars + 1> nameField{};  // NUL-terminated
  std::int32_t lat = 0;
  std::int32_t lon = 0;  // west positive
  DateTime tzd = 0.0;
  std::int32_t dst = 0;
  std::int32_t weekno = 0;
  std::int32_t dayofweek = 0;
  std::int32_t weekno1 = 0;
  std::int32_t dayofweek1 = 0;
  std::int32_t month = 0;
  std::int32_t month1 = 0;

  // The name as UTF-8, cut to the field's 32 UTF-16 units.
  std::string name() const;
  void setName(std::string_view utf8);
};

// Copies the ten data fields (everything but the name) between any two of the
// containers; the sign of lon is the caller's business.
template <class To, class From>
void CopyCityData(const From& from, To& to) {
  to.lat = from.lat;
  to.lon = from.lon;
  to.tzd = from.tzd;
  to.dst = from.dst;
  to.weekno = from.weekno;
  to.dayofweek = from.dayofweek;
  to.month = from.month;
  to.weekno1 = from.weekno1;
  to.dayofweek1 = from.dayofweek1;
  to.month1 = from.month1;
}

}  // namespace wc
