// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Colour model, the per-pixel blend rule and the illumination mask.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <set>

#include "core/DateTime.h"
#include "map/Hsl.h"
#include "map/IlluminationMask.h"
#include "map/MapMath.h"
#include "map/Shading.h"

namespace wc {
namespace {

TEST(Hsl, RoundTripsEveryColourOfAGrid) {
  for (int r = 0; r < 256; r += 15) {
    for (int g = 0; g < 256; g += 17) {
      for (int b = 0; b < 256; b += 5) {
        const Rgb c{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)};
        ASSERT_EQ(HslToRgb(RgbToHsl(c)), c) << r << "," << g << "," << b;
      }
    }
  }
}

TEST(Hsl, KnownValuesAndHalfToEven) {
  const Hsl red = RgbToHsl({255, 0, 0});
  EXPECT_DOUBLE_EQ(red.h, 0);
  EXPECT_DOUBLE_EQ(red.s, 1);
  EXPECT_DOUBLE_EQ(red.l, 0.5);
  const Hsl blue = RgbToHsl({0, 0, 255});
  EXPECT_DOUBLE_EQ(blue.h, 2.0 / 3);
  const Hsl magenta = RgbToHsl({255, 0, 128});  // negative h6 wraps
  EXPECT_NEAR(magenta.h, 1 - (128 / 255.0) / 6, 1e-12);
  // 255 * 0.5 = 127.5 and 255 * (2.5 / 255) = 2.5: halves go to the even side.
  EXPECT_EQ(HslToRgb({0, 0, 0.5}), (Rgb{128, 128, 128}));
  EXPECT_EQ(HslToRgb({0, 0, 2.5 / 255}), (Rgb{2, 2, 2}));
  EXPECT_EQ(ScaleLightness({0x60, 0x60, 0x60}, 0.5), (Rgb{0x30, 0x30, 0x30}));
}

TEST(Hsl, ScaledLightnessKeepsHueAndSaturationUpToHalfLightness) {
  for (int r = 0; r < 256; r += 17) {
    for (int g = 0; g < 256; g += 15) {
      for (int b = 0; b < 256; b += 51) {
        const Rgb c{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)};
        Hsl h = RgbToHsl(c);
        if (h.l > 0.5) continue;
        for (double f : {0.5, 0.8}) {
          Hsl scaled = h;
          scaled.l *= f;
          ASSERT_EQ(ScaleLightness(c, f), HslToRgb(scaled)) << r << "," << g << "," << b;
        }
      }
    }
  }
}

TEST(Hsl, ScaledLightnessOfNearWhiteStaysNearGrey) {
  // Kept saturation would give (0, 254, 254): ice in the twilight band would
  // turn cyan.
  EXPECT_EQ(ScaleLightness({254, 255, 255}, 0.5), (Rgb{127, 128, 128}));
  // A bright city light darkens without becoming more colourful.
  const Rgb light = ScaleLightness({255, 240, 200}, 0.8);
  EXPECT_LE(light.r - light.b, 255 - 200);
  EXPECT_GT(light.r, light.g);
  EXPECT_GT(light.g, light.b);
}

TEST(Shading, PixelRuleComparesColourReferenceNumbers) {
  const Rgb day{200, 160, 100};
  const Rgb dayHalf = ScaleLightness(day, 0.5);
  struct Case {
    std::uint32_t night;  // colour-reference order: red in the low byte
    bool nightShows;
  } band[] = {
      {0x606060, false},  // the boundary itself is not brighter
      {0x606061, true},   // one more red
      {0x610000, true},   // blue weighs most
      {0x5FFFFF, false},  // bright red and green but less blue
      {0x000000, false},
  };
  for (const Case& c : band) {
    SCOPED_TRACE(c.night);
    const Rgb n = FromColorRef(c.night);
    EXPECT_EQ(ShadedPixel(IlluminationMask::kTwilight, day, n),
              c.nightShows ? ScaleLightness(n, 0.8) : dayHalf);
    EXPECT_EQ(ShadedPixel(IlluminationMask::kNight, day, n), n);
    EXPECT_EQ(ShadedPixel(IlluminationMask::kDay, day, n), day);
  }
  EXPECT_EQ(ColorRef({0x61, 0x60, 0x60}), 0x606061u);
}

