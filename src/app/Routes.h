// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The main window's doors to the windows other parts of the program bring,
// each with the services it needs: the desktop clocks, the reminder store and
// the loaded city table, which the main window owns and hands over here. One
// function a door, called from every command, hot key and lifecycle step
// that reaches it. The time tools and the all-cities list open one at a
// time; their hot keys close the one that is open.

#include <QPointer>
#include <functional>

#include "app/Tick.h"

class QWidget;

namespace wc {

class AllCitiesWindow;
class MeetingPlannerWindow;
class ReminderEditor;
class CityTable;
class DesktopClocks;
class ReminderStore;
class WorldMap;
struct FormatSettings;

class Routes {
 public:
  struct Services {
    QWidget* mainWindow = nullptr;
    DesktopClocks* clocks = nullptr;  // none until the clocks are loaded
    ReminderStore* reminders = nullptr;
    const CityTable* cities = nullptr;
    WorldMap* map = nullptr;  // its displayed cities and its time format
    const FormatSettings* format = nullptr;
    std::function<void(const TickRequests&)> requestRedraw;
  };
  explicit Routes(Services services) : s_(std::move(services)) {}
  void setClocks(DesktopClocks* clocks) { s_.clocks = clocks; }

  // Desktop clocks.
  void openAnalogClockSetup();
  void openDigitalClockSetup();
  void hideAllAnalogClocks();
  void hideAllDigitalClocks();

  // Reminders.
  void loadReminders();
  void saveReminders();
  void checkReminders();
  void openReminders();

  // Tools; the hot keys open the window when it is not open, else close it.
  void openCalendar();
  void openDialCodes();
  void openTimeFinder();
  void openOrCloseCalendar();
  void openOrCloseDialCodes();
  void openOrCloseTimeFinder();

  // The meeting planner: one window, brought to the front when it is open.
  void openMeetingPlanner();

  // Cities.
  void openCityManager();
  void openMapCities();
  // Its hot key shows the list, and hides it when it is showing.
  void openAllCitiesList();

  // Help.
  void openHelp();
  void openAbout();

 private:
  Services s_;
  QPointer<QWidget> calendar_, dialCodes_, timeFinder_;
  QPointer<AllCitiesWindow> allCities_;
  QPointer<MeetingPlannerWindow> planner_;
  QPointer<ReminderEditor> reminderEditor_;
};

}  // namespace wc
