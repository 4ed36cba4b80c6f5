#include "options/InitSettings.h"

#include <QApplication>
#include <QMessageBox>

#include "app/Routes.h"
#include "app/SettingsAccess.h"
#include "app/WorldClock.h"
#include "core/CityDatabase.h"
#include "core/DisplayCities.h"
#include "core/SettingsTable.h"

namespace wc {

namespace {

// The faces the map was designed with, for an account that has stored none.
MapFont DesignFont(int pixelSize, bool bold, QColor color) {
  MapFont f;
  f.font = QFont(QStringLiteral("Arial"));
  f.font.setPixelSize(pixelSize);
  f.font.setBold(bold);
  f.color = color;
  return f;
}

}  // namespace

void LoadCityData(TWorldClock& w) {
  const XmlLoadResult r = CityTable::instance().load(CityDataPath());
  if (!r.ok() && !r.error.empty()) {
    QMessageBox::warning(&w, QStringLiteral("Warning"), QString::fromStdString(r.error));
  }
}

void InitSettings(TWorldClock& w) {
  // Start at login is shown by the options dialog alone; nothing of it
  // reaches the main window.
  w.closeToTray = ReadSwitchOrReport(kCloseToTray);
  w.setPopupOnMap(ReadSwitchOrReport(kShowPopup));
  w.setScreenSaverChecked(ReadIntegerOrReport(kSetScreenSave) != 0);
  w.setBackgroundColour(Qt::black);  // the colour of the options dialog's preview panel

  WorldMap& map = w.worldMap();
  map.windowDateFont() = DesignFont(16, true, Qt::white);
  ReadFontOrReport(kDateTimeFont, map.windowDateFont());
  w.displayMapFont() = DesignFont(11, true, QColor(0xff, 0xff, 0x80));
  ReadFontOrReport(kCityTimesFont, w.displayMapFont());

  w.setShowDateChecked(ReadSwitchOrReport(kShowDate));
  w.setShowTipsChecked(ReadSwitchOrReport(kShowTips));
  w.showUtc = ReadSwitchOrReport(kShowUtc);
  w.setMapView(ReadIntegerOrReport(kMapView));
  w.setShadingChecked(ReadSwitchOrReport(kShowShadow));
  w.setShowDateLineChecked(ReadSwitchOrReport(kShowDateLine));

  std::vector<std::string> displayCities = ReadListOrReport(kDisplayCities);
  SortListOrder(displayCities);
  w.showBalloon = ReadSwitchOrReport(kShowBalloon);
  BuildDisplayCities(displayCities, CityTable::instance().entries(), map.displayCities());

  w.setWallpaperChecked(ReadSwitchOrReport(kDesktopWallpaper));
  w.setFullHeightChecked(ReadSwitchOrReport(kDesktopFullHeight));
  w.desktopShowTimes = ReadSwitchOrReport(kDesktopShowTimes);
  w.setRemoveOnExitChecked(ReadSwitchOrReport(kDesktopRemoveOnExit));
  map.wallpaperDateFont() = DesignFont(24, true, Qt::white);
  ReadFontOrReport(kDesktopDateTimeFont, map.wallpaperDateFont());
  map.wallpaperCityFont() = DesignFont(13, true, QColor(0xff, 0xff, 0x80));
  ReadFontOrReport(kDesktopCityTimesFont, map.wallpaperCityFont());

  RegisterHotKeys(w);

  QApplication::processEvents();
  w.DoWindowSize(ReadIntegerOrReport(kWindowSize));
  QApplication::processEvents();

  w.wallpaperLook = false;
}

}  // namespace wc
