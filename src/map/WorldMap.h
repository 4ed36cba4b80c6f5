// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The world map engine: the base map for an instant (day picture, night
// picture where the sun has set, a blended twilight band) and the overlay
// drawn on a scaled copy of it (date line, date caption, cities with their
// times, the sun). QtGui only; no widgets.
//
// One WorldMap is owned by whoever shows the map (the main window). Typical
// use:
//
//   WorldMap map;                        // paths from ProgramFolder()
//   map.setMapView(view);                // "Map View", 0..2
//   map.setNightShading(on);             // "Show Shadow"
//   map.setFormatter(...);               // pattern -> text in the user's locale
//   BuildDisplayCities(names, table, map.displayCities());   // core/DisplayCities.h
//   ...
//   if (!map.BaseMapBusy()) map.ComposeBaseMap(mapReady, TickNow);   // every 5 minutes
//   if (mapReady) map.DrawMapOverlay(display, map.baseMap(), showTimes,
//                                    cityFont, /*forWallpaper=*/false, TickNow);
//
// The wallpaper draws the same overlay at its own size with its own fonts,
// DrawMapOverlay(wall, map.baseMap(), showTimes, map.wallpaperCityFont(),
// true, TickNow), and writes it with EncodeBmp24 (map/Bmp.h). The map's
// hover hint is MapHintText (map/MapLayout.h) with DegreesPerPixel of the
// window's map width and mapView(); it needs no engine state.
//
// A failure to read the day picture throws MapFatalError: the program must
// show its message (title: application title + kFatalErrorTitleSuffix) and
// end. A missing night picture switches night shading off in memory only;
// nightShading() tells the caller. Missing icons throw MapError from the
// overlay, which keeps what it had drawn.

#include <QColor>
#include <QFont>
#include <QImage>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "core/DateTime.h"
#include "map/MapLayout.h"
#include "map/MapMath.h"

namespace wc {

class BaseMapChanges;
class IlluminationMask;
class TwilightCache;

class MapError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The day picture could not be read or decoded; what() is the whole message.
class MapFatalError : public MapError {
 public:
  using MapError::MapError;
};
inline constexpr const char* kFatalErrorTitleSuffix = " - Fatal Error";
// "This application has failed to start because <path> could not be loaded.
// Re-installing the application may fix this problem."
std::string DayImageFatalMessage(const std::string& path);

// A display font: the face and the colour its text is drawn in.
struct MapFont {
  QFont font;
  QColor color = Qt::white;
};

// A font chosen for pictures as wide as the screen, for a picture only
// pictureWidth wide (a screen saver's preview window): smaller in proportion,
// so the labels keep their places relative to the map instead of piling up,
// but never below kSmallestOverlayScale of its size, where text stops being
// readable. A picture as wide as the screen or wider keeps the font.
inline constexpr double kSmallestOverlayScale = 0.58;
MapFont OverlayFontFor(const MapFont& font, int pictureWidth, int screenWidth);

// The stored settings the overlay reads; the owner keeps them current.
struct OverlaySettings {
  bool showDateLine = false;                  // "Show Date Line"
  bool showDate = false;                      // "Show Date": weekday and day before city times
  bool showUtc = false;                       // "Show UTC": the caption shows UTC
  int datePosition = 0;                       // "Desktop Date/Time Position": 0 left, 1 right, 2 centre
  std::string mapTimeFormat = "hh:mm AM/PM";  // "MapTimeFormat"
  // Width of the screen's work area; 0 asks the primary screen (none under
  // some platforms, then no margin).
  int workAreaWidth = 0;
};

// The largest picture a map layer may come from.
inline constexpr int kMaxLayerWidth = 16384;
inline constexpr int kMaxLayerHeight = 8192;

// Decodes a JPEG file to Format_RGB32; a null image when the file cannot be
// read or decoded, or is larger than kMaxLayerWidth x kMaxLayerHeight.
QImage DecodeJpegFile(const std::string& path);

// Reads a JPEG into a layer of the working size (2048 x 1024), rotated right
// for `view`. Anything not already 2048 x 1024 is resampled to it first. The
// layer's memory is reused when it already has that size, so the picture is
// decoded straight into it: false when the file cannot be read or decoded,
// and the layer may then hold part of a picture.
bool LoadMapImage(const std::string& path, QImage& layer, int view);

class WorldMap {
 public:
  // day.jpg, night.jpg, dot.ico and sun1.ico are read from programFolder
  // (which ends with a separator).
  explicit WorldMap(std::string programFolder);
  WorldMap();
  ~WorldMap();
  WorldMap(WorldMap&&) noexcept;
  WorldMap& operator=(WorldMap&&) noexcept;

  // ---- base map ----

