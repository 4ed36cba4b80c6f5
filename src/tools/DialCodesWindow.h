// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// DialCodesWindow, "International Dial Codes": the countries and codes of
// dialcodes.dat in a two-column list, sorted by a click on either header.

#include <vector>

#include "tools/DialCodeFile.h"
#include "tools/ToolWindow.h"

class QLabel;
class QPushButton;
class QTableView;

namespace wc {

class DialCodeTableModel;

class DialCodesWindow : public ToolWindow {
  Q_OBJECT
 public:
  explicit DialCodesWindow(QWidget* owner);

  QTableView* list() const { return lvDialCodes; }
  void lvDialCodesColumnClick(int column);

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  std::vector<DialCodeRow> rows_;
  DialCodeSort sort_;
  DialCodeTableModel* model_ = nullptr;

  QLabel* Label1 = nullptr;
  QTableView* lvDialCodes = nullptr;
  QPushButton* btnClose = nullptr;
};

}  // namespace wc
