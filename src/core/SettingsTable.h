// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The one table of stored settings: the settings key, every value's name, its
// kind and its default. Callers use the name constants, never spelled-out
// strings, and take defaults from here.

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace wc {

// Below HKEY_CURRENT_USER.
inline constexpr char kSettingsKey[] = "Software\\ZQM\\World Clock 1.0\\Settings";

enum class SettingKind {
  Integer,
  String,
  StringList,
  Font,                  // no stored default: the window's design font (the caller's)
  PlacementWithSize,     // no stored default: the window as designed
  PlacementWithoutSize,  // likewise
};

inline constexpr char kWindowPosition[] = "Window Position";
inline constexpr char kWindowSize[] = "Window Size";
inline constexpr char kMinimized[] = "Minimized";
inline constexpr char kTheme[] = "Theme";
inline constexpr char kMapTimeFormat[] = "MapTimeFormat";
inline constexpr char kDesktopDateTimePosition[] = "Desktop Date/Time Position";
inline constexpr char kShowPopup[] = "ShowPopup";
inline constexpr char kCloseToTray[] = "Close to tray";
inline constexpr char kSetScreenSave[] = "SetScreenSave";
inline constexpr char kDateTimeFont[] = "Date/Time Font";
inline constexpr char kCityTimesFont[] = "City Times Font";
inline constexpr char kDesktopDateTimeFont[] = "Desktop Date/Time Font";
inline constexpr char kDesktopCityTimesFont[] = "Desktop City Times Font";
inline constexpr char kShowDate[] = "Show Date";
inline constexpr char kShowTips[] = "Show Tips";
inline constexpr char kShowUtc[] = "Show UTC";
inline constexpr char kMapView[] = "Map View";
inline constexpr char kShowShadow[] = "Show Shadow";
inline constexpr char kShowDateLine[] = "Show Date Line";
inline constexpr char kDisplayCities[] = "Display Cities";
inline constexpr char kShowBalloon[] = "Show Balloon";
inline constexpr char kBalloonCities[] = "Balloon Cities";
inline constexpr char kDesktopWallpaper[] = "Desktop Wallpaper";
inline constexpr char kDesktopFullHeight[] = "Desktop Full Height";
inline constexpr char kDesktopShowTimes[] = "Desktop Show Times";
inline constexpr char kDesktopRemoveOnExit[] = "Desktop Remove on Exit";
inline constexpr char kOldWall[] = "OldWall";
// The desktop's own values that went with "OldWall" (its placement, a dark
// variant, other monitors' pictures), so that all of them come back.
inline constexpr char kOldWallSettings[] = "OldWallSettings";
inline constexpr char kHotKey1[] = "Hot Key 1";  // main window
inline constexpr char kHotKey2[] = "Hot Key 2";  // calendar
inline constexpr char kHotKey3[] = "Hot Key 3";  // dial codes
inline constexpr char kHotKey4[] = "Hot Key 4";  // time finder
inline constexpr char kHotKey5[] = "Hot Key 5";  // all-cities list
inline constexpr const char* kHotKeys[] = {kHotKey1, kHotKey2, kHotKey3, kHotKey4, kHotKey5};
inline constexpr char kCurMonitor[] = "CurMonitor";
inline constexpr char kShowAClocks[] = "showaclocks";
inline constexpr char kShowDClocks[] = "showdclocks";
inline constexpr char kCalendarWindowPosition[] = "Calendar Window Position";
inline constexpr char kDialcodesWindowPosition[] = "Dialcodes Window Position";
inline constexpr char kFinderWindowPosition[] = "Finder Window Position";
inline constexpr char kSearchType[] = "Search Type";
inline constexpr char kBackgroundColor[] = "Background Color";  // written, never read
inline constexpr char kShowGetStart[] = "ShowGetStart";
// The meeting planner's own values: its cities with their working hours
// (see PlannerChoice.h), its window and the slot length last searched for.
inline constexpr char kPlannerCities[] = "Planner Cities";
inline constexpr char kPlannerWindowPosition[] = "Planner Window Position";
inline constexpr char kPlannerSlotMinutes[] = "Planner Slot Minutes";

struct SettingSpec {
  std::string_view name;
  SettingKind kind;
  bool hasDefault = false;
  std::int32_t integerDefault = 0;
  std::string_view textDefault;  // String kind
};

namespace detail {
constexpr SettingSpec Int(std::string_view n, std::int32_t d) {
  return {n, SettingKind::Integer, true, d, {}};
}
constexpr SettingSpec Text(std::string_view n, std::string_view d) {
  return {n, SettingKind::String, true, 0, d};
}
constexpr SettingSpec Of(std::string_view n, SettingKind k) {
  return {n, k, k == SettingKind::StringList, 0, {}};
}
}  // namespace detail

inline constexpr std::array kSettingsTable = {
    detail::Of(kWindowPosition, SettingKind::PlacementWithSize),
    detail::Int(kWindowSize, 3),
    detail::Int(kMinimized, 0),
    detail::Int(kTheme, 1),
    detail::Text(kMapTimeFormat, "hh:mm AM/PM"),
    detail::Int(kDesktopDateTimePosition, 0),
    detail::Int(kShowPopup, 0),
    detail::Int(kCloseToTray, 0),
    detail::Int(kSetScreenSave, 0),
    detail::Of(kDateTimeFont, SettingKind::Font),
    detail::Of(kCityTimesFont, SettingKind::Font),
    detail::Of(kDesktopDateTimeFont, SettingKind::Font),
    detail::Of(kDesktopCityTimesFont, SettingKind::Font),
    detail::Int(kShowDate, 0),
    detail::Int(kShowTips, 1),
    detail::Int(kShowUtc, 0),
    detail::Int(kMapView, 0),
    detail::Int(kShowShadow, 1),
    detail::Int(kShowDateLine, 0),
    detail::Of(kDisplayCities, SettingKind::StringList),
    detail::Int(kShowBalloon, 0),
    detail::Of(kBalloonCities, SettingKind::StringList),
    detail::Int(kDesktopWallpaper, 0),
    detail::Int(kDesktopFullHeight, 0),
    detail::Int(kDesktopShowTimes, 1),
    detail::Int(kDesktopRemoveOnExit, 1),
    detail::Text(kOldWall, ""),
    detail::Of(kOldWallSettings, SettingKind::StringList),
    detail::Int(kHotKey1, 0),
    detail::Int(kHotKey2, 0),
    detail::Int(kHotKey3, 0),
    detail::Int(kHotKey4, 0),
    detail::Int(kHotKey5, 0),
    detail::Int(kCurMonitor, 0),
    detail::Int(kShowAClocks, 1),
    detail::Int(kShowDClocks, 1),
    detail::Of(kCalendarWindowPosition, SettingKind::PlacementWithoutSize),
    detail::Of(kDialcodesWindowPosition, SettingKind::PlacementWithoutSize),
    detail::Of(kFinderWindowPosition, SettingKind::PlacementWithoutSize),
    detail::Int(kSearchType, 0),
    detail::Of(kBackgroundColor, SettingKind::Integer),
    detail::Text(kShowGetStart, "0"),
    detail::Of(kPlannerCities, SettingKind::StringList),
    detail::Of(kPlannerWindowPosition, SettingKind::PlacementWithSize),
    detail::Int(kPlannerSlotMinutes, 60),
};

constexpr const SettingSpec* FindSetting(std::string_view name) {
  for (const SettingSpec& s : kSettingsTable) {
    if (s.name == name) return &s;
  }
  return nullptr;
}

// A name outside the table, or of another kind, is a programming error.
constexpr std::int32_t DefaultInteger(std::string_view name) {
  const SettingSpec* s = FindSetting(name);
  if (!s || s->kind != SettingKind::Integer || !s->hasDefault) throw std::logic_error("no integer default");
  return s->integerDefault;
}

constexpr std::string_view DefaultText(std::string_view name) {
  const SettingSpec* s = FindSetting(name);
  if (!s || s->kind != SettingKind::String) throw std::logic_error("no text default");
  return s->textDefault;
}

// Map width in pixels for a "Window Size" value; the height is half of it.
constexpr int MapWidthForWindowSize(std::int32_t windowSize) {
  constexpr int kWidths[] = {400, 480, 600, 800, 1000, 1200, 1600, 1800, 2000};
  return windowSize >= 0 && windowSize < 9 ? kWidths[windowSize] : 400;
}

// System values of the current user the program also touches.
inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunValue[] = "Tavrel World Clock";  // the executable's full path
inline constexpr char kDesktopKey[] = "Control Panel\\Desktop";
inline constexpr char kWallpaperValue[] = "Wallpaper";
inline constexpr char kTileWallpaperValue[] = "TileWallpaper";
inline constexpr char kWallpaperStyleValue[] = "WallpaperStyle";
inline constexpr char kScreenSaverValue[] = "SCRNSAVE.EXE";
inline constexpr char kDesktopGeneralKey[] = "Software\\Microsoft\\Internet Explorer\\Desktop\\General";

}  // namespace wc
