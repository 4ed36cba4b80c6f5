// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The main window as the options dialog sees it: what the dialog's loading
// applies to the window and what its "OK" reads back.

#include "options/OptionsHost.h"

namespace wc {

class MainWindow;

class MainWindowOptions final : public OptionsHost {
 public:
  explicit MainWindowOptions(MainWindow& w) : w_(w) {}

  void setCloseToTray(bool on) override;
  void showScreenSaverState(bool on) override;
  void setBackgroundColour(const QColor& colour) override;
  void setMapFonts(const ColouredFont& date, const ColouredFont& city) override;
  void applyMapSwitches(const MapSwitches& switches) override;
  int mapView() const override;
  std::span<Cities> displayCities() override;
  void applyWallpaperChecks(const WallpaperChecks& checks) override;
  bool wallpaperMenuChecked() const override;
  void setWallpaperFlag(bool on) override;
  void setWallpaperFonts(const ColouredFont& date, const ColouredFont& city) override;
  bool wallpaperLookChanged() const override;
  void clearWallpaperLookChanged() override;
  void requestWallpaperUpdate() override;
  void removeWallpaper() override;
  bool startMinimized() const override;
  void setStartMinimized(bool on) override;
  void setBalloon(bool on) override;
  void doWindowSize(int windowSize) override;
  void requestMapRecompose() override;
  void requestDisplayRedraw() override;
  void attachPopupMenu(bool attached) override;

 private:
  MainWindow& w_;
};

}  // namespace wc
