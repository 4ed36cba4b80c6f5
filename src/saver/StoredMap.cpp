// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "saver/StoredMap.h"

#include "core/CityFile.h"
#include "core/CityTable.h"
#include "core/DisplayCities.h"
#include "core/SettingsReader.h"
#include "platform/FontRecordQt.h"
#include "platform/LocaleFormat.h"

namespace wc {

namespace {

// The wallpaper fonts as the program draws them when none is stored.
MapFont StoredFont(SettingsReader& stored, const char* name, int pixels, bool bold) {
  QFont design(QStringLiteral("Arial"));
  design.setPixelSize(pixels);
  design.setBold(bold);
  FontRecord record = RecordFromFont(design, Qt::white);
  stored.font(name, record);
  const ColouredFont f = FontFromRecord(record);
  return {f.font, f.color};
}

}  // namespace

StoredMapLook LoadStoredMap(WorldMap& map) {
  // A screen saver has nobody to tell about a stored value it cannot use:
  // the reader's defaults stand in for them, and its problems go unread.
  SettingsReader stored;
  map.setMapView(stored.integer(kMapView));
  map.setNightShading(stored.on(kShowShadow));
  OverlaySettings& o = map.overlaySettings();
  o.showDateLine = stored.on(kShowDateLine);
  o.showDate = stored.on(kShowDate);
  o.showUtc = stored.on(kShowUtc);
  o.datePosition = stored.integer(kDesktopDateTimePosition);
  o.mapTimeFormat = stored.text(kMapTimeFormat);
  map.wallpaperDateFont() = StoredFont(stored, kDesktopDateTimeFont, 18, true);
  map.wallpaperCityFont() = StoredFont(stored, kDesktopCityTimesFont, 12, false);
  const FormatSettings format = FormatSettingsFromLocale();
  map.setFormatter(
      [format](std::string_view pattern, DateTime t) { return FormatDateTime(pattern, t, format); });

  CityTable table;
  table.load(CityDataPath());
  std::vector<std::string> names = stored.list(kDisplayCities);
  SortListOrder(names);  // the order the program fills the map's slots in
  BuildDisplayCities(names, table.entries(), map.displayCities());

  return {stored.on(kDesktopShowTimes), stored.on(kDesktopFullHeight)};
}

}  // namespace wc
