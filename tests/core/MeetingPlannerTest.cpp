// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "core/CityTime.h"
#include "core/PlannerChoice.h"
#include "core/PlannerCity.h"
#include "core/PlannerDay.h"
#include "core/PlannerText.h"
#include "core/SlotSearch.h"
#include "core/WorkingHours.h"

namespace wc {
namespace {

using namespace std::chrono;

CityEntry City(const char* name, double hours, int dst = 0, int weekno = 0, int dow = 0, int month = 0,
               int weekno1 = 0, int dow1 = 0, int month1 = 0) {
  CityEntry e;
  e.setName(name);
  e.tzd = hours / 24.0;
  e.rule = {.dst = dst, .weekno = weekno, .dayofweek = dow, .month = month, .weekno1 = weekno1, .dayofweek1 = dow1,
            .month1 = month1};
  return e;
}

// The shipped database's rules for these cities.
const CityEntry kNewYork = City("New York, United States", -5, 1, 2, 7, 3, 1, 7, 11);
const CityEntry kSydney = City("Sydney, Australia", 10, 1, 1, 7, 10, 1, 7, 4);
const CityEntry kStJohns = City("St John's, Canada", -3.5, 1, 2, 7, 3, 1, 7, 11);
const CityEntry kKathmandu = City("Kathmandu, Nepal", 5.75);
const CityEntry kLondon = City("London, United Kingdom", 0, 1, 5, 7, 3, 5, 7, 10);
const CityEntry kTokyo = City("Tokyo, Japan", 9);
const CityEntry kRiyadh = City("Riyadh, Saudi Arabia", 3);
const CityEntry kDubai = City("Dubai, United Arab Emirates", 4);

UtcMinute Utc(int y, int mo, int d, int h, int mi) {
  return (sys_days{year{y} / mo / d} - kTDateTimeEpoch).count() * 1440 + h * 60 + mi;
}

sys_days Day(int y, int mo, int d) { return sys_days{year{y} / mo / d}; }

std::string Show(std::int64_t minute) {
  const DateTimeParts p = Decode(FromMinute(minute));
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02u-%02u %02d:%02d", static_cast<int>(p.date.year()),
                static_cast<unsigned>(p.date.month()), static_cast<unsigned>(p.date.day()), p.hour, p.minute);
  return buf;
}

WorkingHours Hours(int start, int end, std::uint8_t days = WorkingHours::kMondayToFriday) {
  WorkingHours h;
  h.start = start;
  h.end = end;
  h.days = days;
  return h;
}

constexpr std::uint8_t kSundayToThursday = 0b1001111;

// Every cell of every row, on every day of the weeks in which New York and
// Sydney change their clocks, is what the map's own computation shows at
// that instant.
TEST(MeetingPlanner, EveryCellAgreesWithTheMapsLocalTime) {
  const std::vector<CityEntry> cities{kNewYork, kSydney, kStJohns, kKathmandu, kLondon};
  for (const auto& [from, to] :
       {std::pair{Day(2027, 3, 10), Day(2027, 4, 8)}, {Day(2027, 9, 30), Day(2027, 11, 10)}}) {
    for (std::size_t first = 0; first < cities.size(); ++first) {
      std::vector<PlannerCity> rows;
      for (std::size_t i = 0; i < cities.size(); ++i) rows.emplace_back(cities[(first + i) % cities.size()]);
      for (sys_days date = from; date <= to; date += days{1}) {
        const PlannerDay day = BuildPlannerDay(rows, date);
        ASSERT_EQ(day.columnMinutes, 30);
        for (std::size_t r = 0; r < rows.size(); ++r) {
          const CityEntry& c = rows[r].city();
          for (int col = 0; col < day.columns(); ++col) {
            const DateTime utc = FromMinute(day.columnStart(col));
            const DateTime shown = CityTime(c.rule, utc + c.tzd);
            const PlannerCell& cell = day.rows[r][static_cast<std::size_t>(col)];
            ASSERT_EQ(Show(cell.local), Show(ToUtcMinute(shown)))
                << c.name() << " in column " << col << " of " << Show(day.span.begin);
            ASSERT_EQ(cell.daylightSaving, shown - (utc + c.tzd) > kOneHour / 2);
          }
          // The first row's cells are all on the day shown.
          if (r == 0) {
            ASSERT_EQ(day.rows[0].front().dayOffset, 0);
            ASSERT_EQ(day.rows[0].back().dayOffset, 0);
          }
        }
      }
    }
  }
}

// The first row's day is 23 hours when its clock jumps at standard midnight
// and 25 when it repeats the hour after its last day of daylight saving; the
// other row shows the gap of that day (16, 15 or 14 hours).
TEST(MeetingPlanner, DayOfAChangeShowsTheJumpOrTheRepeatedHour) {
  struct Case {
    const CityEntry& first;
    const CityEntry& other;
    sys_days date;
    int columns;
    const char* firstCells;  // the first row's first two cells
    const char* otherCell;   // the other row's first cell
    bool otherDst;
  } cases[] = {
      {kNewYork, kSydney, Day(2027, 3, 13), 24, "2027-03-13 00:00 2027-03-13 01:00", "2027-03-13 16:00",
       true},
      {kNewYork, kSydney, Day(2027, 3, 14), 23, "2027-03-14 01:00 2027-03-14 02:00", "2027-03-14 16:00",
       true},
      {kNewYork, kSydney, Day(2027, 11, 7), 24, "2027-11-07 00:00 2027-11-07 01:00", "2027-11-07 15:00",
       true},
      {kNewYork, kSydney, Day(2027, 11, 8), 25, "2027-11-08 00:00 2027-11-08 00:00", "2027-11-08 15:00",
       true},
      {kSydney, kNewYork, Day(2027, 4, 4), 24, "2027-04-04 00:00 2027-04-04 01:00", "2027-04-03 09:00", true},
      {kSydney, kNewYork, Day(2027, 4, 5), 25, "2027-04-05 00:00 2027-04-05 00:00", "2027-04-04 09:00", true},
      {kSydney, kNewYork, Day(2027, 10, 3), 23, "2027-10-03 01:00 2027-10-03 02:00", "2027-10-02 10:00",
       true},
      {kSydney, kNewYork, Day(2027, 11, 9), 24, "2027-11-09 00:00 2027-11-09 01:00", "2027-11-08 08:00",
       false},
  };
  for (const Case& c : cases) {
    const std::vector<PlannerCity> rows{PlannerCity(c.first), PlannerCity(c.other)};
    const PlannerDay day = BuildPlannerDay(rows, c.date);
    SCOPED_TRACE(c.first.name() + " " + Show((c.date - kTDateTimeEpoch).count() * 1440));
    EXPECT_EQ(day.columnMinutes, 60);
    EXPECT_EQ(day.columns(), c.columns);
    EXPECT_EQ(Show(day.rows[0][0].local) + " " + Show(day.rows[0][1].local), c.firstCells);
    EXPECT_EQ(Show(day.rows[1][0].local), c.otherCell);
    EXPECT_EQ(day.rows[1][0].daylightSaving, c.otherDst);
  }
  // The repeated hour is told apart by its season.
  const std::vector<PlannerCity> rows{PlannerCity(kNewYork)};
  const PlannerDay day = BuildPlannerDay(rows, Day(2027, 11, 8));
  EXPECT_TRUE(day.rows[0][0].daylightSaving);
  EXPECT_FALSE(day.rows[0][1].daylightSaving);
}

TEST(MeetingPlanner, FractionalOffsetsGiveHalfHourColumnsOnBothSidesOfUtc) {
  const std::vector<PlannerCity> rows{PlannerCity(kKathmandu), PlannerCity(kStJohns), PlannerCity(kLondon)};
  const PlannerDay day = BuildPlannerDay(rows, Day(2027, 1, 15));
  ASSERT_EQ(day.columnMinutes, 30);
  ASSERT_EQ(day.columns(), 48);
  EXPECT_EQ(Show(day.span.begin), "2027-01-14 18:15");
  struct Case {
    std::size_t row;
    int column;
    const char* local;
    int dayOffset;
    HourClass cls;
  } cases[] = {
      {0, 0, "2027-01-15 00:00", 0, HourClass::Night},
      {1, 0, "2027-01-14 14:45", -1, HourClass::Working},
      {2, 0, "2027-01-14 18:15", -1, HourClass::EarlyLate},
      {0, 18, "2027-01-15 09:00", 0, HourClass::Working},
      {0, 17, "2027-01-15 08:30", 0, HourClass::EarlyLate},
      // 08:45 to 09:15 in St John's: a cell is as good as its worst minute.
      {1, 36, "2027-01-15 08:45", 0, HourClass::EarlyLate},
      {1, 37, "2027-01-15 09:15", 0, HourClass::Working},
      {1, 47, "2027-01-15 14:15", 0, HourClass::Working},
      {2, 45, "2027-01-15 16:45", 0, HourClass::EarlyLate},
      {2, 47, "2027-01-15 17:45", 0, HourClass::EarlyLate},
  };
  for (const Case& c : cases) {
    const PlannerCell& cell = day.rows[c.row][static_cast<std::size_t>(c.column)];
    SCOPED_TRACE(rows[c.row].name() + " column " + std::to_string(c.column));
    EXPECT_EQ(Show(cell.local), c.local);
    EXPECT_EQ(cell.dayOffset, c.dayOffset);
    EXPECT_EQ(cell.cls, c.cls);
  }
  const std::vector<PlannerCity> westOfUtc{PlannerCity(kNewYork), PlannerCity(kStJohns)};
  const std::vector<PlannerCity> wholeHours{PlannerCity(kNewYork), PlannerCity(kTokyo)};
  EXPECT_EQ(ColumnMinutes(westOfUtc), 30);
  EXPECT_EQ(ColumnMinutes(wholeHours), 60);

  // Kathmandu works 03:15-11:15 UTC, St John's 12:30-20:30: never together.
  EXPECT_EQ(std::count(day.allWorking.begin(), day.allWorking.end(), true), 0);

  // Kathmandu and London share 09:00-11:15 UTC; the columns are Kathmandu's
  // half hours, so 15:00 to 17:00 there are wholly shared.
  const std::vector<PlannerCity> pair{PlannerCity(kKathmandu), PlannerCity(kLondon)};
  const PlannerDay shared = BuildPlannerDay(pair, Day(2027, 1, 15));
  std::vector<int> marked;
  for (int c = 0; c < shared.columns(); ++c) {
    if (shared.allWorking[static_cast<std::size_t>(c)]) marked.push_back(c);
  }
  EXPECT_EQ(marked, (std::vector<int>{30, 31, 32, 33}));
  EXPECT_EQ(shared.columnAt(Utc(2027, 1, 15, 9, 15)), 30);
  EXPECT_EQ(shared.columnAt(Utc(2027, 1, 15, 9, 14)), 29);
  EXPECT_EQ(shared.columnAt(Utc(2027, 1, 14, 18, 14)), -1);
  EXPECT_EQ(shared.columnAt(Utc(2027, 1, 15, 18, 15)), -1);
}

TEST(MeetingPlanner, WorkingHourClasses) {
  const WorkingHours office;  // 09:00-17:00, Monday to Friday
  const WorkingHours early = Hours(6 * 60, 14 * 60, kSundayToThursday);
  struct Case {
    const WorkingHours& hours;
    int weekday;
    int minute;
    HourClass cls;
  } cases[] = {
      {office, 1, 6 * 60 + 59, HourClass::Night},      {office, 1, 7 * 60, HourClass::EarlyLate},
      {office, 1, 8 * 60 + 59, HourClass::EarlyLate},  {office, 1, 9 * 60, HourClass::Working},
      {office, 5, 16 * 60 + 59, HourClass::Working},   {office, 5, 17 * 60, HourClass::EarlyLate},
      {office, 5, 21 * 60 + 59, HourClass::EarlyLate}, {office, 5, 22 * 60, HourClass::Night},
      {office, 6, 10 * 60, HourClass::DayOff},         {office, 7, 23 * 60, HourClass::Night},
      {early, 7, 6 * 60, HourClass::Working},          {early, 5, 10 * 60, HourClass::DayOff},
      {early, 4, 14 * 60, HourClass::EarlyLate},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.hours.classAt(c.weekday, c.minute), c.cls) << c.weekday << " " << c.minute;
  }
}

