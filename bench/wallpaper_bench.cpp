// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// One wallpaper refresh as the tick runs it at second 2: the overlay of 64
// cities at 1920 x 960 from the composed base map, the 24-bit bitmap and its
// atomic write, with the desktop's own call left out (a desktop that only
// records) and, where DISPLAY names an X server, with the root window's.
// Also the page faults of a refresh in steady state, which should be none.
//
// The bitmap goes to XDG_RUNTIME_DIR as in a desktop session (a memory
// file system there); run with XDG_RUNTIME_DIR pointing at /dev/shm or a
// disk folder to compare.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QFont>
#include <QGuiApplication>
#include <cstdlib>
#include <string>

#include "SampleCities.h"
#include "app/Wallpaper.h"
#include "core/AtomicFile.h"
#include "core/DateTime.h"
#include "core/Paths.h"
#include "map/Bmp.h"
#include "map/WorldMap.h"

namespace {

const wc::DateTime kMarchNoon = wc::EncodeDate(2026, 3, 20) + 0.5;
const QRect kScreen(0, 0, 1920, 1080);

class Silent final : public wc::WallpaperBackend {
 public:
  const char* name() const override { return "silent"; }
  bool showsOwnPicture() override { return true; }
  wc::DesktopPicture current() override { return {}; }
  bool show(const std::string&, const QImage&, const QRect&) override { return true; }
  bool restore(const wc::DesktopPicture&) override { return true; }
  bool needsNewFileName() const override { return false; }
};

wc::WorldMap& Map() {
  static wc::WorldMap map = [] {
    wc::WorldMap m(WC_PROGRAM_DIR);
    m.setUtcOffsetSource([] { return 0.0; });
    m.overlaySettings().showDateLine = true;
    m.overlaySettings().workAreaWidth = 1920;
    m.wallpaperDateFont().font = QFont("Liberation Sans", 14, QFont::Bold);
    QFont city("Liberation Sans");
    city.setPixelSize(12);
    m.wallpaperCityFont() = {city, Qt::yellow};
    wc::bench::ShowAll(m.displayCities(), wc::bench::SampleEntries(wc::kDisplayCitySlots));
    bool ready = false;
    m.ComposeBaseMap(ready, kMarchNoon);
    return m;
  }();
  return map;
}

long MinorFaults() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_minflt;
}

void Refreshes(benchmark::State& state, std::unique_ptr<wc::WallpaperBackend> backend) {
  wc::Wallpaper wallpaper(std::move(backend));
  wallpaper.Refresh(Map(), true, false, kScreen, kMarchNoon);  // the buffers' first use
  long faults = 0;
  double t = kMarchNoon;
  for (auto _ : state) {
    t += 1.0 / 1440;
    const long before = MinorFaults();
    wallpaper.Refresh(Map(), true, false, kScreen, t);
    faults += MinorFaults() - before;
  }
  state.counters["faults/refresh"] =
      benchmark::Counter(static_cast<double>(faults) / static_cast<double>(state.iterations()));
}

void BM_WallpaperRefresh(benchmark::State& state) { Refreshes(state, std::make_unique<Silent>()); }
BENCHMARK(BM_WallpaperRefresh)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

// The part of a refresh after the overlay: the bitmap and its atomic write.
void BM_WallpaperBitmapWrite(benchmark::State& state) {
  wc::Wallpaper wallpaper(std::make_unique<Silent>());
  wallpaper.Refresh(Map(), true, false, kScreen, kMarchNoon);
  std::string bmp;
  wc::EncodeBmp24Into(wallpaper.picture(), bmp);  // the buffer's first use
  const std::string path = wc::WallpaperImagePath();
  long faults = 0;
  for (auto _ : state) {
    const long before = MinorFaults();
    wc::EncodeBmp24Into(wallpaper.picture(), bmp);
    if (!wc::WriteFileAtomically(path, bmp)) state.SkipWithError("cannot write the bitmap");
    faults += MinorFaults() - before;
  }
  state.counters["faults/refresh"] =
      benchmark::Counter(static_cast<double>(faults) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_WallpaperBitmapWrite)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_WallpaperRefreshRootWindow(benchmark::State& state) {
  auto root = std::getenv("DISPLAY") ? wc::MakeRootWindowWallpaper() : nullptr;
  if (!root) {
    state.SkipWithError("no X server in DISPLAY");
    return;
  }
  Refreshes(state, std::move(root));
}
BENCHMARK(BM_WallpaperRefreshRootWindow)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
