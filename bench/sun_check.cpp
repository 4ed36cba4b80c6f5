// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// sun-check-run: for bench/sun-accuracy. Reads lines of
//   INSTANT DEC LON
// (INSTANT a UTC DateTime, DEC and LON an ephemeris's declination and
// west-positive sub-solar longitude in degrees) and for each writes
//   DEC LON TERMINATOR POINTS ICON1 ICON2
// where DEC and LON are the program's own sun, TERMINATOR the largest
// distance in pixels between the twilight band's middle and the ephemeris's
// terminator on the 2048 x 1024 map, over POINTS measured points between 65 S
// and 65 N, and ICON1 / ICON2 the distance in device pixels between the sun
// icon's centre and the ephemeris's sub-solar point on an 800 x 400 map at 1x
// and 2x (-1 where the icon touches a side edge).
#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "map/IlluminationMask.h"
#include "map/MapMath.h"
#include "map/WorldMap.h"

namespace {

using wc::IlluminationMask;

constexpr double kRad = std::numbers::pi / 180;
constexpr double kLatLimit = 65;

bool Grey(const IlluminationMask& m, int x, int y) {
  const int w = m.width();
  return m.at(((x % w) + w) % w, y) == IlluminationMask::kTwilight;
}

// The middle (in pixel-corner coordinates) of the run of band pixels along a
// column or a row (columns wrap round) that contains or is nearest to `at`;
// NaN when there is none within the pen's width or it meets the top or bottom.
double RunMiddle(const IlluminationMask& m, bool alongColumn, int fixed, double at) {
  const int limit = alongColumn ? m.height() : 1 << 30;
  auto grey = [&](int i) { return alongColumn ? Grey(m, fixed, i) : Grey(m, i, fixed); };
  const int start = static_cast<int>(std::floor(at));
  int seed = -1;
  for (int d = 0; d <= IlluminationMask::kPenWidth && seed < 0; ++d) {
    for (int i : {start - d, start + d}) {
      if (alongColumn && (i < 0 || i >= limit)) continue;
      if (grey(i)) {
        seed = i;
        break;
      }
    }
  }
  if (seed < 0) return NAN;
  int a = seed, b = seed;
  while (grey(a - 1)) {
    if (alongColumn && a - 1 <= 0) return NAN;
    --a;
  }
  while (grey(b + 1)) {
    if (alongColumn && b + 1 >= limit - 1) return NAN;
    ++b;
  }
  return (a + b + 1) / 2.0;
}

// The largest distance between the band's middle and the true terminator.
double TerminatorError(const IlluminationMask& m, const wc::SunPosition& truth, int& points) {
  const wc::Projection proj(m.width(), m.height(), 0);
  const double w = m.width();
  auto curveY = [&](double x) {
    return proj.LatToYExact(wc::TerminatorLatitude(truth, proj.XToLon(x) * kRad) / kRad);
  };
  double worst = 0;
  points = 0;
  // Where the curve is flatter than 45 degrees: along its column.
  for (int x = 0; x < m.width(); ++x) {
    const double c = x + 0.5, y = curveY(c);
    if (std::abs(proj.YToLat(y)) > kLatLimit) continue;
    const double slope = curveY(c + 0.5) - curveY(c - 0.5);
    if (std::abs(slope) > 1) continue;
    const double mid = RunMiddle(m, true, x, y);
    if (std::isnan(mid)) continue;
    worst = std::max(worst, std::abs(mid - y) / std::hypot(1.0, slope));
    ++points;
  }
  // Where it is steeper: along its row, at each of its two crossings.
  for (int r = 0; r < m.height(); ++r) {
    const double c = r + 0.5, lat = proj.YToLat(c);
    if (std::abs(lat) > kLatLimit) continue;
    // cos(hour angle) = -tan(lat) tan(dec)
    const double cosH = -std::tan(lat * kRad) * std::tan(truth.declination);
    if (std::abs(cosH) > 1) continue;
    for (double sign : {-1.0, 1.0}) {
      const double lon = truth.longitude / kRad + sign * std::acos(cosH) / kRad;
      const double x = proj.LonToXExact(lon);
      const double slope = curveY(x + 0.5) - curveY(x - 0.5);
      if (std::abs(slope) <= 1 || std::isnan(slope)) continue;
      const double mid = RunMiddle(m, false, r, x);
      if (std::isnan(mid)) continue;
      double dx = std::remainder(mid - x, w);
      worst = std::max(worst, std::abs(dx) / std::hypot(1.0, 1.0 / slope));
      ++points;
    }
  }
  return worst;
}

// Device-pixel distance between the sun icon's centre and the true point.
double IconError(wc::WorldMap& map, const QImage& black, int scale, const wc::SunPosition& truth) {
  QImage image(800 * scale, 400 * scale, QImage::Format_RGB32);
  image.setDevicePixelRatio(scale);
  map.DrawMapOverlay(image, black, false, {}, false, 0);
  int left = image.width(), right = -1, top = image.height(), bottom = -1;
  for (int y = 40 * scale; y < image.height(); ++y) {  // below the date caption
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (qRed(row[x]) < 8 && qGreen(row[x]) < 8) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0 || left == 0 || right == image.width() - 1) return -1;
  const wc::Projection proj(800, 400, 0);
  const double cx = (left + right + 1) / 2.0, cy = (top + bottom + 1) / 2.0;
  return std::hypot(cx - proj.LonToXExact(truth.longitude / kRad) * scale,
                    cy - proj.LatToYExact(truth.declination / kRad) * scale);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  wc::WorldMap map(WC_PROGRAM_DIR);
  map.setUtcOffsetSource([] { return 0.0; });
  QImage black(wc::kBaseMapWidth, wc::kBaseMapHeight, QImage::Format_RGB32);
  black.fill(Qt::black);
  QImage base;
  IlluminationMask mask;
  double instant = 0, dec = 0, lon = 0;
  while (std::scanf("%lf %lf %lf", &instant, &dec, &lon) == 3) {
    const wc::SunPosition ours = wc::ComputeSunPosition(instant);
    const wc::SunPosition truth{dec * kRad, lon * kRad};
    mask.Draw(ours, 0);
    int points = 0;
    const double terminator = TerminatorError(mask, truth, points);
    bool ready = false;
    map.ComposeBaseMapUtc(base, ready, instant);  // the sun the overlay draws
    std::printf("%.6f %.6f %.4f %d %.4f %.4f\n", ours.declination / kRad, ours.longitude / kRad, terminator,
                points, IconError(map, black, 1, truth), IconError(map, black, 2, truth));
    std::fflush(stdout);
  }
  return 0;
}