// A week of Kathmandu, Riyadh and London: they share 09:00-11:15 UTC on the
// days all three work.
TEST(MeetingPlanner, NextSlotWithinEveryonesHours) {
  const std::vector<PlannerCity> sundayToThursday{PlannerCity(kKathmandu),
                                                  PlannerCity(kRiyadh, Hours(540, 1020, kSundayToThursday)),
                                                  PlannerCity(kLondon)};
  const std::vector<PlannerCity> mondayToFriday{PlannerCity(kKathmandu), PlannerCity(kRiyadh),
                                                PlannerCity(kLondon)};
  struct Case {
    const std::vector<PlannerCity>& cities;
    UtcMinute now;
    int length;
    const char* start;
  } cases[] = {
      {sundayToThursday, Utc(2027, 1, 13, 5, 0), 120, "2027-01-13 09:00"},
      {sundayToThursday, Utc(2027, 1, 14, 10, 0), 60, "2027-01-14 10:00"},
      // From a minute past the quarter, the next quarter hour.
      {sundayToThursday, Utc(2027, 1, 14, 10, 1), 60, "2027-01-14 10:15"},
      {sundayToThursday, Utc(2027, 1, 14, 10, 0), 120, "2027-01-18 09:00"},
      // Friday is Riyadh's day off, the weekend London's.
      {sundayToThursday, Utc(2027, 1, 14, 10, 50), 30, "2027-01-18 09:00"},
      {mondayToFriday, Utc(2027, 1, 14, 10, 50), 30, "2027-01-15 09:00"},
  };
  for (const Case& c : cases) {
    const auto slot = FindNextSlot(c.cities, c.now, c.length);
    ASSERT_TRUE(slot) << Show(c.now);
    EXPECT_EQ(Show(slot->slot.begin), c.start) << Show(c.now) << " " << c.length;
    EXPECT_EQ(slot->slot.end - slot->slot.begin, c.length);
    EXPECT_TRUE(slot->misses.empty());
  }
  EXPECT_FALSE(FindNextSlot({}, Utc(2027, 1, 14, 10, 0), 60));
  EXPECT_FALSE(FindNextSlot(mondayToFriday, Utc(2027, 1, 14, 10, 0), 0));
}

