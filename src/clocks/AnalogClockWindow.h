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
#include "clocks/DesktopClockWindow.h"

namespace wc {

class DesktopClocks;

class AnalogClockWindow : public DesktopClockWindow {
  Q_OBJECT
 public:
  // lists: the clock lists this window's record lives in (none in tests of
  // the window alone).
  AnalogClockWindow(DesktopClocks* lists, bool translucent);

  // City and time.
  std::string CityName, ShortCityName;
  DateTime tzd = 0;
  std::int32_t dst = 0, weekno = 0, weekno1 = 0, dayofweek = 0, dayofweek1 = 0, month = 0, month1 = 0;
  DateTime curdate = 0;
  std::string DateString;
  // Theme.
  std::string ThemeFile, HourImage, MinuteImage, SecondImage, Roundimage, TextColor;
  std::int32_t TYCity = 0, TYDate = 0, TextSize = 11;
  std::int32_t txhour = 0, tyhour = 0, txminute = 0, tyminute = 0, txsecond = 0, tysecond = 0;
  bool ThemeLoaded = false;
  // Options.
  bool HideDate = false, HideSeconds = false, HideAMPM = false;
  int AlphaValue = 255;
  std::int32_t ClockWidth = 200, ClockHeight = 200, ClockRad = 100;
  bool StartClock = false;

  // Takes the record's theme, city, texts, options and size, with the menu
  // marks that show them.
  void assign(const AClockInfo& r);

  void SetClockData();
  void SetTheme();
  void Draw();
  DateTime GetTime() const;
  void LoadThemes();
  void PopupItemClick(QAction* item);
  void UpdateList();
  // Sets AlphaValue and the window's opacity.
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
  void drawAt(DateTime utcWithLead);
  void rebuildLayer(double hourAngle, double minuteAngle);
  void chooseSize(int item);

  DesktopClocks* lists_;
  AnalogClockArt art_;
  QImage layer_;
  QColor rim_;
  int lastminute = -1;
  int second_ = 0;
  bool shown_ = false;
};

}  // namespace wc
