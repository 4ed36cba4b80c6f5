// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The tool-bar and tray pictures, drawn by the program itself.

#include <QIcon>

namespace wc {

enum class ToolPicture {
  AnalogClock,
  DigitalClock,
  Wallpaper,
  DayNight,
  Options,
  Calendar,
  Help,
  CityManager,
  ScreenSaver,
  Globe,  // the program's own picture: window and tray icon
};

QIcon ToolIcon(ToolPicture picture);

}  // namespace wc
