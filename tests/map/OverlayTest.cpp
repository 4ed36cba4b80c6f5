// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The overlay: sizes, label and caption placement, the hover hint, and the
// drawing itself (date line, texts asked for, icons).
#include <gtest/gtest.h>

#include <unistd.h>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <cmath>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/CityTime.h"
#include "core/DateTime.h"
#include "core/DisplayCities.h"
#include "core/FormatDateTime.h"
#include "map/MapLayout.h"
#include "map/MapMath.h"
#include "map/WorldMap.h"

namespace wc {
namespace {

namespace fs = std::filesystem;

TEST(MapSizes, TableAndDegreesPerPixel) {
  EXPECT_EQ(MapSizeFor(0).width, 400);
  EXPECT_EQ(MapSizeFor(3).width, 800);
  EXPECT_EQ(MapSizeFor(3).height, 400);
  EXPECT_STREQ(MapSizeFor(8).caption, "2000 x 1000");
  EXPECT_EQ(MapSizeFor(9).width, 400);
  EXPECT_EQ(MapSizeFor(-1).height, 200);
  EXPECT_DOUBLE_EQ(DegreesPerPixel(MapSizeFor(3).width), 0.45);
}

TEST(OverlayFonts, APictureNarrowerThanTheScreenGetsSmallerTextDownToAFloor) {
  MapFont pixels, points;
  pixels.font.setPixelSize(24);
  pixels.color = Qt::yellow;
  points.font.setPointSizeF(18);
  const struct {
    int picture, screen;
    int pixelSize;
    double pointSize;
  } cases[] = {
      {1920, 1920, 24, 18},   // the whole screen
      {2400, 1920, 24, 18},   // wider: never larger
      {1440, 1920, 18, 13.5}, // three quarters as wide, as large
      {200, 1920, 14, 10.44}, // a tiny preview: not below the readable floor
      {0, 1920, 24, 18},      // no window yet
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.picture);
    const MapFont a = OverlayFontFor(pixels, c.picture, c.screen);
    EXPECT_EQ(a.font.pixelSize(), c.pixelSize);
    EXPECT_EQ(a.color, QColor(Qt::yellow));
    EXPECT_NEAR(OverlayFontFor(points, c.picture, c.screen).font.pointSizeF(), c.pointSize, 0.01);
  }
}

TEST(LabelPlacement, LatitudeLimitsDependOnLongitude) {
  // Dot at (500, 300), text 12 high, name 40 wide, time 60 wide, map 1000 wide.
  struct Case {
    int lat, lon;
    bool above;
  } cases[] = {
      {45, -100, true},  // 100 E: limit 35
      {45, 10, true},    // 10 W: limit 40
      {45, -10, false},  // 10 E: limit 50
      {51, -10, true},  {35, -100, false}, {40, 10, false}, {41, 10, true},
      {-20, 0, true},   {-35, 0, false},   {0, 0, false},   {-34, 50, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.lat << "," << c.lon);
    EXPECT_EQ(PlaceCityLabels(500, 300, c.lat, c.lon, 40, 60, 12, true, 1000, 500).y, c.above ? 300 - 26 : 300);
    EXPECT_EQ(PlaceCityLabels(500, 300, c.lat, c.lon, 40, 60, 12, false, 1000, 500).y, c.above ? 300 - 17 : 300);
  }
}

// Texts and their shadows (a pixel right and down) keep two pixels from every
// edge of a 1000 x 500 map ("Auckland" at the right edge lost its last pixels).
TEST(LabelPlacement, TextsStayInsideTheMap) {
  const LabelPlacement mid = PlaceCityLabels(500, 300, 0, 0, 41, 60, 12, true, 1000, 500);
  EXPECT_EQ(mid.nameX, 480);
  EXPECT_EQ(mid.timeX, 470);
  const LabelPlacement left = PlaceCityLabels(10, 300, 0, 0, 41, 60, 12, true, 1000, 500);
  EXPECT_EQ(left.nameX, 2);
  EXPECT_EQ(left.timeX, 2);
  const LabelPlacement right = PlaceCityLabels(990, 300, 0, 0, 41, 60, 12, true, 1000, 500);
  EXPECT_EQ(right.nameX, 1000 - 2 - 41 - 1);
  EXPECT_EQ(right.timeX, 1000 - 2 - 60 - 1);
  // Below the dot at the bottom: the time's shadow ends 2 pixels above it.
  EXPECT_EQ(PlaceCityLabels(500, 495, -60, 0, 41, 60, 12, true, 1000, 500).y, 500 - 2 - 25);
  EXPECT_EQ(PlaceCityLabels(500, 495, -60, 0, 41, 60, 12, false, 1000, 500).y, 500 - 2 - 15);
  // Above the dot at the top: the name's top 2 pixels below it.
  EXPECT_EQ(PlaceCityLabels(500, 4, 80, 0, 41, 60, 12, true, 1000, 500).y, 0);
}

TEST(Caption, PositionsAndWorkAreaMargin) {
  const int margin = WorkAreaMargin(2000, 1920);
  EXPECT_EQ(margin, 40);
  EXPECT_EQ(CaptionX(0, 2000, margin, 300), 50);
  EXPECT_EQ(CaptionX(1, 2000, margin, 300), 2000 - 40 - 10 - 300);
  EXPECT_EQ(CaptionX(2, 2000, margin, 301), 849);
  EXPECT_EQ(CaptionX(7, 2000, margin, 300), 50);
  EXPECT_EQ(WorkAreaMargin(800, 1920), 0);
  EXPECT_EQ(WorkAreaMargin(1920, 1920), 0);
}

CityEntry Entry(const char* name, int lat, int lon, double tzdHours = 0) {
  CityEntry e;
  e.setName(name);
  e.lat = lat;
  e.lon = {lon};
  e.tzd = tzdHours / 24;
  return e;
}

// The slots as the program fills them, every city chosen by its name.
void Show(WorldMap& map, std::span<const CityEntry> cities) {
  std::vector<std::string> names;
  for (const CityEntry& c : cities) names.push_back(c.name());
  BuildDisplayCities(names, cities, map.displayCities());
}

TEST(HoverHint, PointerPositionAndWrap) {
  struct Case {
    int px, py;
    double dpp;
    int view;
    int lat, lon;
  } cases[] = {
      {400, 200, 0.45, 0, 0, 0},      {0, 0, 0.45, 0, 90, 180},
      {0, 200, 0.45, 1, 0, -90},       // 270 wraps to 90 E
      {799, 399, 0.45, 0, -90, -180},  // 180 - 359.55 = -179.55 -> -180
      {10, 100, 0.9, 2, 0, 11},        // 20 - 9
      {799, 200, 0.45, 2, 0, -160},    // 20 - 359.55 = -339.55 -> -340 -> 20
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.px << "," << c.py << " view " << c.view);
    const LatLonInt p = PointerToLatLon(c.px, c.py, c.dpp, c.view);
    EXPECT_EQ(p.lat, c.lat);
    if (c.px == 799 && c.view == 2) {
      EXPECT_EQ(p.lon, 20);
    } else {
      EXPECT_EQ(p.lon, c.lon);
    }
  }
}

