// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The main window's commands, each made once, and the menus and tool buttons
// that show them: the menu bar, the map's pop-up menu (which is also the tray
// icon's) and the tool-bar panel. Where one command has different captions in
// different places ("Show World Map as Wallpaper" in the menu bar, "Show World
// Clock as wallpaper" in the pop-up, "Set as Wallpaper" on its button), each
// place keeps its caption and all of them are views of the one command. The
// window gives each command its handler and the state it shows.

#include <QList>
#include <QObject>
#include <array>

#include "app/Command.h"
#include "map/MapLayout.h"

class QActionGroup;
class QMenu;
class QToolButton;
class QWidget;

namespace wc {

class MenuRows;

class MainActions : public QObject {
 public:
  MainActions();
  ~MainActions() override;

  // File
  Command minimizeToTray, exit;
  // Desktop clocks
  Command addAnalogClock, hideAnalogClocks, addDigitalClock, hideDigitalClocks;
  // The world map
  Command mapCities, shading;
  std::array<Command, kMapSizeCount> mapSize;
  std::array<Command, 3> mapView;
  Command windowDateFont, windowCityFont, showDate, showTips, showDateLine;
  Command time12, time24, showLocalTime, showUtcTime;
  // The wallpaper
  Command wallpaper, fullHeight, removeOnExit, showTimes;
  std::array<Command, 3> dateAlignment;  // left, right, centre
  Command wallpaperDateFont, wallpaperCityFont;
  // The screen saver
  Command screenSaver, previewScreenSaver;
  // Tools
  Command cityManager, allCities, timeFinder, reminders, calendar, dialCodes;
  std::array<Command, 5> theme;  // themes 1 to 5
  std::array<Command, 2> monitor;
  Command options, meetingPlanner;
  // Help
  Command help, about;

  // The views. The menu bar and the pop-up menu are filled; the tool buttons
  // are made in the panel, in their row order.
  void buildMenuBar(MenuRows& bar);
  void buildPopupMenu(QMenu& popup);
  QList<QToolButton*> buildToolBar(QWidget& panel);

  // The screen-saver entry of the menu bar, whose caption tells what a click does.
  QAction* screenSaverEntry() const { return screenSaverEntry_; }
  // The pop-up menu's dial-codes entry, shown only where the list ships.
  QAction* dialCodesPopupEntry() const { return dialCodesPopupEntry_; }

  // Every command shows its owner's state anew; each run does this by itself.
  void refresh();

 private:
  QList<Command*> all();

  QActionGroup* sizeGroup_;
  QActionGroup* formatGroup_;
  QActionGroup* zoneGroup_;
  QActionGroup* alignGroup_;
  QAction* screenSaverEntry_ = nullptr;
  QAction* dialCodesPopupEntry_ = nullptr;
};

}  // namespace wc
