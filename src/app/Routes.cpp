// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Routes.h"

#include <QAction>
#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>

#include "app/MainWindow.h"
#include "app/SettingsAccess.h"
#include "app/Wallpaper.h"
#include "cities/AllCitiesWindow.h"
#include "cities/CityManagerDialog.h"
#include "cities/MapCitiesDialog.h"
#include "clocks/AnalogClockSetupDialog.h"
#include "clocks/DesktopClocks.h"
#include "clocks/DigitalClockSetupDialog.h"
#include "core/CityTable.h"
#include "core/FirstStart.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/SettingsTable.h"
#include "options/OptionsDialog.h"
#include "planner/MeetingPlannerWindow.h"
#include "platform/Compositor.h"
#include "platform/ScreenSaver.h"
#include "platform/Shell.h"
#include "reminders/RemindersWindows.h"
#include "tools/CalendarWindow.h"
#include "tools/DialCodesWindow.h"
#include "tools/TimeFinderWindow.h"

namespace wc {

namespace {
DesktopClocks* Clocks(MainWindow& w) {
  return w.findChild<DesktopClocks*>(QString(), Qt::FindDirectChildrenOnly);
}
}  // namespace

void LoadAndShowClocks(MainWindow& w) {
  auto* clocks = new DesktopClocks(&w, DataFolder(), DesktopComposites());
  QObject::connect(clocks, &DesktopClocks::problem, &w, [](const QString& text) {
    QMessageBox::warning(nullptr, QStringLiteral("Warning"), text);
  });
  clocks->setHideAllItems(w.findChild<QAction*>(QStringLiteral("HideAllAnalogClocks1")),
                          w.findChild<QAction*>(QStringLiteral("HideAllAnalogClocks2")),
                          w.findChild<QAction*>(QStringLiteral("HideAllDigitalClocks2")),
                          w.findChild<QAction*>(QStringLiteral("HideAllDigitalClocks1")));
  // No city database has been read yet: the regional separator still holds.
  const std::string separator = QLocale::system().decimalPoint().toStdString();
  clocks->LoadAClockList(separator);
  clocks->ShowAClocks(ReadIntegerOrReport(kShowAClocks));
  clocks->LoadDClockList(separator);
  clocks->ShowDClocks(ReadIntegerOrReport(kShowDClocks));
}
void SaveClockLists(MainWindow& w) {
  if (DesktopClocks* clocks = Clocks(w)) {
    clocks->SaveAClockList();
    clocks->SaveDClockList();
  }
}
void OpenAnalogClockSetup(MainWindow& w) {
  if (DesktopClocks* clocks = Clocks(w)) (new AnalogClockSetupDialog(*clocks, &w))->show();
}
void OpenDigitalClockSetup(MainWindow& w) {
  if (DesktopClocks* clocks = Clocks(w)) (new DigitalClockSetupDialog(*clocks, &w))->show();
}
void HideAllAnalogClocks(MainWindow& w) {
  if (DesktopClocks* clocks = Clocks(w)) clocks->HideAllAnalogClocks1Click();
}
void HideAllDigitalClocks(MainWindow& w) {
  if (DesktopClocks* clocks = Clocks(w)) clocks->HideAllDigitalClocks2Click();
}

void LoadReminders(MainWindow& w) { LoadProgramReminders(&w); }
void SaveReminders(MainWindow& w) { SaveProgramReminders(&w); }
void CheckRem(MainWindow& w) { CheckProgramReminders(&w, w.formatSettings()); }
void OpenReminders(MainWindow& w) { OpenReminderEditor(&w, w.formatSettings()); }

void OpenCalendar(MainWindow& w) { RunToolWindow<CalendarWindow>(OpenedCalendar(), &w); }
void OpenDialCodes(MainWindow& w) { RunToolWindow<DialCodesWindow>(OpenedDialCodes(), &w); }
void OpenTimeFinder(MainWindow& w) {
  RunToolWindow<TimeFinderWindow>(OpenedTimeFinder(), &w, CityTable::instance(), w.formatSettings());
}

QPointer<QWidget>& OpenedCalendar() {
  static QPointer<QWidget> w;
  return w;
}
QPointer<QWidget>& OpenedDialCodes() {
  static QPointer<QWidget> w;
  return w;
}
QPointer<QWidget>& OpenedTimeFinder() {
  static QPointer<QWidget> w;
  return w;
}

namespace {
void OpenOrClose(MainWindow& w, QPointer<QWidget>& window, void (*open)(MainWindow&)) {
  if (window)
    window->close();
  else
    open(w);
}
}  // namespace

void OpenOrCloseCalendar(MainWindow& w) { OpenOrClose(w, OpenedCalendar(), OpenCalendar); }
void OpenOrCloseDialCodes(MainWindow& w) { OpenOrClose(w, OpenedDialCodes(), OpenDialCodes); }
void OpenOrCloseTimeFinder(MainWindow& w) { OpenOrClose(w, OpenedTimeFinder(), OpenTimeFinder); }

void OpenMeetingPlanner(MainWindow& w) {
  static QPointer<MeetingPlannerWindow> open;
  if (open) {
    if (open->isMinimized()) open->showNormal();
    open->raise();
    open->activateWindow();
    return;
  }
  const CityTable& table = CityTable::instance();
  PlannerServices s;
  s.cities = table.entries();
  s.ownCity = OwnCityName(table.names(), ProgramFolder() + "citydata.zones.tsv");
  s.displayCities = ReadListOrReport(kDisplayCities);
  s.format = w.formatSettings();
  s.addReminder = [&w](const ReminderDraft& d) {
    const NewReminder start{d.date, d.time, d.city};
    OpenReminderEditor(&w, w.formatSettings(), open, &start);
  };
  open = new MeetingPlannerWindow(std::move(s), &w);
  open->showPlanner();
}

void OpenCityManager(MainWindow& w) {
  CityManagerDialog dialog(&w);
  dialog.exec();
}

void OpenMapCities(MainWindow& w) {
  MapCitiesDialog dialog(
      w.worldMap().displayCities(),
      [&w] {
        w.requestRedraw({true, true, true});
      },
      &w);
  dialog.exec();
}

void OpenAllCitiesList(MainWindow& w) {
  // Its hot key shows the list, and hides it when it is showing.
  static QPointer<AllCitiesWindow> open;
  if (open) {
    open->accept();
    return;
  }
  AllCitiesWindow dialog(w.overlay().mapTimeFormat, w.formatSettings(), &w);
  open = &dialog;
  dialog.exec();
}

void ShowWorldClockasWallpaper1Click(MainWindow& w) {
  const bool on = !w.wallpaperOn;
  w.setWallpaperChecked(on);
  WriteIntegerSetting(kSettingsKey, kDesktopWallpaper, on ? 1 : 0);
  // The options dialog keeps whether the program's picture was last put in
  // place; without one the switch's former state stands for it.
  bool previous = w.WCSettings ? w.WCSettings->previousWallpaper() : !on;
  if (on && (w.wallpaperLook || !previous)) {
    WriteCentredWallpaperStyle();
    w.requestRedraw({false, false, true});
    previous = true;
  }
  if (previous && !on) {
    ClearWallpaper(w);
    previous = false;
  }
  if (w.WCSettings) w.WCSettings->setPreviousWallpaper(previous);
}

namespace {
// The wallpaper's switches that change its look: the check follows, the
// value is stored and the next tick draws the wallpaper anew.
void WallpaperLookSwitch(MainWindow& w, bool on, const char* setting) {
  WriteIntegerSetting(kSettingsKey, setting, on ? 1 : 0);
  w.wallpaperLook = true;
  w.requestRedraw({false, false, true});
}

void ScreenSaverModuleMissing(MainWindow& w) {
  QMessageBox::critical(
      &w, QStringLiteral("Warning"),
      QStringLiteral("Tavrel World Clock cannot find screensaver module, please reinstall!"));
}

// The primary screen in device pixels, which the wallpaper covers.
QRect PrimaryScreenPixels() {
  const QScreen* s = QGuiApplication::primaryScreen();
  if (!s) return {};
  const qreal dpr = s->devicePixelRatio();
  const QRect g = s->geometry();
  return {qRound(g.x() * dpr), qRound(g.y() * dpr), qRound(g.width() * dpr), qRound(g.height() * dpr)};
}
int PrimaryWorkAreaPixels() {
  const QScreen* s = QGuiApplication::primaryScreen();
  return s ? qRound(s->availableGeometry().width() * s->devicePixelRatio()) : 0;
}
}  // namespace

void Zoomtofullheight1Click(MainWindow& w) {
  const bool on = !w.wallpaperFullHeight;
  w.setFullHeightChecked(on);
  WallpaperLookSwitch(w, on, kDesktopFullHeight);
}

void RemovewallpaperonExit1Click(MainWindow& w) {
  const bool on = !w.removeWallpaperOnExit;
  w.setRemoveOnExitChecked(on);
  WallpaperLookSwitch(w, on, kDesktopRemoveOnExit);
}

void SetWorldClockMapasScreenSaver1Click(MainWindow& w) {
  const std::string module = ScreenSaverModulePath();
  if (!ScreenSaverModuleExists(module)) {
    ScreenSaverModuleMissing(w);
    return;
  }
  const bool on = !w.screenSaverOn;
  // A switch that did not take stays where it was, and says why.
  if (const FileResult r = SetScreenSaverModule(on ? module : std::string()); !r) {
    QMessageBox::warning(
        &w, QStringLiteral("Warning"),
        QStringLiteral("The screen saver could not be switched %1. %2")
            .arg(on ? QStringLiteral("on") : QStringLiteral("off"), QString::fromStdString(r.error)));
    return;
  }
  w.setScreenSaverChecked(on);
  WriteIntegerSetting(kSettingsKey, kSetScreenSave, on ? 1 : 0);
}

void PreviewScreenSaver1Click(MainWindow& w) {
  const std::string module = ScreenSaverModulePath();
  if (!ScreenSaverModuleExists(module)) {
    ScreenSaverModuleMissing(w);
    return;
  }
  ShellOpen("open", module);
}

void RefreshWallpaper(MainWindow& w, DateTime localNow) {
  WorldMap& map = w.worldMap();
  map.overlaySettings().showUtc = w.showUtc;
  ProgramWallpaper().Refresh(map, w.desktopShowTimes, w.wallpaperFullHeight, PrimaryScreenPixels(), localNow,
                             PrimaryWorkAreaPixels());
}

void ClearWallpaper(MainWindow&) { ProgramWallpaper().ClearWallpaper(); }

void OpenOptions(MainWindow& w) {
  if (w.WCSettings) w.WCSettings->ShowOptions();
}

void OpenAbout(MainWindow& w) {
  QMessageBox::about(&w, QStringLiteral("About %1").arg(QApplication::applicationDisplayName()),
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
