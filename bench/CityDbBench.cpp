// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Loading the shipped city database: the loaded city table at start-up and
// the manager's document when it opens.

#include <benchmark/benchmark.h>

#include "core/CityDocument.h"
#include "core/CityTable.h"

namespace {

const std::string kShipped = std::string(WC_PROGRAM_DIR) + "citydata.dat";

void BM_LoadCityTable(benchmark::State& state) {
  std::size_t n = 0;
  for (auto _ : state) {
    wc::CityTable table;
    if (!table.load(kShipped).ok()) {
      state.SkipWithError("the shipped citydata.dat did not load");
      break;
    }
    n = table.size();
    benchmark::DoNotOptimize(table.entries().data());
  }
  state.counters["cities"] = static_cast<double>(n);
}
BENCHMARK(BM_LoadCityTable)->Unit(benchmark::kMillisecond);

void BM_LoadCityDocument(benchmark::State& state) {
  for (auto _ : state) {
    wc::CityDocument doc;
    if (!doc.load(kShipped).ok()) {
      state.SkipWithError("the shipped citydata.dat did not load");
      break;
    }
    benchmark::DoNotOptimize(doc.cities());
  }
}
BENCHMARK(BM_LoadCityDocument)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
