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

SunPosition ComputeSunPosition(DateTime utc) {
  int year = 0, month = 0, day = 0;
  DecodeDate(utc, year, month, day);
  const double f = utc - std::floor(utc);
  const double c = ((month - 1) * 30.4 + 10 + day) * 0.0172;
  SunPosition s;
  s.declination = -0.409 * std::cos(c);
  const double e = 0.13 * std::sin(c) + 0.156 * std::sin(2 * c);
  s.longitude = DegToRad((f * 24 - 12) * 15 - 15 * e);
  if (s.longitude > kTwoPi) s.longitude -= kTwoPi;
  return s;
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
