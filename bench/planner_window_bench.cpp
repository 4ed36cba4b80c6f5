// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Drawing the meeting planner's grid with ten rows, at 1x and 2x, the way a
// repaint draws it (QWidget::render runs its paintEvent).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <vector>

#include "PlannerSampleCities.h"
#include "core/PlannerDay.h"
#include "planner/PlannerGrid.h"

namespace {

using namespace std::chrono;

void BM_DrawTenRows(benchmark::State& state) {
  const qreal ratio = static_cast<qreal>(state.range(0));
  const std::vector<wc::PlannerCity> cities = wc::bench::TenPlannerCities();
  const sys_days date{year{2027} / 3 / 14};
  wc::PlannerGrid grid;
  grid.setDay(cities, wc::BuildPlannerDay(cities, date), "hh:mm AM/PM", wc::DefaultFormatSettings());
  const wc::UtcMinute noon = (date - wc::kTDateTimeEpoch).count() * 1440 + 12 * 60;
  grid.setNow(noon);
  grid.setSelection(wc::MinuteSpan{noon + 60, noon + 120});
  grid.resize(1160, grid.minimumSizeHint().height());
  QImage image(grid.size() * ratio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  for (auto _ : state) {
    QPainter painter(&image);
    grid.render(&painter);
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["columns"] = grid.day().columns();
}
BENCHMARK(BM_DrawTenRows)->Arg(1)->Arg(2)->ArgName("ratio")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
