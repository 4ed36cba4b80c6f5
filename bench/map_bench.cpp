// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Map engine benchmarks: composition with cached layers, the resampler, the
// overlay at wallpaper size, layer decoding, and the steady state of the
// running program (recomposition, window map and wallpaper) in page faults.
//
// Time is wall time; CPU is the whole process's (both cores where the work
// is split between them).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "SampleCities.h"
#include "core/AtomicFile.h"
#include "core/DateTime.h"
#include "map/Bmp.h"
#include "map/LargeBuffer.h"
#include "map/Resample.h"
#include "map/WorldMap.h"

namespace {

const std::string kFolder = WC_PROGRAM_DIR;
const wc::DateTime kMarchNoon = wc::EncodeDate(2026, 3, 20) + 0.5;

long PageFaults() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_minflt + u.ru_majflt;
}

// The overlay as the wallpaper draws it: 64 cities with times, the date line.
void SetUpOverlay(wc::WorldMap& map, wc::MapFont& cityFont) {
  map.setUtcOffsetSource([] { return 0.0; });
  map.overlaySettings().showDateLine = true;
  map.overlaySettings().workAreaWidth = 1920;
  cityFont.font = QFont("Liberation Sans");
  cityFont.font.setPixelSize(12);
  cityFont.font.setBold(true);
  cityFont.color = Qt::yellow;
  map.wallpaperDateFont().font = QFont("Liberation Sans", 14, QFont::Bold);
  wc::bench::ShowAll(map.displayCities(), wc::bench::SampleEntries(wc::kDisplayCitySlots));
}

void BM_ComposeBaseMap(benchmark::State& state) {
  wc::WorldMap map(kFolder);
  bool ready = false;
  QImage target;
  map.ComposeBaseMapUtc(target, ready, kMarchNoon);  // builds the layers
  double t = kMarchNoon;
  for (auto _ : state) {
    t += 5.0 / 1440;  // the tick's five minutes
    map.ComposeBaseMapUtc(target, ready, t);
    benchmark::DoNotOptimize(target.constBits());
  }
  if (map.layerBuilds() != 1 || !map.nightShading()) state.SkipWithError("layers rebuilt or shading off");
}
BENCHMARK(BM_ComposeBaseMap)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

void BM_ResampleBitmap(benchmark::State& state) {
  wc::WorldMap map(kFolder);
  bool ready = false;
  QImage base;
  map.ComposeBaseMapUtc(base, ready, kMarchNoon);
  const int w = static_cast<int>(state.range(0));
  QImage target(w, w / 2, QImage::Format_RGB32);
  for (auto _ : state) {
    wc::ResampleBitmap(base, target);
    benchmark::DoNotOptimize(target.constBits());
  }
}
BENCHMARK(BM_ResampleBitmap)
    ->Arg(800)
    ->Arg(1920)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

// Arg 0: a minute's redraw over the same base map (what the tick does four
// minutes in five). Arg 1: the first drawing after a recomposition, which
// scales the new base map too.
void BM_DrawMapOverlay(benchmark::State& state) {
  wc::WorldMap map(kFolder);
  wc::MapFont cityFont;
  SetUpOverlay(map, cityFont);
  const bool newBase = state.range(0) == 1;
  bool ready = false;
  QImage base;
  map.ComposeBaseMapUtc(base, ready, kMarchNoon);
  QImage image(1920, 960, QImage::Format_RGB32);
  double t = kMarchNoon;
  map.DrawMapOverlay(image, base, true, cityFont, true, t);
  for (auto _ : state) {
    t += 1.0 / 1440;
    if (newBase) benchmark::DoNotOptimize(base.bits());  // the base map counts as written anew
    map.DrawMapOverlay(image, base, true, cityFont, true, t);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_DrawMapOverlay)
    ->ArgName("newBase")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

// The window's 800 x 400 map right after a recomposition, on a normal and
// on a 2x screen (a 1600 x 800 picture laid out at 800 x 400).
void BM_WindowMapAtScale(benchmark::State& state) {
  wc::WorldMap map(kFolder);
  wc::MapFont cityFont;
  SetUpOverlay(map, cityFont);
  const int scale = static_cast<int>(state.range(0));
  bool ready = false;
  QImage base;
  map.ComposeBaseMapUtc(base, ready, kMarchNoon);
  QImage image(800 * scale, 400 * scale, QImage::Format_RGB32);
  image.setDevicePixelRatio(scale);
  double t = kMarchNoon;
  for (auto _ : state) {
    t += 1.0 / 1440;
    base.setPixel(0, 0, base.pixel(0, 0));  // a new base map: scaled again
    map.DrawMapOverlay(image, base, true, cityFont, false, t);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_WindowMapAtScale)
    ->ArgName("scale")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

void BM_LoadMapImage(benchmark::State& state) {
  QImage layer;
  for (auto _ : state) {
    if (!wc::LoadMapImage(kFolder + "day.jpg", layer, 1)) state.SkipWithError("day.jpg not readable");
    benchmark::DoNotOptimize(layer.constBits());
  }
}
BENCHMARK(BM_LoadMapImage)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

// Ten rounds of what the running program does every five minutes: the base
// map recomposed, the window map (800 x 400) and the wallpaper (1920 x 960,
// 64 cities, written as a BMP file) drawn from it. The first round allocates
// everything; the counter faults_last9 is the page faults of the other nine,
// which should touch no fresh memory at all.
void BM_SteadyState(benchmark::State& state) {
  wc::WorldMap map(kFolder);
  wc::MapFont cityFont;
  SetUpOverlay(map, cityFont);
  wc::MapFont windowFont{QFont("Liberation Sans", 8), Qt::white};
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::string wallpaper =
      (runtime && *runtime ? std::string(runtime) : std::filesystem::temp_directory_path().string()) +
      "/map_bench-wallpaper-" + std::to_string(::getpid()) + ".bmp";
  // The pictures as their owners make them.
  QImage window = wc::NewLargeImage(800, 400), wall = wc::NewLargeImage(1920, 960);
  std::string bmp;
  bool ready = false;
  double t = kMarchNoon;
  int round = 0;
  long faultsAfterFirst = 0;
  for (auto _ : state) {
    t += 5.0 / 1440;
    map.ComposeBaseMap(ready, t);
    map.DrawMapOverlay(window, map.baseMap(), true, windowFont, false, t);
    map.DrawMapOverlay(wall, map.baseMap(), true, cityFont, true, t);
    wc::EncodeBmp24Into(wall, bmp);
    if (!wc::WriteFileAtomically(wallpaper, bmp)) state.SkipWithError("cannot write the wallpaper");
    if (++round == 1) faultsAfterFirst = PageFaults();
  }
  state.counters["faults_last9"] = static_cast<double>(PageFaults() - faultsAfterFirst);
  std::filesystem::remove(wallpaper);
}
BENCHMARK(BM_SteadyState)
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // fonts for the overlay
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
