// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The desktop clocks of the main window: the analog and the digital clocks in
// list order, each window holding its record, the files they are kept in,
// the one-second beat they share, and hiding or showing all clocks of a kind.
// What the user changes is written at once (atomically, in the same format),
// not only when the program closes, so a crash loses nothing.

#include <QObject>
#include <QSize>
#include <string>
#include <string_view>
#include <vector>

#include "clocks/ClockList.h"
#include "clocks/ClockListFile.h"
#include "clocks/ClockTicker.h"

class QTimer;
class QWidget;

namespace wc {

class AnalogClockWindow;
class DigitalClockWindow;

class DesktopClocks : public QObject {
  Q_OBJECT
 public:
  // dataFolder holds aclocks.dat and dclocks.dat; composited: whether clock
  // windows get per-pixel alpha (see DesktopComposites). The clocks then
  // follow the compositor as it comes and goes.
  DesktopClocks(QObject* parent, std::string dataFolder, bool composited);
  ~DesktopClocks() override;

  const std::string& aclocksPath() const { return aFile_.path(); }
  const std::string& dclocksPath() const { return dFile_.path(); }
  bool composited() const { return composited_; }
  ClockTicker& ticker() { return ticker_; }
  // Every clock to per-pixel alpha and opacity, or to a shape without them.
  void setComposited(bool composited);

  // Moves every clock that no monitor's work area shows at least half of
  // fully onto the nearest one, and stores the new places.
  void bringClocksOnScreen();
  // Puts a new clock of this size at its designed place when no other clock
  // lies there, else further down and right (FreePlace).
  void placeNew(QWidget* w, QSize size) const;

  // The clocks in list order.
  const std::vector<AnalogClockWindow*>& analogClocks() const { return analog_; }
  const std::vector<DigitalClockWindow*>& digitalClocks() const { return digital_; }
  // The lists as they are written: the windows' records, each at its window's place.
  AClockList aclocks() const;
  DClockList dclocks() const;

  // Reads the file and makes a window for each of its clocks, not yet shown
  // (decimalSeparator: the regional one). A damaged file is reported once,
  // in a message naming it.
  void LoadAClockList(std::string_view decimalSeparator);
  void LoadDClockList(std::string_view decimalSeparator);
  // Shows the clocks, or hides them all, by the stored "showaclocks" /
  // "showdclocks" value (1 shows).
  void ShowAClocks(int show);
  void ShowDClocks(int show);
  // The whole list to its file; false (and the user told) when it failed.
  bool SaveAClockList();
  bool SaveDClockList();

  // A clock's record changed, was added or was removed: the list is written.
  void aclocksChanged();
  void dclocksChanged();
  // A window for a new clock the set-up dialog made, not yet in the list.
  AnalogClockWindow* newAnalogWindow(AClockInfo record);
  DigitalClockWindow* newDigitalWindow(DClockInfo record);
  // Appends the clock, once its window is shown, and writes the list.
  void addAClock(AnalogClockWindow* w);
  void addDClock(DigitalClockWindow* w);
  // Takes the clock out of its list; the window goes by itself.
  void removeAClock(const AnalogClockWindow* w);
  void removeDClock(const DigitalClockWindow* w);

  // "Hide All Analog Clocks" and "Hide All Digital Clocks"; hidden is what
  // their check marks show.
  void HideAllAnalogClocks1Click();
  void HideAllDigitalClocks2Click();
  bool analogHidden() const { return aHidden_; }
  bool digitalHidden() const { return dHidden_; }

  void ShowAnaClocks();
  void HideAClocks();
  void ShowDigClocks();
  void HideDClocks();

 signals:
  // A message for the user, seen once the emit returns (the main window
  // shows it in a modal box; tests read it).
  void problem(const QString& text);
  // analogHidden() or digitalHidden() changed.
  void hiddenChanged();

 private:
  void hideOrShowAll(bool analog);
  void followScreens();
  void setAnalogHidden(bool hidden);
  void setDigitalHidden(bool hidden);
  void setUpLoaded(AnalogClockWindow* w);
  void setUpLoaded(DigitalClockWindow* w);
  bool save(ClockListFile& file, const std::string& text);

  ClockListFile aFile_, dFile_;
  bool composited_;
  ClockTicker ticker_;
  std::vector<AnalogClockWindow*> analog_;  // owned: the windows have no parent
  std::vector<DigitalClockWindow*> digital_;
  bool aHidden_ = false, dHidden_ = false;
  QTimer* screensSettle_ = nullptr;
};

}  // namespace wc
