// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The city manager's rules and the name folding the city lists sort and
// search with.

#include "core/CityEditing.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/Text.h"

namespace wc {
namespace {

TEST(CityInput, NumbersUseThePointWhateverTheLocale) {
  for (const char* ok : {"+5.5", "-3", "51.5", " 7 ", "0", "+5.75", "1e1"})
    EXPECT_TRUE(IsNumberText(ok)) << '"' << ok << '"';
  for (const char* bad : {"5,5", "", "  ", "abc", "5.5.5", "+-5", "inf"})
    EXPECT_FALSE(IsNumberText(bad)) << '"' << bad << '"';
}

TEST(CityInput, ChecksInTheirOrderWithTheFirstFailureReported) {
  const auto input = [](const char* name, const char* offset, const char* lon, const char* lat) {
    CityInput in;
    in.name = name;
    in.offset = offset;
    in.lon = lon;
    in.lat = lat;
    return in;
  };
  using P = CityInputProblem;
  struct Case {
    CityInput in;
    P problem;
  } cases[] = {
      {input("  Kathmandu, Nepal ", "+5.75", "85", "27"), P::None},
      {input("  ", "x", "x", "x"), P::Name},
      {input("Pune", "5,5", "x", "x"), P::Offset},
      {input("Pune", "", "74", "18"), P::Offset},
      {input("Pune", "1e300", "74", "18"), P::Offset},  // no zone is that far, and no calendar either
      {input("Pune", "-14", "74", "18"), P::None},
      {input("Pune", "+14.5", "74", "18"), P::Offset},
      {input("Pune", "+5.5", "73.9", "x"), P::Longitude},  // a fraction would read back as 0
      {input("Pune", "+5.5", "181", "18"), P::Longitude},
      {input("Pune", "+5.5", "-180", "18.5"), P::Latitude},
      {input("Pune", "+5.5", "74", "-91"), P::Latitude},
      {input("Pune", "+5.5", "74", "27.0"), P::Latitude},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckCityInput(c.in, true), c.problem)
        << c.in.name << ' ' << c.in.offset << ' ' << c.in.lon << ' ' << c.in.lat;
    EXPECT_EQ(CheckCityInput(c.in, false), c.problem) << c.in.name;
  }
}

TEST(CityInput, EmptyRuleListRefusesSavingButUpdateStoresZero) {
  CityInput in;
  in.name = "Santiago, Chile";
  in.offset = "-4";
  in.lon = "-71";
  in.lat = "-33";
  in.dst = true;
  in.rule = {0, 6, 8, 0, 6, -1};  // first Sunday of September to first Sunday of (none)
  EXPECT_EQ(CheckCityInput(in, true), CityInputProblem::Rule);
  EXPECT_EQ(CheckCityInput(in, false), CityInputProblem::None);
  const CityTexts t = ToCityTexts(in);
  EXPECT_EQ(t.name, "Santiago, Chile");
  EXPECT_TRUE(t.dst);
  EXPECT_EQ(std::vector<int>({t.weekno, t.dow, t.month, t.weekno1, t.dow1, t.month1}),
            std::vector<int>({1, 7, 9, 1, 7, 0}));

  // Without daylight saving the lists are not looked at.
  in.dst = false;
  EXPECT_EQ(CheckCityInput(in, true), CityInputProblem::None);
}

TEST(CityTable, RuleTexts) {
  EXPECT_EQ(RuleText(1, 7, 4), "First Sunday of April");
  EXPECT_EQ(RuleText(6, 3, 9), "Sixth Wednesday of September");
  EXPECT_EQ(RuleText(2, 1, 12), "Second Monday of December");
  for (const auto& r : {std::array{0, 7, 4}, std::array{7, 7, 4}, std::array{1, 8, 4}, std::array{1, 7, 13},
                        std::array{1, 0, 4}})
    EXPECT_EQ(RuleText(r[0], r[1], r[2]), "") << r[0] << ' ' << r[1] << ' ' << r[2];
}

TEST(CitySearch, SearchTextAsTypedWithAsciiCaseIgnored) {
  struct Case {
    const char* name;
    const char* search;
    bool shown;
  } cases[] = {
      {"New York, United States", "york", true},
      {"New York, United States", "YORK", true},
      {"Yorkton, Canada", "yOrK", true},
      {"Paris, France", "york", false},
      {"Paris, France", "france", true},  // a country ends the name
      {"Paris, France", "paris, FRANCE", true},
      {"Paris, France", "france ", false},
      {"Paris, France", "", true},
      {"Paris, France", "   ", true},
      {"New York, United States", " york", true},  // the blank is part of the search
      {"York, United Kingdom", " york", false},
      {"Zürich, Switzerland", "zurich", false},  // only a-z and A-Z are the same letters
      {"Zürich, Switzerland", "ZÜRICH", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MatchesCitySearch(c.name, c.search), c.shown) << c.name << " / '" << c.search << "'";
}

TEST(CitySearch, DuplicateTestFindsTheNameWithinAShownName) {
  const std::vector<std::string> shown = {"Lyon, France", "Paris, France"};
  EXPECT_TRUE(NameAlreadyShown("Paris", shown));
  EXPECT_TRUE(NameAlreadyShown("  Paris, France ", shown));
  EXPECT_TRUE(NameAlreadyShown("France", shown));
  EXPECT_FALSE(NameAlreadyShown("Paris, Texas", shown));
  EXPECT_FALSE(NameAlreadyShown("paris", shown));  // letter case counts
  EXPECT_FALSE(NameAlreadyShown("Paris", std::vector<std::string>{}));
}

TEST(NameFolding, AccentsAndLetterCaseAside) {
  struct Case {
    const char* text;
    const char* key;
  } cases[] = {
      {"São Tomé & Príncipe", "sao tome & principe"},
      {"Ærøskøbing", "aeroskobing"},
      {"Łódź", "lodz"},
      {"İstanbul", "istanbul"},
      {"Straße", "strasse"},
      {"Þórshöfn", "thorshofn"},
      {"ŒUVRE", "oeuvre"},
      {"東京, 日本", "東京, 日本"},        // other scripts as they are
      {"Bad \xff byte", "bad \xff byte"},  // an invalid sequence is kept, not dropped
  };
  for (const Case& c : cases) EXPECT_EQ(FoldForSearch(c.text), c.key) << c.text;
}

}  // namespace
}  // namespace wc
