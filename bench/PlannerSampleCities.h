// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The meeting planner benchmarks' ten cities round the world: daylight
// saving on both sides and a half-hour offset among them, so a day has 48
// columns and no hour suits all ten.

#include <string_view>
#include <vector>

#include "SampleCities.h"
#include "core/PlannerCity.h"

namespace wc::bench {

inline std::vector<PlannerCity> TenPlannerCities() {
  const char* names[] = {"London", "Dubai",    "Mumbai",      "Beijing",  "Tokyo",
                         "Sydney", "Auckland", "Los Angeles", "New York", "Sao Paulo"};
  std::vector<PlannerCity> out;
  for (const char* n : names) {
    for (const SampleCity& s : SampleCities()) {
      if (std::string_view(s.name).starts_with(n)) out.emplace_back(ToEntry(s));
    }
  }
  return out;
}

}  // namespace wc::bench
