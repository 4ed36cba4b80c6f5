// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One day of the meeting planner: columns of one UTC instant each across all
// rows, the day being the first row's local calendar day.

#include <chrono>
#include <cstdint>
#include <span>
#include <vector>

#include "PlannerCity.h"

namespace wc {

struct PlannerCell {
  std::int64_t local = 0;  // the city's local minute at the column's start
  int dayOffset = 0;       // its local date against the day shown: -1, 0, +1
  bool daylightSaving = false;
  HourClass cls = HourClass::Night;  // the worst minute of the column
};

struct PlannerDay {
  std::chrono::sys_days date;
  // The first row's local day: 24 hours, 23 on the day its clock jumps
  // forward, 25 on the day it repeats an hour.
  MinuteSpan span;
  int columnMinutes = 60;
  std::vector<std::vector<PlannerCell>> rows;  // rows[row][column]
  // Every row within working hours for the whole column.
  std::vector<bool> allWorking;

  int columns() const { return static_cast<int>((span.end - span.begin) / columnMinutes); }
  UtcMinute columnStart(int column) const {
    return span.begin + static_cast<UtcMinute>(column) * columnMinutes;
  }
  // The column holding u, or -1 outside the day.
  int columnAt(UtcMinute u) const;
};

// Half-hour columns when any city's standard offset is not whole hours.
int ColumnMinutes(std::span<const PlannerCity> cities);

// The UTC minute the first city's local day `date` begins: its local
// midnight, or 01:00 on a day that starts with the jump forward.
UtcMinute LocalDayStart(const PlannerCity& city, std::chrono::sys_days date);

// An empty day (no rows, no columns) when there is no city.
PlannerDay BuildPlannerDay(std::span<const PlannerCity> cities, std::chrono::sys_days date);

}  // namespace wc
