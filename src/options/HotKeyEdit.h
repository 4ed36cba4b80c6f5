#pragma once
// A field that records a key combination, like the system's hot-key control:
// it shows "None" or "Ctrl + Shift + C" and yields the hot-key value. A key
// pressed without Ctrl or Alt is taken with Alt, so that a global hot key
// never swallows a plain key; Backspace or Delete alone empty the field; Tab
// and Escape keep their usual meaning.

#include <QLineEdit>

#include "core/HotKey.h"

namespace wc {

// The virtual-key code of a key as Qt reports it (US layout for shifted
// punctuation); 0 for a key the hot-key layout has no code for.
std::uint8_t VirtualKeyFromQtKey(int qtKey, Qt::KeyboardModifiers modifiers);

class THotKeyEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit THotKeyEdit(QWidget* parent = nullptr);

  HotKeyValue hotKey() const { return value_; }
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

 private:
  void showValue(HotKeyValue shown);
  void userSet(HotKeyValue v);

  HotKeyValue value_ = 0;
};

}  // namespace wc
