// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Cities for the map tools and benchmarks: name, latitude, longitude (east
// positive, as the city database has it), standard offset in hours and the
// daylight-saving rule fields.

#include <span>
#include <string>
#include <vector>

#include "core/City.h"
#include "core/DisplayCities.h"

namespace wc::bench {

struct SampleCity {
  const char* name;
  int lat, lonEast;
  double tzdHours;
  int dst, weekno, dayofweek, month, weekno1, dayofweek1, month1;
};

// EU: last Sunday of March to last Sunday of October; US: second Sunday of
// March to first Sunday of November; AU: first Sunday of October to first
// Sunday of April.
inline const std::vector<SampleCity>& SampleCities() {
  static const std::vector<SampleCity> cities{
      {"London, United Kingdom", 51, 0, 0, 1, 5, 7, 3, 5, 7, 10},
      {"Paris, France", 49, 2, 1, 1, 5, 7, 3, 5, 7, 10},
      {"Moscow, Russia", 56, 38, 3, 0, 0, 0, 0, 0, 0, 0},
      {"Cairo, Egypt", 30, 31, 2, 0, 0, 0, 0, 0, 0, 0},
      {"Nairobi, Kenya", -1, 37, 3, 0, 0, 0, 0, 0, 0, 0},
      {"Cape Town, South Africa", -34, 18, 2, 0, 0, 0, 0, 0, 0, 0},
      {"Dubai, United Arab Emirates", 25, 55, 4, 0, 0, 0, 0, 0, 0, 0},
      {"Mumbai, India", 19, 73, 5.5, 0, 0, 0, 0, 0, 0, 0},
      {"Beijing, China", 40, 116, 8, 0, 0, 0, 0, 0, 0, 0},
      {"Singapore, Singapore", 1, 104, 8, 0, 0, 0, 0, 0, 0, 0},
      {"Tokyo, Japan", 36, 140, 9, 0, 0, 0, 0, 0, 0, 0},
      {"Sydney, Australia", -34, 151, 10, 1, 1, 7, 10, 1, 7, 4},
      {"Auckland, New Zealand", -37, 175, 12, 1, 5, 7, 9, 1, 7, 4},
      {"Honolulu, United States", 21, -158, -10, 0, 0, 0, 0, 0, 0, 0},
      {"Anchorage, United States", 61, -150, -9, 1, 2, 7, 3, 1, 7, 11},
      {"Los Angeles, United States", 34, -118, -8, 1, 2, 7, 3, 1, 7, 11},
      {"Denver, United States", 40, -105, -7, 1, 2, 7, 3, 1, 7, 11},
      {"Mexico City, Mexico", 19, -99, -6, 0, 0, 0, 0, 0, 0, 0},
      {"New York, United States", 41, -74, -5, 1, 2, 7, 3, 1, 7, 11},
      {"Bogota, Colombia", 5, -74, -5, 0, 0, 0, 0, 0, 0, 0},
      {"Sao Paulo, Brazil", -24, -47, -3, 0, 0, 0, 0, 0, 0, 0},
      {"Buenos Aires, Argentina", -35, -58, -3, 0, 0, 0, 0, 0, 0, 0},
      {"Reykjavik, Iceland", 64, -22, 0, 0, 0, 0, 0, 0, 0, 0},
      {"Lagos, Nigeria", 6, 3, 1, 0, 0, 0, 0, 0, 0, 0},
  };
  return cities;
}

inline CityEntry ToEntry(const SampleCity& s) {
  CityEntry e;
  e.setName(s.name);
  e.lat = s.lat;
  e.lon = ToWest({s.lonEast});
  e.tzd = s.tzdHours / 24;
  e.rule.dst = s.dst;
  e.rule.weekno = s.weekno;
  e.rule.dayofweek = s.dayofweek;
  e.rule.month = s.month;
  e.rule.weekno1 = s.weekno1;
  e.rule.dayofweek1 = s.dayofweek1;
  e.rule.month1 = s.month1;
  return e;
}

// The sample cities, repeated on shifted positions up to n entries (a full
// Display Cities table for the benchmarks).
inline std::vector<CityEntry> SampleEntries(int n) {
  std::vector<CityEntry> out;
  const auto& all = SampleCities();
  for (int i = 0; static_cast<int>(out.size()) < n; ++i) {
    CityEntry e = ToEntry(all[static_cast<std::size_t>(i) % all.size()]);
    const int round = i / static_cast<int>(all.size());
    if (round > 0) {
      // The round goes after the comma: the label stays the city's name, and
      // no name begins another one (names choose cities by their beginning).
      const std::string name = e.name();
      const std::size_t comma = name.find(',');
      e.setName(name.substr(0, comma + 1) + " " + std::to_string(round) + name.substr(comma + 1));
      e.lat = std::max(-80, e.lat - 9 * round);
      e.lon.degrees -= 13 * round;
      if (e.lon.degrees < -180) e.lon.degrees += 360;
    }
    out.push_back(e);
  }
  return out;
}

// Fills the Display Cities slots as the program does (BuildDisplayCities),
// every city chosen by its name, in the given order.
inline std::size_t ShowAll(std::span<Cities> shown, const std::vector<CityEntry>& cities) {
  std::vector<std::string> names;
  for (const CityEntry& c : cities) names.push_back(c.name());
  return BuildDisplayCities(names, cities, shown);
}

}  // namespace wc::bench
