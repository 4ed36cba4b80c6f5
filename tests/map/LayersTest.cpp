// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Layers and composition: decoding, resizing, view rotation, the cache and
// the failure rules.
#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "TestSupport.h"
#include "core/DateTime.h"
#include "map/IlluminationMask.h"
#include "map/MapMath.h"
#include "map/WorldMap.h"

namespace wc {
namespace {

namespace fs = std::filesystem;

void WriteJpeg(const fs::path& path, const QImage& image) {
  const QImage src = image.convertToFormat(QImage::Format_RGB32);
  tjhandle tj = tjInitCompress();
  unsigned char* out = nullptr;
  unsigned long size = 0;
  ASSERT_EQ(tjCompress2(tj, src.constBits(), src.width(), static_cast<int>(src.bytesPerLine()), src.height(),
                        TJPF_BGRA, &out, &size, TJSAMP_444, 100, 0),
            0);
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_TRUE(f);
  std::fwrite(out, 1, size, f);
  std::fclose(f);
  tjFree(out);
  tjDestroy(tj);
}

QImage Flat(int w, int h, QRgb c) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(c);
  return img;
}

// Wide vertical stripes, so a rotation or a missed resize shows.
QImage Stripes(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)};
  for (int x = 0; x < w; ++x) {
    for (int y = 0; y < h; ++y) img.setPixel(x, y, colours[x * 4 / w]);
  }
  return img;
}

class Layers : public testing::Test {
 protected:
  std::string folder() const { return dir_.string() + "/"; }

  test::TempFolder folder_{"wc-map-"};
  const fs::path& dir_ = folder_.path();
};

const DateTime kMarchNoonUtc = EncodeDate(2026, 3, 20) + 0.5;

TEST_F(Layers, OtherSizedDayImageIsScaledBeforeTheViewRotation) {
  WriteJpeg(dir_ / "day.jpg", Stripes(1000, 500));
  WorldMap map(folder());
  map.setNightShading(false);
  bool ready = false;
  QImage base[3];
  for (int v = 0; v < 3; ++v) {
    map.setMapView(v);
    map.ComposeBaseMapUtc(base[v], ready, kMarchNoonUtc);
    ASSERT_TRUE(ready);
    ASSERT_EQ(base[v].size(), QSize(2048, 1024));
    ASSERT_EQ(base[v].format(), QImage::Format_RGB32);
  }
  // Stripes of 512 columns each (JPEG may be a step off).
  auto near = [](QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) < 4 && std::abs(qGreen(a) - qGreen(b)) < 4 &&
           std::abs(qBlue(a) - qBlue(b)) < 4;
  };
  EXPECT_TRUE(near(base[0].pixel(100, 500), qRgb(255, 0, 0)));
  EXPECT_TRUE(near(base[0].pixel(700, 500), qRgb(0, 255, 0)));
  EXPECT_TRUE(near(base[0].pixel(1900, 500), qRgb(255, 255, 255)));
  for (int v = 1; v < 3; ++v) {
    const int k = ViewRotation(v, 2048);
    for (int x = 0; x < 2048; x += 7) {
      ASSERT_EQ(base[v].pixel((x + k) % 2048, 300), base[0].pixel(x, 300)) << v << " " << x;
    }
  }
  EXPECT_EQ(map.layerBuilds(), 3);
}