TEST(HoverHint, NearestCityBelowSixteenDegreesFirstWins) {
  const std::vector<CityEntry> table{Entry("Alpha, A", 10, 10), Entry("Beta, B", 0, 5),
                                     Entry("Gamma, C", 5, 0), Entry("Far, F", 60, 100)};
  EXPECT_EQ(NearestCityIndex(table, {0, 0}), 1);  // Beta and Gamma both 5: the first found
  EXPECT_EQ(NearestCityIndex(table, {10, 11}), 0);
  EXPECT_EQ(NearestCityIndex(table, {60, 115}), 3);   // 15
  EXPECT_EQ(NearestCityIndex(table, {60, 116}), -1);  // 16 is too far
  EXPECT_EQ(NearestCityIndex(table, {-40, 0}), -1);
  // No wrap across 180: 179 W and 179 E are 358 apart.
  EXPECT_EQ(NearestCityIndex(std::vector<CityEntry>{Entry("Edge", 0, 179)}, {0, -179}), -1);
}

TEST(HoverHint, TextIsFullNameLineBreakAndCityTime) {
  const std::vector<CityEntry> table{Entry("Tokyo, Japan", 36, -140, 9)};
  std::vector<std::pair<std::string, DateTime>> asked;
  const DateTimeFormatter fmt = [&](std::string_view pattern, DateTime t) {
    asked.emplace_back(std::string(pattern), t);
    return std::string("TIME");
  };
  const double dpp = DegreesPerPixel(800);
  const DateTime now = EncodeDate(2026, 3, 20) + 0.25;
  // Tokyo at px = (180 + 140) / 0.45 = 711, py = (90 - 36) / 0.45 = 120.
  EXPECT_EQ(MapHintText(table, 711, 120, dpp, 0, false, now, -1.0 / 24, fmt), "Tokyo, Japan\nTIME");
  EXPECT_EQ(asked.back().first, "t");
  EXPECT_DOUBLE_EQ(asked.back().second, now - 1.0 / 24 + 9.0 / 24);
  EXPECT_EQ(MapHintText(table, 711, 120, dpp, 0, true, now, 0, fmt), "Tokyo, Japan\nTIME");
  EXPECT_EQ(asked.back().first, "ddd d, t");
  EXPECT_EQ(MapHintText(table, 100, 120, dpp, 0, true, now, 0, fmt), "");
}

