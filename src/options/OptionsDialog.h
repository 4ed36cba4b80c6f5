// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// "Program Options": the options dialog, and at the same time the program's
// loader of stored settings. One instance lives for the whole run; start-up
// has it apply the stored settings to the main window (InitSettings), and
// every showing applies them again first.

#include <QDialog>
#include <array>
#include <string>
#include <vector>

#include "core/SettingsRecords.h"
#include "options/OptionsHost.h"
#include "platform/HotKeyManager.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace wc {

class CityTable;
class HotKeyEdit;
class SettingsReader;

class OptionsDialog : public QDialog {
  Q_OBJECT
 public:
  // cities: the loaded city table, whose names "All cities" lists and from
  // which the map's displayed cities are built.
  OptionsDialog(OptionsHost& host, HotKeyManager& hotKeys, const CityTable& cities, QWidget* mainWindow);

  // Loads every stored setting into the dialog and applies it to the main
  // window, registering the stored hot keys; problems are noted in stored.
  void InitSettings(SettingsReader& stored);
  // The same, with the problems told at once.
  void InitSettings();
  // "Apply" and "OK": hands the dialog's values to the main window and stores them.
  void ApplyChanges();
  // Builds the map's displayed cities from the map city names.
  void RefreshCityList();

  // Shows the dialog modally on the "General" tab, after InitSettings.
  int ShowOptions();

  // The map city names ("Display Cities"), kept sorted; the map city dialog
  // sets them after a change and rebuilds with RefreshCityList.
  const std::vector<std::string>& displayCityNames() const { return displayCityNames_; }
  void setDisplayCityNames(std::vector<std::string> names);

  // The running executable whose start at login the dialog manages.
  void setExecutablePath(std::string path) { exePath_ = std::move(path); }

 private:
  void fillAllCities();
  void buildUi();
  QWidget* buildGeneralTab();
  QWidget* buildBalloonTab();
  QWidget* buildHotKeysTab();

  void HotKeyChange(int row);
  void btnAddClick(int row);
  void btnRemClick(int row);
  void btnCancelClick();
  void btnOKClick();
  void loadHotKeyRows(SettingsReader& stored);

  bool readStartAtLogin() const;
  void writeStartAtLogin(bool on) const;

  OptionsHost& host_;
  HotKeyManager& hotKeys_;
  const CityTable& cities_;
  QWidget* mainWindow_;
  std::string exePath_;

  QLabel* sLabel2 = nullptr;
  QTabWidget* Tabs = nullptr;
  QWidget* tsGeneral = nullptr;
  QWidget* tsBalloon = nullptr;
  QWidget* tsHotKeys = nullptr;
  // Beside the rows where the desktop does not deliver global hot keys.
  QLabel* lblHotKeyReach = nullptr;
  QCheckBox* cbStartup = nullptr;
  QCheckBox* cbCloseToTray = nullptr;
  QCheckBox* cbStartMini = nullptr;
  QCheckBox* cbShowPop = nullptr;
  QCheckBox* cbShowBalloon = nullptr;
  QPushButton* btnTestBalloon = nullptr;
  QListWidget* lbAllCities2 = nullptr;
  QListWidget* lbDispCities2 = nullptr;
  QPushButton* btnAddCity2 = nullptr;
  QPushButton* btnRemCity2 = nullptr;
  std::array<HotKeyEdit*, kHotKeyRowCount> HotKey{};
  std::array<QPushButton*, kHotKeyRowCount> btnAdd{};
  std::array<QPushButton*, kHotKeyRowCount> btnRem{};
  QPushButton* btnApply = nullptr;
  QPushButton* btnOK = nullptr;
  QPushButton* btnCancel = nullptr;

  // Values the dialog holds for the program. The fonts are kept in their
  // stored form, so that "OK" writes back exactly what was read.
  FontRecord dateFont_, cityFont_, desktopDateFont_, desktopCityFont_;
  std::vector<std::string> displayCityNames_;
  bool balloon_ = false;
  bool startupFlag_ = false;
  std::string showGetStart_ = "0";
  // The hidden preview panel's colour, which becomes the main window's background.
  QColor previewColour_ = Qt::black;
};

}  // namespace wc
