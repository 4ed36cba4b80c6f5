// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Local time of a city: UTC + standard offset + an nth-weekday daylight-saving rule.

#include <optional>

#include "City.h"
#include "DateTime.h"
#include "DstRule.h"

namespace wc {

// The date of the weekno-th dayofweek (1 = Monday ... 7 = Sunday) of month in
// year. A month with fewer such weekdays than weekno yields its last one (as
// the operating systems' own zone rules read occurrence 5). No date for a
// weekno below 1, a dayofweek outside 1..7 or a month outside 1..12.
std::optional<DateTime> DstRuleDate(int weekno, int dayofweek, int month, int year);

// t is the city's standard local time; the result is one hour later while
// the rule's daylight saving is in force (whole days of standard time, both
// rule dates included).
DateTime CityTime(const DstRule& rule, DateTime t);

// Offset of UTC from the computer's local time now, in days (local + offset = UTC).
double UtcOffsetDays();

// The lead the once-a-second displays add to local time (half a second).
inline constexpr double kDisplayLead = 5.8e-6;

// Local time of a city for the given local instant of this computer:
// CityTime(local + UtcOffsetDays + tzd).
template <class City>
DateTime CityLocalTime(const City& c, DateTime localNow, double utcOffsetDays) {
  return CityTime(c.rule, localNow + utcOffsetDays + c.tzd);
}

}  // namespace wc