// The pen is every pixel whose centre lies within half its width of the
// segment, the rim included: checked against that definition on a small
// mask, with ends on pixel centres (so the rim falls exactly on pixel
// centres, in whole numbers) and ends beyond the mask's edges.
TEST(IlluminationMask, PenCoversEveryPixelCentreWithinHalfItsWidthRimIncluded) {
  constexpr int kW = 96, kH = 64, r = IlluminationMask::kPenWidth / 2;
  struct Case {
    const char* what;
    int x0, y0, x1, y1;  // pixels whose centres are the ends
  } cases[] = {
      {"a dot", 40, 30, 40, 30},
      {"across", 20, 30, 70, 30},
      {"down", 50, 5, 50, 50},
      {"a 3-4-5 slope, its rim on many centres", 20, 10, 60, 40},
      {"out through three edges", -10, -5, 110, 85},
      {"along the top edge, half outside", 60, 0, 5, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    IlluminationMask m(kW, kH);
    m.Line(c.x0 + 0.5, c.y0 + 0.5, c.x1 + 0.5, c.y1 + 0.5);
    const long dx = c.x1 - c.x0, dy = c.y1 - c.y0, len2 = dx * dx + dy * dy;
    int onRim = 0, wrong = 0;
    for (int y = 0; y < kH; ++y) {
      for (int x = 0; x < kW; ++x) {
        const long a = x - c.x0, b = y - c.y0, along = a * dx + b * dy, across = a * dy - b * dx;
        const long toStart = a * a + b * b, toEnd = (a - dx) * (a - dx) + (b - dy) * (b - dy);
        const bool beside = len2 > 0 && along >= 0 && along <= len2;
        const bool in = toStart <= r * r || toEnd <= r * r || (beside && across * across <= r * r * len2);
        onRim += toStart == r * r || toEnd == r * r || (beside && across * across == r * r * len2);
        const std::uint8_t want = in ? IlluminationMask::kTwilight : IlluminationMask::kDay;
        if (m.at(x, y) != want && ++wrong <= 5) ADD_FAILURE() << "pixel " << x << "," << y << " in=" << in;
      }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(onRim, 0);
  }
}

DateTime Utc(int mo, int d, int h, int mi) { return EncodeDate(2026, mo, d) + EncodeTime(h, mi, 0, 0); }

IlluminationMask MaskAt(DateTime utc, int view = 0) {
  IlluminationMask m;
  m.Draw(ComputeSunPosition(utc), view);
  return m;
}

// The terminator's latitude in degrees at a west-positive longitude, straight
// from the sun: tan(lat) = -cos(hour angle) / tan(declination).
double TrueTerminatorLatitude(const SunPosition& sun, double lon) {
  return RadToDeg(std::atan(-std::cos(DegToRad(lon) - sun.longitude) / std::tan(sun.declination)));
}

TEST(IlluminationMask, BandFollowsTheTerminatorAtItsTrueLatitude) {
  struct Case {
    DateTime utc;
    int view;
  } cases[] = {
      {Utc(1, 20, 9, 0), 0},
      {Utc(6, 21, 3, 30), 1},
      {Utc(12, 21, 18, 0), 2},
      {Utc(5, 5, 22, 10), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utc);
    const SunPosition sun = ComputeSunPosition(c.utc);
    const IlluminationMask m = MaskAt(c.utc, c.view);
    const Projection proj(m.width(), m.height(), c.view);
    auto rowOf = [&](double x) { return proj.LatToYExact(TrueTerminatorLatitude(sun, proj.XToLon(x))); };
    int measured = 0;
    for (int x = 5; x < m.width(); x += 31) {
      const double y = rowOf(x + 0.5);
      // Columns where the curve is flatter than 45 degrees and within 65 N .. 65 S.
      if (std::abs(rowOf(x + 1) - rowOf(x)) > 1 || std::abs(proj.YToLat(y)) > 65) continue;
      SCOPED_TRACE(x);
      int top = static_cast<int>(y), bottom = top;
      ASSERT_EQ(m.at(x, top), IlluminationMask::kTwilight);
      while (m.at(x, top - 1) == IlluminationMask::kTwilight) --top;
      while (m.at(x, bottom + 1) == IlluminationMask::kTwilight) ++bottom;
      // The band's middle on the true row, and about 24 rows of it.
      EXPECT_NEAR((top + bottom + 1) / 2.0, y, 1.0);
      EXPECT_GE(bottom - top + 1, 24);
      EXPECT_LE(bottom - top + 1, 36);
      // Day towards the pole the sun leans to, night beyond the other side.
      const bool northLit = sun.declination > 0;
      EXPECT_EQ(m.at(x, top - 1), northLit ? IlluminationMask::kDay : IlluminationMask::kNight);
      EXPECT_EQ(m.at(x, bottom + 1), northLit ? IlluminationMask::kNight : IlluminationMask::kDay);
      ++measured;
    }
    EXPECT_GE(measured, 6);
  }
}

TEST(IlluminationMask, NightIsWholeAcrossTheSideEdgesAndAtTheDarkPole) {
  struct Case {
    DateTime utc;
    int view;
    bool northDark;
    bool poleRowsWhole;  // near a solstice: the terminator stays 23 degrees off the poles
  } cases[] = {
      {Utc(3, 20, 12, 0), 0, true, false}, {Utc(3, 20, 18, 2), 0, true, false},
      {Utc(3, 20, 0, 0), 0, true, false},  {Utc(6, 21, 12, 0), 0, false, true},
      {Utc(6, 21, 3, 30), 1, false, true}, {Utc(12, 21, 12, 0), 0, true, true},
      {Utc(12, 21, 18, 0), 2, true, true}, {Utc(9, 23, 6, 0), 2, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utc);
    const SunPosition sun = ComputeSunPosition(c.utc);
    const IlluminationMask m = MaskAt(c.utc, c.view);
    ASSERT_EQ(m.width(), 2048);
    ASSERT_EQ(m.height(), 1024);
    const Projection proj(m.width(), m.height(), c.view);
    std::set<std::uint8_t> values, top, bottom;
    for (int y = 0; y < m.height(); ++y) {
      for (int x = 0; x < m.width(); ++x) values.insert(m.at(x, y));
    }
    for (int x = 0; x < m.width(); ++x) {
      top.insert(m.at(x, 0));
      bottom.insert(m.at(x, m.height() - 1));
    }
    EXPECT_EQ(values, (std::set<std::uint8_t>{0x00, 0x80, 0xFF}));
    if (c.poleRowsWhole) {
      const std::uint8_t dark = IlluminationMask::kNight, lit = IlluminationMask::kDay;
      EXPECT_EQ(top, std::set<std::uint8_t>{c.northDark ? dark : lit});
      EXPECT_EQ(bottom, std::set<std::uint8_t>{c.northDark ? lit : dark});
    }

    // Along the equator: day under the sun, night under the antisolar point,
    // and each crossing's band 24 pixels across, wrapping round the edges.
    const int equator = m.height() / 2;
    auto at = [&](double x) { return m.at((static_cast<int>(std::floor(x)) % 2048 + 2048) % 2048, equator); };
    const double sunX = proj.LonToXExact(RadToDeg(sun.longitude));
    EXPECT_EQ(at(sunX), IlluminationMask::kDay);
    EXPECT_EQ(at(sunX + 1024), IlluminationMask::kNight);
    for (double side : {-90.0, 90.0}) {
      const double lon = RadToDeg(sun.longitude) + side, x = proj.LonToXExact(lon);
      // A crossing leaning off the vertical cuts a wider band from the row.
      const double lean = (TrueTerminatorLatitude(sun, lon + 0.01) - TrueTerminatorLatitude(sun, lon)) / 0.01;
      const double half = 12 * std::hypot(1.0, 1.0 / lean);
      for (double d = -half + 1; d <= half - 1; ++d)
        EXPECT_EQ(at(x + d), IlluminationMask::kTwilight) << x + d;
      EXPECT_NE(at(x - half - 1), IlluminationMask::kTwilight);
      EXPECT_NE(at(x + half + 1), IlluminationMask::kTwilight);
    }
  }
}

}  // namespace
}  // namespace wc
