// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The scheduling pass: which reminders fire at a UTC instant, with which
// pop-up texts, against a small city table.

#include <gtest/gtest.h>

#include "reminders/RemCheck.h"

namespace wc {
namespace {

CityEntry City(const char* name, double hours, int dst = 0, std::array<int, 6> rule = {}) {
  CityEntry c;
  c.setName(name);
  c.tzd = hours / 24;
  c.rule.dst = dst;
  c.rule.weekno = rule[0];
  c.rule.dayofweek = rule[1];
  c.rule.month = rule[2];
  c.rule.weekno1 = rule[3];
  c.rule.dayofweek1 = rule[4];
  c.rule.month1 = rule[5];
  return c;
}

const char* const kLongName = "Llanfairpwllgwyngyll-gogerychwyrn, Wales";  // 40 characters

std::vector<CityEntry> TestCities() {
  return {
      City("London, United Kingdom", 0, 1, {5, 7, 3, 5, 7, 10}),
      City("Auckland, New Zealand", 12),
      City("Kathmandu, Nepal", 5.75),
      City("New York, United States", -5, 1, {2, 7, 3, 1, 7, 11}),
      City(kLongName, 0),
      // Three cities of one name: the second is reached when the first's time
      // differs, and the third, at the second's time, adds no second pop-up.
      City("Springfield", -6),
      City("Springfield", -5),
      City("Springfield", -5),
  };
}

DateTime Utc(int y, int mo, int d, int h, int mi, int s = 0) {
  return EncodeDate(y, mo, d) + EncodeTime(h, mi, s, 0);
}

// The pass over the table through its name index, as the program makes it once per table.
std::vector<RemFiring> Check(const RemList& list, const std::vector<CityEntry>& cities, DateTime utc,
                             const FormatSettings& format = DefaultFormatSettings()) {
  return CheckRem(list, CityNameIndex(cities), utc, format);
}

RemList List(std::initializer_list<RemInfo> rems) {
  RemList list;
  for (const RemInfo& r : rems) list.push_back(std::make_unique<RemInfo>(r));
  return list;
}

RemInfo Rem(const char* city, int y, int mo, int d, const char* time, int shown = 0) {
  RemInfo r;
  r.RemCity = city;
  r.RemDate = EncodeDate(y, mo, d) + 0.3;  // a time of day left by the date picker counts for nothing
  r.RemTime = time;
  r.RemMsg = std::string("msg for ") + city;
  r.PlaySound = "/sounds/soft-chime.wav";
  r.iShown = shown;
  return r;
}

TEST(CheckRem, FiresInItsCitysMinuteAndDate) {
  const std::vector<CityEntry> cities = TestCities();
  struct Case {
    const char* what;
    RemInfo rem;
    DateTime utc;
    bool fires;
  };
  const Case cases[] = {
      {"first second of the minute", Rem("London, United Kingdom", 2026, 12, 9, "09:05 PM"),
       Utc(2026, 12, 9, 21, 5, 0), true},
      {"last second of the minute", Rem("London, United Kingdom", 2026, 12, 9, "09:05 PM"),
       Utc(2026, 12, 9, 21, 5, 59), true},
      {"a second early", Rem("London, United Kingdom", 2026, 12, 9, "09:05 PM"), Utc(2026, 12, 9, 21, 4, 59),
       false},
      {"the minute after (no catching up)", Rem("London, United Kingdom", 2026, 12, 9, "09:05 PM"),
       Utc(2026, 12, 9, 21, 6, 0), false},
      {"same time, another day", Rem("London, United Kingdom", 2026, 12, 10, "09:05 PM"),
       Utc(2026, 12, 9, 21, 5, 0), false},
      {"London in summer time", Rem("London, United Kingdom", 2026, 7, 1, "10:00 AM"), Utc(2026, 7, 1, 9, 0),
       true},
      {"12:00 AM is midnight at the start of the day",
       Rem("London, United Kingdom", 2026, 12, 23, "12:00 AM"), Utc(2026, 12, 23, 0, 0, 30), true},
      {"12:00 PM is noon", Rem("London, United Kingdom", 2026, 12, 23, "12:00 PM"), Utc(2026, 12, 23, 12, 0),
       true},
      {"12:00 AM is not noon", Rem("London, United Kingdom", 2026, 12, 23, "12:00 AM"),
       Utc(2026, 12, 23, 12, 0), false},
      {"twelve hours ahead: the city's date, not UTC's",
       Rem("Auckland, New Zealand", 2026, 12, 10, "09:00 AM"), Utc(2026, 12, 9, 21, 0), true},
      {"twelve hours ahead: UTC's date does not count", Rem("Auckland, New Zealand", 2026, 12, 9, "09:00 AM"),
       Utc(2026, 12, 9, 21, 0), false},
      {"a 5:45 offset", Rem("Kathmandu, Nepal", 2026, 12, 10, "03:15 AM"), Utc(2026, 12, 9, 21, 30), true},
      {"letter case is ignored", Rem("lONDON, united KINGDOM", 2026, 12, 9, "09:05 PM"),
       Utc(2026, 12, 9, 21, 5), true},
      {"a name beyond 32 characters never matches", Rem(kLongName, 2026, 12, 9, "09:05 PM"),
       Utc(2026, 12, 9, 21, 5), false},
      {"its first 32 characters do", Rem("Llanfairpwllgwyngyll-gogerychwyr", 2026, 12, 9, "09:05 PM"),
       Utc(2026, 12, 9, 21, 5), true},
      {"a city not in the table", Rem("Atlantis", 2026, 12, 9, "09:05 PM"), Utc(2026, 12, 9, 21, 5), false},
      {"a prefix is no match", Rem("London", 2026, 12, 9, "09:05 PM"), Utc(2026, 12, 9, 21, 5), false},
      {"the second city of a name", Rem("Springfield", 2026, 12, 9, "04:05 PM"), Utc(2026, 12, 9, 21, 5),
       true},
      {"shown", Rem("London, United Kingdom", 2026, 12, 9, "09:05 PM", 1), Utc(2026, 12, 9, 21, 5), false},
      {"any other value is pending", Rem("London, United Kingdom", 2026, 12, 9, "09:05 PM", 2),
       Utc(2026, 12, 9, 21, 5), true},
      {"a 24-hour time never matches", Rem("London, United Kingdom", 2026, 12, 9, "21:05"),
       Utc(2026, 12, 9, 21, 5), false},
  };
  for (const Case& c : cases) {
    const RemList list = List({c.rem});
    const auto fired = Check(list, cities, c.utc);
    EXPECT_EQ(fired.size(), c.fires ? 1u : 0u) << c.what;
  }
}

TEST(CheckRem, PopUpTextsNameTheCityAsTheReminderSpellsIt) {
  RemList list = List({Rem("london, united kingdom", 2026, 12, 9, "09:05 PM")});
  list[0]->RemMsg = "Line one & <two>\nline three";
  const auto fired = Check(list, TestCities(), Utc(2026, 12, 9, 21, 5, 20));
  ASSERT_EQ(fired.size(), 1u);
  EXPECT_EQ(fired[0].index, 0u);
  EXPECT_EQ(fired[0].heading, "It is now 09:05 PM in london, united kingdom");
  EXPECT_EQ(fired[0].message, "Line one & <two>\nline three");
  EXPECT_EQ(fired[0].sound, "/sounds/soft-chime.wav");
  // The pass only reports; marking is the caller's.
  EXPECT_EQ(list[0]->iShown, 0);
}

TEST(CheckRem, TimeUsesTheUsersTimeSeparator) {
  FormatSettings dots = DefaultFormatSettings();
  dots.timeSeparator = ".";
  const RemList list = List({Rem("London, United Kingdom", 2026, 12, 9, "09.05 PM")});
  const auto fired = Check(list, TestCities(), Utc(2026, 12, 9, 21, 5), dots);
  ASSERT_EQ(fired.size(), 1u);
  EXPECT_EQ(fired[0].heading, "It is now 09.05 PM in London, United Kingdom");
  EXPECT_TRUE(Check(list, TestCities(), Utc(2026, 12, 9, 21, 5)).empty());
}

TEST(CheckRem, TwoInOneMinuteFireInOnePassInListOrder) {
  const RemList list = List({
      Rem("Kathmandu, Nepal", 2026, 12, 10, "02:50 AM"),
      Rem("Atlantis", 2026, 12, 9, "09:05 PM"),
      Rem("London, United Kingdom", 2026, 12, 9, "09:05 PM"),
      Rem("Kathmandu, Nepal", 2026, 12, 10, "02:50 AM", 1),
  });
  const auto fired = Check(list, TestCities(), Utc(2026, 12, 9, 21, 5, 40));
  ASSERT_EQ(fired.size(), 2u);
  EXPECT_EQ(fired[0].index, 0u);
  EXPECT_EQ(fired[0].heading, "It is now 02:50 AM in Kathmandu, Nepal");
  EXPECT_EQ(fired[1].index, 2u);
  EXPECT_EQ(fired[1].heading, "It is now 09:05 PM in London, United Kingdom");
}

TEST(CheckRem, RepeatedHourAtTheEndOfDaylightSavingFiresOnce) {
  // New York leaves daylight saving at 00:00 standard time after 1 November
  // 2026: the clock shows 00:00-00:59 of 2 November twice.
  RemList list = List({Rem("New York, United States", 2026, 11, 2, "12:30 AM")});
  const std::vector<CityEntry> cities = TestCities();
  int shown = 0;
  for (DateTime utc = Utc(2026, 11, 2, 3, 0); utc < Utc(2026, 11, 2, 7, 0); utc += 10.0 / 86400) {
    for (const RemFiring& f : Check(list, cities, utc)) {
      list[f.index]->iShown = 1;
      ++shown;
    }
  }
  EXPECT_EQ(shown, 1);
  // The minute does come round again an hour later: only the mark keeps it quiet.
  list[0]->iShown = 0;
  EXPECT_EQ(Check(list, cities, Utc(2026, 11, 2, 4, 30)).size(), 1u);
  EXPECT_EQ(Check(list, cities, Utc(2026, 11, 2, 5, 30)).size(), 1u);
}

TEST(CheckRem, EmptyListOrTableFiresNothing) {
  EXPECT_TRUE(Check({}, TestCities(), Utc(2026, 12, 9, 21, 5)).empty());
  const RemList list = List({Rem("London, United Kingdom", 2026, 12, 9, "09:05 PM")});
  EXPECT_TRUE(Check(list, {}, Utc(2026, 12, 9, 21, 5)).empty());
}

}  // namespace
}  // namespace wc
