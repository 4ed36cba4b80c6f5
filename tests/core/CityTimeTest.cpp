// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/CityTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <string>

#include "TestSupport.h"
#include "core/DateTime.h"

namespace wc {
namespace {

DateTime Utc(int y, int mo, int d, int h, int mi, int s) {
  return EncodeDate(y, mo, d) + EncodeTime(h, mi, s, 0);
}

std::string Show(DateTime t) {
  const DateTimeParts p = Decode(t);
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d-%02u-%02u %02d:%02d:%02d", static_cast<int>(p.date.year()),
                static_cast<unsigned>(p.date.month()), static_cast<unsigned>(p.date.day()), p.hour, p.minute,
                p.second);
  return buf;
}

struct RuleCity {
  double tzdHours;
  int weekno, dow, month, weekno1, dow1, month1;
};

DateTime Local(const RuleCity& c, DateTime utc) {
  return CityTime({1, c.weekno, c.dow, c.month, c.weekno1, c.dow1, c.month1}, utc + c.tzdHours / 24.0);
}

TEST(CityTime, NorthernRuleSwitchesAtStandardMidnightAndKeepsTheWholeEndDate) {
  const RuleCity ny{-5, 2, 7, 3, 1, 7, 11};
  struct Case {
    DateTime utc;
    const char* shown;
  } cases[] = {
      {Utc(2020, 3, 8, 4, 59, 59), "2020-03-07 23:59:59"},
      {Utc(2020, 3, 8, 5, 0, 0), "2020-03-08 01:00:00"},
      {Utc(2020, 11, 2, 4, 59, 59), "2020-11-02 00:59:59"},
      {Utc(2020, 11, 2, 5, 0, 0), "2020-11-02 00:00:00"},
      {Utc(2020, 7, 1, 12, 0, 0), "2020-07-01 08:00:00"},
      {Utc(2020, 1, 15, 12, 0, 0), "2020-01-15 07:00:00"},
  };
  for (const auto& c : cases) EXPECT_EQ(Show(Local(ny, c.utc)), c.shown) << Show(c.utc);
}

TEST(CityTime, SouthernRuleWrapsTheYear) {
  const RuleCity sydney{10, 1, 7, 10, 1, 7, 4};
  EXPECT_EQ(Show(Local(sydney, Utc(2020, 11, 15, 0, 0, 0))), "2020-11-15 11:00:00");
  EXPECT_EQ(Show(Local(sydney, Utc(2021, 1, 15, 0, 0, 0))), "2021-01-15 11:00:00");
  EXPECT_EQ(Show(Local(sydney, Utc(2020, 6, 15, 0, 0, 0))), "2020-06-15 10:00:00");
}

TEST(CityTime, IncompleteRuleOrNoDstMeansStandardTime) {
  const DateTime t = Utc(2020, 7, 1, 12, 0, 0);
  EXPECT_EQ(CityTime({1, 2, 7, 3, 1, 7, 0}, t), t);  // month1 = 0
  EXPECT_EQ(CityTime({0, 2, 7, 3, 1, 7, 11}, t), t);
  EXPECT_EQ(CityTime({1, 0, 7, 3, 1, 7, 11}, t), t);
}

TEST(CityTime, RuleThatStartsAndEndsInTheSameMonth) {
  // Second Sunday to fourth Sunday of March 2021: the 14th to the 28th.
  const RuleCity march{2, 2, 7, 3, 4, 7, 3};
  struct Case {
    DateTime utc;
    const char* shown;
  } cases[] = {
      {Utc(2021, 3, 13, 12, 0, 0), "2021-03-13 14:00:00"},  // the day before the start
      {Utc(2021, 3, 14, 12, 0, 0), "2021-03-14 15:00:00"},
      {Utc(2021, 3, 28, 12, 0, 0), "2021-03-28 15:00:00"},
      {Utc(2021, 3, 29, 12, 0, 0), "2021-03-29 14:00:00"},  // the day after the end
      {Utc(2021, 1, 10, 12, 0, 0), "2021-01-10 14:00:00"},
      {Utc(2021, 8, 10, 12, 0, 0), "2021-08-10 14:00:00"},
  };
  for (const auto& c : cases) EXPECT_EQ(Show(Local(march, c.utc)), c.shown) << Show(c.utc);
}

// The computer's clock as the program reads it: local time plus the offset
// is UTC, whatever the zone (a month read one off, or an offset of the wrong
// sign, shows). Windows reads the zone once per process: there the zone the
// test registration sets is checked.
TEST(ComputerClock, SecondsSince1970AreReadToTheYear9999) {
  struct Case {
    std::int64_t seconds;
    std::int32_t nanoseconds;
    const char* shown;
  } cases[] = {
      {0, 0, "1970-01-01 00:00:00"},
      {-1, 500000000, "1969-12-31 23:59:59"},
      {1781000000, 999999999, "2026-06-09 10:13:20"},
      // Beyond what 64-bit nanoseconds hold (April 2262).
      {9300000000, 0, "2264-09-14 21:20:00"},
      {253402300799, 0, "9999-12-31 23:59:59"},
  };
  for (const Case& c : cases) {
    const DateTime t = ToDateTime(SystemTime{c.seconds, c.nanoseconds});
    EXPECT_EQ(Show(t), c.shown) << c.seconds;
    EXPECT_EQ(Decode(t).millisecond, c.nanoseconds / 1000000) << c.seconds;
  }
}

TEST(ComputerClock, LocalTimePlusTheOffsetIsUtcInEveryZone) {
  const double ms = 1.0 / kMsPerDay;
  for (const char* zone : {"UTC", "Asia/Kathmandu", "America/St_Johns", "Pacific/Kiritimati"}) {
#ifdef _WIN32
    const char* tz = std::getenv("TZ");
    if (tz && std::string(tz) != zone) continue;
#else
    test::ScopedEnv tz("TZ", zone);
    tzset();
#endif
    // Whole seconds from time(), which holds in every year: the test also
    // runs with the clock set to the year 9999.
    const DateTime before = ToDateTime(SystemTime{static_cast<std::int64_t>(std::time(nullptr)), 0});
    const DateTime local = LocalNow();
    const double offset = UtcOffsetDays();
    const DateTime after = ToDateTime(SystemTime{static_cast<std::int64_t>(std::time(nullptr)) + 1, 0});
    EXPECT_GE(local + offset, before - 2 * ms) << zone << ": " << Show(local);
    EXPECT_LE(local + offset, after + 2 * ms) << zone << ": " << Show(local);
#ifdef _WIN32
    break;
#endif
  }
#ifndef _WIN32
  tzset();
#endif
}

TEST(CityTime, QuarterHourOffsetKeepsItsMinutes) {
  const DateTime utc = Utc(2020, 5, 1, 10, 0, 0);
  const DateTime kathmandu = CityTime({0, 0, 0, 0, 0, 0, 0}, utc + 5.75 / 24.0);
  int h, m, s, ms;
  DecodeTime(kathmandu, h, m, s, ms);
  EXPECT_EQ(h, 15);
  EXPECT_EQ(m, 45);
}

TEST(DstRuleDate, FindsTheNthWeekdayOrTheLastOne) {
  struct Case {
    int weekno, dow, month, year;
    DateTime expected;
  } cases[] = {
      {5, 7, 3, 2020, EncodeDate(2020, 3, 29)},  // March 2020 has five Sundays
      {5, 1, 2, 2016, EncodeDate(2016, 2, 29)},  // leap-day Monday
      {2, 7, 3, 2021, EncodeDate(2021, 3, 14)},
      {1, 1, 1, 2024, EncodeDate(2024, 1, 1)},
      // Four Sundays in March 2021 and February 2021: the fifth is the last one.
      {5, 7, 3, 2021, EncodeDate(2021, 3, 28)},
      {5, 7, 2, 2021, EncodeDate(2021, 2, 28)},
      {6, 3, 5, 2022, EncodeDate(2022, 5, 25)},
  };
  for (const auto& c : cases) {
    const auto d = DstRuleDate(c.weekno, c.dow, c.month, c.year);
    ASSERT_TRUE(d.has_value()) << c.weekno << "/" << c.dow << "/" << c.month;
    EXPECT_EQ(*d, c.expected) << Show(*d);
  }
  EXPECT_FALSE(DstRuleDate(1, 8, 3, 2021));
  EXPECT_FALSE(DstRuleDate(1, 0, 3, 2021));
  EXPECT_FALSE(DstRuleDate(1, 7, 13, 2021));
  EXPECT_FALSE(DstRuleDate(0, 7, 3, 2021));
}

TEST(CityTime, LastSundayRuleInAYearWithFourSundaysInMarch) {
  // Europe: last Sunday of March (written 5) to last Sunday of October, UTC+1.
  // March 2021 has four Sundays; saving starts on the 28th.
  const RuleCity paris{1, 5, 7, 3, 5, 7, 10};
  EXPECT_EQ(Show(Local(paris, Utc(2021, 3, 27, 22, 59, 59))), "2021-03-27 23:59:59");
  EXPECT_EQ(Show(Local(paris, Utc(2021, 3, 27, 23, 0, 0))), "2021-03-28 01:00:00");
  EXPECT_EQ(Show(Local(paris, Utc(2021, 10, 31, 12, 0, 0))), "2021-10-31 14:00:00");
  EXPECT_EQ(Show(Local(paris, Utc(2021, 11, 1, 12, 0, 0))), "2021-11-01 13:00:00");
}

TEST(CityTime, BadRuleFieldsMeanNoSavingThatYear) {
  const DateTime t = Utc(2021, 7, 1, 12, 0, 0);
  EXPECT_EQ(CityTime({1, 1, 9, 3, 1, 7, 11}, t), t);
  EXPECT_EQ(CityTime({1, 1, 7, 3, 1, 7, 13}, t), t);
}

TEST(DateTime, EncodeDecodeRoundTripsAndRoundsToTheMillisecond) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
  int y, mo, d, h, mi, s, ms;
  DecodeDate(EncodeDate(2024, 2, 29) + EncodeTime(23, 59, 59, 999), y, mo, d);
  EXPECT_EQ(y * 10000 + mo * 100 + d, 20240229);
  // A hair below midnight decodes as the next day, in date and time alike.
  const DateTime almost = EncodeDate(2024, 2, 29) + 0.99999999999;
  DecodeDate(almost, y, mo, d);
  DecodeTime(almost, h, mi, s, ms);
  EXPECT_EQ(y * 10000 + mo * 100 + d, 20240301);
  EXPECT_EQ(h + mi + s + ms, 0);
  EXPECT_EQ(DaysInMonth(2023, 2), 28);
  EXPECT_EQ(DaysInMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(2024, 13), 0);
  EXPECT_EQ(IsoWeekday(DateOf(EncodeDate(2020, 3, 8))), 7);
}

