// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A digital desktop clock: the theme bitmap with three lines over it, the
// city's short name, its time and its date. The window is cut to the bitmap;
// each second only a line whose text changed is painted again.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <string>

#include "clocks/ClockList.h"
#include "clocks/DesktopClockWindow.h"

namespace wc {

class DesktopClocks;

// The window's design layout, in window pixels.
struct DClockLayout {
  static constexpr QPoint imgClock{1, 1};
  static constexpr QSize designPicture{143, 83};
  static constexpr QRect lblCity{1, 5, 138, 18};
  static constexpr QRect lblTime{1, 31, 138, 22};
  static constexpr QRect lblDate{2, 65, 137, 13};
};

// The three lines' fonts: Arial 11 pixels regular, 21 bold, 11 italic.
QFont DClockCityFont();
QFont DClockTimeFont();
QFont DClockDateFont();
// The city line as it fits its label: a name too long for it ends in an
// ellipsis, where the centred label would cut off both of its ends.
QString DClockCityLine(const QString& name, int width);

class DigitalClockWindow : public DesktopClockWindow {
  Q_OBJECT
 public:
  // The window holds its clock's record; lists is where that record is kept
  // on disk, told of each change.
  DigitalClockWindow(DesktopClocks& lists, DClockInfo record);

  // The record as the window shows it (the place as read; the list writes
  // the window's own).
  const DClockInfo& record() const { return record_; }

  // The record's options as menu marks.
  void showRecord();
  // False when the bitmap could not be loaded (the user has been told).
  bool SetClockData();
  void UpdateClock();
  void SetShape();
  DateTime GetTime() const;
  void LoadThemes();
  void PopupItemClick(QAction* item);
  // The alpha blending value, 0..255, in the record and on the window.
  int alphaValue() const { return record_.AlphaValue; }
  void setAlphaValue(int alpha);

  QAction* miHideDate = nullptr;     // "&Hide Date"
  QAction* miHideSeconds = nullptr;  // "Hide &Seconds"
  QAction* miHideAMPM = nullptr;     // "Hide AM/&PM"

  // The three lines as last set, and the picture's place and size.
  QString cityText() const { return cityText_; }
  QString timeText() const { return timeText_; }
  QString dateText() const { return dateText_; }
  QRect pictureRect() const;
  const QImage& bitmap() const { return bitmap_; }

 protected:
  void tick(DateTime utcWithLead) override;
  void paintEvent(QPaintEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void densityChanged() override;
  void modeChanged() override;

 private:
  void buildMenu();
  void updateClockAt(DateTime utcWithLead);

  DesktopClocks& lists_;
  DClockInfo record_;
  QImage bitmap_;
  QColor timeColor_, dateColor_, cityColor_;
  QString cityText_, timeText_, dateText_;
  std::string toldMissing_;  // the missing picture the user was told of
};

}  // namespace wc
