// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// DateTime: days since 30 December 1899, the fraction being the time of day.
// Calendar arithmetic is done on <chrono> types; these helpers convert.

#include <chrono>
#include <cstdint>

namespace wc {

using DateTime = double;

inline constexpr double kMsPerDay = 86400000.0;
inline constexpr DateTime kOneHour = 1.0 / 24.0;

// The epoch of DateTime as a chrono day.
inline constexpr std::chrono::sys_days kTDateTimeEpoch =
    std::chrono::sys_days{std::chrono::year{1899} / 12 / 30};

DateTime EncodeDate(int year, int month, int day);
DateTime EncodeTime(int hour, int minute, int second, int millisecond);

// Decoding rounds to the nearest millisecond first, so that date and time of
// day always agree (23:59:59.9999 decodes as the next day at 00:00:00.000).
// Instants before 1 January 1 or after 31 December 9999 decode as that end,
// NaN as the epoch.
void DecodeDate(DateTime t, int& year, int& month, int& day);
void DecodeTime(DateTime t, int& hour, int& minute, int& second, int& millisecond);

struct DateTimeParts {
  std::chrono::year_month_day date;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};
DateTimeParts Decode(DateTime t);

// The calendar day of t (its time of day dropped, after millisecond rounding).
std::chrono::sys_days DateOf(DateTime t);
DateTime ToDateTime(std::chrono::sys_days d);
DateTime ToDateTime(std::chrono::system_clock::time_point tp);

// 1 = Monday ... 7 = Sunday, independent of locale.
int IsoWeekday(std::chrono::sys_days d);
// 0 for a month outside 1..12.
int DaysInMonth(int year, int month);
bool IsLeapYear(int year);

// The system clock now, in seconds and nanoseconds since 1970. Unlike
// std::chrono::system_clock::now(), whose 64-bit nanoseconds wrap in 2262,
// it holds to the year 9999 like the rest of the time model: read the
// clock here and nowhere else.
struct SystemTime {
  std::int64_t seconds = 0;
  std::int32_t nanoseconds = 0;
};
SystemTime SystemClockNow();
// The instant as a UTC DateTime, to the millisecond.
DateTime ToDateTime(SystemTime t);

// The computer's local wall-clock time now, to the millisecond.
DateTime LocalNow();

}  // namespace wc
