// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The time box of our windows: a time picker in which A or P (either case)
// is the whole of AM or PM, wherever the cursor stands, and which can show no
// time at all ("--:-- --") until the user sets one, for a stored time that
// could not be read.

#include <QTimeEdit>

namespace wc {

class TimeBox : public QTimeEdit {
  Q_OBJECT
 public:
  explicit TimeBox(QWidget* parent = nullptr);

  // Shows no time; the first key, step or setTime leaves it.
  void setBlank();
  bool isBlank() const { return blank_; }
  // Shows a time (leaving the blank).
  void showTime(QTime t);

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void stepBy(int steps) override;

 private:
  void leaveBlank();
  bool blank_ = false;
};

}  // namespace wc
