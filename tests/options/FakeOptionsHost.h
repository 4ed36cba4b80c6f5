// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Stand-ins for the main window and the system's hot-key registry, recording
// what the options dialog does to them.

#include <array>
#include <optional>
#include <set>
#include <vector>

#include "options/OptionsHost.h"
#include "platform/HotKeyManager.h"

namespace wc::test {

struct FakeHost : OptionsHost {
  bool closeToTray = false;
  bool screenSaver = false;
  QColor background;
  ColouredFont mapDate, mapCity, wallDate, wallCity;
  MapSwitches switches;
  std::array<Cities, 64> cities{};
  WallpaperChecks wallpaperChecks;
  bool wallpaper = false, lookChanged = false;
  std::vector<bool> wallpaperSwitches;
  bool minimized = false, balloon = false;
  std::vector<int> windowSizes;
  int recomposes = 0, redraws = 0;
  std::optional<bool> popupAttached;
  int view = 0;

  void setCloseToTray(bool on) override { closeToTray = on; }
  void showScreenSaverState(bool on) override { screenSaver = on; }
  void setBackgroundColour(const QColor& c) override { background = c; }
  void setMapFonts(const ColouredFont& d, const ColouredFont& c) override { mapDate = d, mapCity = c; }
  void applyMapSwitches(const MapSwitches& s) override { switches = s; }
  int mapView() const override { return view; }
  std::span<Cities> displayCities() override { return cities; }
  void applyWallpaperChecks(const WallpaperChecks& w) override {
    wallpaperChecks = w;
    wallpaper = w.wallpaper;
  }
  bool wallpaperOn() const override { return wallpaper; }
  void switchWallpaper(bool on) override {
    wallpaperSwitches.push_back(on);
    wallpaper = on;
  }
  void setWallpaperFonts(const ColouredFont& d, const ColouredFont& c) override {
    wallDate = d, wallCity = c;
  }
  bool wallpaperLookChanged() const override { return lookChanged; }
  void clearWallpaperLookChanged() override { lookChanged = false; }
  bool startMinimized() const override { return minimized; }
  void setStartMinimized(bool on) override { minimized = on; }
  void setBalloon(bool on) override { balloon = on; }
  void doWindowSize(int s) override { windowSizes.push_back(s); }
  void requestMapRecompose() override { ++recomposes; }
  void requestDisplayRedraw() override { ++redraws; }
  void attachPopupMenu(bool on) override { popupAttached = on; }
};

// Registrations that another program may already hold.
struct FakeHotKeys : HotKeyBackend {
  std::set<HotKeyValue> takenElsewhere, held;
  HotKeyReach reachNow = HotKeyReach::Everywhere;
  HotKeyReach reach() const override { return reachNow; }
  std::uint32_t registerHotKey(HotKeyValue v, const std::string&) override {
    if (takenElsewhere.count(v) || held.count(v)) return 0;
    held.insert(v);
    return 0xC000 + static_cast<std::uint32_t>(held.size());
  }
  bool unregisterHotKey(HotKeyValue v, std::uint32_t) override { return held.erase(v) > 0; }
};

}  // namespace wc::test