// New York and Sydney from 08:00 to 18:00 each: two shared hours while the
// gap is 16 hours, one at 15, none at 14, as the weeks of March and April go.
TEST(MeetingPlanner, NextSlotFollowsDaylightSavingOnBothSides) {
  const WorkingHours longDay = Hours(8 * 60, 18 * 60);
  const std::vector<PlannerCity> cities{PlannerCity(kNewYork, longDay), PlannerCity(kSydney, longDay)};
  struct Case {
    UtcMinute now;
    int length;
    const char* start;
    std::size_t missRow;  // cities.size(): everyone within hours
    SlotMiss::Kind kind;
    int minutes;
  } cases[] = {
      {Utc(2027, 3, 8, 0, 0), 120, "2027-03-08 21:00", 2, {}, 0},
      {Utc(2027, 3, 15, 0, 0), 60, "2027-03-15 21:00", 2, {}, 0},
      // 15 hours until Sydney's last day of daylight saving, then 14, with no
      // shared hour in the 60 days: New York's last hour, Sydney an hour early.
      {Utc(2027, 3, 15, 0, 0), 120, "2027-03-15 20:00", 1, SlotMiss::Kind::BeforeHours, 60},
      {Utc(2027, 4, 5, 0, 0), 60, "2027-04-05 21:00", 1, SlotMiss::Kind::BeforeHours, 60},
  };
  for (const Case& c : cases) {
    const auto slot = FindNextSlot(cities, c.now, c.length);
    ASSERT_TRUE(slot);
    SCOPED_TRACE(Show(c.now) + " " + std::to_string(c.length));
    EXPECT_EQ(Show(slot->slot.begin), c.start);
    if (c.missRow == cities.size()) {
      EXPECT_TRUE(slot->misses.empty());
      continue;
    }
    ASSERT_EQ(slot->misses.size(), 1u);
    EXPECT_EQ(slot->misses[0].row, c.missRow);
    EXPECT_EQ(slot->misses[0].kind, c.kind);
    EXPECT_EQ(slot->misses[0].minutes, c.minutes);
  }
}

