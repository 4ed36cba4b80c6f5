#include "app/Routes.h"

#include <QAction>
#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>

#include "app/SettingsAccess.h"
#include "app/Wallpaper.h"
#include "app/WorldClock.h"
#include "cities/untAddRemCity.h"
#include "cities/untCityList.h"
#include "cities/untCityListMan.h"
#include "clocks/DesktopClocks.h"
#include "clocks/TfrmAClockSetting.h"
#include "clocks/TfrmDClockSetting.h"
#include "core/CityDatabase.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/SettingsTable.h"
#include "options/TWCSettings.h"
#include "platform/Compositor.h"
#include "platform/ScreenSaver.h"
#include "platform/Shell.h"
#include "reminders/RemindersWindows.h"
#include "tools/Calendar.h"
#include "tools/dialcodes.h"
#include "tools/finder.h"

namespace wc {

namespace {
TDesktopClocks* Clocks(TWorldClock& w) {
  return w.findChild<TDesktopClocks*>(QString(), Qt::FindDirectChildrenOnly);
}
}  // namespace

void LoadAndShowClocks(TWorldClock& w) {
  auto* clocks = new TDesktopClocks(&w, DataFolder(), DesktopComposites());
  QObject::connect(clocks, &TDesktopClocks::problem, &w, [](const QString& text) {
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
void SaveClockLists(TWorldClock& w) {
  if (TDesktopClocks* clocks = Clocks(w)) {
    clocks->SaveAClockList();
    clocks->SaveDClockList();
  }
}
void OpenAnalogClockSetup(TWorldClock& w) {
  if (TDesktopClocks* clocks = Clocks(w)) (new TfrmAClockSetting(*clocks, &w))->show();
}
void OpenDigitalClockSetup(TWorldClock& w) {
  if (TDesktopClocks* clocks = Clocks(w)) (new TfrmDClockSetting(*clocks, &w))->show();
}
void HideAllAnalogClocks(TWorldClock& w) {
  if (TDesktopClocks* clocks = Clocks(w)) clocks->HideAllAnalogClocks1Click();
}
void HideAllDigitalClocks(TWorldClock& w) {
  if (TDesktopClocks* clocks = Clocks(w)) clocks->HideAllDigitalClocks2Click();
}

void LoadReminders(TWorldClock& w) { LoadProgramReminders(&w); }
void SaveReminders(TWorldClock& w) { SaveProgramReminders(&w); }
void CheckRem(TWorldClock& w) { CheckProgramReminders(&w, w.formatSettings()); }
void OpenReminders(TWorldClock& w) { OpenReminderEditor(&w, w.formatSettings()); }

void OpenCalendar(TWorldClock& w) { RunToolWindow<TWCCalendar>(CalendarWindow(), &w); }
void OpenDialCodes(TWorldClock& w) { RunToolWindow<TWCDialCodes>(DialCodesWindow(), &w); }
void OpenTimeFinder(TWorldClock& w) {
  RunToolWindow<TTimeFinder>(TimeFinderWindow(), &w, CityTable::instance(), w.formatSettings());
}

QPointer<QWidget>& CalendarWindow() {
  static QPointer<QWidget> w;
  return w;
}
QPointer<QWidget>& DialCodesWindow() {
  static QPointer<QWidget> w;
  return w;
}
QPointer<QWidget>& TimeFinderWindow() {
  static QPointer<QWidget> w;
  return w;
}

namespace {
void OpenOrClose(TWorldClock& w, QPointer<QWidget>& window, void (*open)(TWorldClock&)) {
  if (window)
    window->close();
  else
    open(w);
}
}  // namespace

void OpenOrCloseCalendar(TWorldClock& w) { OpenOrClose(w, CalendarWindow(), OpenCalendar); }
void OpenOrCloseDialCodes(TWorldClock& w) { OpenOrClose(w, DialCodesWindow(), OpenDialCodes); }
void OpenOrCloseTimeFinder(TWorldClock& w) { OpenOrClose(w, TimeFinderWindow(), OpenTimeFinder); }

void OpenCityManager(TWorldClock& w) {
  TfrmCityListMan dialog(&w);
  dialog.exec();
}

void OpenMapCities(TWorldClock& w) {
  TfrmAddRemCity dialog(
      w.worldMap().displayCities(),
      [&w] {
        w.requestRedraw({true, true, true});
      },
      &w);
  dialog.exec();
}

void OpenAllCitiesList(TWorldClock& w) {
  // Its hot key shows the list, and hides it when it is showing.
  static QPointer<TfrmCityList> open;
  if (open) {
    open->accept();
    return;
  }
  TfrmCityList dialog(w.overlay().mapTimeFormat, w.formatSettings(), &w);
  open = &dialog;
  dialog.exec();
}

void ShowWorldClockasWallpaper1Click(TWorldClock& w) {
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
void WallpaperLookSwitch(TWorldClock& w, bool on, const char* setting) {
  WriteIntegerSetting(kSettingsKey, setting, on ? 1 : 0);
  w.wallpaperLook = true;
  w.requestRedraw({false, false, true});
}

void ScreenSaverModuleMissing(TWorldClock& w) {
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

void Zoomtofullheight1Click(TWorldClock& w) {
  const bool on = !w.wallpaperFullHeight;
  w.setFullHeightChecked(on);
  WallpaperLookSwitch(w, on, kDesktopFullHeight);
}

void RemovewallpaperonExit1Click(TWorldClock& w) {
  const bool on = !w.removeWallpaperOnExit;
  w.setRemoveOnExitChecked(on);
  WallpaperLookSwitch(w, on, kDesktopRemoveOnExit);
}

void SetWorldClockMapasScreenSaver1Click(TWorldClock& w) {
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

void PreviewScreenSaver1Click(TWorldClock& w) {
  const std::string module = ScreenSaverModulePath();
  if (!ScreenSaverModuleExists(module)) {
    ScreenSaverModuleMissing(w);
    return;
  }
  ShellOpen("open", module);
}

void RefreshWallpaper(TWorldClock& w, TDateTime localNow) {
  WorldMap& map = w.worldMap();
  map.overlaySettings().showUtc = w.showUtc;
  Wallpaper().Refresh(map, w.desktopShowTimes, w.wallpaperFullHeight, PrimaryScreenPixels(), localNow,
                      PrimaryWorkAreaPixels());
}

void ClearWallpaper(TWorldClock&) { Wallpaper().ClearWallpaper(); }

void OpenOptions(TWorldClock& w) {
  if (w.WCSettings) w.WCSettings->ShowOptions();
}

void OpenAbout(TWorldClock& w) {
  QMessageBox::about(&w, QStringLiteral("About %1").arg(QApplication::applicationDisplayName()),
                     QStringLiteral("<h3>%1</h3><p>Version %2</p>"
                                    "<p>A world map with the day and night, the cities you choose and "
                                    "their local times.</p>")
                         .arg(QApplication::applicationDisplayName(), QApplication::applicationVersion()));
}

}  // namespace wc
