// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// "Add Analog World Clock on your Desktop": pick a city, a theme, a size, a
// text size and the options, watch the clock in the preview, and put it on
// the desktop. The dialog stays open, so several clocks can be added in turn.

#include <QDialog>
#include <string>
#include <vector>

#include "clocks/AnalogClockArt.h"
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
class AnalogClockWindow;

class AnalogClockSetupDialog : public QDialog {
  Q_OBJECT
 public:
  // mainWindow: the dialog is centred over it; it is not the dialog's owner.
  AnalogClockSetupDialog(DesktopClocks& lists, QWidget* mainWindow);

  std::string cityname, shortcityname;
  AClockTheme theme;
  std::int32_t TextSize = 11;
  std::int32_t clockwidth = 200, clockheight = 200, clockrad = 100;
  bool HideDate = false, HideSeconds = false, HideAMPM = false;

  CityFilterBox* edFilter = nullptr;
  QListView* lbCities = nullptr;
  QListWidget* lbThemes = nullptr;
  QListWidget* lbClockSize = nullptr;
  QListWidget* lbTSize = nullptr;
  QCheckBox* cbHidesec = nullptr;
  QCheckBox* cbHideDate = nullptr;
  QCheckBox* cbHideAMPM = nullptr;
  QLineEdit* edCity = nullptr;
  QWidget* pbPreview = nullptr;
  QPushButton* btnAddClock = nullptr;
  QPushButton* btnClose = nullptr;

  // The clock the last "Add Clock on Desktop" made (tests).
  AnalogClockWindow* lastAdded() const { return lastAdded_; }
  bool previewRunning() const { return running_; }
  // The preview as painted now.
  QImage previewImage();

  void lbCitiesClick();
  void lbThemesClick();
  void lbClockSizeClick();
  void lbTSizeClick();
  void btnAddClockClick();
  void btnCloseClick();

 protected:
  void reject() override;  // Esc, and a close from outside, are "Close"

 private:
  void buildUi();
  void readThemeData();
  void loadPreviewImages();
  void setRunning(bool on);
  void enableAdd();
  void pbPreviewPaint(QPainter& p);
  std::string selectedTheme() const;

  DesktopClocks& lists_;
  std::vector<CityItem> cities_;
  AnalogClockArt art_;
  AnalogClockWindow* lastAdded_ = nullptr;
  bool running_ = false;
  friend class AnalogPreview;
};

}  // namespace wc
