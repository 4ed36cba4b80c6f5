// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// CalendarWindow, "Calendar - Year at a glance": the twelve months of one year,
// today marked, stepped with two buttons or typed into the year box.

#include <chrono>
#include <optional>

#include "tools/ToolWindow.h"

class QLineEdit;
class QPushButton;
class QToolButton;

namespace wc {

class CalendarSurface;

class CalendarWindow : public ToolWindow {
  Q_OBJECT
 public:
  explicit CalendarWindow(QWidget* owner);

  int shownYear() const { return year_; }
  QLineEdit* yearBox() const { return lbYear; }
  CalendarSurface* surface() const { return PaintBox1; }
  // The window at its own size where that fits into room (the screen's work
  // area less the window frame), else with the months drawn smaller so that
  // all twelve show whole: a 2x screen of 1920 x 1080 leaves 540 pixels.
  void fitInto(QSize room);

  void LeftBtnClick();
  void RightbtnClick();

 protected:
  void FormShow() override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void lbYearKeyUp();
  void stepYear(int delta);
  void RefreshCal();
  void refuseYear();

  int year_ = 2000;
  std::optional<std::chrono::sys_days> today_;

  QWidget* pnlTop = nullptr;
  QToolButton* btnLeft = nullptr;
  QLineEdit* lbYear = nullptr;
  QToolButton* btnRight = nullptr;
  CalendarSurface* PaintBox1 = nullptr;
  QPushButton* btnCancel = nullptr;
};

}  // namespace wc
