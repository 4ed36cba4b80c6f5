// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The desktop clocks of the main window: the analog and the digital clock
// list with their windows, the files they are kept in, and hiding or showing
// all clocks of a kind. What the user changes is written at once (atomically,
// in the same format), not only when the program closes, so a crash loses
// nothing.

#include <QObject>
#include <QPointer>
#include <QSize>
#include <string>
#include <string_view>

#include "clocks/ClockList.h"

class QAction;
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

  AClockList aclocks;
  DClockList dclocks;

  std::string aclocksPath() const { return dataFolder_ + "aclocks.dat"; }
  std::string dclocksPath() const { return dataFolder_ + "dclocks.dat"; }
  bool composited() const { return composited_; }
  // Every clock to per-pixel alpha and opacity, or to a shape without them.
  void setComposited(bool composited);

  // Moves every clock that no monitor's work area shows at least half of
  // fully onto the nearest one, and stores the new places.
  void bringClocksOnScreen();
  // Puts a new clock of this size at its designed place when no other clock
  // lies there, else further down and right (FreePlace).
  void placeNew(QWidget* w, QSize size) const;

  // Reads the file into its list (decimalSeparator: the regional one). A
  // damaged file is reported once, in a message naming it.
  void LoadAClockList(std::string_view decimalSeparator);
  void LoadDClockList(std::string_view decimalSeparator);
  // One window per record, shown or hidden by the stored "showaclocks" /
  // "showdclocks" value (1 shows).
  void ShowAClocks(int show);
  void ShowDClocks(int show);
  // The whole list to its file; false (and the user told) when it failed.
  bool SaveAClockList();
  bool SaveDClockList();

  // A clock's record changed, was added or was removed: the list is written.
  void aclocksChanged();
  void dclocksChanged();
  // A window's record: the one linked to it, so that two clocks of one city
  // (a hand-edited file) each keep their own; nullptr when it has none.
  AClockInfo* recordOf(const AnalogClockWindow* w);
  DClockInfo* recordOf(const DigitalClockWindow* w);
  // Takes the window's record out of its list.
  void removeAClock(const AnalogClockWindow* w);
  void removeDClock(const DigitalClockWindow* w);
  // Appends the record of a clock the set-up dialog made, and writes the list.
  void addAClock(AClockInfo record);
  void addDClock(DClockInfo record);

  // The two "Hide All Analog Clocks" and the two "Hide All Digital Clocks"
  // items: the main menu's first. They always carry the same check mark;
  // checked means hidden.
  void setHideAllItems(QAction* analog1, QAction* analog2, QAction* digital1, QAction* digital2);
  void HideAllAnalogClocks1Click();
  void HideAllDigitalClocks2Click();
  bool analogHidden() const { return aHidden_; }
  bool digitalHidden() const { return dHidden_; }

  void ShowAnaClocks();
  void HideAClocks();
  void ShowDigClocks();
  void HideDClocks();

  // The window of a record (nullptr when it has none).
  AnalogClockWindow* windowOf(const AClockInfo& r) const;
  DigitalClockWindow* windowOf(const DClockInfo& r) const;

  // A new window of each kind, not yet shown, wired to these lists.
  AnalogClockWindow* newAnalogWindow();
  DigitalClockWindow* newDigitalWindow();

 signals:
  // A message for the user, seen once the emit returns (the main window
  // shows it in a modal box; tests read it).
  void problem(const QString& text);

 private:
  void hideOrShowAll(bool analog);
  void followScreens();
  void setAnalogMarks(bool hidden);
  void setDigitalMarks(bool hidden);
  bool save(const std::string& path, const std::string& text, bool& canSave, bool& failing);

  std::string dataFolder_;
  bool composited_;
  bool aCanSave_ = true, dCanSave_ = true;
  bool aFailing_ = false, dFailing_ = false;
  bool aHidden_ = false, dHidden_ = false;
  QTimer* screensSettle_ = nullptr;
  QPointer<QAction> hideA1_, hideA2_, hideD1_, hideD2_;
};

}  // namespace wc
