// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CityEditing.h"

#include <cmath>
#include <limits>

#include "Text.h"

namespace wc {

const std::array<std::string_view, 6> kOccurrenceNames = {"First",  "Second", "Third",
                                                          "Fourth", "Fifth",  "Sixth"};
const std::array<std::string_view, 7> kWeekdayNames = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                                       "Friday", "Saturday", "Sunday"};
const std::array<std::string_view, 12> kMonthNames = {"January",   "February", "March",    "April",
                                                      "May",       "June",     "July",     "August",
                                                      "September", "October",  "November", "December"};

namespace {

template <std::size_t N>
bool Names(int n, const std::array<std::string_view, N>&) {
  return n >= 1 && n <= static_cast<int>(N);
}

// A whole number within [-limit, limit]: the readers take whole degrees only,
// and a position off the map would be drawn nowhere.
bool IsWholeDegrees(std::string_view text, int limit) {
  if (!IsNumberText(text)) return false;
  constexpr std::int32_t kNotWhole = std::numeric_limits<std::int32_t>::min();
  const std::int32_t v = StrToIntDef(text, kNotWhole);
  return v != kNotWhole && v >= -limit && v <= limit;
}

}  // namespace

std::string RuleText(int weekno, int dayofweek, int month) {
  if (!Names(weekno, kOccurrenceNames) || !Names(dayofweek, kWeekdayNames) || !Names(month, kMonthNames))
    return {};
  std::string s(kOccurrenceNames[weekno - 1]);
  s += ' ';
  s += kWeekdayNames[dayofweek - 1];
  s += " of ";
  s += kMonthNames[month - 1];
  return s;
}

bool IsNumberText(std::string_view text) {
  if (TrimView(text).empty()) return false;
  return !std::isnan(StrToFloatDef(text, std::numeric_limits<double>::quiet_NaN()));
}

CityInputProblem CheckCityInput(const CityInput& in, bool saving) {
  if (TrimView(in.name).empty()) return CityInputProblem::Name;
  if (!IsNumberText(in.offset) || std::abs(StrToFloatDef(in.offset, 0)) > kMaxCityOffsetHours)
    return CityInputProblem::Offset;
  if (!IsWholeDegrees(in.lon, 180)) return CityInputProblem::Longitude;
  if (!IsWholeDegrees(in.lat, 90)) return CityInputProblem::Latitude;
  if (saving && in.dst) {
    for (const int r : in.rule)
      if (r < 0) return CityInputProblem::Rule;
  }
  return CityInputProblem::None;
}

CityTexts ToCityTexts(const CityInput& in) {
  CityTexts t;
  t.name = Trim(in.name);
  t.offset = Trim(in.offset);
  t.lon = Trim(in.lon);
  t.lat = Trim(in.lat);
  t.dst = in.dst;
  const auto n = [&](int i) { return in.rule[i] < 0 ? 0 : in.rule[i] + 1; };
  t.weekno = n(0);
  t.dow = n(1);
  t.month = n(2);
  t.weekno1 = n(3);
  t.dow1 = n(4);
  t.month1 = n(5);
  return t;
}

bool MatchesCitySearch(std::string_view name, std::string_view search) {
  if (TrimView(search).empty()) return true;
  if (search.size() > name.size()) return false;
  const auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; };
  for (std::size_t at = 0; at + search.size() <= name.size(); ++at) {
    std::size_t i = 0;
    while (i < search.size() && upper(name[at + i]) == upper(search[i])) ++i;
    if (i == search.size()) return true;
  }
  return false;
}

}  // namespace wc
