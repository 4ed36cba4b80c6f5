// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// ReminderPopup, the pop-up of a reminder that fires: on top of other windows,
// the heading in a white band, the message, and the sound played once.

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace wc {

class ReminderPopup : public QDialog {
  Q_OBJECT
 public:
  // Without an owner, as each pop-up stands on its own; freed when closed.
  ReminderPopup();

  QLabel* lblCity = nullptr;
  QPlainTextEdit* lbRem = nullptr;
  QPushButton* btnClose = nullptr;
  QString sPlay;  // the wave file to play when shown

  // Shows the window centred over the main window and brings it to the front.
  void showOver(const QWidget* mainWindow);

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  bool played_ = false;
};

}  // namespace wc
