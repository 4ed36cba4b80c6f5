// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "saver/StoredMap.h"

#include "core/CityFile.h"
#include "core/CityTable.h"
#include "core/DisplayCities.h"
#include "core/Settings.h"
#include "platform/FontRecordQt.h"
#include "platform/LocaleFormat.h"

namespace wc {

namespace {

template <typename F>
auto OrDefault(F read, decltype(read()) fallback) {
  try {
    return read();
  } catch (const SettingsError&) {
    return fallback;
  }
}

int Integer(const char* name) {
  return OrDefault([name] { return SettingInteger(name); }, DefaultInteger(name));
}
bool Switch(const char* name) { return IsSwitchOn(Integer(name)); }

// The wallpaper fonts as the program draws them when none is stored.
MapFont StoredFont(const char* name, int pixels, bool bold) {
  QFont design(QStringLiteral("Arial"));
  design.setPixelSize(pixels);
  design.setBold(bold);
  FontRecord record = RecordFromFont(design, Qt::white);
  try {
    ReadFontSetting(kSettingsKey, name, record);
  } catch (const SettingsError&) {
  }
  const ColouredFont f = FontFromRecord(record);
  return {f.font, f.color};
}

}  // namespace

StoredMapLook LoadStoredMap(WorldMap& map) {
  map.setMapView(Integer(kMapView));
  map.setNightShading(Switch(kShowShadow));
  OverlaySettings& o = map.overlaySettings();
  o.showDateLine = Switch(kShowDateLine);
  o.showDate = Switch(kShowDate);
  o.showUtc = Switch(kShowUtc);
  o.datePosition = Integer(kDesktopDateTimePosition);
  o.mapTimeFormat =
      OrDefault([] { return SettingText(kMapTimeFormat); }, std::string(DefaultText(kMapTimeFormat)));
  map.wallpaperDateFont() = StoredFont(kDesktopDateTimeFont, 18, true);
  map.wallpaperCityFont() = StoredFont(kDesktopCityTimesFont, 12, false);
  const FormatSettings format = FormatSettingsFromLocale();
  map.setFormatter(
      [format](std::string_view pattern, DateTime t) { return FormatDateTime(pattern, t, format); });

  CityTable& table = CityTable::instance();
  table.load(CityDataPath());
  std::vector<std::string> names;
  try {
    ReadStringListSetting(kSettingsKey, kDisplayCities, names);
  } catch (const SettingsError&) {
    names.clear();
  }
  SortListOrder(names);  // the order the program fills the map's slots in
  BuildDisplayCities(names, table.entries(), map.displayCities());

  return {Switch(kDesktopShowTimes), Switch(kDesktopFullHeight)};
}

}  // namespace wc
