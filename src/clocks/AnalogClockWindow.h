// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// An analog desktop clock: a themed face with hands, the city's short name
// and its time. The face, the texts and the hour and minute hands are kept in
// one picture that is rebuilt when the minute changes; each second only the
// strip the second hand leaves and the one it enters are painted again.

#include <QImage>
#include <QList>
#include <string>

#include "clocks/AnalogClockArt.h"
#include "clocks/ClockList.h"
#include "clocks/ClockTheme.h"
#include "clocks/DesktopClockWindow.h"

namespace wc {

class DesktopClocks;

class AnalogClockWindow : public DesktopClockWindow {
  Q_OBJECT
 public:
  // The window holds its clock's record; lists is where that record is kept
  // on disk, told of each change.
  AnalogClockWindow(DesktopClocks& lists, AClockInfo record);

  // The record as the window shows it (the place as read; the list writes
  // the window's own).
  const AClockInfo& record() const { return record_; }
  bool StartClock = false;

  // The record's theme, texts and options with the menu marks that show
  // them; the theme's images and text rows; the face at the record's size.
  void showRecord();
  void SetClockData();
  void SetTheme();
  void Draw();
  DateTime GetTime() const;
  // The time line under the face, as last drawn.
  const std::string& timeText() const { return timeText_; }
  void LoadThemes();
  void PopupItemClick(QAction* item);
  // Sets the opacity, in the record and on the window.
  void setAlpha(int alpha);

  // Menu items the creators set.
  QAction* miHideDate = nullptr;     // "&Hide Time"
  QAction* miHideSeconds = nullptr;  // "Hide Seconds Hand"
  QAction* miHideAMPM = nullptr;     // "Hide AM/PM"
  QList<QAction*> sizeItems;
  void checkSizeItem(std::int32_t clockWidth);

  // What the window shows now (tests and screenshots).
  QImage grabClock();

 protected:
  void tick(DateTime utcWithLead) override;
  void paintEvent(QPaintEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void densityChanged() override;
  void modeChanged() override;

 private:
  void buildMenu();
  // The record changed: the list is written.
  void changed();
  void drawAt(DateTime utcWithLead);
  void rebuildLayer(double hourAngle, double minuteAngle);
  void chooseSize(int item);

  DesktopClocks& lists_;
  AClockInfo record_;
  AClockTheme theme_;  // of the theme shown
  std::string timeText_;
  AnalogClockArt art_;
  QImage layer_;
  QColor rim_;
  int lastminute = -1;
  int second_ = 0;
  bool shown_ = false;
};

}  // namespace wc