TEST_F(Layers, RebuiltOnlyWhenViewOrShadingChanges) {
  WriteJpeg(dir_ / "day.jpg", Flat(2048, 1024, qRgb(200, 200, 200)));
  WriteJpeg(dir_ / "night.jpg", Flat(2048, 1024, qRgb(20, 20, 20)));
  WorldMap map(folder());
  bool ready = false;
  QImage base;
  map.ComposeBaseMapUtc(base, ready, kMarchNoonUtc);
  EXPECT_EQ(map.layerBuilds(), 1);

  // Unchanged settings read no file at all.
  fs::rename(dir_ / "day.jpg", dir_ / "day.bak");
  fs::rename(dir_ / "night.jpg", dir_ / "night.bak");
  map.ComposeBaseMapUtc(base, ready, kMarchNoonUtc + 0.1);
  EXPECT_EQ(map.layerBuilds(), 1);
  EXPECT_TRUE(map.nightShading());
  fs::rename(dir_ / "day.bak", dir_ / "day.jpg");
  fs::rename(dir_ / "night.bak", dir_ / "night.jpg");

  map.setMapView(2);
  map.ComposeBaseMapUtc(base, ready, kMarchNoonUtc);
  map.ComposeBaseMapUtc(base, ready, kMarchNoonUtc);
  EXPECT_EQ(map.layerBuilds(), 2);
  map.setNightShading(false);
  map.ComposeBaseMapUtc(base, ready, kMarchNoonUtc);
  map.ComposeBaseMapUtc(base, ready, kMarchNoonUtc);
  EXPECT_EQ(map.layerBuilds(), 3);
  map.setNightShading(true);
  map.ComposeBaseMapUtc(base, ready, kMarchNoonUtc);
  EXPECT_EQ(map.layerBuilds(), 4);
}

TEST_F(Layers, ShadedComposition) {
  WriteJpeg(dir_ / "day.jpg", Flat(2048, 1024, qRgb(200, 200, 200)));
  WriteJpeg(dir_ / "night.jpg", Flat(2048, 1024, qRgb(20, 20, 20)));
  WorldMap map(folder());
  bool ready = false;
  QImage base;
  map.ComposeBaseMapUtc(base, ready, kMarchNoonUtc);
  EXPECT_TRUE(ready);
  EXPECT_FALSE(map.BaseMapBusy());
  EXPECT_EQ(map.sun().declination, ComputeSunPosition(kMarchNoonUtc).declination);
  EXPECT_EQ(base.pixel(1035, 512), qRgb(200, 200, 200));  // under the sun
  EXPECT_EQ(base.pixel(11, 512), qRgb(20, 20, 20));       // antisolar point
  EXPECT_EQ(base.pixel(2047, 512), qRgb(20, 20, 20));
  EXPECT_EQ(base.pixel(523, 512), qRgb(100, 100, 100));  // twilight: day at half lightness
  // The own base map is the default target.
  map.ComposeBaseMap(ready, 0.5 + EncodeDate(2026, 3, 20) - map.utcOffsetDays());
  EXPECT_EQ(map.baseMap(), base);
}

TEST_F(Layers, MissingNightImageTurnsShadingOffSilently) {
  WriteJpeg(dir_ / "day.jpg", Flat(2048, 1024, qRgb(200, 200, 200)));
  WorldMap map(folder());
  bool ready = false;
  QImage base;
  map.ComposeBaseMapUtc(base, ready, kMarchNoonUtc);
  EXPECT_FALSE(map.nightShading());
  EXPECT_TRUE(ready);
  EXPECT_EQ(base.pixel(11, 512), qRgb(200, 200, 200));
  map.ComposeBaseMapUtc(base, ready, kMarchNoonUtc);
  EXPECT_EQ(map.layerBuilds(), 1);
  // Switching it on again tries the night picture anew.
  WriteJpeg(dir_ / "night.jpg", Flat(2048, 1024, qRgb(20, 20, 20)));
  map.setNightShading(true);
  map.ComposeBaseMapUtc(base, ready, kMarchNoonUtc);
  EXPECT_TRUE(map.nightShading());
  EXPECT_EQ(base.pixel(11, 512), qRgb(20, 20, 20));
}

