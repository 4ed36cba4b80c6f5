// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/MainWindowOptions.h"

#include <QSystemTrayIcon>

#include "app/MainWindow.h"
#include "app/Routes.h"

namespace wc {

namespace {
MapFont ToMapFont(const ColouredFont& f) { return MapFont{f.font, f.color}; }
}  // namespace

void MainWindowOptions::setCloseToTray(bool on) { w_.closeToTray = on; }
void MainWindowOptions::showScreenSaverState(bool on) { w_.setScreenSaverChecked(on); }
void MainWindowOptions::setBackgroundColour(const QColor& colour) { w_.setBackgroundColour(colour); }

void MainWindowOptions::setMapFonts(const ColouredFont& date, const ColouredFont& city) {
  w_.worldMap().windowDateFont() = ToMapFont(date);
  w_.displayMapFont() = ToMapFont(city);
}

void MainWindowOptions::applyMapSwitches(const MapSwitches& s) {
  w_.setShowDateChecked(s.showDate);
  w_.setShowTipsChecked(s.showTips);
  w_.setShowUtcChecked(s.showUtc);
  w_.setMapView(s.mapView);
  w_.setShadingChecked(s.showShadow);
  w_.setShowDateLineChecked(s.showDateLine);
}

int MainWindowOptions::mapView() const { return w_.worldMap().mapView(); }
std::span<Cities> MainWindowOptions::displayCities() { return w_.worldMap().displayCities(); }

void MainWindowOptions::applyWallpaperChecks(const WallpaperChecks& c) {
  w_.setWallpaperChecked(c.wallpaper);
  w_.setFullHeightChecked(c.fullHeight);
  w_.setShowTimesChecked(c.showTimes);
  w_.setRemoveOnExitChecked(c.removeOnExit);
}

bool MainWindowOptions::wallpaperMenuChecked() const { return w_.wallpaperMenuChecked(); }
void MainWindowOptions::setWallpaperFlag(bool on) { w_.wallpaperOn = on; }

void MainWindowOptions::setWallpaperFonts(const ColouredFont& date, const ColouredFont& city) {
  w_.worldMap().wallpaperDateFont() = ToMapFont(date);
  w_.worldMap().wallpaperCityFont() = ToMapFont(city);
}

bool MainWindowOptions::wallpaperLookChanged() const { return w_.wallpaperLook; }
void MainWindowOptions::clearWallpaperLookChanged() { w_.wallpaperLook = false; }

void MainWindowOptions::requestWallpaperUpdate() {
  TickRequests r;
  r.wallpaperUpdate = true;
  w_.requestRedraw(r);
}

void MainWindowOptions::removeWallpaper() { ClearWallpaper(w_); }
bool MainWindowOptions::startMinimized() const { return w_.startMinimized; }
void MainWindowOptions::setStartMinimized(bool on) { w_.startMinimized = on; }

void MainWindowOptions::setBalloon(bool on) {
  w_.showBalloon = on;
  w_.trayIcon()->setVisible(!on);
}

void MainWindowOptions::doWindowSize(int windowSize) { w_.DoWindowSize(windowSize); }

void MainWindowOptions::requestMapRecompose() {
  TickRequests r;
  r.mapRecompose = true;
  w_.requestRedraw(r);
}

void MainWindowOptions::requestDisplayRedraw() {
  TickRequests r;
  r.displayRedraw = true;
  w_.requestRedraw(r);
}

void MainWindowOptions::attachPopupMenu(bool attached) { w_.setPopupOnMap(attached); }

}  // namespace wc