  int mapView() const { return view_; }
  void setMapView(int view) { view_ = NormalizeMapView(view); }
  bool nightShading() const { return nightShading_; }
  void setNightShading(bool on) { nightShading_ = on; }

  // Builds the base map for the local instant into target (which becomes
  // 2048 x 1024, its memory reused); ready is false while it is rewritten.
  // Layers are decoded on the first call and again only after the view or
  // night shading changed. A target that still holds this engine's last
  // composition has only the pixels that change composed again.
  void ComposeBaseMap(QImage& target, bool& ready, DateTime localNow);
  // The same into the engine's own base map.
  void ComposeBaseMap(bool& ready, DateTime localNow) { ComposeBaseMap(baseMap_, ready, localNow); }
  // The same for a UTC instant (tools, benchmarks).
  void ComposeBaseMapUtc(QImage& target, bool& ready, DateTime utc);
  // A tool that composes one picture and ends keeps no layers: the picture is
  // then composed in the day layer's own memory, and a further composition
  // decodes the pictures again. On by default.
  void setKeepLayers(bool keep) { keepLayers_ = keep; }
  // Starts decoding day.jpg and night.jpg on other threads, so that the first
  // composition finds them ready rather than decoding them itself; the
  // program calls it as it starts. The files are read as they are now.
  void StartLoadingLayers();

  // The engine's own base map; a null image until the first composition.
  const QImage& baseMap() const { return baseMap_; }
  bool BaseMapBusy() const { return busy_; }
  // The sun of the last composition (SunDeclination, SunLongitude).
  SunPosition sun() const { return sun_; }
  // How many times the layers were built so far.
  int layerBuilds() const { return layerBuilds_; }

  const std::string& dayImagePath() const { return dayPath_; }
  const std::string& nightImagePath() const { return nightPath_; }

  // ---- overlay ----

  DisplayCities& displayCities() { return cities_; }
  const DisplayCities& displayCities() const { return cities_; }
  OverlaySettings& overlaySettings() { return overlay_; }
  const OverlaySettings& overlaySettings() const { return overlay_; }
  MapFont& windowDateFont() { return windowDateFont_; }
  MapFont& wallpaperDateFont() { return wallpaperDateFont_; }
  MapFont& wallpaperCityFont() { return wallpaperCityFont_; }
  // FormatDateTime with English names by default; the owner passes one
  // with the user's locale.
  void setFormatter(DateTimeFormatter f) { format_ = std::move(f); }
  // Local time to UTC offset in days; UtcOffsetDays by default.
  void setUtcOffsetSource(std::function<double()> f) { utcOffset_ = std::move(f); }
  double utcOffsetDays() const { return utcOffset_(); }

  // Draws into image (its size already set) the base map scaled to it, the
  // date line, the date caption, the cities of displayCities() and the sun.
  // An image with a device pixel ratio is laid out in its size divided by the
  // ratio and drawn at its full resolution.
  // showTimes is "Desktop Show Times"; cityFont the window's or the
  // wallpaper's city font; forWallpaper picks the wallpaper date font.
  void DrawMapOverlay(QImage& image, const QImage& baseMap, bool showTimes, const MapFont& cityFont,
                      bool forWallpaper, DateTime localNow) const;

 private:
  struct OverlayState;
  struct EarlyLayers;
  void RebuildLayersIfNeeded();
  // An icon of the program folder; throws MapError when it cannot be read.
  const QImage& Icon(const std::string& name, qreal devicePixelRatio) const;

  std::string folder_, dayPath_, nightPath_;
  int view_ = 0;
  bool nightShading_ = true;
  QImage baseMap_;
  QImage dayLayer_, nightLayer_;
  int keyView_ = -1;
  bool keyNight_ = false;
  int layerBuilds_ = 0;
  bool keepLayers_ = true;
  bool busy_ = false;
  SunPosition sun_;
  std::unique_ptr<IlluminationMask> mask_;      // kept between compositions
  std::unique_ptr<IlluminationMask> lastMask_;  // the one before
  // The target's cacheKey right after the last composition (0 when it
  // cannot be brought up to date in place), and whether it was shaded.
  qint64 composedKey_ = 0;
  bool composedShaded_ = false;
  std::unique_ptr<BaseMapChanges> changes_;
  std::unique_ptr<TwilightCache> twilight_;
  std::unique_ptr<EarlyLayers> early_;

  DisplayCities cities_{};
  OverlaySettings overlay_;
  MapFont windowDateFont_, wallpaperDateFont_, wallpaperCityFont_;
  DateTimeFormatter format_;
  std::function<double()> utcOffset_;
  // Kept between drawings: the scaled base map, the texts laid out, the icons.
  mutable std::unique_ptr<OverlayState> overlayState_;
};

}  // namespace wc
