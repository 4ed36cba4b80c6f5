// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PlannerCity.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "CityTime.h"

namespace wc {

UtcMinute ToUtcMinute(DateTime utc) {
  const auto ms = static_cast<std::int64_t>(std::llround(utc * kMsPerDay));
  return FloorDiv(ms, 60000);
}

PlannerCity::PlannerCity(const CityEntry& city, WorkingHours hours)
    : city_(city), hours_(hours), standard_(static_cast<int>(std::lround(city.tzd * 1440.0))) {}

bool PlannerCity::daylightSavingOn(std::int64_t standardDay) const {
  // Asked at noon, well clear of the day's ends.
  const DateTime noon = static_cast<double>(standardDay) + 0.5;
  return CityTime(city_.rule, noon) > noon + kOneHour / 2;
}

int PlannerCity::offsetAt(UtcMinute u) const {
  return standard_ + (daylightSavingOn(FloorDiv(u + standard_, 1440)) ? 60 : 0);
}

std::vector<HourSegment> PlannerCity::segments(UtcMinute from, UtcMinute to) const {
  std::vector<HourSegment> out;
  if (from >= to) return out;
  auto add = [&out](UtcMinute b, UtcMinute e, HourClass cls) {
    if (!out.empty() && out.back().cls == cls && out.back().span.end == b)
      out.back().span.end = e;
    else
      out.push_back({{b, e}, cls});
  };
  std::array<int, 6> marks{0, kAwakeFrom, hours_.start, hours_.end, kAwakeUntil, 1440};
  std::sort(marks.begin(), marks.end());
  // Each day of standard time has one offset; within it, local days are cut
  // where the class can change.
  for (std::int64_t day = FloorDiv(from + standard_, 1440); day * 1440 - standard_ < to; ++day) {
    const int offset = standard_ + (daylightSavingOn(day) ? 60 : 0);
    const std::int64_t localBegin = std::max(day * 1440 - standard_, from) + offset;
    const std::int64_t localEnd = std::min((day + 1) * 1440 - standard_, to) + offset;
    for (std::int64_t ld = FloorDiv(localBegin, 1440); ld * 1440 < localEnd; ++ld) {
      const int weekday = IsoWeekday(kTDateTimeEpoch + std::chrono::days{ld});
      for (std::size_t i = 0; i + 1 < marks.size(); ++i) {
        const std::int64_t b = std::max(ld * 1440 + marks[i], localBegin);
        const std::int64_t e = std::min(ld * 1440 + marks[i + 1], localEnd);
        if (b < e) add(b - offset, e - offset, hours_.classAt(weekday, marks[i]));
      }
    }
  }
  return out;
}

std::vector<MinuteSpan> PlannerCity::workingSpans(UtcMinute from, UtcMinute to) const {
  std::vector<MinuteSpan> out;
  for (const HourSegment& s : segments(from, to)) {
    if (s.cls == HourClass::Working) out.push_back(s.span);
  }
  return out;
}

}  // namespace wc
