// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The meeting planner's texts: cell labels, the line a chosen instant gives
// for each city, and what the slot search says of the cities it could not
// suit. Names and formats come from the same FormatSettings as every other
// date the program shows.

#include <string>
#include <string_view>

#include "FormatDateTime.h"
#include "PlannerCity.h"
#include "PlannerDay.h"
#include "SlotSearch.h"

namespace wc {

// The main window's "Time Format" is 12-hour when it carries the AM/PM marker.
bool IsTwelveHour(std::string_view timeFormat);

// "UTC+9", "UTC+5:45", "UTC-3:30", "UTC+0".
std::string UtcOffsetText(int minutes);

// "2 h", "1 h 30 min", "45 min".
std::string DurationText(int minutes);

// "Tokyo, Japan — Thu 15 Jan 2027, 09:00 AM (UTC+9)": the city's local date,
// its time in the given time format, and the offset in force then.
std::string InstantLine(const PlannerCity& city, UtcMinute u, std::string_view timeFormat,
                        const FormatSettings& settings = DefaultFormatSettings());

// The pieces of a cell; the window lays out as many as its width allows.
struct CellText {
  std::string day;      // "Fri 15" where the local date is not the day shown, else empty
  std::string hour;     // "9" (12-hour) or "09"
  std::string minutes;  // ":45" off the whole hour, else empty
  std::string marker;   // "AM" / "PM" for a 12-hour format, else empty
};
CellText CellLabel(const PlannerCell& cell, bool twelveHour,
                   const FormatSettings& settings = DefaultFormatSettings());

// "daylight saving time" or "standard time".
std::string_view SeasonText(bool daylightSaving);

// The working days as runs of the week: "Mon-Fri", "Sun-Thu", "Mon, Wed-Fri",
// "every day", "no working day".
std::string WorkingDaysText(const WorkingHours& hours,
                            const FormatSettings& settings = DefaultFormatSettings());

// "09:00-17:00" and, unless Monday to Friday, the days: "08:00-16:00 Sun-Thu".
std::string WorkingHoursText(const WorkingHours& hours,
                             const FormatSettings& settings = DefaultFormatSettings());

// "working hours", "early or late", "day off", "night".
std::string_view HourClassText(HourClass cls);

// "Sydney, Australia: 1 h 30 min before working hours", "… after working
// hours", "…: Saturday is not a working day".
std::string MissText(const PlannerCity& city, const SlotMiss& miss, UtcMinute slotStart,
                     const FormatSettings& settings = DefaultFormatSettings());

}  // namespace wc
