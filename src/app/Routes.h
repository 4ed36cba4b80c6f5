#pragma once
// The main window's doors to the windows and services that other parts of
// the program bring: one function each, called from every menu entry, tool
// button and lifecycle step that reaches them.

#include <QPointer>
#include <QWidget>

#include "core/DateTime.h"

namespace wc {

class TWorldClock;

// Desktop clocks.
void LoadAndShowClocks(TWorldClock& w);  // LoadAClockList, ShowAClocks, LoadDClockList, ShowDClocks
void SaveClockLists(TWorldClock& w);     // SaveAClockList, SaveDClockList
void OpenAnalogClockSetup(TWorldClock& w);
void OpenDigitalClockSetup(TWorldClock& w);
void HideAllAnalogClocks(TWorldClock& w);
void HideAllDigitalClocks(TWorldClock& w);

// Reminders.
void LoadReminders(TWorldClock& w);
void SaveReminders(TWorldClock& w);
void CheckRem(TWorldClock& w);
void OpenReminders(TWorldClock& w);

// Tools.
void OpenCalendar(TWorldClock& w);
void OpenDialCodes(TWorldClock& w);
void OpenTimeFinder(TWorldClock& w);
// The open calendar, dial codes and time finder windows, program-wide: each
// window sets its pointer while it is open.
QPointer<QWidget>& CalendarWindow();
QPointer<QWidget>& DialCodesWindow();
QPointer<QWidget>& TimeFinderWindow();
// The hot keys' routes: open the window when it is not open, else close it.
void OpenOrCloseCalendar(TWorldClock& w);
void OpenOrCloseDialCodes(TWorldClock& w);
void OpenOrCloseTimeFinder(TWorldClock& w);

// Cities.
void OpenCityManager(TWorldClock& w);
void OpenMapCities(TWorldClock& w);
void OpenAllCitiesList(TWorldClock& w);

// Wallpaper and screen saver.
void ShowWorldClockasWallpaper1Click(TWorldClock& w);
void Zoomtofullheight1Click(TWorldClock& w);
void RemovewallpaperonExit1Click(TWorldClock& w);
void SetWorldClockMapasScreenSaver1Click(TWorldClock& w);
void PreviewScreenSaver1Click(TWorldClock& w);
void RefreshWallpaper(TWorldClock& w, TDateTime localNow);
void ClearWallpaper(TWorldClock& w);

// The options dialog, shown modally.
void OpenOptions(TWorldClock& w);

// The plain about box.
void OpenAbout(TWorldClock& w);

}  // namespace wc