TEST(DateLine, CrossesTheEdgeOnlyInTheEuropeView) {
  const auto europe = DateLinePolylines(0);
  ASSERT_EQ(europe.size(), 3u);
  EXPECT_EQ(europe[0].back().lon, 180);
  EXPECT_EQ(europe[1].front().lon, -179.9);
  EXPECT_EQ(europe[2].front().lat, 48);
  EXPECT_EQ(europe[2].back().lat, -90);
  const auto america = DateLinePolylines(1);
  ASSERT_EQ(america.size(), 1u);
  EXPECT_EQ(america[0].size(), 16u);
}

// ---- drawing ----

class Overlay : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!QGuiApplication::instance()) {
      static int argc = 1;
      static char arg0[] = "map_tests";
      static char* argv[] = {arg0, nullptr};
      app_ = new QGuiApplication(argc, argv);
    }
  }

  void SetUp() override {
    // One folder per test process: CTest runs the tests of this suite in parallel.
    dir_ = fs::temp_directory_path() / ("wc-map-overlay-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    for (const char* f : {"dot.ico", "sun1.ico"})
      fs::copy_file(fs::path(WC_SOURCE_DIR) / "data" / f, dir_ / f);
    base_ = QImage(2048, 1024, QImage::Format_RGB32);
    base_.fill(qRgb(0, 0, 80));
  }
  void TearDown() override { fs::remove_all(dir_); }

  WorldMap MakeMap() {
    WorldMap map(dir_.string() + "/");
    map.setUtcOffsetSource([] { return -2.0 / 24; });
    map.setFormatter([this](std::string_view pattern, DateTime t) {
      asked_.emplace_back(std::string(pattern), t);
      return std::string("Wed 20, 12:00 PM");
    });
    map.overlaySettings().workAreaWidth = 1920;
    return map;
  }

  static QGuiApplication* app_;
  fs::path dir_;
  QImage base_;
  std::vector<std::pair<std::string, DateTime>> asked_;
};
QGuiApplication* Overlay::app_ = nullptr;

int CountColour(const QImage& img, QRgb c) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) n += img.pixel(x, y) == c;
  }
  return n;
}

