// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The meeting planner's model: the next good slot for ten cities over the
// 60 days it searches, and one day's grid of ten rows.

#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

#include "PlannerSampleCities.h"
#include "core/PlannerCity.h"
#include "core/PlannerDay.h"
#include "core/SlotSearch.h"

namespace {

using namespace std::chrono;

// Three cities that share an hour: the search ends at the first common span.
std::vector<wc::PlannerCity> ThreeNeighbours() {
  std::vector<wc::PlannerCity> out;
  for (const wc::bench::SampleCity& s : wc::bench::SampleCities()) {
    const std::string_view n = s.name;
    if (n.starts_with("London") || n.starts_with("Paris") || n.starts_with("Cairo"))
      out.emplace_back(wc::bench::ToEntry(s));
  }
  return out;
}

// A Thursday in March, so the 60 days cross the changes of both hemispheres.
const wc::UtcMinute kNow = (sys_days{year{2027} / 3 / 4} - wc::kTDateTimeEpoch).count() * 1440 + 13 * 60 + 7;

// No hour suits all ten: the search weighs every start of the 60 days, its
// slowest path.
void BM_NextSlotTenCities(benchmark::State& state) {
  const std::vector<wc::PlannerCity> cities = wc::bench::TenPlannerCities();
  for (auto _ : state) {
    auto slot = wc::FindNextSlot(cities, kNow, static_cast<int>(state.range(0)));
    benchmark::DoNotOptimize(slot);
  }
  state.counters["cities"] = static_cast<double>(cities.size());
}
BENCHMARK(BM_NextSlotTenCities)
    ->Arg(30)
    ->Arg(60)
    ->Arg(120)
    ->ArgName("minutes")
    ->Unit(benchmark::kMillisecond);

void BM_NextSlotShared(benchmark::State& state) {
  const std::vector<wc::PlannerCity> cities = ThreeNeighbours();
  for (auto _ : state) {
    auto slot = wc::FindNextSlot(cities, kNow, 60);
    benchmark::DoNotOptimize(slot);
  }
}
BENCHMARK(BM_NextSlotShared)->Unit(benchmark::kMicrosecond);

void BM_PlannerDayTenRows(benchmark::State& state) {
  const std::vector<wc::PlannerCity> cities = wc::bench::TenPlannerCities();
  const sys_days date{year{2027} / 3 / 14};
  for (auto _ : state) {
    auto day = wc::BuildPlannerDay(cities, date);
    benchmark::DoNotOptimize(day);
  }
}
BENCHMARK(BM_PlannerDayTenRows)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
