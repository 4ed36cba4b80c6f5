// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HotKeyEdit.h"

#include <QKeyEvent>

namespace wc {

namespace {

HotKeyValue ModifierBits(Qt::KeyboardModifiers m) {
  HotKeyValue v = 0;
  if (m & Qt::ShiftModifier) v |= kHotKeyShift;
  if (m & Qt::ControlModifier) v |= kHotKeyCtrl;
  if (m & Qt::AltModifier) v |= kHotKeyAlt;
  return v;
}

bool IsModifierKey(int key) {
  return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
         key == Qt::Key_AltGr || key == Qt::Key_Super_L || key == Qt::Key_Super_R || key == Qt::Key_Hyper_L ||
         key == Qt::Key_Hyper_R;
}

}  // namespace

std::uint8_t VirtualKeyFromQtKey(int key, Qt::KeyboardModifiers modifiers) {
  const bool keypad = modifiers & Qt::KeypadModifier;
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<std::uint8_t>('A' + (key - Qt::Key_A));
  if (key >= Qt::Key_0 && key <= Qt::Key_9)
    return static_cast<std::uint8_t>((keypad ? 0x60 : '0') + (key - Qt::Key_0));
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<std::uint8_t>(0x70 + (key - Qt::Key_F1));
  if (keypad) {
    switch (key) {
      case Qt::Key_Asterisk:
        return 0x6A;
      case Qt::Key_Plus:
        return 0x6B;
      case Qt::Key_Minus:
        return 0x6D;
      case Qt::Key_Period:
      case Qt::Key_Comma:
      case Qt::Key_Delete:
        return 0x6E;
      case Qt::Key_Slash:
        return 0x6F;
      case Qt::Key_Enter:
        return 0x0D;
      default:
        break;
    }
  }
  switch (key) {
    case Qt::Key_Backspace:
      return 0x08;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return 0x09;
    case Qt::Key_Clear:
      return 0x0C;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 0x0D;
    case Qt::Key_Pause:
      return 0x13;
    case Qt::Key_CapsLock:
      return 0x14;
    case Qt::Key_Escape:
      return 0x1B;
    case Qt::Key_Space:
      return 0x20;
    case Qt::Key_PageUp:
      return 0x21;
    case Qt::Key_PageDown:
      return 0x22;
    case Qt::Key_End:
      return 0x23;
    case Qt::Key_Home:
      return 0x24;
    case Qt::Key_Left:
      return 0x25;
    case Qt::Key_Up:
      return 0x26;
    case Qt::Key_Right:
      return 0x27;
    case Qt::Key_Down:
      return 0x28;
    case Qt::Key_Print:
      return 0x2C;
    case Qt::Key_Insert:
      return 0x2D;
    case Qt::Key_Delete:
      return 0x2E;
    case Qt::Key_Menu:
      return 0x5D;
    case Qt::Key_NumLock:
      return 0x90;
    case Qt::Key_ScrollLock:
      return 0x91;
    case Qt::Key_VolumeMute:
      return 0xAD;
    case Qt::Key_VolumeDown:
      return 0xAE;
    case Qt::Key_VolumeUp:
      return 0xAF;
    case Qt::Key_MediaNext:
      return 0xB0;
    case Qt::Key_MediaPrevious:
      return 0xB1;
    case Qt::Key_MediaStop:
      return 0xB2;
    case Qt::Key_MediaPlay:
    case Qt::Key_MediaTogglePlayPause:
      return 0xB3;
    // Shifted digits name their key.
    case Qt::Key_Exclam:
      return '1';
    case Qt::Key_At:
      return '2';
    case Qt::Key_NumberSign:
      return '3';
    case Qt::Key_Dollar:
      return '4';
    case Qt::Key_Percent:
      return '5';
    case Qt::Key_AsciiCircum:
      return '6';
    case Qt::Key_Ampersand:
      return '7';
    case Qt::Key_Asterisk:
      return '8';
    case Qt::Key_ParenLeft:
      return '9';
    case Qt::Key_ParenRight:
      return '0';
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
      return 0xBA;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
      return 0xBB;
    case Qt::Key_Comma:
    case Qt::Key_Less:
      return 0xBC;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
      return 0xBD;
    case Qt::Key_Period:
    case Qt::Key_Greater:
      return 0xBE;
    case Qt::Key_Slash:
    case Qt::Key_Question:
      return 0xBF;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
      return 0xC0;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
      return 0xDB;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
      return 0xDC;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
      return 0xDD;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
      return 0xDE;
    default:
      return 0;
  }
}

HotKeyEdit::HotKeyEdit(QWidget* parent) : QLineEdit(parent) {
  setReadOnly(true);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  showValue(0);
  held_.setInterval(100);
  connect(&held_, &QTimer::timeout, this, &HotKeyEdit::checkHeldModifiers);
}

void HotKeyEdit::showHeldModifiers(HotKeyValue held) {
  if (held == 0) {
    held_.stop();
    showValue(value_);
    return;
  }
  showValue(held);
  held_.start();
}

void HotKeyEdit::checkHeldModifiers() { showHeldModifiers(ModifierBits(heldNow_())); }

void HotKeyEdit::focusOutEvent(QFocusEvent* e) {
  held_.stop();
  showValue(value_);
  QLineEdit::focusOutEvent(e);
}

void HotKeyEdit::setHotKey(HotKeyValue v) {
  held_.stop();
  value_ = v;
  showValue(v);
}

void HotKeyEdit::showValue(HotKeyValue shown) { setText(QString::fromStdString(HotKeyText(shown))); }

void HotKeyEdit::userSet(HotKeyValue v) {
  const bool changed = v != value_;
  setHotKey(v);
  if (changed) emit hotKeyChanged(v);
}

bool HotKeyEdit::event(QEvent* e) {
  // Shortcuts of the dialog (mnemonics, Enter for the default button) must
  // not take the keys the user is recording.
  if (e->type() == QEvent::ShortcutOverride) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() != Qt::Key_Escape || k->modifiers() != Qt::NoModifier) {
      e->accept();
      return true;
    }
  }
  return QLineEdit::event(e);
}

