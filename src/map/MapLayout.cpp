// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/MapLayout.h"

#include <algorithm>
#include <cstdlib>

#include "core/CityTime.h"
#include "map/MapMath.h"

namespace wc {

MapSize MapSizeFor(int iSize) {
  static constexpr std::array<MapSize, kMapSizeCount> kSizes{{
      {400, 200, "400 x 200"},
      {480, 240, "480 x 240"},
      {600, 300, "600 x 300"},
      {800, 400, "800 x 400"},
      {1000, 500, "1000 x 500"},
      {1200, 600, "1200 x 600"},
      {1600, 800, "1600 x 800"},
      {1800, 900, "1800 x 900"},
      {2000, 1000, "2000 x 1000"},
  }};
  return iSize >= 0 && iSize < kMapSizeCount ? kSizes[iSize] : kSizes[0];
}

double DegreesPerPixel(int mapWidth) { return 360.0 / mapWidth; }

int WorkAreaMargin(int mapWidth, int workAreaWidth) {
  return workAreaWidth < mapWidth ? (mapWidth - workAreaWidth) / 2 : 0;
}

int CaptionX(int position, int mapWidth, int margin, int textWidth) {
  switch (position) {
    case 1:
      return mapWidth - margin - 10 - textWidth;
    case 2:
      return (mapWidth - textWidth) / 2;
    default:
      return margin + 10;
  }
}

namespace {

// A text and its shadow, one pixel right of it.
int KeepInside(int left, int width, int mapWidth) {
  if (left + width + 1 > mapWidth - kLabelMargin) left = mapWidth - kLabelMargin - width - 1;
  if (left < kLabelMargin) left = kLabelMargin;
  return left;
}

}  // namespace

LabelPlacement PlaceCityLabels(int x, int y, int lat, int lon, int nameWidth, int timeWidth, int textHeight,
                               bool showTimes, int mapWidth, int mapHeight) {
  const int limit = lon > 0 ? 40 : lon < -90 ? 35 : 50;
  if (lat > limit || (lat < 0 && lat > -35)) y = showTimes ? y - 2 * textHeight - 2 : y - textHeight - 5;
  // The name's top is at y + 2; the block ends with the time's shadow or
  // the name's.
  const int bottom = showTimes ? y + 2 * textHeight + 1 : y + textHeight + 3;
  if (bottom > mapHeight - kLabelMargin) y -= bottom - (mapHeight - kLabelMargin);
  if (y + 2 < kLabelMargin) y = kLabelMargin - 2;
  return {KeepInside(x - nameWidth / 2, nameWidth, mapWidth),
          KeepInside(x - timeWidth / 2, timeWidth, mapWidth), y};
}

std::vector<std::vector<LatLonPoint>> DateLinePolylines(int view) {
  const bool europe = NormalizeMapView(view) == 0;
  std::vector<std::vector<LatLonPoint>> lines(1);
  lines.back() = {{90, 180}, {75, 180}, {67, 169}, {65, 169}};
  if (europe) {
    lines.back().push_back({58, 180});
    lines.push_back({{58, -179.9}});
  }
  lines.back().push_back({52, -170});
  if (europe) {
    lines.back().push_back({48, -179.9});
    lines.push_back({{48, 180}});
  } else {
    lines.back().push_back({48, 180});
  }
  for (LatLonPoint p : {LatLonPoint{0, 180},
                        {0, 160},
                        {5, 160},
                        {5, 155},
                        {-8, 150},
                        {-8, 177},
                        {-15, 172},
                        {-45, 172},
                        {-50, 180},
                        {-90, 180}}) {
    lines.back().push_back(p);
  }
  return lines;
}

LatLonInt PointerToLatLon(int px, int py, double degreesPerPixel, int view) {
  LatLonInt p;
  p.lat = RoundHalfEven(90 - py * degreesPerPixel);
  p.lon = RoundHalfEven(LeftEdgeLongitude(view) - px * degreesPerPixel);
  if (p.lon > 180) p.lon -= 360;
  if (p.lon < -180) p.lon += 360;
  return p;
}

int NearestCityIndex(std::span<const CityEntry> table, LatLonInt at) {
  int best = -1;
  int bestDistance = 16;
  for (std::size_t i = 0; i < table.size(); ++i) {
    const int d = std::abs(at.lat - table[i].lat) + std::abs(at.lon - table[i].lon.degrees);
    if (d < bestDistance) {
      bestDistance = d;
      best = static_cast<int>(i);
    }
  }
  return best;
}

std::string MapHintText(std::span<const CityEntry> table, int px, int py, double degreesPerPixel, int view,
                        bool showDate, DateTime localNow, double utcOffsetDays,
                        const DateTimeFormatter& format) {
  const int i = NearestCityIndex(table, PointerToLatLon(px, py, degreesPerPixel, view));
  if (i < 0) return {};
  const CityEntry& c = table[i];
  return c.name() + kHintLineBreak +
         format(showDate ? "ddd d, t" : "t", CityLocalTime(c, localNow, utcOffsetDays));
}

}  // namespace wc
