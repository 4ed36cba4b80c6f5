// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A city's working week for the meeting planner: one span of local time on
// the working days, and the classes every minute of a day falls into.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wc {

// Ordered from worst to best for a meeting: a stretch of time is as good as
// its worst minute.
enum class HourClass : std::uint8_t { Night, DayOff, EarlyLate, Working };

// Outside working hours but still awake: early before, late after, on a
// working day; the whole stretch of a day off.
inline constexpr int kAwakeFrom = 7 * 60;
inline constexpr int kAwakeUntil = 22 * 60;

struct WorkingHours {
  static constexpr std::uint8_t kMondayToFriday = 0b0011111;  // bit n: ISO weekday n + 1

  int start = 9 * 60;  // local minutes of the day, start < end <= 24:00
  int end = 17 * 60;
  std::uint8_t days = kMondayToFriday;

  bool isWorkingDay(int isoWeekday) const { return (days >> (isoWeekday - 1)) & 1u; }
  HourClass classAt(int isoWeekday, int minuteOfDay) const;
  bool valid() const { return 0 <= start && start < end && end <= 24 * 60 && days < 0x80; }

  friend bool operator==(const WorkingHours&, const WorkingHours&) = default;
};

// "09:00-17:00 12345": the span, then the working days as ISO weekday digits
// (1 = Monday ... 7 = Sunday); "24:00" ends a span at midnight, and no digit
// at all means no working day.
std::string FormatWorkingHours(const WorkingHours& hours);
// Nothing for text that is not in that form or names an empty span.
std::optional<WorkingHours> ParseWorkingHours(std::string_view text);

}  // namespace wc