void HotKeyEdit::keyPressEvent(QKeyEvent* e) {
  const int key = e->key();
  const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
  if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && (mods & ~Qt::ShiftModifier) == Qt::NoModifier) {
    QLineEdit::keyPressEvent(e);  // focus moves on
    return;
  }
  if (key == Qt::Key_Escape && mods == Qt::NoModifier) {
    e->ignore();  // the dialog's Cancel
    return;
  }
  e->accept();
  if (IsModifierKey(key)) {
    // Held modifiers show as "Ctrl + " until a key completes them.
    showHeldModifiers(ModifierBits(mods));
    return;
  }
  if ((key == Qt::Key_Backspace || key == Qt::Key_Delete) && mods == Qt::NoModifier) {
    userSet(0);
    return;
  }
  const std::uint8_t vk = VirtualKeyFromQtKey(key, e->modifiers());
  if (vk == 0) return;
  HotKeyValue v = ModifierBits(mods);
  if (!(v & (kHotKeyCtrl | kHotKeyAlt))) v |= kHotKeyAlt;
  userSet(v | vk);
}

void HotKeyEdit::keyReleaseEvent(QKeyEvent* e) {
  e->accept();
  // Letting go of modifiers without a key brings back what was recorded.
  if (IsModifierKey(e->key())) {
    showHeldModifiers(ModifierBits(e->modifiers()));
  }
}

void HotKeyEdit::contextMenuEvent(QContextMenuEvent* e) { e->accept(); }

void HotKeyEdit::mousePressEvent(QMouseEvent* e) {
  setFocus(Qt::MouseFocusReason);
  e->accept();
}

}  // namespace wc
