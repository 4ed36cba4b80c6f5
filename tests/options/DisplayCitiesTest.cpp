// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Building the map's displayed cities from the chosen names.

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "core/DisplayCities.h"

namespace wc {
namespace {

CityEntry City(const char* name, int lat, int lon, double tzd = 0.0, int dst = 0) {
  CityEntry c;
  c.setName(name);
  c.lat = lat;
  c.lon = {lon};
  c.tzd = tzd;
  c.rule.dst = dst;
  c.rule.weekno = 5;
  c.rule.dayofweek = 7;
  c.rule.month = 3;
  c.rule.weekno1 = 5;
  c.rule.dayofweek1 = 7;
  c.rule.month1 = 10;
  return c;
}

// The slots as the map reads them: from the first, up to the first empty name.
std::vector<std::string> Names(const std::array<Cities, 64>& slots) {
  std::vector<std::string> out;
  for (const Cities& s : slots) {
    if (s.name.empty()) break;
    out.push_back(s.name + "@" + std::to_string(s.lat));
  }
  return out;
}

TEST(RefreshCityList, MatchingRule) {
  const std::vector<CityEntry> table = {
      City("London, United Kingdom", 51, 0, 0.0, 1),
      City("Paris, France", 48, -2, 1.0 / 24),
      City("Londonderry, United Kingdom", 55, 7),
      City("  Rome, Italy", 41, -12),
      City("paris, Texas", 33, 95),
      // 40 characters: the field keeps the first 32.
      City("Llanfairpwllgwyngyllgogerychwyrndrobwll", 53, 4),
      City("Paris", 1, 1),
  };
  struct Case {
    const char* what;
    std::vector<std::string> names;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"full name, shown up to its comma", {"London, United Kingdom"}, {"London@51"}},
      {"a prefix fills a slot for every city it begins", {"London"}, {"London@51", "London@55"}},
      {"case-sensitive", {"Paris"}, {"Paris@48", "Paris@1"}},
      {"a city name with leading blanks never matches", {"Rome, Italy"}, {}},
      {"the cut name is trimmed: a trailing blank never matches", {"Paris "}, {}},
      {"only the first 32 characters of a city name count",
       {"Llanfairpwllgwyngyllgogerychwyrn"},
       {"Llanfairpwllgwyngyllgogerychwyrn@53"}},
      {"longer than the field never matches", {"Llanfairpwllgwyngyllgogerychwyrnd"}, {}},
      {"names in the list's order, cities in table order",
       {"Paris, France", "London"},
       {"Paris@48", "London@51", "London@55"}},
      {"unknown name", {"Berlin"}, {}},
      {"an empty name takes nothing", {"", "Paris, France"}, {"Paris@48"}},
      {"blanks only take nothing", {"   ", "Paris, France"}, {"Paris@48"}},
      {"a name with blanks around it never matches",
       {" Paris, France", "Paris, France ", "  London  ", "Paris, France"},
       {"Paris@48"}},
  };
  std::array<Cities, 64> slots;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    slots.fill(Cities{.name = "stale", .lat = 9, .lon = {}, .tzd = 0, .rule = {}});
    const std::size_t filled = BuildDisplayCities(c.names, table, slots);
    EXPECT_EQ(Names(slots), c.expected);
    EXPECT_EQ(filled, c.expected.size());
    EXPECT_TRUE(slots[filled].name.empty()) << "every other slot is cleared";
  }

  BuildDisplayCities({"London, United Kingdom"}, table, slots);
  const Cities& london = slots[0];
  EXPECT_EQ(london.lon, WestLongitude{0});
  EXPECT_EQ(london.rule.dst, 1);
  EXPECT_EQ(london.rule.weekno, 5);
  EXPECT_EQ(london.rule.dayofweek, 7);
  EXPECT_EQ(london.rule.month, 3);
  EXPECT_EQ(london.rule.month1, 10);
  BuildDisplayCities({"Paris, France"}, table, slots);
  EXPECT_DOUBLE_EQ(slots[0].tzd, 1.0 / 24);
  EXPECT_EQ(slots[0].lon, WestLongitude{-2});
}

TEST(RefreshCityList, StopsAtSixtyFourSlots) {
  std::vector<CityEntry> table;
  for (int i = 0; i < 70; ++i) table.push_back(City(("City " + std::to_string(i)).c_str(), i, 0));
  std::array<Cities, 64> slots;
  EXPECT_EQ(BuildDisplayCities({"City", "City 69"}, table, slots), 64u);
  EXPECT_EQ(slots[63].lat, 63);  // "City 69" found no free slot
}

TEST(RefreshCityList, ListOrderIgnoresLetterCaseAndAccents) {
  std::vector<std::string> names = {"rome",       "Paris",  "Szczecin", "amsterdam", "São Paulo",
                                    "Ærøskøbing", "Berlin", "paris",    "Santiago"};
  SortListOrder(names);
  EXPECT_EQ(names, (std::vector<std::string>{"Ærøskøbing", "amsterdam", "Berlin", "Paris", "paris", "rome",
                                             "Santiago", "São Paulo", "Szczecin"}));
}

}  // namespace
}  // namespace wc
