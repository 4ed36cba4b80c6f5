// Colour model, the per-pixel blend rule and the illumination mask.
#include <gtest/gtest.h>

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

DateTime Utc(int mo, int d, int h, int mi) { return EncodeDate(2026, mo, d) + EncodeTime(h, mi, 0, 0); }

IlluminationMask MaskAt(DateTime utc, int view = 0) {
  IlluminationMask m;
  m.Draw(ComputeSunPosition(utc), view);
  return m;
}

TEST(IlluminationMask, EquinoxNoonHasATwentyFourPixelBandAndNightAcrossTheEdge) {
  const IlluminationMask m = MaskAt(Utc(3, 20, 12, 0));
  ASSERT_EQ(m.width(), 2048);
  ASSERT_EQ(m.height(), 1084);
  const int equator = 512 + IlluminationMask::kMargin;
  EXPECT_EQ(m.at(1035, equator), IlluminationMask::kDay);  // under the sun
  // Antisolar point at column 11: the night on both sides of the left edge.
  for (int x : {0, 11, 300, 1800, 2047}) EXPECT_EQ(m.at(x, equator), IlluminationMask::kNight) << x;

  // The evening terminator crosses the equator at 88.008 W, column 523; the
  // morning one at 91.992 E, column 1547. The band is 24 pixels across.
  for (int t : {523, 1547}) {
    int grey = 0;
    for (int x = t - 30; x <= t + 30; ++x) grey += m.at(x, equator) == IlluminationMask::kTwilight;
    EXPECT_GE(grey, 24) << t;
    EXPECT_LE(grey, 25) << t;
    EXPECT_EQ(m.at(t - 11, equator), IlluminationMask::kTwilight);
    EXPECT_EQ(m.at(t + 11, equator), IlluminationMask::kTwilight);
  }
}

TEST(IlluminationMask, AntisolarPointNearTheRightEdgeFillsBothSides) {
  // Sun at 1.5 W: sx = 1015, seeds at 11 and 2019; antisolar column 2039.
  const IlluminationMask m = MaskAt(Utc(3, 20, 12, 14));
  const int equator = 512 + IlluminationMask::kMargin;
  for (int x : {0, 10, 2030, 2047}) EXPECT_EQ(m.at(x, equator), IlluminationMask::kNight) << x;
  EXPECT_EQ(m.at(1015, equator), IlluminationMask::kDay);
}

TEST(IlluminationMask, NightIsOneAreaReachingTheDarkPolesMargin) {
  struct Case {
    DateTime utc;
    int view;
    bool northDark;
  } cases[] = {
      {Utc(3, 20, 12, 0), 0, true},  {Utc(3, 20, 0, 0), 0, true},   {Utc(6, 21, 12, 0), 0, false},
      {Utc(6, 21, 3, 30), 1, false}, {Utc(12, 21, 12, 0), 0, true}, {Utc(12, 21, 18, 0), 2, true},
      {Utc(9, 23, 6, 0), 2, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utc);
    const IlluminationMask m = MaskAt(c.utc, c.view);
    std::set<std::uint8_t> values, top, bottom;
    for (int y = 0; y < m.height(); ++y) {
      for (int x = 0; x < m.width(); ++x) values.insert(m.at(x, y));
    }
    for (int x = 0; x < m.width(); ++x) {
      top.insert(m.at(x, 0));
      bottom.insert(m.at(x, m.height() - 1));
    }
    EXPECT_EQ(values, (std::set<std::uint8_t>{0x00, 0x80, 0xFF}));
    EXPECT_EQ(top, std::set<std::uint8_t>{c.northDark ? IlluminationMask::kNight : IlluminationMask::kDay});
    EXPECT_EQ(bottom,
              std::set<std::uint8_t>{c.northDark ? IlluminationMask::kDay : IlluminationMask::kNight});
  }
}

TEST(IlluminationMask, FloodFillStaysInsideItsArea) {
  IlluminationMask m(64, 4);  // 64 x 64
  m.Line(32, -20, 32, 100);   // a vertical band splits the mask
  m.FloodFill(-5, 10);        // outside: nothing
  m.FloodFill(40, 70);        // outside below
  EXPECT_EQ(m.at(5, 5), IlluminationMask::kDay);
  m.FloodFill(5, 5);
  EXPECT_EQ(m.at(0, 63), IlluminationMask::kNight);
  EXPECT_EQ(m.at(19, 0), IlluminationMask::kNight);
  EXPECT_EQ(m.at(20, 0), IlluminationMask::kTwilight);  // band covers 20..43
  EXPECT_EQ(m.at(43, 0), IlluminationMask::kTwilight);
  EXPECT_EQ(m.at(44, 0), IlluminationMask::kDay);
  m.FloodFill(30, 30);  // on the band: nothing
  EXPECT_EQ(m.at(63, 63), IlluminationMask::kDay);
}

}  // namespace
}  // namespace wc
