// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the main window's one-second tick does, decided without the toolkit.
// The window gathers its state into a TickInput, runs the base-map step the
// first phase asks for, and carries out what the second phase returns; the
// decisions themselves live here so that a table of instants can test them.

#include <string>

#include "core/DateTime.h"
#include "core/FormatDateTime.h"

namespace wc {

// The three requests other commands leave for the next tick; only the tick
// clears them.
struct TickRequests {
  bool mapRecompose = false;
  bool displayRedraw = false;
  bool wallpaperUpdate = false;
  bool operator==(const TickRequests&) const = default;
};

struct TickSettings {
  bool showUtc = false;          // "Show UTC"
  bool wallpaperOn = false;      // "Desktop Wallpaper"
  bool desktopShowTimes = true;  // "Desktop Show Times"
  bool showBalloon = false;      // "Show Balloon"
};

struct TickInput {
  DateTime tickNow = 0;      // local now + kDisplayLead
  double utcOffsetDays = 0;  // local + offset = UTC
  bool firstTick = false;    // the window's init flag not yet set
  bool startMinimized = false;
  bool minimized = false;  // window state as the tick begins
  bool mapReady = false;
  bool baseMapBusy = false;
  TickRequests requests;
  TickSettings settings;
  std::string lastTimeText;
  const FormatSettings* format = &DefaultFormatSettings();
};

struct TickStart {
  bool minimizeToTray = false;  // first tick of a start-minimized run
  bool minimized = false;       // window state once that is done
  DateTime shown = 0;           // UTC or local, as "Show UTC" says
  int minute = 0;
  int second = 0;
  std::string timeText;          // "t"
  bool timeTextChanged = false;  // then dateText is new and LastTimeText follows
  std::string dateText;          // "dddddd", only when timeTextChanged
  bool composeBaseMap = false;
  TickRequests requests;  // after the base-map step
};

struct TickOutput {
  bool drawDisplay = false;  // redraw the window map and hide the loading label
  bool refreshWallpaper = false;
  TickRequests requests;  // what the window keeps for the next tick
  bool setTrayHint = false;
};

// Steps 1 to 7: texts, and whether the base map is recomposed now.
TickStart StartTick(const TickInput& in);

// Steps 8 to 10, once the composition StartTick asked for has run; mapReady
// is the base map's ready flag at that point.
TickOutput FinishTick(const TickInput& in, const TickStart& start, bool mapReady);

// The tray icon's hint: the short time, one blank, the long date.
std::string TrayHintText(const std::string& timeText, const std::string& dateText);

}  // namespace wc
