// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The city table's name index: which entries a name finds, and in what order.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/CityNameIndex.h"

namespace wc {
namespace {

std::vector<CityEntry> Table(std::initializer_list<const char*> names) {
  std::vector<CityEntry> out;
  for (const char* n : names) {
    CityEntry e;
    e.setName(n);
    e.lat = static_cast<int>(out.size());  // its place, to tell twins apart
    out.push_back(e);
  }
  return out;
}

// The places of the entries a name finds, all of them.
std::vector<int> Found(const CityNameIndex& index, const char* name) {
  std::vector<int> at;
  index.visitMatches(CityNameIndex::Folded(name), [&](const CityEntry& e) {
    at.push_back(e.lat);
    return false;
  });
  return at;
}

TEST(CityNameIndex, FindsEveryEntryOfANameInTableOrder) {
  const std::vector<CityEntry> table = Table({
      "Springfield",                        // 0
      "London, United Kingdom",             // 1
      "SPRINGFIELD",                        // 2
      "Paris, France",                      // 3
      "Springfield",                        // 4
      "Llanfairpwllgwyngyll-gogerychwyrn",  // 5: cut to its first 32 units
      "Llanfairpwllgwyngyll-gogerychwyr",   // 6
      "Zürich, Switzerland",                // 7
      "Yyqzfkh",                            // 8: these two share a hash,
      "Zxekgfk",                            // 9: so only the names tell them apart
  });
  const CityNameIndex index(table);
  struct Case {
    const char* name;
    std::vector<int> found;
  } cases[] = {
      {"springfield", {0, 2, 4}},
      {"London, United Kingdom", {1}},
      {"London", {}},
      {"London, United Kingdom ", {}},
      {"llanfairpwllgwyngyll-gogerychwyr", {5, 6}},
      {"Llanfairpwllgwyngyll-gogerychwyrn", {}},  // longer than any field
      {"zürich, switzerland", {7}},
      {"ZüRICH, SWITZERLAND", {7}},
      {"ZÜRICH, SWITZERLAND", {}},  // only A-Z fold
      {"yyqzfkh", {8}},
      {"ZXEKGFK", {9}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Found(index, c.name), c.found) << c.name;

  // A visit that answers true ends the look-up there.
  int visits = 0;
  index.visitMatches(CityNameIndex::Folded("Springfield"), [&](const CityEntry&) { return ++visits == 2; });
  EXPECT_EQ(visits, 2);
  EXPECT_TRUE(Found(CityNameIndex(), "Springfield").empty());
}

}  // namespace
}  // namespace wc
