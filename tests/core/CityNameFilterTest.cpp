// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The one rule for finding a city by a typed text: what it finds and in
// which order.

#include "core/CityNameFilter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wc {
namespace {

const std::vector<std::string> kNames = {
    "'s-Hertogenbosch, Netherlands",  // 0
    "Ho Chi Minh City, Vietnam",      // 1
    "Nagoya, Japan",                  // 2
    "New York, United States",        // 3
    "Paris, France",                  // 4
    "São Paulo, Brazil",              // 5
    "Sapporo, Japan",                 // 6
    "Yorkton, Canada",                // 7
    "Москва, Russia",                 // 8
    "Zürich, Switzerland",            // 9
};

TEST(CityNameFilter, FindsAnywhereIgnoringCaseAndAccentsBestFirst) {
  const CityNameFilter filter(kNames);
  struct Case {
    std::string text;
    std::vector<std::size_t> found;
  } cases[] = {
      // The name's beginning, then a word's, then inside a word; each in list order.
      {"york", {7, 3}},
      {"ork", {3, 7}},
      {"  YORK ", {7, 3}},
      {"sa", {5, 6}},
      {"SAO", {5}},
      {"são", {5}},
      {"zuri", {9}},
      {"ZÜRICH", {9}},
      {"hertogen", {0}},   // a word after a hyphen
      {"'s-h", {0}},
      {"minh city", {1}},  // blanks inside the text count
      {"japan", {2, 6}},   // the country is part of the name
      {"ne", {3, 0}},
      {"москва", {8}},
      {"ва, r", {8}},
      {"lima", {}},
      {std::string("o\0s", 3), {}},  // never across two names
  };
  for (const Case& c : cases) EXPECT_EQ(filter.match(c.text), c.found) << c.text;
}

TEST(CityNameFilter, AnEmptyTextKeepsTheWholeListInOrder) {
  const CityNameFilter filter(kNames);
  std::vector<std::size_t> all(kNames.size());
  for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
  EXPECT_EQ(filter.match(""), all);
  EXPECT_EQ(filter.match("   "), all);
  EXPECT_TRUE(CityNameFilter().match("").empty());
  EXPECT_TRUE(CityNameFilter().match("a").empty());
}

// A name whose first hit lies inside a word and a later one at a word's
// beginning ranks by the better; the end of one name and the beginning of
// the next make no hit.
TEST(CityNameFilter, RanksANameByItsBestHitAndNeverAcrossTwoNames) {
  const CityNameFilter filter(std::vector<std::string>{"Abo", "Abo Bo", "Bob", "xa", "bx"});
  EXPECT_EQ(filter.match("bo"), (std::vector<std::size_t>{2, 1, 0}));
  EXPECT_EQ(filter.match("ab"), (std::vector<std::size_t>{0, 1}));  // not "xa" + "bx"
  EXPECT_TRUE(filter.match("abx").empty());
}

}  // namespace
}  // namespace wc
