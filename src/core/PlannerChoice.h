// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The cities the meeting planner shows, as the user chose them, and how the
// choice is stored: one text per city in the "Planner Cities" string list,
// the name, a tab, then the working hours ("Tokyo, Japan\t09:00-17:00 12345").

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "City.h"
#include "PlannerCity.h"
#include "WorkingHours.h"

namespace wc {

inline constexpr std::size_t kMaxPlannerCities = 10;

struct PlannerChoice {
  std::string name;
  WorkingHours hours;
  friend bool operator==(const PlannerChoice&, const PlannerChoice&) = default;
};

// Empty entries and repeated names are skipped, entries beyond the tenth
// dropped; hours that cannot be read are the default ones, so a damaged
// entry still keeps its city.
std::vector<PlannerChoice> ParsePlannerChoices(const std::vector<std::string>& stored);
std::vector<std::string> FormatPlannerChoices(std::span<const PlannerChoice> choices);

// With nothing chosen yet: the user's own city, then the map's Display
// Cities (each taken as the map takes it, the first city whose name begins
// with it), only cities the table holds, each once, at most ten.
std::vector<PlannerChoice> DefaultPlannerChoices(std::string_view ownCity,
                                                 const std::vector<std::string>& displayCities,
                                                 std::span<const CityEntry> table);

// The rows for the choices whose city the table holds (by exact name); the
// others are left out.
std::vector<PlannerCity> ResolvePlannerCities(std::span<const PlannerChoice> choices,
                                              std::span<const CityEntry> table);

}  // namespace wc
