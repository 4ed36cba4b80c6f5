// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The finder's look-up against a small city table of its own.

#include "tools/TimeFinderModel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

#include "core/AtomicFile.h"
#include "core/CityTable.h"
#include "core/DateTime.h"

namespace wc {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

TEST(NameSwap, TurnsCityCountryAroundAndBack) {
  struct Case {
    const char* text;
    const char* swapped;
  };
  const Case cases[] = {
      {"London, United Kingdom", "United Kingdom, London"},
      {"United Kingdom, London", "London, United Kingdom"},
      {"Name", "Name, Name"},
      {"  Paris ,\tFrance  ", "France, Paris"},
      // Only the first comma splits.
      {"Washington, D.C., United States", "D.C., United States, Washington"},
      {"Nowhere,", ", Nowhere"},
      // At most 32 characters after the comma, trimmed after the cut.
      {"X, 123456789012345678901234567890 tail", "123456789012345678901234567890, X"},
      {"Zürich,Schweiz", "Schweiz, Zürich"},
  };
  for (const Case& c : cases) EXPECT_EQ(NameSwap(c.text), c.swapped) << c.text;
}

TEST(CountryKey, IsTheCountryAndATab) {
  EXPECT_EQ(CountryKey("London, United Kingdom"), "United Kingdom\t");
  EXPECT_EQ(CountryKey("Berlin,  Germany East "), "Germany East\t");
  EXPECT_EQ(CountryKey("Name"), "");
  EXPECT_EQ(CountryKey("Nowhere, "), "\t");
}

TEST(SearchType, OnlyOneMeansByCountry) {
  EXPECT_EQ(SearchTypeFromSetting(0), SearchType::City);
  EXPECT_EQ(SearchTypeFromSetting(1), SearchType::Country);
  EXPECT_EQ(SearchTypeFromSetting(2), SearchType::City);
  EXPECT_EQ(SearchTypeFromSetting(-1), SearchType::City);
}

class FinderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A folder per test and process: tests run side by side.
    dir_ = fs::path(::testing::TempDir()) /
           ("finder-model-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
            "-" + std::to_string(getpid()));
    fs::create_directories(dir_);
    const std::string path = (dir_ / "citydata.dat").string();
    // London keeps the European rule; the rest keep standard time.
    ASSERT_TRUE(WriteFileAtomically(
        path,
        "<cities>"
        "<city><name>London, United Kingdom</name><offset>0</offset><dst>1</dst><weekno>5</weekno>"
        "<dow>7</dow><month>3</month><weekno1>5</weekno1><dow1>7</dow1><month1>10</month1></city>"
        "<city><name>Paris, France</name><offset>+1</offset></city>"
        "<city><name>Name</name><offset>+5.75</offset></city>"
        "<city><name>Dresden, Germany East</name><offset>+2</offset></city>"
        "<city><name>aachen, Germany</name><offset>+3</offset></city>"
        "<city><name>Paris, France</name><offset>-7</offset></city>"
        "<city><name>Oslo, Norway</name><offset>+1</offset></city>"
        "</cities>"));
    ASSERT_TRUE(table_.load(path).ok());
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path dir_;
  CityTable table_;
  std::vector<std::string> lines_{"Germany East\t+37", "Germany\t+49", "France\t  +33   ",
                                  "United Kingdom\t+44"};
  // 12:00 in Kathmandu (UTC+5:45) on 1 July 2027: 06:15 UTC.
  const DateTime now_ = EncodeDate(2027, 7, 1) + EncodeTime(12, 0, 0, 0);
  const double offset_ = -5.75 / 24;
};

TEST_F(FinderTest, ListsNamesOrSwappedNamesInListOrder) {
  TimeFinderModel m(table_, lines_);
  EXPECT_THAT(m.setSearchType(SearchType::City),
              ElementsAre("aachen, Germany", "Dresden, Germany East", "London, United Kingdom", "Name",
                          "Oslo, Norway", "Paris, France", "Paris, France"));
  EXPECT_THAT(m.setSearchType(SearchType::Country),
              ElementsAre("France, Paris", "France, Paris", "Germany East, Dresden", "Germany, aachen",
                          "Name, Name", "Norway, Oslo", "United Kingdom, London"));
}

TEST_F(FinderTest, LooksUpTheWholeNameInAnyCaseWithTimeAndCode) {
  struct Case {
    SearchType type;
    const char* text;
    const char* name;  // nullptr: nothing found
    int hour, minute;
    const char* code;
  };
  const Case cases[] = {
      {SearchType::City, "LONDON, united KINGDOM", "London, United Kingdom", 7, 15, "+44"},
      {SearchType::City, "London", nullptr, 0, 0, ""},  // a partial name
      {SearchType::City, "London, United Kingdom ", nullptr, 0, 0, ""},
      {SearchType::Country, "united kingdom, london", "London, United Kingdom", 7, 15, "+44"},
      // The first of two cities with one name; the code trimmed.
      {SearchType::City, "paris, france", "Paris, France", 7, 15, "+33"},
      // The TAB ends the key: Germany East's line is not Germany's.
      {SearchType::City, "Dresden, Germany East", "Dresden, Germany East", 8, 15, "+37"},
      {SearchType::Country, "Germany, Aachen", "aachen, Germany", 9, 15, "+49"},
      {SearchType::City, "Oslo, Norway", "Oslo, Norway", 7, 15, "+1"},
      // No country part: no code.
      {SearchType::City, "name", "Name", 12, 0, ""},
      // Listed by country as "Name, Name", and found so.
      {SearchType::Country, "Name, Name", "Name", 12, 0, ""},
      {SearchType::Country, "Name", nullptr, 0, 0, ""},
  };
  TimeFinderModel m(table_, lines_);
  for (const Case& c : cases) {
    m.setSearchType(c.type);
    const auto r = m.lookup(c.text, now_, offset_);
    if (!c.name) {
      EXPECT_FALSE(r) << c.text;
      continue;
    }
    ASSERT_TRUE(r) << c.text;
    EXPECT_EQ(r->name, c.name) << c.text;
    EXPECT_EQ(r->city->name(), c.name) << c.text;
    const DateTimeParts t = Decode(r->localTime);
    EXPECT_EQ(t.date, std::chrono::year{2027} / 7 / 1) << c.text;
    EXPECT_EQ(t.hour * 60 + t.minute, c.hour * 60 + c.minute) << c.text;
    EXPECT_EQ(r->code, c.code) << c.text;
  }
}

TEST_F(FinderTest, WithoutDialCodesEveryCountryIsPlusOne) {
  const std::vector<std::string> none;
  TimeFinderModel m(table_, none);
  m.setSearchType(SearchType::City);
  EXPECT_EQ(m.lookup("London, United Kingdom", now_, offset_)->code, "+1");
  EXPECT_EQ(m.lookup("Name", now_, offset_)->code, "");
}

TEST_F(FinderTest, CompletesToTheFirstEntryThatBeginsWithTheText) {
  TimeFinderModel m(table_, lines_);
  m.setSearchType(SearchType::Country);
  EXPECT_EQ(m.completion("GERMANY"), "Germany East, Dresden");
  EXPECT_EQ(m.completion("germany,"), "Germany, aachen");
  EXPECT_EQ(m.completion("Kingdom"), std::nullopt);
  EXPECT_EQ(m.completion(""), std::nullopt);
}

}  // namespace
}  // namespace wc
