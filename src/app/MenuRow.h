// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One row of the main menu's rows (MenuRows): a menu bar that knows the
// width its entries need and hands Left and Right at its ends to its
// neighbours.

#include <QMenuBar>

namespace wc {

class MenuRow : public QMenuBar {
  Q_OBJECT
 public:
  explicit MenuRow(QWidget* parent);
  // The width the bar needs to show these entries side by side.
  int widthFor(const QList<QAction*>& entries) const;
  // Only the first row answers the Alt key alone, so that one entry lights up.
  void setAnswersAltKey(bool on) { answersAltKey_ = on; }
  // With other rows beside it, its ends lead to them instead of wrapping round.
  void setHasNeighbours(bool on) { hasNeighbours_ = on; }

 signals:
  // Left at the first entry or Right at the last: the neighbouring row's turn.
  void walkedOffEnd(bool forward);

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  bool answersAltKey_ = true;
  bool hasNeighbours_ = false;
};

}  // namespace wc