TEST(DateTime, InstantsBeyondTheCalendarDecodeToItsEnds) {
  // A city offset of 1e21 hours once reached the date split unchecked.
  struct Case {
    double t;
    int ymd;
  } cases[] = {
      {1e21, 99991231},
      {-1e21, 10101},
      {std::numeric_limits<double>::infinity(), 99991231},
      {-std::numeric_limits<double>::infinity(), 10101},
      {std::numeric_limits<double>::quiet_NaN(), 18991230},
      {EncodeDate(9999, 12, 31) + 0.9999999, 99991231},
  };
  for (const Case& c : cases) {
    int y, mo, d;
    DecodeDate(c.t, y, mo, d);
    EXPECT_EQ(y * 10000 + mo * 100 + d, c.ymd) << c.t;
    EXPECT_TRUE(std::isnan(c.t) || CityTime({1, 1, 7, 3, 1, 7, 10}, c.t) >= c.t) << c.t;
  }
}

// Zones without daylight saving, on both sides of UTC and off the whole hour.
// Windows reads the zone once per process, so there the suite runs under one
// of them (the build's test registration sets TZ) and checks that one.
TEST(UtcOffsetDays, IsWhatToAddToLocalTimeForUtc) {
  const struct {
    const char* tz;
    int minutes;
  } zones[] = {{"Asia/Kathmandu", -345}, {"Pacific/Marquesas", 570}, {"UTC", 0}};
  int checked = 0;
  for (const auto& z : zones) {
#ifdef _WIN32
    const char* tz = std::getenv("TZ");
    if (!tz || std::string(tz) != z.tz) continue;
#else
    test::ScopedEnv tz("TZ", z.tz);
    tzset();
#endif
    EXPECT_NEAR(UtcOffsetDays() * 1440, z.minutes, 1e-9) << z.tz;
    ++checked;
  }
#ifndef _WIN32
  tzset();
#endif
  EXPECT_GT(checked, 0) << "TZ names none of the zones";
}

}  // namespace
}  // namespace wc
