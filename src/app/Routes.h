// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The main window's doors to the windows and services that other parts of
// the program bring: one function each, called from every menu entry, tool
// button and lifecycle step that reaches them.

#include <QPointer>
#include <QWidget>

#include "core/DateTime.h"

namespace wc {

class MainWindow;

// Desktop clocks.
void LoadAndShowClocks(MainWindow& w);  // LoadAClockList, ShowAClocks, LoadDClockList, ShowDClocks
void SaveClockLists(MainWindow& w);     // SaveAClockList, SaveDClockList
void OpenAnalogClockSetup(MainWindow& w);
void OpenDigitalClockSetup(MainWindow& w);
void HideAllAnalogClocks(MainWindow& w);
void HideAllDigitalClocks(MainWindow& w);

// Reminders.
void LoadReminders(MainWindow& w);
void SaveReminders(MainWindow& w);
void CheckRem(MainWindow& w);
void OpenReminders(MainWindow& w);

// Tools.
void OpenCalendar(MainWindow& w);
void OpenDialCodes(MainWindow& w);
void OpenTimeFinder(MainWindow& w);
// The open calendar, dial codes and time finder windows, program-wide: each
// window sets its pointer while it is open.
QPointer<QWidget>& OpenedCalendar();
QPointer<QWidget>& OpenedDialCodes();
QPointer<QWidget>& OpenedTimeFinder();
// The hot keys' routes: open the window when it is not open, else close it.
void OpenOrCloseCalendar(MainWindow& w);
void OpenOrCloseDialCodes(MainWindow& w);
void OpenOrCloseTimeFinder(MainWindow& w);

// The meeting planner: one window, brought to the front when it is open.
void OpenMeetingPlanner(MainWindow& w);

// Cities.
void OpenCityManager(MainWindow& w);
void OpenMapCities(MainWindow& w);
void OpenAllCitiesList(MainWindow& w);

// Wallpaper and screen saver.
void ShowWorldClockasWallpaper1Click(MainWindow& w);
void Zoomtofullheight1Click(MainWindow& w);
void RemovewallpaperonExit1Click(MainWindow& w);
void SetWorldClockMapasScreenSaver1Click(MainWindow& w);
void PreviewScreenSaver1Click(MainWindow& w);
void RefreshWallpaper(MainWindow& w, DateTime localNow);
void ClearWallpaper(MainWindow& w);

// The options dialog, shown modally.
void OpenOptions(MainWindow& w);

// The plain about box.
void OpenAbout(MainWindow& w);

}  // namespace wc
