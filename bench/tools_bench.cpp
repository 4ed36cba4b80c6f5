// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The time tools on a city table of 5 000 cities (the shipped ones, each
// repeated under new city names in its country): filling the finder's list,
// a keystroke's look-up, the dial-code sorts, and the finder window's own
// list filling and keystrokes with the toolkit's list and suggestions.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/AtomicFile.h"
#include "core/CityTable.h"
#include "core/FormatDateTime.h"
#include "core/Paths.h"
#include "core/Text.h"
#include "tools/DialCodeFile.h"
#include "tools/TimeFinderModel.h"
#include "tools/TimeFinderWindow.h"

namespace {

namespace fs = std::filesystem;
constexpr int kCities = 5000;

std::string XmlText(std::string s) {
  std::string out;
  for (char c : s)
    out += c == '&' ? std::string("&amp;") : c == '<' ? std::string("&lt;") : std::string(1, c);
  return out;
}

// The shipped cities, repeated as "City 2, Country", "City 3, Country", ...
const wc::CityTable& CityTableSample() {
  static wc::CityTable table = [] {
    wc::CityTable shipped;
    shipped.load(std::string(WC_PROGRAM_DIR) + "citydata.dat");
    std::string xml = "<cities>";
    for (int i = 0; i < kCities; ++i) {
      const wc::CityEntry& e = shipped.entries()[static_cast<std::size_t>(i) % shipped.size()];
      std::string name = e.name();
      const int round = i / static_cast<int>(shipped.size());
      if (round > 0) {
        const std::size_t comma = name.find(',');
        name.insert(comma == std::string::npos ? name.size() : comma, " " + std::to_string(round + 1));
      }
      xml += "<city><name>" + XmlText(name) + "</name><offset>" + std::to_string(e.tzd * 24) +
             "</offset><dst>" + std::to_string(e.rule.dst) + "</dst><weekno>" +
             std::to_string(e.rule.weekno) + "</weekno><dow>" + std::to_string(e.rule.dayofweek) +
             "</dow><month>" + std::to_string(e.rule.month) + "</month><weekno1>" +
             std::to_string(e.rule.weekno1) + "</weekno1><dow1>" + std::to_string(e.rule.dayofweek1) +
             "</dow1><month1>" + std::to_string(e.rule.month1) + "</month1></city>";
    }
    xml += "</cities>";
    const std::string path = (fs::temp_directory_path() / "wc-tools-bench-cities.xml").string();
    wc::WriteFileAtomically(path, xml);
    wc::CityTable t;
    t.load(path);
    fs::remove(path);
    return t;
  }();
  return table;
}

const std::vector<std::string>& DialLines() {
  static const std::vector<std::string> lines =
      wc::ReadDialCodeLines(std::string(WC_PROGRAM_DIR) + "dialcodes.dat").lines;
  return lines;
}

void BM_FinderList(benchmark::State& state) {
  wc::TimeFinderModel m(CityTableSample(), DialLines());
  const auto type = static_cast<wc::SearchType>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(m.setSearchType(type).data());
  state.counters["cities"] = static_cast<double>(CityTableSample().size());
}
BENCHMARK(BM_FinderList)->Arg(0)->Arg(1)->ArgName("byCountry")->Unit(benchmark::kMillisecond);

// A keystroke's look-up: a half-typed name (nothing found, the whole table
// searched) and a whole one (found, with its dial code).
void BM_FinderLookup(benchmark::State& state) {
  wc::TimeFinderModel m(CityTableSample(), DialLines());
  const auto type = static_cast<wc::SearchType>(state.range(0));
  m.setSearchType(type);
  const std::string whole = type == wc::SearchType::City ? "Zurich 7, Switzerland" : "Switzerland, Zurich 7";
  const std::string half = whole.substr(0, whole.size() - 3);
  const wc::DateTime now = wc::LocalNow();
  for (auto _ : state) {
    benchmark::DoNotOptimize(m.lookup(half, now, 0));
    benchmark::DoNotOptimize(m.lookup(whole, now, 0));
  }
}
BENCHMARK(BM_FinderLookup)->Arg(0)->Arg(1)->ArgName("byCountry")->Unit(benchmark::kMicrosecond);

void BM_DialCodeSort(benchmark::State& state) {
  std::vector<wc::DialCodeRow> rows;
  while (rows.size() < 2000)
    for (const wc::DialCodeRow& r : wc::DialCodeRows(DialLines())) rows.push_back(r);
  wc::DialCodeSort sort;
  const auto column = static_cast<wc::DialCodeColumn>(state.range(0));
  for (auto _ : state) sort.columnClick(rows, column);
  state.counters["rows"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_DialCodeSort)->Arg(0)->Arg(1)->ArgName("code")->Unit(benchmark::kMicrosecond);

// The finder window: switching the search mode refills the list of 5 000
// entries; a keystroke looks up and filters the suggestions.
struct Finder {
  Finder() : window(nullptr, CityTableSample(), wc::DefaultFormatSettings()) {
    for (QRadioButton* b : window.findChildren<QRadioButton*>()) (b->text() == "City" ? city : country) = b;
    window.show();
    city->click();
    QApplication::processEvents();
  }
  wc::TimeFinderWindow window;
  QRadioButton* city = nullptr;
  QRadioButton* country = nullptr;
};

void BM_FinderWindowSwitchMode(benchmark::State& state) {
  Finder f;
  bool byCountry = false;
  for (auto _ : state) {
    byCountry = !byCountry;
    (byCountry ? f.country : f.city)->click();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_FinderWindowSwitchMode)->Unit(benchmark::kMillisecond);

void BM_FinderWindowKeystroke(benchmark::State& state) {
  Finder f;
  QLineEdit* edit = f.window.searchBox()->lineEdit();
  edit->setFocus();
  for (const QChar c : QStringLiteral("zuri")) {
    QKeyEvent k(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString(c));
    QApplication::sendEvent(edit, &k);
  }
  QApplication::processEvents();
  bool typed = false;
  for (auto _ : state) {
    typed = !typed;
    QKeyEvent k(QEvent::KeyPress, typed ? Qt::Key_C : Qt::Key_Backspace, Qt::NoModifier,
                typed ? QStringLiteral("c") : QString());
    QApplication::sendEvent(edit, &k);
    QApplication::processEvents();
  }
}
BENCHMARK(BM_FinderWindowKeystroke)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const std::string home = (fs::temp_directory_path() / "wc-tools-bench").string();
  setenv("XDG_CONFIG_HOME", home.c_str(), 1);
  wc::SetProgramFolder(WC_PROGRAM_DIR);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fs::remove_all(home);
  return 0;
}
