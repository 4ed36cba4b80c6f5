// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the main window's setting commands store and which redraws they ask
// for. The window flips its check marks and calls these; the settings and the
// requests are decided here, free of the toolkit.

#include <cstdint>
#include <string_view>

#include "app/Tick.h"
#include "core/ScreenPlace.h"
#include "core/SettingsRecords.h"

namespace wc {

inline TickRequests& operator|=(TickRequests& a, const TickRequests& b) {
  a.mapRecompose |= b.mapRecompose;
  a.displayRedraw |= b.displayRedraw;
  a.wallpaperUpdate |= b.wallpaperUpdate;
  return a;
}

// A switch stored as 1 or 0.
struct ToggleCommand {
  const char* setting;
  TickRequests requests;
  bool wallpaperLook = false;
};

// What a command leaves behind besides the stored value.
struct CommandEffect {
  TickRequests requests;
  bool wallpaperLook = false;  // the wallpaper must be rebuilt when it is next applied
};

extern const ToggleCommand kDayNightShadingCommand;  // "Show Shadow"
extern const ToggleCommand kShowDateCommand;         // "Show Date"
extern const ToggleCommand kShowDateLineCommand;     // "Show Date Line"
extern const ToggleCommand kShowTipsCommand;         // "Show Tips"
// "Show Local Time" / "Show UTC Time": the caption, the tray hint and the
// wallpaper's caption change; the base map does not.
extern const ToggleCommand kShowUtcCommand;  // "Show UTC"
// "Show Time on Map": city times on the window map and on the wallpaper.
extern const ToggleCommand kShowTimesCommand;  // "Desktop Show Times"

CommandEffect RunToggle(const ToggleCommand& command, bool on);

// "Centered on Europe / America / Australasia": "Map View" 0, 1, 2.
CommandEffect ChooseMapView(int view);
// "12 HRS" / "24 HRS": "MapTimeFormat" "hh:mm AM/PM" or "HH:mm".
CommandEffect ChooseTimeFormat(bool twentyFourHours);
// "Left / Right / Center Align": "Desktop Date/Time Position" 0, 1, 2.
CommandEffect ChooseDateAlignment(int position);
// One of the nine map sizes: "Window Size" as given, even outside 0..8.
CommandEffect ChooseWindowSize(int iSize);

// The four font commands.
struct FontCommand {
  const char* setting;
  TickRequests requests;
  bool wallpaperLook;
};
extern const FontCommand kWindowDateFontCommand;     // "Date/Time Font"
extern const FontCommand kWindowCityFontCommand;     // "City Times Font"
extern const FontCommand kWallpaperDateFontCommand;  // "Desktop Date/Time Font"
extern const FontCommand kWallpaperCityFontCommand;  // "Desktop City Times Font"

// Called only when the user confirmed the font dialog.
CommandEffect RunFontCommand(const FontCommand& command, const FontRecord& font);

// What turning the map as wallpaper on or off does, from the menu or the
// options dialog's "OK" alike: the program's picture is put in place (drawn
// anew) when the switch turns on or, staying on, when its look changed since
// it was last drawn; it is taken away when the switch turns off.
struct WallpaperStep {
  bool putInPlace = false;
  bool takeAway = false;
  bool operator==(const WallpaperStep&) const = default;
};
WallpaperStep SwitchWallpaper(bool wasOn, bool on, bool lookChanged);

// "Switch to Monitor N": "CurMonitor".
void StoreMonitor(int monitor);

// The close box: the window may close unless it goes to the tray instead; a
// session that ends always lets it close.
inline bool CloseAllowed(bool closeToTray, bool sessionEnding) { return !closeToTray || sessionEnding; }

}  // namespace wc