TEST_F(Overlay, AsksForTheCaptionAndCityTimesWithTheirPatterns) {
  WorldMap map = MakeMap();
  const std::vector<CityEntry> cities{Entry("Paris, France", 49, -2, 1),
                                      Entry("Sydney, Australia", -34, -151, 10)};
  Show(map, cities);
  map.overlaySettings().showDate = true;
  map.overlaySettings().showUtc = true;
  const DateTime now = EncodeDate(2026, 3, 20) + 0.5;
  QImage img(800, 400, QImage::Format_RGB32);
  const MapFont font{QFont("Liberation Sans", 9), Qt::yellow};
  map.DrawMapOverlay(img, base_, true, font, false, now);
  ASSERT_EQ(asked_.size(), 3u);
  EXPECT_EQ(asked_[0].first, "hh:mm AM/PM dd MMMM, yyyy");
  EXPECT_DOUBLE_EQ(asked_[0].second, now - 2.0 / 24);  // UTC
  EXPECT_EQ(asked_[1].first, "ddd d, hh:mm AM/PM");
  EXPECT_DOUBLE_EQ(asked_[1].second, now - 2.0 / 24 + 1.0 / 24);
  EXPECT_DOUBLE_EQ(asked_[2].second, now - 2.0 / 24 + 10.0 / 24);
  EXPECT_GT(CountColour(img, qRgb(255, 255, 0)), 20);  // labels in the font's colour

  asked_.clear();
  map.overlaySettings().showUtc = false;
  map.overlaySettings().showDate = false;
  map.overlaySettings().mapTimeFormat = "HH:mm";
  map.DrawMapOverlay(img, base_, false, font, true, now);
  ASSERT_EQ(asked_.size(), 1u);  // no city times
  EXPECT_EQ(asked_[0].first, "dd MMMM, yyyy");
  EXPECT_DOUBLE_EQ(asked_[0].second, now);
}

TEST_F(Overlay, CaptionKeepsClearOfTheWorkAreaMargin) {
  WorldMap map = MakeMap();  // work area 1920 wide
  map.setNightShading(false);
  QFont font("Liberation Sans");
  font.setPixelSize(16);
  map.windowDateFont() = {font, Qt::white};
  QImage img(2000, 1000, QImage::Format_RGB32);
  const QRgb background = [&] {
    map.overlaySettings().datePosition = 0;
    map.DrawMapOverlay(img, base_, false, MapFont{}, false, 46000.5);
    return img.pixel(1000, 500);
  }();
  auto columns = [&] {
    int first = -1, last = -1;
    for (int x = 0; x < img.width(); ++x) {
      for (int y = 5; y < 40; ++y) {
        if (img.pixel(x, y) != background) {
          if (first < 0) first = x;
          last = x;
          break;
        }
      }
    }
    return std::pair{first, last};
  };
  // Left: 40 + 10; the glyphs' own side bearing may add a pixel or two.
  const auto [left, leftEnd] = columns();
  EXPECT_GE(left, 50);
  EXPECT_LE(left, 53);
  map.overlaySettings().datePosition = 1;
  map.DrawMapOverlay(img, base_, false, MapFont{}, false, 46000.5);
  const auto [rightStart, right] = columns();
  EXPECT_LE(right, 2000 - 40 - 10 + 1);  // the shadow is one pixel right
  EXPECT_GE(right, 2000 - 40 - 10 - 4);
  EXPECT_EQ(right - rightStart, leftEnd - left);
}

TEST_F(Overlay, DateLineAndSun) {
  WorldMap map = MakeMap();
  map.overlaySettings().showDateLine = true;
  map.setMapView(1);
  QImage img(800, 400, QImage::Format_RGB32);
  map.DrawMapOverlay(img, base_, false, MapFont{}, false, EncodeDate(2026, 3, 20) + 0.5);
  // View 1 at 800 wide: 180 W is column 200; the line runs down from the pole.
  for (int y = 0; y <= 33; ++y) EXPECT_EQ(img.pixel(200, y), qRgb(255, 0, 0)) << y;
  // Then along 180 from 48 N to the equator (rows 93 .. 200).
  EXPECT_EQ(img.pixel(200, 150), qRgb(255, 0, 0));
  // The sun icon's yellow is there (night shading on by default).
  int sunny = 0;
  for (int y = 0; y < 400; ++y) {
    for (int x = 0; x < 800; ++x) sunny += qRed(img.pixel(x, y)) > 200 && qBlue(img.pixel(x, y)) < 100;
  }
  EXPECT_GT(sunny, 20);
  map.setNightShading(false);
  map.overlaySettings().showDateLine = false;
  map.DrawMapOverlay(img, base_, false, MapFont{}, false, EncodeDate(2026, 3, 20) + 0.5);
  EXPECT_EQ(CountColour(img, qRgb(255, 0, 0)), 0);
}

