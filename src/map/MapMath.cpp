// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/MapMath.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace wc {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDegToRad = kPi / 180.0;
constexpr double kRadToDeg = 180.0 / kPi;

}  // namespace

int RoundHalfEven(double x) {
  // Beyond int the nearest int; a conversion out of range is undefined.
  if (std::isnan(x)) return 0;
  x = std::clamp(x, static_cast<double>(std::numeric_limits<int>::min()),
                 static_cast<double>(std::numeric_limits<int>::max()));
  // nearbyint follows the current rounding mode, which nothing in the
  // program changes from the default round-to-nearest-even.
  return static_cast<int>(std::nearbyint(x));
}

double DegToRad(double x) {
  const double r = x * kDegToRad;
  return r == 0.0 ? 1e-8 : r;
}

double RadToDeg(double x) { return x * kRadToDeg; }

int NormalizeMapView(int view) { return view >= 0 && view < kMapViewCount ? view : 0; }

double ViewOffset(int view) {
  switch (NormalizeMapView(view)) {
    case 1:
      return 90.0;
    case 2:
      return 200.0;
    default:
      return 0.0;
  }
}

int ViewRotation(int view, int width) {
  switch (NormalizeMapView(view)) {
    case 1:
      return width / 4;
    case 2:
      return width * 10 / 18;
    default:
      return 0;
  }
}

int LeftEdgeLongitude(int view) {
  switch (NormalizeMapView(view)) {
    case 1:
      return 270;
    case 2:
      return 20;
    default:
      return 180;
  }
}

Projection::Projection(int width, int height, int view)
    : w_(width),
      halfW_(width / 2),
      halfH_(height / 2),
      ppdX_(halfW_ / 180.0),
      ppdY_(halfH_ / 90.0),
      viewOffset_(ViewOffset(view)) {}

int Projection::LonToX(double lon) const {
  int x = RoundHalfEven(halfW_ - (lon - viewOffset_) * ppdX_);
  if (x > w_) x -= w_;
  return x;
}

int Projection::LatToY(double lat) const { return RoundHalfEven(halfH_ - lat * ppdY_); }

double Projection::LonToXExact(double lon) const {
  double x = halfW_ - (lon - viewOffset_) * ppdX_;
  if (x > w_) x -= w_;
  if (x < 0) x += w_;
  return x;
}

double Projection::LatToYExact(double lat) const { return halfH_ - lat * ppdY_; }
double Projection::XToLon(double x) const { return viewOffset_ + (halfW_ - x) / ppdX_; }
double Projection::YToLat(double y) const { return (halfH_ - y) / ppdY_; }

SunPosition ComputeSunPosition(DateTime utc) {
  const double n = utc - 36526.5;                        // days from J2000.0, 1 January 2000 12:00
  const double meanLongitude = 280.460 + 0.9856474 * n;  // degrees, aberration included
  const double meanAnomaly = (357.528 + 0.9856003 * n) * kDegToRad;
  const double eclipticLongitude =
      (meanLongitude + 1.915 * std::sin(meanAnomaly) + 0.020 * std::sin(2 * meanAnomaly)) * kDegToRad;
  const double obliquity = (23.439 - 0.0000004 * n) * kDegToRad;
  const double rightAscension =
      std::atan2(std::cos(obliquity) * std::sin(eclipticLongitude), std::cos(eclipticLongitude));
  SunPosition s;
  s.declination = std::asin(std::sin(obliquity) * std::sin(eclipticLongitude));
  // The equation of time in degrees: how far the true sun runs ahead of the
  // mean sun, whose right ascension is the mean longitude.
  const double equationOfTime = std::remainder(meanLongitude - rightAscension * kRadToDeg, 360.0);
  const double dayFraction = utc - std::floor(utc);
  // The mean sun is over Greenwich at noon and moves 15 degrees west an hour.
  s.longitude = DegToRad(std::remainder((dayFraction * 24 - 12) * 15 + equationOfTime, 360.0));
  return s;
}

double TerminatorLatitude(const SunPosition& sun, double lon) {
  // Where sin(lat) sin(dec) + cos(lat) cos(dec) cos(hour angle) is zero. A
  // declination of 0 divides by +0 (never -0): the meridian is then all
  // night (+90) or all day (-90), as the south-dark rule reads it.
  const double sinDec = sun.declination == 0.0 ? 0.0 : std::sin(sun.declination);
  const double lat = std::atan(-std::cos(lon - sun.longitude) * std::cos(sun.declination) / sinDec);
  return std::isnan(lat) ? 0.0 : lat;
}

GeoPoint DestinationPoint(double a, double b, double lon, double lat) {
  if (a > kPi) {
    a = kTwoPi - a;
    b += kPi;
    if (b > kTwoPi) b -= kTwoPi;
  }
  // Clamped so that rounding at the extreme points cannot turn the
  // protected arcsine and arccosine into NaN.
  const double m =
      std::clamp(std::sin(lat) * std::cos(a) + std::cos(b) * std::cos(lat) * std::sin(a), -1.0, 1.0);
  GeoPoint p;
  p.lat = std::atan(m / std::sqrt(1 - m * m + 1e-12));
  const double h = std::clamp(
      (std::cos(a) - std::sin(lat) * std::sin(p.lat)) / (std::cos(lat) * std::cos(p.lat)), -1.0, 1.0);
  double delta = kPi / 2 - std::atan(h / std::sqrt(1 - h * h + 1e-12));
  if (b < kPi) delta = -delta;
  p.lon = lon + delta;
  if (p.lon > kPi) p.lon -= kTwoPi;
  if (p.lon < -kPi) p.lon += kTwoPi;
  return p;
}

}  // namespace wc