TEST_F(Layers, PicturesDecodedAtStartAreTheSameLayers) {
  // Decoded before the view and the shading are known, then turned for them.
  WriteJpeg(dir_ / "day.jpg", Stripes(2048, 1024));
  WriteJpeg(dir_ / "night.jpg", Flat(1000, 500, qRgb(20, 30, 40)));
  for (const auto& [view, shading] : {std::pair{2, true}, {1, false}, {0, true}}) {
    SCOPED_TRACE(testing::Message() << "view " << view << " shading " << shading);
    WorldMap early(folder()), late(folder());
    early.StartLoadingLayers();
    bool ready = false;
    QImage a, b;
    for (WorldMap* map : {&early, &late}) {
      map->setMapView(view);
      map->setNightShading(shading);
    }
    early.ComposeBaseMapUtc(a, ready, kMarchNoonUtc);
    late.ComposeBaseMapUtc(b, ready, kMarchNoonUtc);
    EXPECT_EQ(a, b);
    EXPECT_EQ(early.nightShading(), shading);
    EXPECT_EQ(early.layerBuilds(), 1);
  }
  // Without the pictures the rules are the same as ever.
  fs::remove(dir_ / "night.jpg");
  WorldMap noNight(folder());
  noNight.StartLoadingLayers();
  bool ready = false;
  QImage base;
  noNight.ComposeBaseMapUtc(base, ready, kMarchNoonUtc);
  EXPECT_FALSE(noNight.nightShading());
  fs::remove(dir_ / "day.jpg");
  WorldMap noDay(folder());
  noDay.StartLoadingLayers();
  EXPECT_THROW(noDay.ComposeBaseMapUtc(base, ready, kMarchNoonUtc), MapFatalError);
}

TEST_F(Layers, ComposedInTheDayLayerWhenNoLayersAreKept) {
  WriteJpeg(dir_ / "day.jpg", Stripes(2048, 1024));
  WriteJpeg(dir_ / "night.jpg", Stripes(1024, 512).mirrored(true, false));
  WorldMap kept(folder()), once(folder());
  once.setKeepLayers(false);
  bool ready = false;
  QImage a, b;
  for (int view : {1, 0}) {
    SCOPED_TRACE(view);
    kept.setMapView(view);
    once.setMapView(view);
    kept.ComposeBaseMapUtc(a, ready, kMarchNoonUtc + view * 0.3);
    once.ComposeBaseMapUtc(b, ready, kMarchNoonUtc + view * 0.3);
    EXPECT_TRUE(ready);
    EXPECT_EQ(a, b);
  }
  EXPECT_EQ(once.layerBuilds(), 2);  // decoded for each picture
}

TEST_F(Layers, UnreadableDayImageIsFatal) {
  for (bool present : {false, true}) {
    if (present) {
      FILE* f = std::fopen((dir_ / "day.jpg").c_str(), "wb");
      std::fputs("not a JPEG", f);
      std::fclose(f);
    }
    WorldMap map(folder());
    bool ready = false;
    QImage base;
    try {
      map.ComposeBaseMapUtc(base, ready, kMarchNoonUtc);
      ADD_FAILURE() << "no error";
    } catch (const MapFatalError& e) {
      EXPECT_EQ(std::string(e.what()),
                "This application has failed to start because " + folder() +
                    "day.jpg could not be loaded. Re-installing the application may fix "
                    "this problem.");
    }
    EXPECT_FALSE(ready);
    EXPECT_FALSE(map.BaseMapBusy());
  }
}

TEST_F(Layers, PictureClaimingMoreThan16384By8192IsABrokenLayer) {
  // A few hundred bytes whose header claims 60000 x 30000 once cost 7 GB and
  // a minute and a half; the header alone now decides.
  WriteJpeg(dir_ / "small.jpg", Flat(8, 8, qRgb(10, 20, 30)));
  std::ifstream in(dir_ / "small.jpg", std::ios::binary);
  const std::string small((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::size_t sof = small.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  struct Case {
    int width, height;
    bool loads;
  } cases[] = {
      {16384, 8, true}, {16385, 8, false}, {8, 8192, true}, {8, 8193, false}, {60000, 30000, false},
  };
  for (const Case& c : cases) {
    std::string claimed = small;
    claimed[sof + 5] = static_cast<char>(c.height >> 8);
    claimed[sof + 6] = static_cast<char>(c.height & 0xFF);
    claimed[sof + 7] = static_cast<char>(c.width >> 8);
    claimed[sof + 8] = static_cast<char>(c.width & 0xFF);
    std::ofstream(dir_ / "claimed.jpg", std::ios::binary) << claimed;
    QImage layer;
    EXPECT_EQ(LoadMapImage((dir_ / "claimed.jpg").string(), layer, 0), c.loads) << c.width << "x" << c.height;
    EXPECT_EQ(layer.isNull(), !c.loads);
  }
}

}  // namespace
}  // namespace wc
