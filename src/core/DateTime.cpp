// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DateTime.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#ifdef _WIN32
#include <windows.h>
#endif

namespace wc {

using namespace std::chrono;

namespace {

// Milliseconds since the epoch, rounded; negative values follow the
// DateTime convention that the fraction is the time of day in either sign.
struct DayAndMs {
  long long day;
  long long ms;
};

// The calendar's ends, 1 January 1 and the last millisecond of 31 December
// 9999. Instants beyond them (from a hand-edited file's numbers) decode as the
// nearest end; nothing is left undefined.
constexpr double kFirstDay = -693593.0;
constexpr double kLastInstant = 2958465.0 + 86399999.0 / kMsPerDay;

DayAndMs Split(DateTime t) {
  if (std::isnan(t)) t = 0;
  t = std::clamp(t, kFirstDay, kLastInstant);
  double whole = std::trunc(t);
  long long day = static_cast<long long>(whole);
  long long ms = std::llround(std::fabs(t - whole) * kMsPerDay);
  if (ms >= static_cast<long long>(kMsPerDay)) {
    ms -= static_cast<long long>(kMsPerDay);
    day += t < 0 ? -1 : 1;
  }
  return {day, ms};
}

}  // namespace

DateTime EncodeDate(int year, int month, int day) {
  const year_month_day ymd{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                           std::chrono::day{static_cast<unsigned>(day)}};
  return ToDateTime(sys_days{ymd});
}

DateTime EncodeTime(int hour, int minute, int second, int millisecond) {
  return ((hour * 3600.0 + minute * 60.0 + second) * 1000.0 + millisecond) / kMsPerDay;
}

DateTimeParts Decode(DateTime t) {
  const DayAndMs s = Split(t);
  DateTimeParts p;
  p.date = year_month_day{kTDateTimeEpoch + days{s.day}};
  long long ms = s.ms;
  p.hour = static_cast<int>(ms / 3600000);
  ms %= 3600000;
  p.minute = static_cast<int>(ms / 60000);
  ms %= 60000;
  p.second = static_cast<int>(ms / 1000);
  p.millisecond = static_cast<int>(ms % 1000);
  return p;
}

void DecodeDate(DateTime t, int& year, int& month, int& day) {
  const year_month_day d = Decode(t).date;
  year = static_cast<int>(d.year());
  month = static_cast<int>(static_cast<unsigned>(d.month()));
  day = static_cast<int>(static_cast<unsigned>(d.day()));
}

void DecodeTime(DateTime t, int& hour, int& minute, int& second, int& millisecond) {
  const DateTimeParts p = Decode(t);
  hour = p.hour;
  minute = p.minute;
  second = p.second;
  millisecond = p.millisecond;
}

sys_days DateOf(DateTime t) { return kTDateTimeEpoch + days{Split(t).day}; }

DateTime ToDateTime(sys_days d) { return static_cast<double>((d - kTDateTimeEpoch).count()); }

DateTime ToDateTime(system_clock::time_point tp) {
  const auto ms = duration_cast<milliseconds>(tp - sys_time<milliseconds>{kTDateTimeEpoch});
  return static_cast<double>(ms.count()) / kMsPerDay;
}

int IsoWeekday(sys_days d) { return static_cast<int>(weekday{d}.iso_encoding()); }

int DaysInMonth(int year, int month) {
  if (month < 1 || month > 12) return 0;
  const year_month_day_last last{std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)} /
                                 std::chrono::last};
  return static_cast<int>(static_cast<unsigned>(last.day()));
}

bool IsLeapYear(int year) { return std::chrono::year{year}.is_leap(); }

SystemTime SystemClockNow() {
#ifdef _WIN32
  // 100-nanosecond ticks since 1601, which last to the year 30828.
  FILETIME ft{};
  GetSystemTimeAsFileTime(&ft);
  const std::int64_t ticks =
      static_cast<std::int64_t>((static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime) -
      116444736000000000;  // to 1970
  const std::int64_t seconds = ticks / 10000000 - (ticks % 10000000 < 0 ? 1 : 0);
  return {seconds, static_cast<std::int32_t>((ticks - seconds * 10000000) * 100)};
#else
  // clock_gettime itself, which time-faking tools stand in for.
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  return {static_cast<std::int64_t>(ts.tv_sec), static_cast<std::int32_t>(ts.tv_nsec)};
#endif
}

DateTime ToDateTime(SystemTime t) {
  // Whole days since 1970 rounded down, so that the time of day is never negative.
  const std::int64_t day = t.seconds / 86400 - (t.seconds % 86400 < 0 ? 1 : 0);
  const std::int64_t ms = (t.seconds - day * 86400) * 1000 + t.nanoseconds / 1000000;
  return ToDateTime(sys_days{days{day}}) + static_cast<double>(ms) / kMsPerDay;
}

DateTime LocalNow() {
#ifdef _WIN32
  // The system's own local time, in the zone UtcOffsetDays asks about; the C
  // runtime's would follow a TZ variable of its own reading instead.
  SYSTEMTIME st{};
  GetLocalTime(&st);
  return EncodeDate(st.wYear, st.wMonth, st.wDay) +
         EncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
#else
  const SystemTime now = SystemClockNow();
  const std::time_t secs = static_cast<std::time_t>(now.seconds);
  std::tm local{};
  localtime_r(&secs, &local);
  return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
         EncodeTime(local.tm_hour, local.tm_min, local.tm_sec, now.nanoseconds / 1000000);
#endif
}

}  // namespace wc
