// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Routes.h"

#include <QApplication>
#include <QMessageBox>

#include "cities/AllCitiesWindow.h"
#include "cities/CityManagerDialog.h"
#include "cities/MapCitiesDialog.h"
#include "clocks/AnalogClockSetupDialog.h"
#include "clocks/DesktopClocks.h"
#include "clocks/DigitalClockSetupDialog.h"
#include "core/CityTable.h"
#include "core/FirstStart.h"
#include "core/Paths.h"
#include "core/SettingsTable.h"
#include "map/WorldMap.h"
#include "planner/MeetingPlannerWindow.h"
#include "platform/SettingsReads.h"
#include "platform/Shell.h"
#include "reminders/ReminderEditor.h"
#include "reminders/RemindersWindows.h"
#include "tools/CalendarWindow.h"
#include "tools/DialCodesWindow.h"
#include "tools/TimeFinderWindow.h"

namespace wc {

void Routes::openAnalogClockSetup() {
  if (s_.clocks) (new AnalogClockSetupDialog(*s_.clocks, s_.mainWindow))->show();
}
void Routes::openDigitalClockSetup() {
  if (s_.clocks) (new DigitalClockSetupDialog(*s_.clocks, s_.mainWindow))->show();
}
void Routes::hideAllAnalogClocks() {
  if (s_.clocks) s_.clocks->HideAllAnalogClocks1Click();
}
void Routes::hideAllDigitalClocks() {
  if (s_.clocks) s_.clocks->HideAllDigitalClocks2Click();
}

void Routes::loadReminders() { LoadReminders(*s_.reminders, s_.mainWindow); }
void Routes::saveReminders() { SaveReminders(*s_.reminders, s_.mainWindow); }
void Routes::checkReminders() { CheckReminders(*s_.reminders, *s_.cities, s_.mainWindow, *s_.format); }
void Routes::openReminders() {
  OpenReminderEditor(*s_.reminders, reminderEditor_, s_.mainWindow, *s_.format);
}

void Routes::openCalendar() { RunToolWindow<CalendarWindow>(calendar_, s_.mainWindow); }
void Routes::openDialCodes() { RunToolWindow<DialCodesWindow>(dialCodes_, s_.mainWindow); }
void Routes::openTimeFinder() {
  RunToolWindow<TimeFinderWindow>(timeFinder_, s_.mainWindow, *s_.cities, *s_.format);
}

namespace {
void OpenOrClose(QPointer<QWidget>& window, const std::function<void()>& open) {
  if (window)
    window->close();
  else
    open();
}
}  // namespace

void Routes::openOrCloseCalendar() {
  OpenOrClose(calendar_, [this] { openCalendar(); });
}
void Routes::openOrCloseDialCodes() {
  OpenOrClose(dialCodes_, [this] { openDialCodes(); });
}
void Routes::openOrCloseTimeFinder() {
  OpenOrClose(timeFinder_, [this] { openTimeFinder(); });
}

void Routes::openMeetingPlanner() {
  if (planner_) {
    if (planner_->isMinimized()) planner_->showNormal();
    planner_->raise();
    planner_->activateWindow();
    return;
  }
  PlannerServices p;
  p.cities = s_.cities->entries();
  p.ownCity = OwnCityName(s_.cities->names(), ProgramFolder() + "citydata.zones.tsv");
  SettingsReader stored;
  p.displayCities = stored.list(kDisplayCities);
  ShowSettingsProblems(stored, s_.mainWindow);
  p.format = *s_.format;
  p.addReminder = [this](const ReminderDraft& d) {
    const NewReminder start{d.date, d.time, d.city};
    OpenReminderEditor(*s_.reminders, reminderEditor_, s_.mainWindow, *s_.format, planner_, &start);
  };
  planner_ = new MeetingPlannerWindow(std::move(p), s_.mainWindow);
  planner_->showPlanner();
}

void Routes::openCityManager() {
  CityManagerDialog dialog(s_.mainWindow);
  dialog.exec();
}

void Routes::openMapCities() {
  MapCitiesDialog dialog(
      s_.map->displayCities(),
      [this] {
        s_.requestRedraw({true, true, true});
      },
      s_.mainWindow);
  dialog.exec();
}

void Routes::openAllCitiesList() {
  if (allCities_) {
    allCities_->accept();
    return;
  }
  AllCitiesWindow dialog(s_.map->overlaySettings().mapTimeFormat, *s_.format, s_.mainWindow);
  allCities_ = &dialog;
  dialog.exec();
}

void Routes::openHelp() { ShellOpen("open", ProgramFolder() + "help/index.html"); }

void Routes::openAbout() {
  QMessageBox::about(s_.mainWindow, QStringLiteral("About %1").arg(QApplication::applicationDisplayName()),
                     QStringLiteral("<h3>%1</h3><p>Version %2</p>"
                                    "<p>A world map with the day and night, the cities you choose and "
                                    "their local times.</p>"
                                    "<p>Free software: you may share and change it under the terms of the "
                                    "GNU General Public License, version 3 or (at your option) any later "
                                    "version. It comes with no warranty.</p>"
                                    "<p>The city database contains data from GeoNames "
                                    "(geonames.org), under the Creative Commons Attribution 4.0 licence, "
                                    "and from the public-domain time zone database.</p>")
                         .arg(QApplication::applicationDisplayName(), QApplication::applicationVersion()));
}

}  // namespace wc
