// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// "Next good slot": the first stretch of a given length, from now, that lies
// within every city's working hours; failing that, the one that keeps the
// most cities within them, the others as near their hours as a day's wait
// per hour allows, with how far each of the others is out.

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "PlannerCity.h"

namespace wc {

inline constexpr int kSlotSearchDays = 60;
// Start times the search offers when it cannot start at a city's own
// beginning of work: quarter hours of UTC, which every offset in use keeps
// on quarter hours of local time.
inline constexpr int kSlotStep = 15;

struct SlotMiss {
  enum class Kind { BeforeHours, AfterHours, DayOff };
  std::size_t row = 0;
  Kind kind = Kind::BeforeHours;
  // How far the slot would have to move (later for BeforeHours, earlier for
  // AfterHours) to lie within this city's working hours.
  int minutes = 0;
};

struct SlotResult {
  MinuteSpan slot;
  std::vector<SlotMiss> misses;  // empty: every city is within its hours
};

// Searches slots starting in [now, now + days). Nothing when there is no
// city or the length is not positive.
std::optional<SlotResult> FindNextSlot(std::span<const PlannerCity> cities, UtcMinute now, int lengthMinutes,
                                       int days = kSlotSearchDays);

}  // namespace wc