TEST_F(Overlay, RedrawOverItsLastDrawingEqualsAFreshDrawing) {
  // A picture kept between drawings gets back only the areas the last
  // drawing covered; every change below must leave it equal to a picture
  // drawn from scratch.
  WorldMap map = MakeMap();
  map.setFormatter([](std::string_view pattern, DateTime t) { return FormatDateTime(pattern, t); });
  QImage base(2048, 1024, QImage::Format_RGB32);
  for (int y = 0; y < base.height(); ++y) {
    for (int x = 0; x < base.width(); ++x) base.setPixel(x, y, qRgb(x * 7 % 256, y * 5 % 256, (x ^ y) % 256));
  }
  std::vector<CityEntry> cities;
  for (int i = 0; i < 40; ++i) {
    cities.push_back(
        Entry(("Place " + std::to_string(i) + ", Land").c_str(), 70 - i * 4, 170 - i * 9, i % 13 - 6));
  }
  Show(map, cities);
  QFont small("Liberation Sans");
  small.setPixelSize(11);
  QFont large("DejaVu Serif");
  large.setPixelSize(19);
  large.setItalic(true);
  MapFont font{small, Qt::yellow};
  map.windowDateFont() = {large, Qt::white};
  bool showTimes = true;
  DateTime now = EncodeDate(2026, 3, 20) + 0.5;
  QImage window(800, 400, QImage::Format_RGB32), other(600, 300, QImage::Format_RGB32);

  const std::vector<std::pair<const char*, std::function<void()>>> steps{
      {"first", [] {}},
      {"a minute later", [&] { now += 1.0 / 1440; }},
      {"a day later", [&] { now += 1; }},
      {"date line", [&] { map.overlaySettings().showDateLine = true; }},
      {"no times", [&] { showTimes = false; }},
      {"times and dates", [&] { showTimes = true, map.overlaySettings().showDate = true; }},
      {"view", [&] { map.setMapView(2); }},
      {"fewer cities", [&] { Show(map, std::span(cities).first(5)); }},
      {"larger font", [&] { font.font = large; }},
      {"caption right", [&] { map.overlaySettings().datePosition = 1; }},
      {"new base map", [&] { base.setPixel(400, 200, qRgb(1, 2, 3)); }},
      {"no sun", [&] { map.setNightShading(false); }},
  };
  for (const auto& [what, change] : steps) {
    SCOPED_TRACE(what);
    change();
    for (QImage* kept : {&window, &other}) {
      map.DrawMapOverlay(*kept, base, showTimes, font, false, now);
      QImage fresh(kept->size(), QImage::Format_RGB32);
      map.DrawMapOverlay(fresh, base, showTimes, font, false, now);
      ASSERT_EQ(*kept, fresh) << kept->width();
    }
  }
}

// The bounding box of the pixels of one colour.
QRect BoxOf(const QImage& img, std::function<bool(QRgb)> wanted) {
  QRect box;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (wanted(img.pixel(x, y))) box |= QRect(x, y, 1, 1);
  return box;
}

// Mean absolute difference of the green channel, 0..255.
double MeanDifference(const QImage& a, const QImage& b) {
  double sum = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) sum += std::abs(qGreen(a.pixel(x, y)) - qGreen(b.pixel(x, y)));
  return sum / (a.width() * a.height());
}

