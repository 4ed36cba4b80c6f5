// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Loading the stored settings into the options dialog and the main window,
// and storing them back.

#include <QCheckBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

#include "core/Autostart.h"
#include "core/CityFile.h"
#include "core/CityTable.h"
#include "core/DisplayCities.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "options/HotKeyEdit.h"
#include "options/OptionsDialog.h"
#include "platform/FontRecordQt.h"

namespace wc {

namespace {

constexpr std::size_t kBalloonCityLimit = 8;

// Reads of the settings key for one load: a stored value the program cannot
// use is reported once, with the others, and its default is used, so that
// one bad value does not leave the rest of the settings unapplied.
class Reader {
 public:
  std::int32_t integer(const char* name) {
    try {
      return SettingInteger(name);
    } catch (const SettingsError& e) {
      errors_ << QString::fromStdString(e.what());
      return DefaultInteger(name);
    }
  }
  bool on(const char* name) { return IsSwitchOn(integer(name)); }
  std::string text(const char* name) {
    try {
      return SettingText(name);
    } catch (const SettingsError& e) {
      errors_ << QString::fromStdString(e.what());
      return std::string(DefaultText(name));
    }
  }
  std::vector<std::string> list(const char* name) {
    std::vector<std::string> out;
    try {
      ReadStringListSetting(kSettingsKey, name, out);
    } catch (const SettingsError& e) {
      errors_ << QString::fromStdString(e.what());
      out.clear();
    }
    return out;
  }
  void font(const char* name, FontRecord& holder) {
    try {
      ReadFontSetting(kSettingsKey, name, holder);
    } catch (const SettingsError& e) {
      errors_ << QString::fromStdString(e.what());
    }
  }
  const QStringList& errors() const { return errors_; }

