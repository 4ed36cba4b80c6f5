// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// "List of all cities with current time": every city of the database with its
// local date and time, kept current every second. Only the rows on screen are
// computed, and only cells whose text changed are repainted, so the list
// costs next to nothing however many cities the database holds.

#include <QDialog>
#include <string>

#include "core/DateTime.h"
#include "core/FormatDateTime.h"

class QPushButton;
class QTableView;
class QTimer;

namespace wc {

class CityTimeModel;

class AllCitiesWindow : public QDialog {
  Q_OBJECT
 public:
  // mapTimeFormat: "MapTimeFormat" ("hh:mm AM/PM" or "HH:mm"); format: the
  // user's names and formats.
  AllCitiesWindow(std::string mapTimeFormat, const FormatSettings& format, QWidget* mainWindow);
  ~AllCitiesWindow() override;

  // The texts of the rows on screen for this local instant (plus the lead).
  void LoadTime(DateTime localNow);

 protected:
  void showEvent(QShowEvent* e) override;  // FormShow

 private:
  void buildUi();
  void FormCreate();
  void LoadCityData();
  void tmrMainTimer();
  void btnCloseClick();
  void armTimer();

  CityTimeModel* model_ = nullptr;
  QTableView* lvCity = nullptr;
  QPushButton* btnClose = nullptr;
  QTimer* tmrMain = nullptr;
};

}  // namespace wc