TEST(MeetingPlanner, WithoutASharedSlotTheOneThatKeepsMostCitiesAndTheLeastToMove) {
  // Tokyo's 09:00-17:00 is 00:00-08:00 UTC, London's 09:00-17:00: Tokyo's
  // last hour with London two hours early beats London's first with Tokyo two
  // late only by coming first; either beats London's afternoon with Tokyo at
  // 9 pm, the first that keeps one city.
  const std::vector<PlannerCity> tokyoLondon{PlannerCity(kTokyo), PlannerCity(kLondon)};
  auto slot = FindNextSlot(tokyoLondon, Utc(2027, 1, 14, 12, 0), 60);
  ASSERT_TRUE(slot);
  EXPECT_EQ(Show(slot->slot.begin), "2027-01-15 07:00");
  ASSERT_EQ(slot->misses.size(), 1u);
  EXPECT_EQ(MissText(tokyoLondon[1], slot->misses[0], slot->slot.begin),
            "London, United Kingdom: 2 h before working hours");

  // New York's clocks go back on 7 November, an hour nearer Tokyo's day: a
  // slot three weeks on would have an hour less to move, not worth the wait.
  const std::vector<PlannerCity> tokyoNewYork{PlannerCity(kTokyo), PlannerCity(kNewYork)};
  slot = FindNextSlot(tokyoNewYork, Utc(2027, 10, 15, 0, 0), 60);
  ASSERT_TRUE(slot);
  EXPECT_EQ(Show(slot->slot.begin), "2027-10-15 00:00");
  ASSERT_EQ(slot->misses.size(), 1u);
  EXPECT_EQ(MissText(tokyoNewYork[1], slot->misses[0], slot->slot.begin),
            "New York, United States: 4 h after working hours");

  const std::vector<PlannerCity> kathmanduStJohns{PlannerCity(kKathmandu), PlannerCity(kStJohns)};
  slot = FindNextSlot(kathmanduStJohns, Utc(2027, 1, 11, 0, 0), 60);
  ASSERT_TRUE(slot);
  EXPECT_EQ(Show(slot->slot.begin), "2027-01-11 10:15");
  ASSERT_EQ(slot->misses.size(), 1u);
  EXPECT_EQ(MissText(kathmanduStJohns[1], slot->misses[0], slot->slot.begin),
            "St John's, Canada: 2 h 15 min before working hours");

  // Dubai works Saturdays only: London's Friday afternoon is 13 hours from
  // Dubai's Saturday morning, as far as the other way round, and comes first.
  const std::vector<PlannerCity> dayOff{PlannerCity(kLondon),
                                        PlannerCity(kDubai, Hours(540, 1020, 0b0100000))};
  slot = FindNextSlot(dayOff, Utc(2027, 1, 15, 12, 0), 60);
  ASSERT_TRUE(slot);
  EXPECT_EQ(Show(slot->slot.begin), "2027-01-15 16:00");
  ASSERT_EQ(slot->misses.size(), 1u);
  EXPECT_EQ(slot->misses[0].kind, SlotMiss::Kind::DayOff);
  EXPECT_EQ(MissText(dayOff[1], slot->misses[0], slot->slot.begin),
            "Dubai, United Arab Emirates: Friday is not a working day");

  // A city with no working day at all still gets an answer.
  const std::vector<PlannerCity> never{PlannerCity(kLondon), PlannerCity(kTokyo, Hours(540, 1020, 0))};
  slot = FindNextSlot(never, Utc(2027, 1, 15, 12, 0), 30);
  ASSERT_TRUE(slot);
  EXPECT_EQ(Show(slot->slot.begin), "2027-01-15 12:00");
  ASSERT_EQ(slot->misses.size(), 1u);
  EXPECT_EQ(slot->misses[0].row, 1u);
}

