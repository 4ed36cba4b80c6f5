// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// "Add / Remove Cities on World Map": which cities the map draws. It edits
// "Display Cities" and rebuilds the map's displayed cities from the city
// database as it is now, so a city just added with the manager can go on the
// map at once.

#include <QDialog>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/City.h"

class QListView;
class QListWidget;
class QPushButton;

namespace wc {

class CityFilterBox;
class CityListModel;

class MapCitiesDialog : public QDialog {
  Q_OBJECT
 public:
  // displayCities: the map's 64 slots; requestRedraw asks the main window to
  // recompose and redraw the map and the wallpaper at its next tick.
  MapCitiesDialog(std::span<Cities> displayCities, std::function<void()> requestRedraw, QWidget* mainWindow);
  ~MapCitiesDialog() override;  // FormDestroy

 private:
  void buildUi();
  void FormCreate();
  void LoadCityData();
  void RefreshCityList();
  void btnAddClick();
  void btnRemoveClick();
  void cmdApplyClick();
  void cmdCloseClick();
  std::vector<std::string> selectedNames() const;

  std::span<Cities> displayCities_;
  std::function<void()> requestRedraw_;
  // The dialog's own city list, lon west positive, in file order.
  std::vector<CityEntry> cities_;
  CityListModel* available_ = nullptr;

  CityFilterBox* edFilter = nullptr;
  QListView* lbAllCities = nullptr;
  QPushButton* btnAdd = nullptr;
  QPushButton* btnRemove = nullptr;
  QListWidget* lbCities = nullptr;
  QPushButton* cmdApply = nullptr;
  QPushButton* cmdClose = nullptr;
};

}  // namespace wc
