// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The year at a glance: where each month of a year is drawn, month name,
// weekday header and days, on a grid of four months by three, and how the
// year box's text and the year buttons pick the year shown.

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wc {

struct CalendarGeometry {
  int left = 8;
  int top = 30;
  int boxWidth = 160;
  int boxHeight = 140;
  int cellWidth() const { return boxWidth / 8; }
  int cellHeight() const { return boxHeight / 8; }
};

struct CalendarDay {
  int day = 0;
  int column = 0;   // 0 = Sunday
  int line = 0;     // 0 = the first line of days
  int centreX = 0;  // the text is centred on centreX ...
  int top = 0;      // ... with its top here
  bool today = false;
};

struct MonthLayout {
  int month = 0;
  int nameLeft = 0, nameTop = 0;       // top-left corner of the month's name
  std::array<int, 7> headerCentreX{};  // Sunday first
  int headerTop = 0;
  std::vector<CalendarDay> days;
  int lines = 0;  // lines of weeks the days take
};

// The years the calendar shows.
inline constexpr int kFirstCalendarYear = 1;
inline constexpr int kLastCalendarYear = 9999;
inline bool IsCalendarYear(int year) { return year >= kFirstCalendarYear && year <= kLastCalendarYear; }

// month 1..12 of a year the calendar shows; today is the day drawn red.
MonthLayout LayoutMonth(int year, int month, std::optional<std::chrono::sys_days> today,
                        const CalendarGeometry& g = {});

// A weekday's header: the first two characters of its short name.
std::string WeekdayHeader(std::string_view shortName);

// What the year box's text asks for: nothing (no whole number, or 0), a
// year, or a number outside the years the calendar shows.
struct YearEntry {
  enum class Kind { Keep, Year, OutOfRange };
  Kind kind = Kind::Keep;
  int year = 0;
};
YearEntry ReadYearText(std::string_view text);

}  // namespace wc
