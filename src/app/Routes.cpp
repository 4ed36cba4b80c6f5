#include "app/Routes.h"

#include <QApplication>
#include <QMessageBox>

#include "app/WorldClock.h"
#include "cities/untAddRemCity.h"
#include "cities/untCityList.h"
#include "cities/untCityListMan.h"
#include "options/TWCSettings.h"
#include "reminders/RemindersWindows.h"

namespace wc {

namespace {

void NotInThisVersion(TWorldClock& w, const QString& what) {
  QMessageBox::information(&w, QStringLiteral("Information"),
                           QStringLiteral("%1 is not part of this version of %2 yet.")
                               .arg(what, QApplication::applicationDisplayName()));
}

}  // namespace

void LoadAndShowClocks(TWorldClock&) {}
void SaveClockLists(TWorldClock&) {}
void OpenAnalogClockSetup(TWorldClock& w) { NotInThisVersion(w, QStringLiteral("The analog desktop clock")); }
void OpenDigitalClockSetup(TWorldClock& w) {
  NotInThisVersion(w, QStringLiteral("The digital desktop clock"));
}
void HideAllAnalogClocks(TWorldClock& w) { NotInThisVersion(w, QStringLiteral("Hiding the analog clocks")); }
void HideAllDigitalClocks(TWorldClock& w) {
  NotInThisVersion(w, QStringLiteral("Hiding the digital clocks"));
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
