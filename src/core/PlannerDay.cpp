// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PlannerDay.h"

#include <algorithm>

namespace wc {

int PlannerDay::columnAt(UtcMinute u) const {
  if (u < span.begin || u >= span.end) return -1;
  return static_cast<int>((u - span.begin) / columnMinutes);
}

int ColumnMinutes(std::span<const PlannerCity> cities) {
  for (const PlannerCity& c : cities) {
    if (c.standardOffset() % 60 != 0) return 30;
  }
  return 60;
}

UtcMinute LocalDayStart(const PlannerCity& city, std::chrono::sys_days date) {
  const std::int64_t day = (date - kTDateTimeEpoch).count();
  const UtcMinute standardMidnight = day * 1440 - city.standardOffset();
  // Still on daylight saving from the day before: the local midnight came an
  // hour earlier, at 23:00 standard time. Otherwise it is standard midnight,
  // shown as 01:00 when the day begins daylight saving.
  return city.daylightSavingOn(day - 1) ? standardMidnight - 60 : standardMidnight;
}

PlannerDay BuildPlannerDay(std::span<const PlannerCity> cities, std::chrono::sys_days date) {
  PlannerDay day;
  day.date = date;
  if (cities.empty()) return day;
  day.columnMinutes = ColumnMinutes(cities);
  day.span = {LocalDayStart(cities.front(), date),
              LocalDayStart(cities.front(), date + std::chrono::days{1})};
  const int columns = day.columns();
  const std::int64_t shownDay = (date - kTDateTimeEpoch).count();
  day.allWorking.assign(static_cast<std::size_t>(columns), true);
  day.rows.reserve(cities.size());
  for (const PlannerCity& city : cities) {
    const std::vector<HourSegment> segments = city.segments(day.span.begin, day.span.end);
    std::vector<PlannerCell>& row = day.rows.emplace_back(static_cast<std::size_t>(columns));
    std::size_t s = 0;
    for (int c = 0; c < columns; ++c) {
      const UtcMinute begin = day.columnStart(c);
      const UtcMinute end = begin + day.columnMinutes;
      PlannerCell& cell = row[static_cast<std::size_t>(c)];
      const int offset = city.offsetAt(begin);
      cell.local = begin + offset;
      cell.dayOffset = static_cast<int>(FloorDiv(cell.local, 1440) - shownDay);
      cell.daylightSaving = offset != city.standardOffset();
      while (segments[s].span.end <= begin) ++s;
      cell.cls = HourClass::Working;
      for (std::size_t k = s; k < segments.size() && segments[k].span.begin < end; ++k)
        cell.cls = std::min(cell.cls, segments[k].cls);
      if (cell.cls != HourClass::Working) day.allWorking[static_cast<std::size_t>(c)] = false;
    }
  }
  return day;
}

}  // namespace wc
