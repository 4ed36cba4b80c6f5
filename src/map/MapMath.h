// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The map's geometry, free of Qt: angles, the equirectangular projection with
// its three views, the sun's position and the great-circle step that traces
// the terminator. Longitudes are WEST POSITIVE everywhere in this module
// (169 is 169 deg W), as the city tables that draw on the map hold them.

#include <numbers>

#include "core/DateTime.h"

namespace wc {

// Nearest integer, halves to the even neighbour; beyond int the nearest int,
// NaN 0.
int RoundHalfEven(double x);

// x * pi/180, except that an exact 0 becomes 1e-8 (keeps the terminator
// arithmetic away from its singular points).
double DegToRad(double x);
double RadToDeg(double x);

// The map views ("Map View"): 0 Europe, 1 America, 2 Australasia. Any other
// stored value is treated as 0.
inline constexpr int kMapViewCount = 3;
int NormalizeMapView(int view);
// West-positive longitude at the centre column: 0, 90, 200.
double ViewOffset(int view);
// Pixels a W-wide picture is rotated right: 0, W div 4, (W * 10) div 18.
int ViewRotation(int view, int width);
// West-positive longitude at the left edge: 180, 270, 20.
int LeftEdgeLongitude(int view);

// The working size of the base map and its layers.
inline constexpr int kBaseMapWidth = 2048;
inline constexpr int kBaseMapHeight = 1024;

// Longitude/latitude to pixels for one image size and view. Each drawing
// builds its own from the size of the image it draws on.
class Projection {
 public:
  Projection(int width, int height, int view);

  // Round(HalfW - (lon - ViewOffset) * PixelsPerDegreeX), W subtracted when
  // the result is greater than W (a result equal to W stays).
  int LonToX(double lon) const;
  // Round(HalfH - lat * PixelsPerDegreeY).
  int LatToY(double lat) const;
  // The same unrounded, in pixel-corner coordinates (pixel x covers x .. x+1),
  // wrapped into 0 .. W.
  double LonToXExact(double lon) const;
  double LatToYExact(double lat) const;
  // Inverse of the exact ones: the longitude and latitude at x and y.
  double XToLon(double x) const;
  double YToLat(double y) const;

  int width() const { return w_; }
  int halfW() const { return halfW_; }
  int halfH() const { return halfH_; }

 private:
  int w_, halfW_, halfH_;
  double ppdX_, ppdY_, viewOffset_;
};

// The sub-solar point for a UTC instant, from the astronomical almanacs'
// low-precision solar formula (within about a kilometre of an ephemeris from
// 1950 to 2050).
struct SunPosition {
  double declination = 0;  // radians, north positive
  double longitude = 0;    // radians, west positive, within -pi .. pi
};
SunPosition ComputeSunPosition(DateTime utc);

// Latitude (radians) where the terminator crosses the meridian `lon`
// (radians, west positive). The pole on the side the sun's declination
// points to is lit: south of this latitude is night when the declination is
// 0 or more, north of it otherwise.
double TerminatorLatitude(const SunPosition& sun, double lon);

struct GeoPoint {
  double lat = 0;  // radians
  double lon = 0;  // radians, west positive
};
// The point reached from (lon, lat) after the arc `distance` along the
// initial bearing (from north, increasing eastwards); all in radians.
GeoPoint DestinationPoint(double distance, double bearing, double lon, double lat);

inline constexpr double kTwoPi = 2 * std::numbers::pi;

}  // namespace wc
