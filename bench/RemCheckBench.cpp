// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The ten-second reminder pass against a large city table: the pass runs
// whether or not anything fires, so its cost is paid all day long.

#include <benchmark/benchmark.h>

#include <string>

#include "reminders/RemCheck.h"

namespace {

using namespace wc;

std::vector<CityEntry> Cities(int n) {
  std::vector<CityEntry> cities(n);
  for (int i = 0; i < n; ++i) {
    cities[i].setName("City " + std::to_string(i) + ", Country of Somewhere");
    cities[i].tzd = (i % 27 - 12) / 24.0;
    cities[i].rule.dst = i % 3 == 0;
    cities[i].rule.weekno = 5, cities[i].rule.dayofweek = 7, cities[i].rule.month = 3;
    cities[i].rule.weekno1 = 5, cities[i].rule.dayofweek1 = 7, cities[i].rule.month1 = 10;
  }
  return cities;
}

// Pending reminders for cities near the end of the table (the longest scan),
// none of them due.
RemList Reminders(int n, int cities) {
  RemList list;
  for (int i = 0; i < n; ++i) {
    auto r = std::make_unique<RemInfo>();
    r->RemCity = "city " + std::to_string(cities - 1 - i) + ", country of somewhere";
    r->RemDate = EncodeDate(2027, 1, 1);
    r->RemTime = "09:00 AM";
    list.push_back(std::move(r));
  }
  return list;
}

void BM_CheckRem(benchmark::State& state) {
  const int nCities = static_cast<int>(state.range(0));
  const std::vector<CityEntry> cities = Cities(nCities);
  const CityNameIndex index(cities);  // made once per table, as the program does
  const RemList list = Reminders(static_cast<int>(state.range(1)), nCities);
  const DateTime now = EncodeDate(2026, 12, 9) + 0.5;
  for (auto _ : state) {
    benchmark::DoNotOptimize(CheckRem(list, index, now, DefaultFormatSettings()));
  }
}
// The shipped table (4 640 cities), and the hostile one: 10 000 reminders
// against 100 000 cities.
BENCHMARK(BM_CheckRem)
    ->Args({5000, 1})
    ->Args({5000, 50})
    ->Args({673, 20})
    ->Args({4640, 50})
    ->Args({100000, 10000})
    ->Unit(benchmark::kMicrosecond);

// Making the index, once per loaded table.
void BM_IndexCities(benchmark::State& state) {
  const std::vector<CityEntry> cities = Cities(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(CityNameIndex(cities));
}
BENCHMARK(BM_IndexCities)->Arg(4640)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
