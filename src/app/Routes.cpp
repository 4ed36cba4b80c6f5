#include "app/Routes.h"

#include <QAction>
#include <QApplication>
#include <QLocale>
#include <QMessageBox>

#include "app/SettingsAccess.h"
#include "app/WorldClock.h"
#include "cities/untAddRemCity.h"
#include "cities/untCityList.h"
#include "cities/untCityListMan.h"
#include "clocks/DesktopClocks.h"
#include "clocks/TfrmAClockSetting.h"
#include "clocks/TfrmDClockSetting.h"
#include "core/Paths.h"
#include "core/SettingsTable.h"
#include "options/TWCSettings.h"
#include "platform/Compositor.h"
#include "reminders/RemindersWindows.h"

namespace wc {

namespace {

void NotInThisVersion(TWorldClock& w, const QString& what) {
  QMessageBox::information(&w, QStringLiteral("Information"),
                           QStringLiteral("%1 is not part of this version of %2 yet.")
                               .arg(what, QApplication::applicationDisplayName()));
}

}  // namespace

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

void OpenCalendar(TWorldClock& w) { NotInThisVersion(w, QStringLiteral("The calendar")); }
void OpenDialCodes(TWorldClock& w) {
  NotInThisVersion(w, QStringLiteral("The international dial codes window"));
}
void OpenTimeFinder(TWorldClock& w) { NotInThisVersion(w, QStringLiteral("The quick time finder")); }

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
  NotInThisVersion(w, QStringLiteral("The map as wallpaper"));
}
void Zoomtofullheight1Click(TWorldClock& w) { NotInThisVersion(w, QStringLiteral("The map as wallpaper")); }
void RemovewallpaperonExit1Click(TWorldClock& w) {
  NotInThisVersion(w, QStringLiteral("The map as wallpaper"));
}
void SetWorldClockMapasScreenSaver1Click(TWorldClock& w) {
  NotInThisVersion(w, QStringLiteral("The screen saver"));
}
void PreviewScreenSaver1Click(TWorldClock& w) { NotInThisVersion(w, QStringLiteral("The screen saver")); }
void RefreshWallpaper(TWorldClock&, TDateTime) {}
void ClearWallpaper(TWorldClock&) {}

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