TEST(MeetingPlanner, Texts) {
  const PlannerCity tokyo(kTokyo), stJohns(kStJohns), kathmandu(kKathmandu);
  EXPECT_EQ(InstantLine(tokyo, Utc(2027, 1, 15, 0, 0), kTime12Format),
            "Tokyo, Japan \u2014 Fri 15 Jan 2027, 09:00 AM (UTC+9)");
  EXPECT_EQ(InstantLine(stJohns, Utc(2027, 7, 1, 2, 0), kTime24Format),
            "St John's, Canada \u2014 Wed 30 Jun 2027, 23:30 (UTC-2:30)");
  EXPECT_EQ(InstantLine(kathmandu, Utc(2027, 7, 1, 13, 0), kTime12Format),
            "Kathmandu, Nepal \u2014 Thu 1 Jul 2027, 06:45 PM (UTC+5:45)");
  EXPECT_EQ(UtcOffsetText(0), "UTC+0");
  EXPECT_EQ(UtcOffsetText(-570), "UTC-9:30");

  struct Case {
    std::int64_t local;
    int dayOffset;
    bool twelveHour;
    const char *day, *hour, *minutes, *marker;
  } cases[] = {
      {Utc(2027, 1, 15, 9, 45), 0, true, "", "9", ":45", "AM"},
      {Utc(2027, 1, 15, 0, 0), 1, true, "Fri 15", "12", "", "AM"},
      {Utc(2027, 1, 15, 21, 30), -1, false, "Fri 15", "21", ":30", ""},
      {Utc(2027, 1, 15, 7, 0), 0, false, "", "07", "", ""},
  };
  for (const Case& c : cases) {
    const CellText t = CellLabel({c.local, c.dayOffset, false, HourClass::Working}, c.twelveHour);
    EXPECT_EQ(t.day, c.day);
    EXPECT_EQ(t.hour, c.hour);
    EXPECT_EQ(t.minutes, c.minutes);
    EXPECT_EQ(t.marker, c.marker);
  }
  struct Days {
    std::uint8_t days;
    const char* text;
  } week[] = {
      {WorkingHours::kMondayToFriday, "Mon-Fri"},
      {kSundayToThursday, "Sun-Thu"},
      {0b0011101, "Mon, Wed-Fri"},
      {0b1000001, "Sun-Mon"},
      {0b0100000, "Sat"},
      {0x7f, "every day"},
      {0, "no working day"},
  };
  for (const Days& d : week) EXPECT_EQ(WorkingDaysText(Hours(540, 1020, d.days)), d.text);
  EXPECT_EQ(WorkingHoursText(Hours(480, 960, kSundayToThursday)), "08:00-16:00 Sun-Thu");
  EXPECT_EQ(WorkingHoursText(WorkingHours{}), "09:00-17:00");

  EXPECT_TRUE(IsTwelveHour("hh:mm AM/PM"));
  EXPECT_FALSE(IsTwelveHour("HH:mm"));
  EXPECT_EQ(DurationText(45), "45 min");
  EXPECT_EQ(DurationText(120), "2 h");
}

