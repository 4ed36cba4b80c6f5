// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The main menu as rows of menu bars: the menus go on one bar while the
// window is wide enough, and wrap onto further rows when it is not, as the
// classic desktop menu bars do, so that no menu ever hides behind an
// overflow button. Left and Right walk from the end of one row to the next.

#include <QWidget>
#include <vector>

class QAction;
class QMenu;
class QVBoxLayout;

namespace wc {

class MenuRow;

class MenuRows : public QWidget {
  Q_OBJECT
 public:
  explicit MenuRows(QWidget* parent);

  QMenu* addMenu(const QString& title);
  // The top-level menu entries in order, whichever row holds them.
  const QList<QAction*>& entries() const { return entries_; }
  const std::vector<MenuRow*>& rows() const { return rows_; }
  // Spreads the menus over as many rows as this width needs; the height the
  // rows then take.
  int arrange(int width);

 private:
  MenuRow* row(std::size_t index);
  void walk(MenuRow* from, bool forward);

  QVBoxLayout* layout_;
  QList<QAction*> entries_;
  std::vector<MenuRow*> rows_;
};

}  // namespace wc
