// Map engine benchmarks: composition with cached layers, the resampler, the
// overlay at wallpaper size and layer decoding.
#include <benchmark/benchmark.h>

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <string>

#include "SampleCities.h"
#include "core/DateTime.h"
#include "map/Resample.h"
#include "map/WorldMap.h"

namespace {

const std::string kFolder = WC_PROGRAM_DIR;
const wc::TDateTime kMarchNoon = wc::EncodeDate(2026, 3, 20) + 0.5;

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
BENCHMARK(BM_ComposeBaseMap)->Unit(benchmark::kMillisecond);

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
BENCHMARK(BM_ResampleBitmap)->Arg(800)->Arg(1920)->Unit(benchmark::kMillisecond);

void BM_DrawMapOverlay(benchmark::State& state) {
  wc::WorldMap map(kFolder);
  map.setUtcOffsetSource([] { return 0.0; });
  map.overlaySettings().showDateLine = true;
  map.overlaySettings().workAreaWidth = 1920;
  QFont cityFont("Liberation Sans");
  cityFont.setPixelSize(12);
  cityFont.setBold(true);
  map.wallpaperDateFont().font = QFont("Liberation Sans", 14, QFont::Bold);
  const auto cities = wc::bench::SampleEntries(wc::kDisplayCitySlots);
  wc::FillDisplayCities(map.displayCities(), cities);
  bool ready = false;
  QImage base;
  map.ComposeBaseMapUtc(base, ready, kMarchNoon);
  QImage image(1920, 960, QImage::Format_RGB32);
  const wc::MapFont font{cityFont, Qt::yellow};
  for (auto _ : state) {
    map.DrawMapOverlay(image, base, true, font, true, kMarchNoon);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_DrawMapOverlay)->Unit(benchmark::kMillisecond);

void BM_LoadMapImage(benchmark::State& state) {
  QImage layer;
  for (auto _ : state) {
    if (!wc::LoadMapImage(kFolder + "day.jpg", layer, 1)) state.SkipWithError("day.jpg not readable");
    benchmark::DoNotOptimize(layer.constBits());
  }
}
BENCHMARK(BM_LoadMapImage)->Unit(benchmark::kMillisecond);

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
