// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// TimeFinderWindow, the "Quick Time Finder": a city picked by its name or by its
// country, with its current local time and date and its country's dial code.

#include <optional>
#include <string>
#include <vector>

#include "core/FormatDateTime.h"
#include "tools/TimeFinderModel.h"
#include "tools/ToolWindow.h"

class QButtonGroup;
class QCompleter;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QStringListModel;
class QTimer;

namespace wc {

class CityListModel;
class CityTable;

class TimeFinderWindow : public ToolWindow {
  Q_OBJECT
 public:
  TimeFinderWindow(QWidget* owner, const CityTable& cities, const FormatSettings& format);

  QComboBox* searchBox() const { return cbSearch; }

 protected:
  void FormShow() override;
  void FormClose() override;

 private:
  void rgSearchTypeClick();
  void cbSearchChange();
  void cbSearchEnter();
  void suggest(const QString& text);
  void tmrTimeTimer();
  void showTime(DateTime localTime);

  const FormatSettings& format_;
  const CityTable& cities_;
  std::vector<std::string> dialCodeLines_;
  TimeFinderModel model_;
  std::optional<FinderResult> found_;

  QLabel* sLabel1 = nullptr;
  QGroupBox* rgSearchType = nullptr;
  QButtonGroup* searchTypes_ = nullptr;
  QRadioButton* rbCity = nullptr;
  QRadioButton* rbCountry = nullptr;
  QLabel* Label1 = nullptr;
  QComboBox* cbSearch = nullptr;
  QStringListModel* items_ = nullptr;
  CityListModel* suggestions_ = nullptr;
  QCompleter* completer_ = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* lbTime = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* lbDate = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* lbCode = nullptr;
  QPushButton* btnClose = nullptr;
  QTimer* tmrTime = nullptr;
};

}  // namespace wc
