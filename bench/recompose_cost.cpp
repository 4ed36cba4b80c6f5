// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// recompose-cost-run: what the running program does every five minutes, for
// counting instructions under callgrind: the base map recomposed, then the
// window map (800 x 400) and the wallpaper (1920 x 960, 64 cities) drawn
// from it. The first round builds the layers and scales whole pictures;
// bench/recompose-cost takes the difference of a run of 1 round and a run
// of N + 1 rounds, so only the steady rounds count.
//
//   recompose-cost-run ROUNDS [MINUTES_BETWEEN_ROUNDS]
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>

#include "SampleCities.h"
#include "core/DateTime.h"
#include "map/LargeBuffer.h"
#include "map/WorldMap.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: recompose-cost-run ROUNDS [MINUTES_BETWEEN_ROUNDS]\n");
    return 2;
  }
  const int rounds = std::atoi(argv[1]);
  const double step = (argc > 2 ? std::atof(argv[2]) : 5.0) / 1440;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  wc::WorldMap map(WC_PROGRAM_DIR);
  map.setUtcOffsetSource([] { return 0.0; });
  map.overlaySettings().showDateLine = true;
  map.overlaySettings().workAreaWidth = 1920;
  wc::MapFont wallFont{QFont("Liberation Sans"), Qt::yellow};
  wallFont.font.setPixelSize(12);
  wallFont.font.setBold(true);
  map.wallpaperDateFont().font = QFont("Liberation Sans", 14, QFont::Bold);
  const wc::MapFont windowFont{QFont("Liberation Sans", 8), Qt::white};
  wc::bench::ShowAll(map.displayCities(), wc::bench::SampleEntries(wc::kDisplayCitySlots));

  QImage window = wc::NewLargeImage(800, 400), wall = wc::NewLargeImage(1920, 960);
  bool ready = false;
  double t = wc::EncodeDate(2026, 2, 20) + 9.0 / 24;
  for (int i = 0; i < rounds; ++i, t += step) {
    map.ComposeBaseMap(ready, t);
    map.DrawMapOverlay(window, map.baseMap(), true, windowFont, false, t);
    map.DrawMapOverlay(wall, map.baseMap(), true, wallFont, true, t);
  }
  std::printf("%08x %08x\n",
              static_cast<unsigned>(qHash(QByteArrayView(window.constBits(), window.sizeInBytes()))),
              static_cast<unsigned>(qHash(QByteArrayView(wall.constBits(), wall.sizeInBytes()))));
  std::fflush(stdout);
  std::_Exit(0);
}
