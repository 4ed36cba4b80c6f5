// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One row of the meeting planner: a city of the loaded table with its working
// hours, and its local time at any UTC minute. Daylight saving is decided by
// CityTime, the computation the map, the clocks and the reminders use, so the
// planner agrees with them to the minute.

#include <cstdint>
#include <string>
#include <vector>

#include "City.h"
#include "DateTime.h"
#include "WorkingHours.h"

namespace wc {

// Whole minutes since the DateTime epoch: UTC (UtcMinute) or a city's wall
// clock (a local minute). Integers keep a 60-day search exact.
using UtcMinute = std::int64_t;

// The UTC minute an instant falls in (milliseconds rounded first, as
// decoding does, so an exact minute never slips to the one before).
UtcMinute ToUtcMinute(DateTime utc);
// A minute (UTC or local) as a date-time value.
inline DateTime FromMinute(std::int64_t m) { return static_cast<double>(m) / 1440.0; }

// Division that rounds towards minus infinity: minutes before the epoch
// still belong to the day they are in.
inline std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// A stretch of UTC minutes [begin, end).
struct MinuteSpan {
  UtcMinute begin = 0;
  UtcMinute end = 0;
  friend bool operator==(const MinuteSpan&, const MinuteSpan&) = default;
};

struct HourSegment {
  MinuteSpan span;
  HourClass cls = HourClass::Night;
};

class PlannerCity {
 public:
  explicit PlannerCity(const CityEntry& city, WorkingHours hours = {});

  std::string name() const { return city_.name(); }
  const CityEntry& city() const { return city_; }
  const WorkingHours& hours() const { return hours_; }
  void setHours(const WorkingHours& hours) { hours_ = hours; }

  // The standard offset in whole minutes (the city record's tzd, rounded).
  int standardOffset() const { return standard_; }
  // Minutes to add to UTC at u: the standard offset, plus an hour while
  // daylight saving is in force.
  int offsetAt(UtcMinute u) const;
  bool daylightSavingAt(UtcMinute u) const { return offsetAt(u) != standard_; }
  std::int64_t localAt(UtcMinute u) const { return u + offsetAt(u); }

  // Daylight saving is decided per day of standard time (both rule dates
  // included), so the clock jumps at standard midnight.
  bool daylightSavingOn(std::int64_t standardDay) const;

  // The classes of [from, to) in order, adjacent ones of one class merged.
  std::vector<HourSegment> segments(UtcMinute from, UtcMinute to) const;
  // The stretches of [from, to) within working hours.
  std::vector<MinuteSpan> workingSpans(UtcMinute from, UtcMinute to) const;

 private:
  CityEntry city_;
  WorkingHours hours_;
  int standard_ = 0;
};

}  // namespace wc