 private:
  QStringList errors_;
};

ColouredFont Holder(const FontRecord& r) { return FontFromRecord(r); }

void StoreSwitch(const char* name, bool on) { WriteIntegerSetting(kSettingsKey, name, on ? 1 : 0); }

FontRecord DesignFont(int pixels, bool bold) {
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(pixels);
  f.setBold(bold);
  return RecordFromFont(f, Qt::white);
}

}  // namespace

void OptionsDialog::FormCreate() {
  // The display fonts as designed, kept while nothing valid is stored.
  dateFont_ = DesignFont(14, true);
  cityFont_ = DesignFont(11, false);
  desktopDateFont_ = DesignFont(18, true);
  desktopCityFont_ = DesignFont(12, false);

  // LoadCityData: the loaded city table, and every name in "All cities".
  CityTable& table = CityTable::instance();
  const XmlLoadResult loaded = table.load(CityDataPath());
  if (!loaded.error.empty())
    QMessageBox::warning(parentWidget(), QStringLiteral("Warning"), QString::fromStdString(loaded.error));
  lbAllCities2->clear();
  std::vector<std::string> names = table.names();
  SortListOrder(names);
  // One insertion for all rows: adding them one by one costs as much as reading the file.
  QStringList items;
  items.reserve(static_cast<qsizetype>(names.size()));
  for (const std::string& name : names) items.append(QString::fromStdString(name));
  lbAllCities2->addItems(items);

  InitSettings();
}

bool OptionsDialog::readStartAtLogin() const { return IsStartAtLoginOn(exePath_); }

void OptionsDialog::writeStartAtLogin(bool on) const {
  // A failure is not reported; the next showing reads back what is there.
  SetStartAtLogin(on, exePath_);
}

HotKeyValue OptionsDialog::storedHotKey(int row) const {
  Reader r;
  return static_cast<HotKeyValue>(r.integer(kHotKeys[row]));
}

void OptionsDialog::setDisplayCityNames(std::vector<std::string> names) {
  SortListOrder(names);
  displayCityNames_ = std::move(names);
}

void OptionsDialog::RefreshCityList() {
  BuildDisplayCities(displayCityNames_, CityTable::instance().entries(), host_.displayCities());
}

void OptionsDialog::InitSettings() {
  Reader r;
  // 1-2: the General tab.
  startupFlag_ = readStartAtLogin();
  cbStartup->setChecked(startupFlag_);
  cbCloseToTray->setChecked(r.on(kCloseToTray));
  host_.setCloseToTray(cbCloseToTray->isChecked());
  cbShowPop->setChecked(r.on(kShowPopup));
  // 3-6: the main window's screen-saver state, background, fonts and map switches.
  host_.showScreenSaverState(r.integer(kSetScreenSave) != 0);
  host_.setBackgroundColour(previewColour_);
  r.font(kDateTimeFont, dateFont_);
  r.font(kCityTimesFont, cityFont_);
  host_.setMapFonts(Holder(dateFont_), Holder(cityFont_));
  OptionsHost::MapSwitches map;
  map.showDate = r.on(kShowDate);
  map.showTips = r.on(kShowTips);
  map.showUtc = r.on(kShowUtc);
  map.mapView = r.integer(kMapView);
  map.showShadow = r.on(kShowShadow);
  map.showDateLine = r.on(kShowDateLine);
  host_.applyMapSwitches(map);
  // 7-10: map cities and the Balloon tab.
  setDisplayCityNames(r.list(kDisplayCities));
  balloon_ = r.on(kShowBalloon);
  cbShowBalloon->setChecked(balloon_);
  std::vector<std::string> balloonCities = r.list(kBalloonCities);
  SortListOrder(balloonCities);
  if (balloonCities.size() > kBalloonCityLimit) balloonCities.resize(kBalloonCityLimit);
  lbDispCities2->clear();
  for (const std::string& c : balloonCities) lbDispCities2->addItem(QString::fromStdString(c));
  RefreshCityList();
  // 11-12: wallpaper.
  OptionsHost::WallpaperChecks wall;
  wall.wallpaper = r.on(kDesktopWallpaper);
  wall.fullHeight = r.on(kDesktopFullHeight);
  wall.showTimes = r.on(kDesktopShowTimes);
  wall.removeOnExit = r.on(kDesktopRemoveOnExit);
  host_.applyWallpaperChecks(wall);
  previousWallpaper_ = wall.wallpaper;
  r.font(kDesktopDateTimeFont, desktopDateFont_);
  r.font(kDesktopCityTimesFont, desktopCityFont_);
  host_.setWallpaperFonts(Holder(desktopDateFont_), Holder(desktopCityFont_));
  // 13: hot keys.
  loadHotKeyRows();
  // 14-16.
  showGetStart_ = r.text(kShowGetStart);
  cbStartMini->setChecked(host_.startMinimized());
  QCoreApplication::processEvents();
  host_.doWindowSize(r.integer(kWindowSize));
  QCoreApplication::processEvents();
  host_.clearWallpaperLookChanged();
  btnApply->setEnabled(false);

  if (!r.errors().isEmpty())
    QMessageBox::warning(parentWidget(), QGuiApplication::applicationDisplayName(),
                         r.errors().join(QLatin1Char('\n')));
}

void OptionsDialog::ApplyChanges() {
  if (cbStartup->isChecked() != startupFlag_) writeStartAtLogin(cbStartup->isChecked());
  StoreSwitch(kCloseToTray, cbCloseToTray->isChecked());
  host_.setCloseToTray(cbCloseToTray->isChecked());
  StoreSwitch(kShowPopup, cbShowPop->isChecked());
  WriteFontSetting(kSettingsKey, kDateTimeFont, dateFont_);
  host_.setMapFonts(Holder(dateFont_), Holder(cityFont_));
  WriteFontSetting(kSettingsKey, kCityTimesFont, cityFont_);
  host_.setBackgroundColour(previewColour_);
  WriteIntegerSetting(kSettingsKey, kBackgroundColor,
                      static_cast<std::int32_t>(ColorRefFromColor(previewColour_)));
  WriteIntegerSetting(kSettingsKey, kMapView, host_.mapView());
  balloon_ = cbShowBalloon->isChecked();
  StoreSwitch(kShowBalloon, balloon_);
  host_.setBalloon(balloon_);
  const bool wallpaper = host_.wallpaperMenuChecked();
  host_.setWallpaperFlag(wallpaper);
  host_.setWallpaperFonts(Holder(desktopDateFont_), Holder(desktopCityFont_));
  WriteFontSetting(kSettingsKey, kDesktopDateTimeFont, desktopDateFont_);
  WriteFontSetting(kSettingsKey, kDesktopCityTimesFont, desktopCityFont_);
  for (int n = 0; n < kHotKeyRowCount; ++n)
    WriteIntegerSetting(kSettingsKey, kHotKeys[n], static_cast<std::int32_t>(HotKey[n]->hotKey()));
  host_.setStartMinimized(cbStartMini->isChecked());
  StoreSwitch(kMinimized, cbStartMini->isChecked());
  if (wallpaper && (host_.wallpaperLookChanged() || !previousWallpaper_)) {
    WriteCentredWallpaperStyle();
    host_.requestWallpaperUpdate();
    previousWallpaper_ = true;
  }
  WriteStringSetting(kSettingsKey, kShowGetStart, showGetStart_);
  if (previousWallpaper_ && !wallpaper) {
    host_.removeWallpaper();
    previousWallpaper_ = false;
  }
  host_.requestMapRecompose();
  host_.requestDisplayRedraw();
  btnApply->setEnabled(false);
  host_.attachPopupMenu(cbShowPop->isChecked());
}

}  // namespace wc
