// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the options dialog reads from and applies to the main window. The
// dialog is the program's loader of stored settings: at start-up and before
// every showing it brings the main window back to them, and its "OK" hands
// the changed ones over. The main window implements this (its own state is
// private to it otherwise); tests use a fake.

#include <QColor>
#include <span>

#include "core/City.h"
#include "platform/FontRecordQt.h"

namespace wc {

class OptionsHost {
 public:
  virtual ~OptionsHost() = default;

  // "Minimize to system tray when Closed", which the main window's close
  // consults.
  virtual void setCloseToTray(bool on) = 0;
  // "SetScreenSave": the screen-saver menu entry's check and caption and the
  // tool button's pressed state.
  virtual void showScreenSaverState(bool on) = 0;
  virtual void setBackgroundColour(const QColor& colour) = 0;
  // The window map's date caption font and city label font.
  virtual void setMapFonts(const ColouredFont& date, const ColouredFont& city) = 0;

  struct MapSwitches {
    bool showDate = false;
    bool showTips = true;
    bool showUtc = false;
    int mapView = 0;
    bool showShadow = true;
    bool showDateLine = false;
  };
  // The menu checks, tool buttons and map settings of these switches.
  virtual void applyMapSwitches(const MapSwitches& switches) = 0;
  virtual int mapView() const = 0;

  // The map's 64 displayed-city slots.
  virtual std::span<Cities> displayCities() = 0;

  struct WallpaperChecks {
    bool wallpaper = false;
    bool fullHeight = false;
    bool showTimes = true;
    bool removeOnExit = true;
  };
  // The wallpaper switches, as stored.
  virtual void applyWallpaperChecks(const WallpaperChecks& checks) = 0;
  // "Show World Map as Wallpaper".
  virtual bool wallpaperOn() const = 0;
  // Turns the map as wallpaper on or off, or, when it stays on, draws it
  // anew if its look changed (SwitchWallpaper in app/Commands.h decides).
  virtual void switchWallpaper(bool on) = 0;
  virtual void setWallpaperFonts(const ColouredFont& date, const ColouredFont& city) = 0;
  // Set by the wallpaper font commands; the next "OK" then refreshes the wallpaper.
  virtual bool wallpaperLookChanged() const = 0;
  virtual void clearWallpaperLookChanged() = 0;

  virtual bool startMinimized() const = 0;
  virtual void setStartMinimized(bool on) = 0;
  // The balloon flag; the tray icon shows while it is off.
  virtual void setBalloon(bool on) = 0;
  // Resizes the main window to the map size of a "Window Size" value.
  virtual void doWindowSize(int windowSize) = 0;
  virtual void requestMapRecompose() = 0;
  virtual void requestDisplayRedraw() = 0;
  // The map's right-click pop-up menu.
  virtual void attachPopupMenu(bool attached) = 0;
};

}  // namespace wc