TEST_F(Overlay, APictureForATwiceScreenHasTheSameLayoutAtTwiceThePixels) {
  WorldMap map = MakeMap();
  map.setFormatter([](std::string_view pattern, DateTime t) { return FormatDateTime(pattern, t); });
  map.setNightShading(false);
  // Fine detail, as coastlines have.
  QImage base(2048, 1024, QImage::Format_RGB32);
  for (int y = 0; y < base.height(); ++y)
    for (int x = 0; x < base.width(); ++x) base.setPixel(x, y, qRgb(0, (x / 2 + y / 2) % 2 ? 200 : 40, 90));
  const std::vector<CityEntry> cities{Entry("Paris, France", 49, -2, 1), Entry("Lima, Peru", -12, 77, -5)};
  Show(map, cities);
  QFont font("Liberation Sans");
  font.setPixelSize(11);
  map.windowDateFont() = {font, Qt::white};
  const MapFont labels{font, Qt::yellow};
  const DateTime now = EncodeDate(2026, 3, 20) + 0.5;

  QImage one(800, 400, QImage::Format_RGB32);
  map.DrawMapOverlay(one, base, true, labels, false, now);
  QImage two(1600, 800, QImage::Format_RGB32);
  two.setDevicePixelRatio(2);
  map.DrawMapOverlay(two, base, true, labels, false, now);

  // The same places: the labels' and the caption's boxes, doubled.
  auto yellow = [](QRgb c) { return qRed(c) > 200 && qGreen(c) > 200 && qBlue(c) < 60; };
  auto white = [](QRgb c) { return qRed(c) > 200 && qGreen(c) > 200 && qBlue(c) > 200; };
  for (const auto& colour : {std::function<bool(QRgb)>(yellow), std::function<bool(QRgb)>(white)}) {
    const QRect a = BoxOf(one, colour), b = BoxOf(two, colour);
    ASSERT_FALSE(a.isEmpty());
    EXPECT_NEAR(b.left(), 2 * a.left(), 3);
    EXPECT_NEAR(b.top(), 2 * a.top(), 3);
    EXPECT_NEAR(b.right(), 2 * a.right() + 1, 4);
    EXPECT_NEAR(b.bottom(), 2 * a.bottom() + 1, 4);
  }
  // And sharper than the smaller picture blown up: the fine detail is there.
  const QImage blownUp = one.scaled(1600, 800, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  EXPECT_GT(MeanDifference(two, blownUp), 20);

  // A redraw over the last drawing gives back exactly what that drawing covered.
  const std::vector<std::pair<const char*, std::function<void()>>> steps{
      {"a minute later", [] {}},
      {"date line", [&] { map.overlaySettings().showDateLine = true; }},
      {"caption right", [&] { map.overlaySettings().datePosition = 1; }},
      {"one city", [&] { Show(map, std::span(cities).first(1)); }},
  };
  DateTime later = now;
  for (const auto& [what, change] : steps) {
    SCOPED_TRACE(what);
    change();
    later += 1.0 / 1440;
    map.DrawMapOverlay(two, base, true, labels, false, later);
    QImage fresh(two.size(), QImage::Format_RGB32);
    fresh.setDevicePixelRatio(2);
    map.DrawMapOverlay(fresh, base, true, labels, false, later);
    ASSERT_EQ(two, fresh);
  }
}

TEST_F(Overlay, IconsOnATwiceScreenKeepTheirSizeAndPlaceAndUseTheirLargerPicture) {
  // Only the icons are warm: the base is dark blue, the labels black and white.
  auto warm = [](QRgb c) { return qRed(c) > 150 && qBlue(c) < 100; };
  auto boxIn = [&](const QImage& img, QRect area) {
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x)
        if (warm(img.pixel(x, y))) box |= QRect(x, y, 1, 1);
    return box;
  };
  // A picture only blown up to twice its size is all blocks of 2 x 2 alike
  // (but for the base map's own faint grain where the icon is translucent).
  auto blocky = [](const QImage& img, QRect box) {
    auto near = [](QRgb a, QRgb b) {
      return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) <=
             6;
    };
    for (int y = box.top() & ~1; y < box.bottom(); y += 2)
      for (int x = box.left() & ~1; x < box.right(); x += 2) {
        const QRgb c = img.pixel(x, y);
        if (!near(img.pixel(x + 1, y), c) || !near(img.pixel(x, y + 1), c) ||
            !near(img.pixel(x + 1, y + 1), c))
          return false;
      }
    return true;
  };
  const std::vector<CityEntry> cities{Entry("Novosibirsk, Russia", 55, -83, 7)};
  const QRect dotArea(560, 60, 60, 40), sunArea(370, 170, 60, 60);  // at 800 x 400

  struct Case {
    const char* icons;
    bool sharp;
  } cases[] = {{"shipped, with pictures for 2x", true}, {"one picture each", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.icons);
    if (!c.sharp) {
      for (const char* f : {"dot.ico", "sun1.ico"}) {
        const QImage own(QString::fromStdString((dir_ / f).string()));
        fs::remove(dir_ / f);
        ASSERT_TRUE(own.save(QString::fromStdString((dir_ / f).string()), "ICO"));
      }
    }
    WorldMap map = MakeMap();
    Show(map, cities);
    QImage one(800, 400, QImage::Format_RGB32);
    map.DrawMapOverlay(one, base_, false, MapFont{}, false, EncodeDate(2026, 3, 20) + 0.5);
    QImage two(1600, 800, QImage::Format_RGB32);
    two.setDevicePixelRatio(2);
    map.DrawMapOverlay(two, base_, false, MapFont{}, false, EncodeDate(2026, 3, 20) + 0.5);
    for (const QRect& area : {dotArea, sunArea}) {
      const QRect a = boxIn(one, area);
      const QRect b = boxIn(two, QRect(area.topLeft() * 2, area.size() * 2));
      ASSERT_FALSE(a.isEmpty()) << area.x();
      EXPECT_NEAR(b.left(), 2 * a.left(), 1) << area.x();
      EXPECT_NEAR(b.top(), 2 * a.top(), 1) << area.x();
      EXPECT_NEAR(b.right(), 2 * a.right() + 1, 1) << area.x();
      EXPECT_NEAR(b.bottom(), 2 * a.bottom() + 1, 1) << area.x();
      EXPECT_EQ(blocky(two, b), !c.sharp) << area.x();
    }
  }
}

