#include "app/MainWindowOptions.h"

#include <QSystemTrayIcon>

#include "app/Routes.h"
#include "app/WorldClock.h"

namespace wc {

namespace {
MapFont ToMapFont(const ColouredFont& f) { return MapFont{f.font, f.color}; }
}  // namespace

void TMainWindowOptions::setCloseToTray(bool on) { w_.closeToTray = on; }
void TMainWindowOptions::showScreenSaverState(bool on) { w_.setScreenSaverChecked(on); }
void TMainWindowOptions::setBackgroundColour(const QColor& colour) { w_.setBackgroundColour(colour); }

void TMainWindowOptions::setMapFonts(const ColouredFont& date, const ColouredFont& city) {
  w_.worldMap().windowDateFont() = ToMapFont(date);
  w_.displayMapFont() = ToMapFont(city);
}

void TMainWindowOptions::applyMapSwitches(const MapSwitches& s) {
  w_.setShowDateChecked(s.showDate);
  w_.setShowTipsChecked(s.showTips);
  w_.setShowUtcChecked(s.showUtc);
  w_.setMapView(s.mapView);
  w_.setShadingChecked(s.showShadow);
  w_.setShowDateLineChecked(s.showDateLine);
}

int TMainWindowOptions::mapView() const { return w_.worldMap().mapView(); }
std::span<TCities> TMainWindowOptions::displayCities() { return w_.worldMap().displayCities(); }

void TMainWindowOptions::applyWallpaperChecks(const WallpaperChecks& c) {
  w_.setWallpaperChecked(c.wallpaper);
  w_.setFullHeightChecked(c.fullHeight);
  w_.setShowTimesChecked(c.showTimes);
  w_.setRemoveOnExitChecked(c.removeOnExit);
}

bool TMainWindowOptions::wallpaperMenuChecked() const { return w_.wallpaperMenuChecked(); }
void TMainWindowOptions::setWallpaperFlag(bool on) { w_.wallpaperOn = on; }

void TMainWindowOptions::setWallpaperFonts(const ColouredFont& date, const ColouredFont& city) {
  w_.worldMap().wallpaperDateFont() = ToMapFont(date);
  w_.worldMap().wallpaperCityFont() = ToMapFont(city);
}

bool TMainWindowOptions::wallpaperLookChanged() const { return w_.wallpaperLook; }
void TMainWindowOptions::clearWallpaperLookChanged() { w_.wallpaperLook = false; }

void TMainWindowOptions::requestWallpaperUpdate() {
  TickRequests r;
  r.wallpaperUpdate = true;
  w_.requestRedraw(r);
}

void TMainWindowOptions::removeWallpaper() { ClearWallpaper(w_); }
bool TMainWindowOptions::startMinimized() const { return w_.startMinimized; }
void TMainWindowOptions::setStartMinimized(bool on) { w_.startMinimized = on; }

void TMainWindowOptions::setBalloon(bool on) {
  w_.showBalloon = on;
  w_.trayIcon()->setVisible(!on);
}

void TMainWindowOptions::doWindowSize(int windowSize) { w_.DoWindowSize(windowSize); }

void TMainWindowOptions::requestMapRecompose() {
  TickRequests r;
  r.mapRecompose = true;
  w_.requestRedraw(r);
}

void TMainWindowOptions::requestDisplayRedraw() {
  TickRequests r;
  r.displayRedraw = true;
  w_.requestRedraw(r);
}

void TMainWindowOptions::attachPopupMenu(bool attached) { w_.setPopupOnMap(attached); }

}  // namespace wc
