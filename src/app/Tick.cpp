// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Tick.h"

namespace wc {

TickStart StartTick(const TickInput& in) {
  TickStart s;
  s.minimizeToTray = in.firstTick && in.startMinimized;
  s.minimized = in.minimized || s.minimizeToTray;

  s.shown = in.settings.showUtc ? in.tickNow + in.utcOffsetDays : in.tickNow;
  const DateTimeParts parts = Decode(s.shown);
  s.minute = parts.minute;
  s.second = parts.second;

  s.timeText = FormatDateTime("t", s.shown, *in.format);
  s.timeTextChanged = s.timeText != in.lastTimeText;
  if (s.timeTextChanged) s.dateText = FormatDateTime("dddddd", s.shown, *in.format);

  s.requests = in.requests;
  const bool fiveMinuteSlot = s.second == 50 && s.minute % 5 == 0;
  if ((!s.minimized || in.settings.wallpaperOn) && (fiveMinuteSlot || in.requests.mapRecompose)) {
    const bool requested = in.requests.mapRecompose;
    // A composition still under way drops this one; the next slot or request
    // brings it back.
    s.composeBaseMap = !in.baseMapBusy;
    s.requests.mapRecompose = false;
    if (s.composeBaseMap) s.requests.displayRedraw = requested;
  }
  return s;
}

TickOutput FinishTick(const TickInput& in, const TickStart& start, bool mapReady) {
  TickOutput o;
  o.requests = start.requests;
  if (!start.minimized && (start.second == 0 || o.requests.displayRedraw) && mapReady) {
    o.drawDisplay = true;
    o.requests.displayRedraw = false;
  }
  const bool wallpaperSlot = start.second == 2 && (in.settings.desktopShowTimes || start.minute % 5 == 0);
  if (in.settings.wallpaperOn && (wallpaperSlot || o.requests.wallpaperUpdate) && mapReady) {
    o.refreshWallpaper = true;
    o.requests.wallpaperUpdate = false;
  }
  o.setTrayHint = !in.settings.showBalloon;
  return o;
}

std::string TrayHintText(const std::string& timeText, const std::string& dateText) {
  return timeText + " " + dateText;
}

}  // namespace wc
