// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// "Add Digital World Clock on your Desktop": pick a city, a theme and the
// options, see the clock in the preview, and put it on the desktop. The
// dialog stays open after adding.

#include <QDialog>
#include <string>
#include <vector>

#include "core/City.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPushButton;

namespace wc {

class CityFilterBox;
class DesktopClocks;
class DigitalClockWindow;

class DigitalClockSetupDialog : public QDialog {
  Q_OBJECT
 public:
  DigitalClockSetupDialog(DesktopClocks& lists, QWidget* mainWindow);

  std::string cityname, shortcityname;
  QColor timecolor, citycolor, datecolor;

  CityFilterBox* edFilter = nullptr;
  QListView* lbCities = nullptr;
  QListWidget* lbThemes = nullptr;
  QLineEdit* edCity = nullptr;
  QLabel* imgpreview = nullptr;
  QLabel* lblCity = nullptr;
  QLabel* lblTime = nullptr;
  QLabel* lblDate = nullptr;
  QCheckBox* cbHidesec = nullptr;
  QCheckBox* cbHideDate = nullptr;
  QCheckBox* cbAMPM = nullptr;
  QPushButton* btnAddClock = nullptr;
  QPushButton* btnClose = nullptr;

  DigitalClockWindow* lastAdded() const { return lastAdded_; }

  void LoadCityData();
  void LoadThemes();
  // False when the bitmap could not be loaded (the user has been told).
  bool SetClockData();
  void UpdateClock();
  DateTime GetTime() const;

  void lbCitiesClick();
  void lbThemesClick();
  void cbHideDateClick();
  void btnAddClockClick();
  void btnCloseClick();

 protected:
  void reject() override;  // Esc, and a close from outside, are "Close"

 private:
  void buildUi();
  bool loadPreviewBitmap();
  void enableAdd();
  std::string selectedTheme() const;

  DesktopClocks& lists_;
  std::vector<CityItem> cities_;
  DigitalClockWindow* lastAdded_ = nullptr;
};

}  // namespace wc