TEST_F(Overlay, SunIconIsCentredOnTheSubSolarPoint) {
  for (const char* f : {"day.jpg", "night.jpg"})
    fs::copy_file(fs::path(WC_SOURCE_DIR) / "data" / f, dir_ / f);
  WorldMap map = MakeMap();
  auto warm = [](QRgb c) { return qRed(c) > 150 && qBlue(c) < 100; };
  const DateTime instants[] = {
      EncodeDate(2026, 2, 20) + 9.0 / 24, EncodeDate(2026, 6, 21) + 12.0 / 24,
      EncodeDate(2026, 3, 20),  // 178.1 W, 4 pixels from the left edge: on both sides
  };
  for (const DateTime utc : instants) {
    bool ready = false;
    QImage base;
    map.ComposeBaseMapUtc(base, ready, utc);
    const SunPosition sun = ComputeSunPosition(utc);
    for (const int scale : {1, 2}) {
      SCOPED_TRACE(testing::Message() << utc << " at " << scale << "x");
      QImage img(800 * scale, 400 * scale, QImage::Format_RGB32);
      img.setDevicePixelRatio(scale);
      map.DrawMapOverlay(img, base_, false, MapFont{}, false, utc);
      const Projection proj(800, 400, 0);
      const double x = proj.LonToXExact(RadToDeg(sun.longitude)) * scale;
      const double y = proj.LatToYExact(RadToDeg(sun.declination)) * scale;
      // The icon's pixels, taken round the edge to the sun's side of it.
      double left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
      for (int py = 40 * scale; py < img.height(); ++py) {
        for (int px = 0; px < img.width(); ++px) {
          if (!warm(img.pixel(px, py))) continue;
          const double ux = px + img.width() * std::round((x - px) / img.width());
          left = std::min(left, ux);
          right = std::max(right, ux + 1);
          top = std::min(top, static_cast<double>(py));
          bottom = std::max(bottom, py + 1.0);
        }
      }
      ASSERT_LT(left, right);
      EXPECT_NEAR(right - left, 16 * scale, 2 * scale);
      EXPECT_NEAR((left + right) / 2, x, 1.0);
      EXPECT_NEAR((top + bottom) / 2, y, 1.0);
    }
  }
}

