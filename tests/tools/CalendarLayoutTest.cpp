// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The year at a glance: where the months, headers and days go, and what the
// year box's text asks for.

#include "tools/CalendarLayout.h"

#include <gtest/gtest.h>

namespace wc {
namespace {

using std::chrono::sys_days;
namespace chr = std::chrono;

TEST(LayoutMonth, DaysLinesAndFirstColumn) {
  struct Case {
    int year, month;
    int days, lines, firstColumn;
  };
  const Case cases[] = {
      {2024, 2, 29, 5, 4},                        // leap February, from a Thursday
      {2023, 2, 28, 5, 3},  {2000, 2, 29, 5, 2},  // divisible by 400: leap
      {1900, 2, 28, 5, 4},                        // divisible by 100 only: not
      {2015, 2, 28, 4, 0},                        // four whole weeks from a Sunday: no empty fifth line
      {2026, 8, 31, 6, 6},                        // 31 days from a Saturday: six lines
      {2027, 1, 31, 6, 5},                        // 31 days from a Friday: six lines too
      {1, 1, 31, 5, 1},                           // the first year shown: 1 January 1 was a Monday
      {9999, 12, 31, 5, 3},
  };
  for (const Case& c : cases) {
    const MonthLayout m = LayoutMonth(c.year, c.month, std::nullopt);
    const std::string what = std::to_string(c.year) + "-" + std::to_string(c.month);
    ASSERT_EQ(m.days.size(), static_cast<std::size_t>(c.days)) << what;
    EXPECT_EQ(m.lines, c.lines) << what;
    EXPECT_EQ(m.days.front().column, c.firstColumn) << what;
    EXPECT_EQ(m.days.back().line, c.lines - 1) << what;
    for (std::size_t i = 1; i < m.days.size(); ++i) {
      const CalendarDay& prev = m.days[i - 1];
      const CalendarDay& d = m.days[i];
      EXPECT_EQ(d.day, prev.day + 1) << what;
      // A new line exactly when the day is a Sunday.
      EXPECT_EQ(d.column, (prev.column + 1) % 7) << what;
      EXPECT_EQ(d.line, prev.line + (d.column == 0 ? 1 : 0)) << what;
    }
  }
}

TEST(LayoutMonth, FourMonthsAcrossThreeDownOnTheGrid) {
  // January: column 0, row 0. July: column 2, row 1. August 2026: column 3,
  // row 1, its 1st a Saturday and its 31st a Monday on the sixth line.
  const MonthLayout jan = LayoutMonth(2026, 1, std::nullopt);
  EXPECT_EQ(jan.nameLeft, 10);
  EXPECT_EQ(jan.nameTop, 12);
  EXPECT_EQ(jan.headerTop, 32);
  EXPECT_EQ(jan.headerCentreX[0], 18);
  const MonthLayout jul = LayoutMonth(2026, 7, std::nullopt);
  EXPECT_EQ(jul.nameLeft, 330);
  EXPECT_EQ(jul.nameTop, 152);
  EXPECT_EQ(jul.headerCentreX[6], 458);
  EXPECT_EQ(jul.headerTop, 172);
  const MonthLayout aug = LayoutMonth(2026, 8, std::nullopt);
  EXPECT_EQ(aug.days.front().centreX, 618);
  EXPECT_EQ(aug.days.front().top, 189);
  EXPECT_EQ(aug.days.back().centreX, 518);
  EXPECT_EQ(aug.days.back().top, 172 + 6 * 17);
  const MonthLayout dec = LayoutMonth(2026, 12, std::nullopt);
  EXPECT_EQ(dec.nameLeft, 490);
  EXPECT_EQ(dec.nameTop, 292);
}

TEST(LayoutMonth, OnlyTodayIsMarked) {
  const sys_days today{chr::year{2027} / 3 / 14};
  const MonthLayout march = LayoutMonth(2027, 3, today);
  for (const CalendarDay& d : march.days) EXPECT_EQ(d.today, d.day == 14) << d.day;
  for (const auto& [year, month] : {std::pair{2026, 3}, std::pair{2028, 3}, std::pair{2027, 4}})
    for (const CalendarDay& d : LayoutMonth(year, month, today).days)
      EXPECT_FALSE(d.today) << year << "-" << month;
}

TEST(WeekdayHeader, FirstTwoCharacters) {
  EXPECT_EQ(WeekdayHeader("Sun"), "Su");
  EXPECT_EQ(WeekdayHeader("So."), "So");
  EXPECT_EQ(WeekdayHeader("M"), "M");
  EXPECT_EQ(WeekdayHeader("пн"), "пн");
  EXPECT_EQ(WeekdayHeader("Çar"), "Ça");
}

TEST(ReadYearText, WholeNumbersOneToNineThousandNineHundredNinetyNine) {
  struct Case {
    const char* text;
    YearEntry::Kind kind;
    int year;
  };
  using K = YearEntry::Kind;
  const Case cases[] = {
      {"1", K::Year, 1},     {"19", K::Year, 19}, {"1999", K::Year, 1999},   {"9999", K::Year, 9999},
      {"0042", K::Year, 42}, {"", K::Keep, 0},    {"0", K::Keep, 0},         {"abc", K::Keep, 0},
      {"19a", K::Keep, 0},   {"-", K::Keep, 0},   {"-5", K::OutOfRange, -5}, {"10000", K::OutOfRange, 10000},
  };
  for (const Case& c : cases) {
    const YearEntry e = ReadYearText(c.text);
    EXPECT_EQ(e.kind, c.kind) << c.text;
    if (c.kind != K::Keep) {
      EXPECT_EQ(e.year, c.year) << c.text;
    }
  }
}

}  // namespace
}  // namespace wc
