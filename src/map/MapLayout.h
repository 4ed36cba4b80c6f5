// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the map overlay places where, and the map's hover hint, free of Qt so
// that every rule can be checked without painting: the window map sizes, the
// Display Cities shown, label placement, the caption's place, the date line's
// course and the pointer-to-city look-up.

#include <array>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/City.h"
#include "core/DateTime.h"

namespace wc {

// Formats t with a date/time pattern of the program's pattern language
// ("hh:mm AM/PM", "ddd d, t", ...). The map asks its owner for every text so
// that locale and settings stay outside the module.
using DateTimeFormatter = std::function<std::string(std::string_view pattern, DateTime t)>;

// ---- Window map sizes ("Window Size") ----

struct MapSize {
  int width;
  int height;
  const char* caption;  // the menu entry, "800 x 400"
};
inline constexpr int kMapSizeCount = 9;
// 0..8 give 400 x 200 ... 2000 x 1000; any other value gives 400 x 200.
MapSize MapSizeFor(int iSize);
// The tooltip's scale: 360 / the map width.
double DegreesPerPixel(int mapWidth);

// ---- Display Cities ----

inline constexpr int kDisplayCitySlots = 64;
// Slot k of the behaviour is element k - 1. Drawing stops at the first slot
// with an empty name. core's BuildDisplayCities fills them.
using DisplayCities = std::array<Cities, kDisplayCitySlots>;

// ---- Overlay placement ----

// Half the amount by which the map is wider than the screen's work area, so
// the caption stays on the visible part of an over-wide wallpaper.
int WorkAreaMargin(int mapWidth, int workAreaWidth);

// Caption column for "Desktop Date/Time Position": 1 right, 2 centre, any
// other value left.
int CaptionX(int position, int mapWidth, int margin, int textWidth);

// Where one city's labels go, from its dot at (x, y).
struct LabelPlacement {
  int nameX;  // name drawn at (nameX, y + 2), its shadow at (nameX + 1, y + 3)
  int timeX;  // time drawn at (timeX, y + textHeight), shadow one pixel right and down
  int y;      // y of the dot, or moved up when the labels go above it
};
// Labels go above the dot north of a latitude limit that depends on the
// longitude (40 west of Greenwich, 35 east of 90 E, 50 between) and between
// 0 and 35 S; otherwise they hang below. Each text is centred on the dot;
// the texts with their shadows stay kLabelMargin inside the map's edges.
inline constexpr int kLabelMargin = 2;
LabelPlacement PlaceCityLabels(int x, int y, int lat, int lon, int nameWidth, int timeWidth, int textHeight,
                               bool showTimes, int mapWidth, int mapHeight);

// The international date line as (latitude, west-positive longitude)
// polylines; a new polyline starts where the pen jumps. In view 0 the line is
// cut where it crosses the map's side edges.
struct LatLonPoint {
  double lat;
  double lon;
};
std::vector<std::vector<LatLonPoint>> DateLinePolylines(int view);

// ---- Hover hint ----

struct LatLonInt {
  int lat;
  int lon;  // west positive, -180 .. 180
};
// The whole-degree position under the pointer of a map in `view`.
LatLonInt PointerToLatLon(int px, int py, double degreesPerPixel, int view);
// The first city with the smallest |dlat| + |dlon| (no wrap across 180), when
// that sum is below 16; -1 otherwise.
int NearestCityIndex(std::span<const CityEntry> table, LatLonInt at);
// "name" + line break + the city's time ("ddd d, t" with Show Date, else
// "t"), or empty when no city is near the pointer.
std::string MapHintText(std::span<const CityEntry> table, int px, int py, double degreesPerPixel, int view,
                        bool showDate, DateTime localNow, double utcOffsetDays,
                        const DateTimeFormatter& format);
// The hint's line break (the toolkit's tooltips break lines on LF).
inline constexpr char kHintLineBreak = '\n';

}  // namespace wc
