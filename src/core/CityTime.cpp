// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CityTime.h"

#include <ctime>

#ifdef _WIN32
#include <windows.h>
#endif

namespace wc {

using namespace std::chrono;

std::optional<DateTime> DstRuleDate(int weekno, int dayofweek, int month, int year) {
  if (weekno < 1 || dayofweek < 1 || dayofweek > 7 || month < 1 || month > 12) return std::nullopt;
  const auto ym = std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)};
  const weekday wd{static_cast<unsigned>(dayofweek % 7)};  // chrono: 0 = Sunday
  const year_month_weekday nth{ym / wd[static_cast<unsigned>(weekno > 5 ? 5 : weekno)]};
  if (weekno <= 5 && nth.ok()) return ToDateTime(sys_days{nth});
  return ToDateTime(sys_days{year_month_weekday_last{ym / wd[last]}});
}

DateTime CityTime(const DstRule& r, DateTime t) {
  if (r.dst == 0) return t;
  if (r.weekno == 0 || r.dayofweek == 0 || r.month == 0 || r.weekno1 == 0 || r.dayofweek1 == 0 ||
      r.month1 == 0)
    return t;
  const sys_days date = DateOf(t);
  const int y = static_cast<int>(year_month_day{date}.year());
  const auto start = DstRuleDate(r.weekno, r.dayofweek, r.month, y);
  const auto end = DstRuleDate(r.weekno1, r.dayofweek1, r.month1, y);
  if (!start || !end) return t;
  const DateTime d = ToDateTime(date);
  const bool inForce = r.month1 >= r.month ? (*start <= d && d <= *end) : (d >= *start || d <= *end);
  return inForce ? t + kOneHour : t;
}

double UtcOffsetDays() {
#ifdef _WIN32
  TIME_ZONE_INFORMATION tzi{};
  LONG bias = 0;
  switch (GetTimeZoneInformation(&tzi)) {
    case TIME_ZONE_ID_STANDARD:
      bias = tzi.Bias + tzi.StandardBias;
      break;
    case TIME_ZONE_ID_DAYLIGHT:
      bias = tzi.Bias + tzi.DaylightBias;
      break;
    default:
      bias = tzi.Bias;
      break;
  }
  return bias / 1440.0;
#else
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return -static_cast<double>(local.tm_gmtoff) / 86400.0;
#endif
}

}  // namespace wc
