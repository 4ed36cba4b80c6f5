// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Commands.h"

#include <algorithm>

#include "core/FormatDateTime.h"
#include "core/Settings.h"

namespace wc {

namespace {
constexpr TickRequests kMapAndWallpaper{true, false, true};
}  // namespace

const ToggleCommand kDayNightShadingCommand{kShowShadow, kMapAndWallpaper};
const ToggleCommand kShowDateCommand{kShowDate, kMapAndWallpaper};
const ToggleCommand kShowDateLineCommand{kShowDateLine, kMapAndWallpaper};
const ToggleCommand kShowTipsCommand{kShowTips, {}};
const ToggleCommand kShowUtcCommand{kShowUtc, {false, true, true}};
const ToggleCommand kShowTimesCommand{kDesktopShowTimes, {false, true, true}, true};

const FontCommand kWindowDateFontCommand{kDateTimeFont, kMapAndWallpaper, false};
const FontCommand kWindowCityFontCommand{kCityTimesFont, {true, false, false}, false};
const FontCommand kWallpaperDateFontCommand{kDesktopDateTimeFont, kMapAndWallpaper, true};
const FontCommand kWallpaperCityFontCommand{kDesktopCityTimesFont, {false, false, true}, true};

CommandEffect RunToggle(const ToggleCommand& command, bool on) {
  WriteIntegerSetting(kSettingsKey, command.setting, on ? 1 : 0);
  return {command.requests, command.wallpaperLook};
}

CommandEffect ChooseMapView(int view) {
  WriteIntegerSetting(kSettingsKey, kMapView, view);
  return {kMapAndWallpaper, false};
}

CommandEffect ChooseTimeFormat(bool twentyFourHours) {
  WriteStringSetting(kSettingsKey, kMapTimeFormat, twentyFourHours ? kTime24Format : kTime12Format);
  return {kMapAndWallpaper, true};
}

CommandEffect ChooseDateAlignment(int position) {
  WriteIntegerSetting(kSettingsKey, kDesktopDateTimePosition, position);
  return {kMapAndWallpaper, true};
}

CommandEffect ChooseWindowSize(int iSize) {
  WriteIntegerSetting(kSettingsKey, kWindowSize, iSize);
  return {{true, true, false}, false};
}

CommandEffect RunFontCommand(const FontCommand& command, const FontRecord& font) {
  WriteFontSetting(kSettingsKey, command.setting, font);
  return {command.requests, command.wallpaperLook};
}

void StoreMonitor(int monitor) { WriteIntegerSetting(kSettingsKey, kCurMonitor, monitor); }

WallpaperStep SwitchWallpaper(bool wasOn, bool on, bool lookChanged) {
  return {.putInPlace = on && (lookChanged || !wasOn), .takeAway = wasOn && !on};
}

}  // namespace wc
