// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// render-map: composes the base map for a UTC instant and view, optionally
// draws the overlay at a given width with a list of cities, and writes the
// picture as BMP or PNG (by the output's extension).
//
//   render-map [--utc "YYYY-MM-DD HH:MM"] [--view 0|1|2] [--no-shading]
//              [--width W [--cities N | --city "Name:lat:lonEast:hours" ...]
//               [--no-times] [--show-date] [--date-line] [--position 0|1|2]]
//              [--data FOLDER] [--timings] -o FILE
//
// Without --width the 2048 x 1024 base map itself is written. The overlay
// shows UTC (the tool treats the instant as local time with no offset).
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "SampleCities.h"
#include "core/DateTime.h"
#include "map/Bmp.h"
#include "map/WorldMap.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

[[noreturn]] void Usage(const char* msg) {
  std::fprintf(stderr,
               "render-map: %s\n"
               "usage: render-map [--utc \"YYYY-MM-DD HH:MM\"] [--view 0|1|2] [--no-shading]\n"
               "                  [--width W [--cities N | --city \"Name:lat:lonEast:hours\" ...]\n"
               "                   [--no-times] [--show-date] [--date-line] [--position 0|1|2]]\n"
               "                  [--data FOLDER] [--timings] -o FILE.bmp|FILE.png\n",
               msg);
  std::exit(2);
}

int ToInt(const std::string& s, const char* what) {
  char* end = nullptr;
  const long v = std::strtol(s.c_str(), &end, 10);
  if (end == s.c_str() || *end != '\0') Usage((std::string("not a number for ") + what + ": " + s).c_str());
  return static_cast<int>(v);
}

wc::CityEntry ParseCity(const std::string& spec) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= spec.size(); ++i) {
    if (i == spec.size() || spec[i] == ':') {
      parts.push_back(spec.substr(start, i - start));
      start = i + 1;
    }
  }
  if (parts.size() != 4) Usage(("bad --city: " + spec).c_str());
  wc::CityEntry e;
  e.setName(parts[0]);
  e.lat = ToInt(parts[1], "latitude");
  e.lon = wc::ToWest({ToInt(parts[2], "longitude")});
  e.tzd = std::atof(parts[3].c_str()) / 24;
  return e;
}

}  // namespace

int main(int argc, char** argv) {
  std::string utcText = "2026-03-20 12:00", output, folder = WC_PROGRAM_DIR;
  int view = 0, width = 0, position = 0, sampleCount = -1;
  bool shading = true, showTimes = true, showDate = false, dateLine = false, timings = false;
  std::vector<wc::CityEntry> cities;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto next = [&]() -> std::string {
      if (i + 1 >= argc) Usage(("missing value after " + a).c_str());
      return argv[++i];
    };
    if (a == "--utc")
      utcText = next();
    else if (a == "--view")
      view = ToInt(next(), "--view");
    else if (a == "--no-shading")
      shading = false;
    else if (a == "--width")
      width = ToInt(next(), "--width");
    else if (a == "--cities")
      sampleCount = ToInt(next(), "--cities");
    else if (a == "--city")
      cities.push_back(ParseCity(next()));
    else if (a == "--no-times")
      showTimes = false;
    else if (a == "--show-date")
      showDate = true;
    else if (a == "--date-line")
      dateLine = true;
    else if (a == "--position")
      position = ToInt(next(), "--position");
    else if (a == "--data")
      folder = next();
    else if (a == "--timings")
      timings = true;
    else if (a == "-o" || a == "--output")
      output = next();
    else
      Usage(("unknown argument " + a).c_str());
  }
  if (output.empty()) Usage("no output file");
  if (!folder.empty() && folder.back() != '/') folder += '/';
  int y = 0, mo = 0, d = 0, h = 0, mi = 0;
  if (std::sscanf(utcText.c_str(), "%d-%d-%d %d:%d", &y, &mo, &d, &h, &mi) != 5 || mo < 1 || mo > 12 ||
      d < 1 || d > wc::DaysInMonth(y, mo) || h < 0 || h > 23 || mi < 0 || mi > 59) {
    Usage(("bad --utc: " + utcText).c_str());
  }
  const wc::DateTime utc = wc::EncodeDate(y, mo, d) + wc::EncodeTime(h, mi, 0, 0);
  if (sampleCount >= 0) {
    const auto samples = wc::bench::SampleEntries(sampleCount);
    cities.insert(cities.begin(), samples.begin(), samples.end());
  }

  const auto t0 = Clock::now();
  // Fonts need the application object; the bare base map does not.
  std::unique_ptr<QGuiApplication> app;
  if (width > 0) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app = std::make_unique<QGuiApplication>(argc, argv);
  }
  const auto t1 = Clock::now();

  wc::WorldMap map(folder);
  map.setMapView(view);
  map.setNightShading(shading);
  map.setUtcOffsetSource([] { return 0.0; });
  map.setKeepLayers(false);  // one picture, then the process ends
  bool ready = false;
  try {
    map.ComposeBaseMap(ready, utc);  // no UTC offset: local time is UTC here
  } catch (const wc::MapFatalError& e) {
    std::fprintf(stderr, "render-map%s: %s\n", wc::kFatalErrorTitleSuffix, e.what());
    return 1;
  }
  const auto t2 = Clock::now();

  QImage picture = map.baseMap();
  if (width > 0) {
    wc::bench::ShowAll(map.displayCities(), cities);
    auto& s = map.overlaySettings();
    s.showDate = showDate;
    s.showDateLine = dateLine;
    s.datePosition = position;
    s.workAreaWidth = width;
    QFont cityFont("Liberation Sans");
    cityFont.setPixelSize(std::clamp(width / 110, 10, 16));
    cityFont.setBold(true);
    QFont dateFont("Liberation Sans");
    dateFont.setPixelSize(std::clamp(width / 70, 12, 24));
    dateFont.setBold(true);
    map.windowDateFont() = {dateFont, Qt::white};
    picture = QImage(width, width / 2, QImage::Format_RGB32);
    try {
      map.DrawMapOverlay(picture, map.baseMap(), showTimes, {cityFont, QColor(255, 230, 90)}, false, utc);
    } catch (const wc::MapError& e) {
      std::fprintf(stderr, "render-map: %s\n", e.what());
      return 1;
    }
  }
  const auto t3 = Clock::now();
  bool written = false;
  if (output.size() > 4 && output.compare(output.size() - 4, 4, ".bmp") == 0) {
    if (FILE* f = std::fopen(output.c_str(), "wb")) {
      written = true;
      wc::EncodeBmp24(picture, [&](const char* bytes, std::size_t n) {
        written = written && std::fwrite(bytes, 1, n, f) == n;
      });
      written = std::fclose(f) == 0 && written;
    }
  } else {
    written = picture.save(QString::fromStdString(output));
  }
  if (!written) {
    std::fprintf(stderr, "render-map: cannot write %s\n", output.c_str());
    return 1;
  }
  const auto t4 = Clock::now();
  if (timings) {
    std::fprintf(stderr,
                 "app %.1f ms, compose %.1f ms (sun at %.2f W, %.2f N), overlay %.1f ms, write %.1f ms\n",
                 Ms(t0, t1), Ms(t1, t2), wc::RadToDeg(map.sun().longitude),
                 wc::RadToDeg(map.sun().declination), Ms(t2, t3), Ms(t3, t4));
  }
  // Everything is written: leave without tearing the pictures down one by one.
  std::fflush(stderr);
  std::_Exit(0);
}
