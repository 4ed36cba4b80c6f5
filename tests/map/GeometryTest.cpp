// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Sun position, projection, views and the great-circle step.
#include <gtest/gtest.h>

#include <limits>

#include <cmath>

#include "core/DateTime.h"
#include "map/MapMath.h"

namespace wc {
namespace {

DateTime Utc(int y, int mo, int d, int h, int mi) { return EncodeDate(y, mo, d) + EncodeTime(h, mi, 0, 0); }

TEST(SunPosition, AgreesWithAnEphemeris) {
  // PyEphem 4.1.4 (Debian's python3-ephem): the sun's apparent geocentric
  // declination, and Greenwich apparent sidereal time minus its apparent
  // right ascension as the west-positive sub-solar longitude; printed by
  // bench/sun-accuracy --table. 0.02 degrees is about 2 km.
  struct Case {
    DateTime utc;
    double declination, longitude;  // degrees
  } cases[] = {
      {Utc(2026, 2, 20, 9, 0), -10.8592, -48.4228},  // an old approximation's worst season
      {Utc(2026, 3, 20, 12, 0), -0.0454, -1.8592},     {Utc(2026, 6, 21, 3, 30), 23.4378, -127.9349},
      {Utc(2026, 9, 23, 6, 0), -0.0959, -88.1151},     {Utc(2026, 12, 21, 18, 0), -23.4374, 90.4527},
      {Utc(2027, 11, 3, 23, 59), -15.2311, -176.1398},  // the sun 16 minutes early: past 180 E
      {Utc(2028, 2, 29, 0, 0), -7.8466, 176.8769},      // 13 minutes late, on a leap day
      {Utc(2030, 7, 26, 16, 45), 19.3087, 69.6088},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utc);
    const SunPosition s = ComputeSunPosition(c.utc);
    EXPECT_NEAR(RadToDeg(s.declination), c.declination, 0.02);
    EXPECT_NEAR(std::remainder(RadToDeg(s.longitude) - c.longitude, 360.0), 0.0, 0.02);
    // Held within -180 .. 180, so it always projects onto the map.
    EXPECT_LE(std::abs(RadToDeg(s.longitude)), 180.0);
  }
}

TEST(SunPosition, ProjectsWithThePictureInEveryView) {
  const SunPosition s = ComputeSunPosition(Utc(2026, 3, 20, 12, 0));
  const Projection europe(2048, 1024, 0);
  // 1.866 E and 0.043 S: 1024 + 1.866 * 5.689 and 512 + 0.043 * 5.689.
  EXPECT_EQ(europe.LonToX(RadToDeg(s.longitude)), 1035);
  EXPECT_EQ(europe.LatToY(RadToDeg(s.declination)), 512);
  // The picture and the projection rotate together in the other views.
  EXPECT_EQ(Projection(2048, 1024, 1).LonToX(RadToDeg(s.longitude)), 1035 + ViewRotation(1, 2048));
}

TEST(Projection, RoundsHalfToEvenAndLeavesAnEdgeValueOfW) {
  const Projection p(2048, 1024, 0);
  EXPECT_EQ(p.LonToX(-180), 2048);  // equal to W: not wrapped
  EXPECT_EQ(p.LonToX(-181), 6);     // 2053.69 wraps
  EXPECT_EQ(p.LonToX(180), 0);
  // 400-wide map: 200 - lon * 1.1111; lon 0.45 gives 199.5 -> 200 (even).
  const Projection small(400, 200, 0);
  EXPECT_EQ(small.LonToX(0.45), 200);
  EXPECT_EQ(small.LonToX(1.35), 198);  // 198.5 -> 198
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(DegToRad(0), 1e-8);
  // Beyond the integers: the nearest one there is, never undefined behaviour.
  EXPECT_EQ(RoundHalfEven(1e12), std::numeric_limits<int>::max());
  EXPECT_EQ(RoundHalfEven(-1e12), std::numeric_limits<int>::min());
  EXPECT_EQ(RoundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(p.LatToY(1e9), std::numeric_limits<int>::min());
}

TEST(Projection, ViewsTable) {
  struct Case {
    int view;
    double offset;
    int rotation2048;
    int leftEdge;
  } cases[] = {{0, 0, 0, 180}, {1, 90, 512, 270}, {2, 200, 1137, 20}, {7, 0, 0, 180}, {-1, 0, 0, 180}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.view);
    EXPECT_EQ(ViewOffset(c.view), c.offset);
    EXPECT_EQ(ViewRotation(c.view, 2048), c.rotation2048);
    EXPECT_EQ(LeftEdgeLongitude(c.view), c.leftEdge);
    // The left edge of each view projects to column 0, or to W, which LonToX
    // does not wrap.
    EXPECT_EQ(Projection(2048, 1024, c.view).LonToX(c.leftEdge) % 2048, 0);
  }
}

TEST(DestinationPoint, QuarterCirclesFromTheEquator) {
  constexpr double kPi = std::numbers::pi;
  struct Case {
    double distance, bearing, lon, lat;
    double lat2, lon2;
  } cases[] = {
      {kPi / 2, kPi / 2, 0, 0, 0, -kPi / 2},                       // east is negative
      {kPi / 2, 3 * kPi / 2, 0, 0, 0, kPi / 2},                    // west is positive
      {3 * kPi / 2, kPi / 2, 0, 0, 0, kPi / 2},                    // the long way round
      {kPi / 2, 3 * kPi / 2, 3.0, 0, 0, 3.0 + kPi / 2 - 2 * kPi},  // wraps past 180
      {kPi / 4, kPi, 0, 0, -kPi / 4, 0},                           // due south
  };
  for (const Case& c : cases) {
    const GeoPoint p = DestinationPoint(c.distance, c.bearing, c.lon, c.lat);
    EXPECT_NEAR(p.lat, c.lat2, 1e-5);
    EXPECT_NEAR(p.lon, c.lon2, 1e-5);
  }
}

TEST(DestinationPoint, TerminatorStaysFiniteForEverySunDeclination) {
  for (double dec : {-0.409, -0.2, -1e-8, 0.0, 1e-8, 0.2, 0.409}) {
    for (double b = 0; b < kTwoPi; b += 0.04) {
      const GeoPoint p = DestinationPoint(std::numbers::pi / 2, b, 0.3, dec);
      ASSERT_TRUE(std::isfinite(p.lat) && std::isfinite(p.lon)) << dec << " " << b;
    }
  }
}

}  // namespace
}  // namespace wc