TEST(MeetingPlanner, WorkingHoursAsStored) {
  EXPECT_EQ(FormatWorkingHours({}), "09:00-17:00 12345");
  EXPECT_EQ(FormatWorkingHours(Hours(7 * 60 + 30, 24 * 60, kSundayToThursday)), "07:30-24:00 12347");
  struct Case {
    const char* text;
    std::optional<WorkingHours> hours;
  } cases[] = {
      {"09:00-17:00 12345", WorkingHours{}},
      {" 08:15-16:45 71234 ", Hours(8 * 60 + 15, 16 * 60 + 45, kSundayToThursday)},
      {"00:00-24:00", Hours(0, 24 * 60, 0)},
      {"17:00-09:00 12345", std::nullopt},  // no night shifts: the span must run forward
      {"09:00-09:00 1", std::nullopt},
      {"09:00-24:30 1", std::nullopt},
      {"9:00-17:00 1", std::nullopt},
      {"09:60-17:00 1", std::nullopt},
      {"09:00-17:00 18", std::nullopt},
      {"09:00 17:00", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseWorkingHours(c.text), c.hours) << c.text;
}

TEST(MeetingPlanner, ChoicesAsStored) {
  const std::vector<PlannerChoice> choices{{"Tokyo, Japan", {}},
                                           {"Riyadh, Saudi Arabia", Hours(480, 960, kSundayToThursday)}};
  const std::vector<std::string> stored = FormatPlannerChoices(choices);
  EXPECT_EQ(stored, (std::vector<std::string>{"Tokyo, Japan\t09:00-17:00 12345",
                                              "Riyadh, Saudi Arabia\t08:00-16:00 12347"}));
  EXPECT_EQ(ParsePlannerChoices(stored), choices);

  std::vector<std::string> damaged{"", "Tokyo, Japan\tgarbage", "Lima, Peru", "Tokyo, Japan\t08:00-16:00 1"};
  for (int i = 0; i < 12; ++i) damaged.push_back("City " + std::to_string(i));
  const std::vector<PlannerChoice> read = ParsePlannerChoices(damaged);
  ASSERT_EQ(read.size(), kMaxPlannerCities);
  EXPECT_EQ(read[0], (PlannerChoice{"Tokyo, Japan", {}}));
  EXPECT_EQ(read[1], (PlannerChoice{"Lima, Peru", {}}));
  EXPECT_EQ(read[2].name, "City 0");
  EXPECT_EQ(read.back().name, "City 7");
}

TEST(MeetingPlanner, DefaultChoiceIsTheOwnCityThenTheMapsCities) {
  std::vector<CityEntry> table{kLondon, kTokyo, kKathmandu, kNewYork, kSydney, kStJohns};
  for (int i = 0; i < 10; ++i) table.push_back(City(("Extra " + std::to_string(i) + ", Nowhere").c_str(), 1));
  std::vector<std::string> display{"Tokyo", "Gone, Nowhere", "", "Kathmandu, Nepal",
                                   "London, United Kingdom"};
  for (int i = 0; i < 10; ++i) display.push_back("Extra " + std::to_string(i) + ", Nowhere");
  std::vector<std::string> names;
  for (const PlannerChoice& c : DefaultPlannerChoices("Kathmandu, Nepal", display, table))
    names.push_back(c.name);
  EXPECT_EQ(names, (std::vector<std::string>{"Kathmandu, Nepal", "Tokyo, Japan", "London, United Kingdom",
                                             "Extra 0, Nowhere", "Extra 1, Nowhere", "Extra 2, Nowhere",
                                             "Extra 3, Nowhere", "Extra 4, Nowhere", "Extra 5, Nowhere",
                                             "Extra 6, Nowhere"}));

  const std::vector<PlannerChoice> chosen{{"Gone, Nowhere", {}}, {"Sydney, Australia", Hours(600, 900)}};
  const std::vector<PlannerCity> rows = ResolvePlannerCities(chosen, table);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].name(), "Sydney, Australia");
  EXPECT_EQ(rows[0].hours(), Hours(600, 900));
  EXPECT_EQ(rows[0].standardOffset(), 600);
}

}  // namespace
}  // namespace wc