TEST_F(Overlay, RecompositionBringsEveryKeptPictureToWhatAFreshOneWouldBe) {
  // Only what the moving terminator changed is composed and scaled again:
  // the base map, the window, a 2x window and the wallpaper must each come
  // out exactly as a fresh engine draws them whole.
  for (const char* f : {"day.jpg", "night.jpg"})
    fs::copy_file(fs::path(WC_SOURCE_DIR) / "data" / f, dir_ / f);
  const std::vector<CityEntry> cities{Entry("Paris, France", 49, -2, 1), Entry("Lima, Peru", -12, 77, -5)};
  const MapFont font{QFont("Liberation Sans", 9), Qt::yellow};
  auto pictures = [] {
    std::vector<QImage> p{QImage(800, 400, QImage::Format_RGB32), QImage(1600, 800, QImage::Format_RGB32),
                          QImage(1920, 960, QImage::Format_RGB32)};
    p[1].setDevicePixelRatio(2);
    return p;
  };
  WorldMap kept = MakeMap();
  Show(kept, cities);
  std::vector<QImage> keptPictures = pictures();
  DateTime now = EncodeDate(2026, 6, 21) + 0.3;
  const std::vector<std::pair<const char*, std::function<void()>>> steps{
      {"first", [] {}},
      {"five minutes on", [&] { now += 5.0 / 1440; }},
      {"five more", [&] { now += 5.0 / 1440; }},
      {"ten minutes, drawn once",
       [&] {
         bool ready = false;
         kept.ComposeBaseMap(ready, now += 5.0 / 1440);
         now += 5.0 / 1440;
       }},
      {"the same minute", [] {}},
      {"three hours on", [&] { now += 3.0 / 24; }},
      {"another view", [&] { kept.setMapView(2); }},
      {"five minutes in it", [&] { now += 5.0 / 1440; }},
      {"no shading", [&] { kept.setNightShading(false); }},
      {"shading again, a month on", [&] { kept.setNightShading(true), now += 30; }},
  };
  for (const auto& [what, change] : steps) {
    SCOPED_TRACE(what);
    change();
    bool ready = false;
    kept.ComposeBaseMap(ready, now);
    ASSERT_TRUE(ready);
    WorldMap fresh = MakeMap();
    Show(fresh, cities);
    fresh.setMapView(kept.mapView());
    fresh.setNightShading(kept.nightShading());
    fresh.ComposeBaseMap(ready, now);
    ASSERT_EQ(kept.baseMap(), fresh.baseMap());
    std::vector<QImage> freshPictures = pictures();
    for (std::size_t i = 0; i < keptPictures.size(); ++i) {
      kept.DrawMapOverlay(keptPictures[i], kept.baseMap(), true, font, i == 2, now);
      fresh.DrawMapOverlay(freshPictures[i], fresh.baseMap(), true, font, i == 2, now);
      ASSERT_EQ(keptPictures[i], freshPictures[i]) << keptPictures[i].width();
    }
  }
}

TEST_F(Overlay, MissingCityIconEndsTheDrawingWithAnError) {
  WorldMap map = MakeMap();
  fs::remove(dir_ / "dot.ico");
  const std::vector<CityEntry> cities{Entry("Paris, France", 49, -2, 1)};
  Show(map, cities);
  QImage img(400, 200, QImage::Format_RGB32);
  img.fill(Qt::white);
  EXPECT_THROW(map.DrawMapOverlay(img, base_, true, MapFont{}, false, 46000.5), MapError);
  EXPECT_EQ(img.pixel(200, 150), qRgb(0, 0, 80));  // the map was drawn before
  // Without cities the dot is not needed.
  Show(map, {});
  EXPECT_NO_THROW(map.DrawMapOverlay(img, base_, true, MapFont{}, false, 46000.5));
}

}  // namespace
}  // namespace wc
