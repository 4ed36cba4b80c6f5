// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PlannerChoice.h"

#include <algorithm>

#include "Text.h"

namespace wc {

namespace {

bool Holds(const std::vector<PlannerChoice>& choices, std::string_view name) {
  return std::any_of(choices.begin(), choices.end(),
                     [name](const PlannerChoice& c) { return c.name == name; });
}

const CityEntry* Find(std::span<const CityEntry> table, std::string_view name) {
  for (const CityEntry& e : table) {
    if (e.name() == name) return &e;
  }
  return nullptr;
}

// The map's rule for a Display Cities name: the city's name begins with it.
const CityEntry* FindByBeginning(std::span<const CityEntry> table, std::string_view name) {
  name = TrimView(name);
  if (name.empty()) return nullptr;
  for (const CityEntry& e : table) {
    if (e.name().starts_with(name)) return &e;
  }
  return nullptr;
}

}  // namespace

std::vector<PlannerChoice> ParsePlannerChoices(const std::vector<std::string>& stored) {
  std::vector<PlannerChoice> out;
  for (const std::string& entry : stored) {
    if (out.size() == kMaxPlannerCities) break;
    const std::size_t tab = entry.find('\t');
    PlannerChoice c;
    c.name = entry.substr(0, tab);
    if (c.name.empty() || Holds(out, c.name)) continue;
    if (tab != std::string::npos) {
      if (const auto hours = ParseWorkingHours(std::string_view(entry).substr(tab + 1))) c.hours = *hours;
    }
    out.push_back(std::move(c));
  }
  return out;
}

std::vector<std::string> FormatPlannerChoices(std::span<const PlannerChoice> choices) {
  std::vector<std::string> out;
  for (const PlannerChoice& c : choices) out.push_back(c.name + '\t' + FormatWorkingHours(c.hours));
  return out;
}

std::vector<PlannerChoice> DefaultPlannerChoices(std::string_view ownCity,
                                                 const std::vector<std::string>& displayCities,
                                                 std::span<const CityEntry> table) {
  std::vector<PlannerChoice> out;
  auto add = [&](const CityEntry* e) {
    if (e && out.size() < kMaxPlannerCities && !Holds(out, e->name())) out.push_back({e->name(), {}});
  };
  add(Find(table, ownCity));
  for (const std::string& name : displayCities) add(FindByBeginning(table, name));
  return out;
}

std::vector<PlannerCity> ResolvePlannerCities(std::span<const PlannerChoice> choices,
                                              std::span<const CityEntry> table) {
  std::vector<PlannerCity> out;
  for (const PlannerChoice& c : choices) {
    if (const CityEntry* e = Find(table, c.name)) out.emplace_back(*e, c.hours);
  }
  return out;
}

}  // namespace wc
