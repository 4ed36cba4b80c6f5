// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The three city dialogs on a database of 5,000 cities (the shipped cities,
// then variants of them): opening each to its first paint, one keystroke in
// the manager's search and in the map city filter, and one second of the
// all-cities list, both a second within a minute and the second a minute
// turns (every time on screen changes).
//
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise (under
// Xvfb: QT_QPA_PLATFORM=xcb).

#include <benchmark/benchmark.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "cities/AllCitiesWindow.h"
#include "cities/CityManagerDialog.h"
#include "cities/MapCitiesDialog.h"
#include "core/AtomicFile.h"
#include "core/CityFile.h"
#include "core/DateTime.h"
#include "core/Paths.h"

namespace {

namespace fs = std::filesystem;
constexpr int kCities = 5000;

// The shipped cities, then "City 2, Country" and so on (or "C<n>, Country"
// where that would pass 32 characters) with the same data.
void WriteDatabase() {
  const wc::CityReadResult shipped = wc::ReadCityFile(std::string(WC_PROGRAM_DIR) + "citydata.dat");
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<cities>\n";
  const auto& base = shipped.cities;
  for (int i = 0; i < kCities && !base.empty(); ++i) {
    const wc::CityItem& c = base[static_cast<std::size_t>(i) % base.size()];
    std::string name = c.name;
    if (const int round = i / static_cast<int>(base.size()); round > 0) {
      const auto comma = name.find(',');
      const std::string city = name.substr(0, comma),
                        rest = comma == std::string::npos ? "" : name.substr(comma);
      name = city + " " + std::to_string(round + 1) + rest;
      if (name.size() > 32) name = "C" + std::to_string(i) + rest;
    }
    std::string escaped;
    for (const char ch : name) escaped += ch == '&' ? "&amp;" : std::string(1, ch);
    char offset[16];
    std::snprintf(offset, sizeof offset, "%+g", c.tzd * 24);
    xml += "<city><name>" + escaped + "</name><offset>" + offset + "</offset><lon>" +
           std::to_string(c.lon.degrees) + "</lon><lat>" + std::to_string(c.lat) + "</lat><dst>" +
           std::to_string(c.rule.dst) + "</dst><weekno>" + std::to_string(c.rule.weekno) + "</weekno><dow>" +
           std::to_string(c.rule.dayofweek) + "</dow><month>" + std::to_string(c.rule.month) +
           "</month><weekno1>" + std::to_string(c.rule.weekno1) + "</weekno1><dow1>" +
           std::to_string(c.rule.dayofweek1) + "</dow1><month1>" + std::to_string(c.rule.month1) +
           "</month1></city>\n";
  }
  xml += "</cities>\n";
  fs::create_directories(wc::DataFolder());
  wc::WriteFileAtomically(wc::CityDataPath(), xml);
}

// Processes events until the widget has been painted once; counts paints.
class PaintWatch : public QObject {
 public:
  explicit PaintWatch(QWidget* w) { w->installEventFilter(this); }
  bool painted = false;
  int paints = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) painted = true, ++paints;
    return false;
  }
  void wait() {
    while (!painted) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    // The paint that set the flag finishes within this pass.
    QCoreApplication::processEvents();
  }
};

std::array<wc::Cities, 64> gSlots;

template <class Dialog>
void OpenToFirstPaint(benchmark::State& state, const std::function<Dialog*()>& make, const char* table) {
  for (auto _ : state) {
    Dialog* d = make();
    QWidget* painted = table ? d->template findChild<QWidget*>(QLatin1String(table)) : d;
    PaintWatch watch(painted ? painted : d);
    d->show();
    watch.wait();
    state.PauseTiming();
    d->hide();
    delete d;  // the manager saves here; not part of opening
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
}

void BM_OpenManager(benchmark::State& state) {
  OpenToFirstPaint<wc::CityManagerDialog>(
      state, [] { return new wc::CityManagerDialog(nullptr); }, nullptr);
}
void BM_OpenMapCities(benchmark::State& state) {
  OpenToFirstPaint<wc::MapCitiesDialog>(
      state,
      [] {
        return new wc::MapCitiesDialog(
            gSlots, [] {}, nullptr);
      },
      nullptr);
}
void BM_OpenAllCities(benchmark::State& state) {
  OpenToFirstPaint<wc::AllCitiesWindow>(
      state, [] { return new wc::AllCitiesWindow("hh:mm AM/PM", wc::DefaultFormatSettings(), nullptr); },
      nullptr);
}

// One keystroke: the search grows from "yor" to "york" or shrinks back (or,
// the heaviest, from nothing to "a", which thousands of names hold), and the
// list is repainted.
void Keystrokes(benchmark::State& state, QWidget& dialog, const char* edit, const char* list) {
  const bool first = state.range(0) != 0;
  const QString texts[] = {first ? QString() : QStringLiteral("yor"),
                           first ? QStringLiteral("a") : QStringLiteral("york")};
  auto* field = dialog.findChild<QLineEdit*>(QLatin1String(edit));
  auto* view = dialog.findChild<QAbstractScrollArea*>(QLatin1String(list));
  field->setText(texts[0]);
  dialog.show();
  QCoreApplication::processEvents();
  PaintWatch watch(view->viewport());
  int next = 1;
  for (auto _ : state) {
    field->setText(texts[next]);
    QCoreApplication::processEvents();
    next = 1 - next;
  }
  state.counters["list paints"] = benchmark::Counter(watch.paints, benchmark::Counter::kAvgIterations);
  dialog.hide();
}

void BM_ManagerKeystroke(benchmark::State& state) {
  wc::CityManagerDialog d(nullptr);
  Keystrokes(state, d, "edCountry", "lvCity");
}
void BM_MapCitiesKeystroke(benchmark::State& state) {
  wc::MapCitiesDialog d(
      gSlots, [] {}, nullptr);
  Keystrokes(state, d, "edFilter", "lbAllCities");
}

// One second of the list: its tick and the repaint it causes.
void AllCitiesSeconds(benchmark::State& state, double step) {
  wc::AllCitiesWindow d("hh:mm AM/PM", wc::DefaultFormatSettings(), nullptr);
  d.show();
  QCoreApplication::processEvents();
  PaintWatch watch(d.findChild<QTableView*>(QStringLiteral("lvCity"))->viewport());
  wc::DateTime t = wc::EncodeDate(2027, 1, 15) + wc::EncodeTime(11, 0, 0, 0);
  for (auto _ : state) {
    t += step;
    d.LoadTime(t);
    QCoreApplication::processEvents();
  }
  state.counters["list paints"] = benchmark::Counter(watch.paints, benchmark::Counter::kAvgIterations);
  d.hide();
}
void BM_AllCitiesSecond(benchmark::State& state) { AllCitiesSeconds(state, 1.0 / 86400); }
void BM_AllCitiesMinuteTurns(benchmark::State& state) { AllCitiesSeconds(state, 60.0 / 86400); }

}  // namespace

BENCHMARK(BM_OpenManager)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_OpenMapCities)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_OpenAllCities)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_ManagerKeystroke)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_MapCitiesKeystroke)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_AllCitiesSecond)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();
BENCHMARK(BM_AllCitiesMinuteTurns)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

int main(int argc, char** argv) {
  std::string home = (fs::temp_directory_path() / "wc-city-dialogs-bench-XXXXXX").string();
  if (!mkdtemp(home.data())) return 1;
  setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  WriteDatabase();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fs::remove_all(home);
  return 0;
}
