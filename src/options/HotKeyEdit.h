// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A field that records a key combination, like the system's hot-key control:
// it shows "None" or "Ctrl + Shift + C" and yields the hot-key value. A key
// pressed without Ctrl or Alt is taken with Alt, so that a global hot key
// never swallows a plain key; Backspace or Delete alone empty the field; Tab
// and Escape keep their usual meaning.

#include <QGuiApplication>
#include <QLineEdit>
#include <QTimer>
#include <functional>

#include "core/HotKey.h"

namespace wc {

// The virtual-key code of a key as Qt reports it (US layout for shifted
// punctuation); 0 for a key the hot-key layout has no code for.
std::uint8_t VirtualKeyFromQtKey(int qtKey, Qt::KeyboardModifiers modifiers);

class HotKeyEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit HotKeyEdit(QWidget* parent = nullptr);

  HotKeyValue hotKey() const { return value_; }
  // Which modifiers the keyboard holds now; the window system is asked by default.
  void setModifierSource(std::function<Qt::KeyboardModifiers()> source) { heldNow_ = std::move(source); }
  // Shows v without raising the change signal, as a program change does not.
  void setHotKey(HotKeyValue v);

 signals:
  // The user changed the combination.
  void hotKeyChanged(quint32 value);

 protected:
  bool event(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

 private:
  void showValue(HotKeyValue shown);
  void userSet(HotKeyValue v);
  void showHeldModifiers(HotKeyValue held);
  void checkHeldModifiers();

  HotKeyValue value_ = 0;
  // While only modifiers show, the keyboard itself is asked whether they are
  // still held: a combination another program has grabbed takes the key and
  // the modifiers' releases with it, and they never reach the field.
  QTimer held_;
  std::function<Qt::KeyboardModifiers()> heldNow_ = [] { return QGuiApplication::queryKeyboardModifiers(); };
};

}  // namespace wc
