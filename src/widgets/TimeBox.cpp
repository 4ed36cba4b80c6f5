// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/TimeBox.h"

#include <QKeyEvent>

namespace wc {

namespace {
const QString kNoTime = QStringLiteral("--:-- --");
}  // namespace

TimeBox::TimeBox(QWidget* parent) : QTimeEdit(parent) {}

void TimeBox::setBlank() {
  blank_ = true;
  // The special text shows while the time is the minimum.
  setSpecialValueText(kNoTime);
  setTime(minimumTime());
}

void TimeBox::showTime(QTime t) {
  leaveBlank();
  setTime(t);
}

void TimeBox::leaveBlank() {
  if (!blank_) return;
  blank_ = false;
  setSpecialValueText(QString());
  // Redraw the text the special one stood for.
  const QTime t = time();
  setTime(t.addSecs(1));
  setTime(t);
  // Typing starts on the hour, whatever part of "--:-- --" was clicked or
  // selected: a selection over the special text would swallow the digits.
  setSelectedSection(QDateTimeEdit::HourSection);
}

void TimeBox::keyPressEvent(QKeyEvent* e) {
  const int key = e->key();
  const bool navigation = key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Escape ||
                          key == Qt::Key_Return || key == Qt::Key_Enter;
  if (!navigation && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) leaveBlank();
  // One letter is the whole word: Qt's own section takes only "AM" or "PM"
  // in full and keeps PM after a lone "A".
  if ((key == Qt::Key_A || key == Qt::Key_P) && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
      (displayedSections() & QDateTimeEdit::AmPmSection)) {
    const QTime t = time();
    const bool pm = t.hour() >= 12;
    if (key == Qt::Key_A && pm) setTime(t.addSecs(-12 * 3600));
    if (key == Qt::Key_P && !pm) setTime(t.addSecs(12 * 3600));
    e->accept();
    return;
  }
  QTimeEdit::keyPressEvent(e);
}

void TimeBox::stepBy(int steps) {
  leaveBlank();
  QTimeEdit::stepBy(steps);
}

}  // namespace wc
