// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PlannerText.h"

#include <cstdlib>

#include "Text.h"

namespace wc {

bool IsTwelveHour(std::string_view timeFormat) {
  const std::string lower = LowerAscii(timeFormat);
  return lower.find("am/pm") != std::string::npos || lower.find("a/p") != std::string::npos ||
         lower.find("ampm") != std::string::npos;
}

std::string UtcOffsetText(int minutes) {
  std::string out = minutes < 0 ? "UTC-" : "UTC+";
  const int m = std::abs(minutes);
  out += std::to_string(m / 60);
  if (m % 60 != 0) {
    out += ':';
    if (m % 60 < 10) out += '0';
    out += std::to_string(m % 60);
  }
  return out;
}

std::string DurationText(int minutes) {
  const int h = minutes / 60;
  const int m = minutes % 60;
  if (h == 0) return std::to_string(m) + " min";
  if (m == 0) return std::to_string(h) + " h";
  return std::to_string(h) + " h " + std::to_string(m) + " min";
}

std::string InstantLine(const PlannerCity& city, UtcMinute u, std::string_view timeFormat,
                        const FormatSettings& settings) {
  const int offset = city.offsetAt(u);
  const DateTime local = FromMinute(u + offset);
  return city.name() + " \u2014 " + FormatDateTime("ddd d mmm yyyy", local, settings) + ", " +
         FormatDateTime(timeFormat, local, settings) + " (" + UtcOffsetText(offset) + ")";
}

CellText CellLabel(const PlannerCell& cell, bool twelveHour, const FormatSettings& settings) {
  const DateTime local = FromMinute(cell.local);
  CellText text;
  if (cell.dayOffset != 0) text.day = FormatDateTime("ddd d", local, settings);
  text.hour = FormatDateTime(twelveHour ? "h AM/PM" : "HH", local, settings);
  if (twelveHour) {
    // The pattern's 12-hour hour needs the marker in the same pattern.
    const std::size_t blank = text.hour.find(' ');
    text.marker = text.hour.substr(blank + 1);
    text.hour.resize(blank);
  }
  if (cell.local - FloorDiv(cell.local, 60) * 60 != 0)
    text.minutes = ":" + FormatDateTime("nn", local, settings);
  return text;
}

std::string_view SeasonText(bool daylightSaving) {
  return daylightSaving ? "daylight saving time" : "standard time";
}

std::string WorkingDaysText(const WorkingHours& hours, const FormatSettings& settings) {
  if (hours.days == 0) return "no working day";
  if (hours.days == 0x7f) return "every day";
  auto name = [&settings](int iso) { return settings.shortDayNames[static_cast<std::size_t>(iso % 7)]; };
  // Runs may wrap round the end of the week (Sunday to Thursday): the list
  // starts with the first run that begins on Sunday or later in the week.
  int first = 7;
  while (!hours.isWorkingDay(first) || hours.isWorkingDay((first + 5) % 7 + 1)) first = first % 7 + 1;
  std::string out;
  for (int i = 0; i < 7; ++i) {
    const int d = (first - 1 + i) % 7 + 1;
    const int prev = (d + 5) % 7 + 1;
    const int next = d % 7 + 1;
    if (!hours.isWorkingDay(d)) continue;
    if (!hours.isWorkingDay(prev)) {
      if (!out.empty()) out += ", ";
      out += name(d);
    } else if (!hours.isWorkingDay(next)) {
      out += "-" + name(d);
    }
  }
  return out;
}

std::string WorkingHoursText(const WorkingHours& hours, const FormatSettings& settings) {
  std::string out = FormatWorkingHours(hours);
  out.resize(out.find(' '));
  if (hours.days != WorkingHours::kMondayToFriday) out += " " + WorkingDaysText(hours, settings);
  return out;
}

std::string_view HourClassText(HourClass cls) {
  switch (cls) {
    case HourClass::Working:
      return "working hours";
    case HourClass::EarlyLate:
      return "early or late";
    case HourClass::DayOff:
      return "day off";
    case HourClass::Night:
      break;
  }
  return "night";
}

std::string MissText(const PlannerCity& city, const SlotMiss& miss, UtcMinute slotStart,
                     const FormatSettings& settings) {
  switch (miss.kind) {
    case SlotMiss::Kind::BeforeHours:
      return city.name() + ": " + DurationText(miss.minutes) + " before working hours";
    case SlotMiss::Kind::AfterHours:
      return city.name() + ": " + DurationText(miss.minutes) + " after working hours";
    case SlotMiss::Kind::DayOff:
      break;
  }
  return city.name() + ": " + FormatDateTime("dddd", FromMinute(city.localAt(slotStart)), settings) +
         " is not a working day";
}

}  // namespace wc
