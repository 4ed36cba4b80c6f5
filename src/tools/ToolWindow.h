// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the time tools share: a fixed dialog owned by the main window, centred
// over it, shown modally one at a time, its placement stored under its own
// setting; Escape and the close box end it as "Close" does.

#include <QDialog>
#include <QPointer>
#include <utility>

class QBoxLayout;
class QPushButton;

namespace wc {

class ToolWindow : public QDialog {
  Q_OBJECT
 public:
  // role names the window to the window system (X11 WM_WINDOW_ROLE), so that
  // scripts find it although it has no caption of its own.
  ToolWindow(QWidget* owner, const QString& role, const char* placementSetting);

  // FormShow, then reads back the placement, centres the window over its
  // owner, brings it to the front and runs it modally.
  int showModal();

  void done(int result) override;  // stores the placement, then FormClose
  void reject() override { done(Accepted); }

 protected:
  // A row with the "Close" button at its right end, added to the layout.
  QPushButton* addCloseRow(QBoxLayout* layout, const char* objectName);
  // The designed client size, grown where fonts or a skin need more room.
  void fixClientSize(QSize designed);
  // Enter presses the focused button and otherwise never ends the window.
  void keyPressEvent(QKeyEvent* e) override;
  QWidget* owner() const { return owner_; }
  virtual void FormShow() {}   // before the window is placed and shown
  virtual void FormClose() {}  // when it closes, however it is closed

 private:
  QWidget* owner_;
  const char* placementSetting_;
};

// Opens the window unless one of its kind is open (open then points at it
// while it runs).
template <class Window, class... Args>
void RunToolWindow(QPointer<QWidget>& open, Args&&... args) {
  if (open) return;
  Window window(std::forward<Args>(args)...);
  open = &window;
  window.showModal();
}

}  // namespace wc
