// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "OptionsDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/Autostart.h"
#include "core/CityTable.h"
#include "core/DisplayCities.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/SettingsReader.h"
#include "options/HotKeyEdit.h"
#include "platform/FontRecordQt.h"
#include "platform/SettingsReads.h"
#include "widgets/ToolDialogHeader.h"

namespace wc {

namespace {

constexpr int kClientWidth = 452;
constexpr int kClientHeight = 403;

const char* const kHotKeyLabels[kHotKeyRowCount] = {
    "Main window:", "Calendar window:", "Dial codes window:", "Time finder:", "All City List with time:"};

QString RowName(const char* stem, int row) { return QLatin1String(stem) + QString::number(row + 1); }

constexpr std::size_t kBalloonCityLimit = 8;

ColouredFont Holder(const FontRecord& r) { return FontFromRecord(r); }

void StoreSwitch(const char* name, bool on) { WriteIntegerSetting(kSettingsKey, name, on ? 1 : 0); }

FontRecord DesignFont(int pixels, bool bold) {
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(pixels);
  f.setBold(bold);
  return RecordFromFont(f, Qt::white);
}

}  // namespace


OptionsDialog::OptionsDialog(OptionsHost& host, HotKeyManager& hotKeys, const CityTable& cities,
                             QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint),
      host_(host),
      hotKeys_(hotKeys),
      cities_(cities),
      mainWindow_(mainWindow),
      exePath_(ExecutablePath()) {
  setObjectName(QStringLiteral("WCSettings"));
  setModal(true);
  // The display fonts as designed, kept while nothing valid is stored.
  dateFont_ = DesignFont(14, true);
  cityFont_ = DesignFont(11, false);
  desktopDateFont_ = DesignFont(18, true);
  desktopCityFont_ = DesignFont(12, false);
  buildUi();
  fillAllCities();
}

void OptionsDialog::buildUi() {
  setWindowTitle(QString());  // the heading names the dialog
  setFixedSize(kClientWidth, kClientHeight);

  auto* header = new ToolDialogHeader(QStringLiteral("Program Options"), this);
  sLabel2 = Named(header->headingLabel(), "sLabel2");

  Tabs = Named(new QTabWidget(this), "Tabs");
  tsGeneral = buildGeneralTab();
  tsBalloon = buildBalloonTab();
  tsHotKeys = buildHotKeysTab();
  Tabs->addTab(tsGeneral, QStringLiteral("General"));
  Tabs->addTab(tsBalloon, QStringLiteral("Balloon"));
  Tabs->addTab(tsHotKeys, QStringLiteral("Hotkeys"));
  // The page, not the tab, is disabled: its controls take no input but stay
  // readable.
  tsBalloon->setEnabled(false);
  Tabs->setUsesScrollButtons(false);

  btnApply = Named(new QPushButton(QStringLiteral("Apply"), this), "btnApply");
  btnOK = Named(new QPushButton(QStringLiteral("OK"), this), "btnOK");
  btnCancel = Named(new QPushButton(QStringLiteral("Cancel"), this), "btnCancel");
  btnOK->setDefault(true);
  btnApply->setEnabled(false);
  connect(btnApply, &QPushButton::clicked, this, [this] { ApplyChanges(); });
  connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
  connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnApply);
  buttons->addWidget(btnOK);
  buttons->addWidget(btnCancel);

  QVBoxLayout* body = LayOutUnderHeader(*this, header);
  body->setSpacing(10);
  body->addWidget(Tabs, 1);
  body->addLayout(buttons);
}

QWidget* OptionsDialog::buildGeneralTab() {
  auto* page = Named(new QWidget, "tsGeneral");
  auto* group = new QGroupBox(QStringLiteral(" Program settings "), page);
  cbStartup =
      Named(new QCheckBox(QStringLiteral("Start World Clock automatically at login"), group), "cbStartup");
  cbCloseToTray =
      Named(new QCheckBox(QStringLiteral("Minimize to system tray when Closed"), group), "cbCloseToTray");
  cbStartMini = Named(new QCheckBox(QStringLiteral("Start Minimized"), group), "cbStartMini");
  cbShowPop = Named(new QCheckBox(QStringLiteral("Show Popup when Right-click on Map"), group), "cbShowPop");
  auto* g = new QVBoxLayout(group);
  g->setContentsMargins(14, 14, 14, 12);
  g->setSpacing(10);
  for (QCheckBox* cb : {cbStartup, cbCloseToTray, cbStartMini, cbShowPop}) g->addWidget(cb);
  auto* l = new QVBoxLayout(page);
  l->setContentsMargins(10, 10, 10, 10);
  l->addWidget(group);
  l->addStretch(1);
  return page;
}

QWidget* OptionsDialog::buildBalloonTab() {
  auto* page = Named(new QWidget, "tsBalloon");

  auto* balloon = new QGroupBox(QStringLiteral(" Balloon "), page);
  auto* text = new QLabel(
      QStringLiteral("World Clock can pop up a balloon showing the current time in up to 8 cities when you "
                     "point to the icon in the system tray."),
      balloon);
  text->setWordWrap(true);
  cbShowBalloon = Named(new QCheckBox(QStringLiteral("Show Balloon"), balloon), "cbShowBalloon");
  btnTestBalloon = Named(new QPushButton(QStringLiteral("Test"), balloon), "btnTestBalloon");
  auto* bl = new QGridLayout(balloon);
  bl->setContentsMargins(10, 10, 10, 8);
  bl->addWidget(text, 0, 0, 1, 3);
  bl->addWidget(cbShowBalloon, 1, 0);
  bl->setColumnStretch(1, 1);
  bl->addWidget(btnTestBalloon, 1, 2);

  auto* cities = new QGroupBox(QStringLiteral(" Cities Displayed in Balloon "), page);
  lbAllCities2 = Named(new QListWidget(cities), "lbAllCities2");
  lbDispCities2 = Named(new QListWidget(cities), "lbDispCities2");
  // Both lists are filled in the program's list order (SortListOrder).
  for (QListWidget* lb : {lbAllCities2, lbDispCities2}) {
    lb->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lb->setTextElideMode(Qt::ElideRight);
    lb->setStyleSheet(QStringLiteral("QListWidget { background: rgb(234, 242, 251); color: black; }"));
  }
  btnAddCity2 = Named(new QPushButton(QStringLiteral(">"), cities), "btnAddCity2");
  btnRemCity2 = Named(new QPushButton(QStringLiteral("<"), cities), "btnRemCity2");
  // The skins size buttons marked so (a skin's sizes win over the widget's own).
  for (QPushButton* b : {btnAddCity2, btnRemCity2}) {
    b->setProperty("wcSize", QStringLiteral("arrow"));
    b->setFixedWidth(32);
  }
  auto* arrows = new QVBoxLayout;
  arrows->addStretch(1);
  arrows->addWidget(btnAddCity2);
  arrows->addWidget(btnRemCity2);
  arrows->addStretch(1);
  auto* cl = new QGridLayout(cities);
  cl->setContentsMargins(10, 8, 10, 10);
  cl->addWidget(new QLabel(QStringLiteral("All cities"), cities), 0, 0);
  cl->addWidget(new QLabel(QStringLiteral("Displayed cities"), cities), 0, 2);
  cl->addWidget(lbAllCities2, 1, 0);
  cl->addLayout(arrows, 1, 1);
  cl->addWidget(lbDispCities2, 1, 2);

  auto* l = new QVBoxLayout(page);
  l->setContentsMargins(10, 8, 10, 10);
  l->addWidget(balloon);
  l->addWidget(cities, 1);
  return page;
}

QWidget* OptionsDialog::buildHotKeysTab() {
  auto* page = Named(new QWidget, "tsHotKeys");
  auto* text = new QLabel(
      QStringLiteral(
          "You can set up hotkeys (keystroke combinations) to quickly show and hide World Clock "
          "windows. To add a hotkey to a window, click in the corresponding field, press the hotkey "
          "combination, then click Add."),
      page);
  text->setWordWrap(true);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(8);
  for (int row = 0; row < kHotKeyRowCount; ++row) {
    auto* label = new QLabel(QLatin1String(kHotKeyLabels[row]), page);
    HotKey[row] = new HotKeyEdit(page);
    HotKey[row]->setObjectName(RowName("HotKey", row));
    label->setBuddy(HotKey[row]);
    btnAdd[row] = new QPushButton(QStringLiteral("Add"), page);
    btnAdd[row]->setObjectName(RowName("btnAdd", row));
    btnRem[row] = new QPushButton(QStringLiteral("Clear"), page);
    btnRem[row]->setObjectName(RowName("btnRem", row));
    btnAdd[row]->setEnabled(false);
    btnRem[row]->setEnabled(false);
    for (QPushButton* b : {btnAdd[row], btnRem[row]}) {
      b->setAutoDefault(false);
      // Narrow, so that the field has room for "Ctrl + Shift + Alt + F12".
      b->setProperty("wcSize", QStringLiteral("small"));
      b->setFixedWidth(54);
    }
    grid->addWidget(label, row, 0);
    grid->addWidget(HotKey[row], row, 1);
    grid->addWidget(btnAdd[row], row, 2);
    grid->addWidget(btnRem[row], row, 3);
    connect(HotKey[row], &HotKeyEdit::hotKeyChanged, this, [this, row] { HotKeyChange(row); });
    connect(btnAdd[row], &QPushButton::clicked, this, [this, row] { btnAddClick(row); });
    connect(btnRem[row], &QPushButton::clicked, this, [this, row] { btnRemClick(row); });
  }
  grid->setColumnStretch(1, 1);
  lblHotKeyReach = Named(new QLabel(page), "lblHotKeyReach");
  lblHotKeyReach->setWordWrap(true);
  switch (hotKeys_.reach()) {
    case HotKeyReach::Everywhere:
      lblHotKeyReach->hide();
      break;
    case HotKeyReach::OwnWindowsOnly:
      lblHotKeyReach->setText(QStringLiteral(
          "This desktop offers programs no global shortcuts: these hotkeys work only while a World "
          "Clock window is active."));
      break;
    case HotKeyReach::Nowhere:
      lblHotKeyReach->setText(
          QStringLiteral("This desktop offers programs no global shortcuts: hotkeys cannot be used here."));
      break;
  }
  auto* l = new QVBoxLayout(page);
  l->setContentsMargins(10, 10, 10, 10);
  l->setSpacing(12);
  l->addWidget(text);
  l->addLayout(grid);
  l->addWidget(lblHotKeyReach);
  l->addStretch(1);
  return page;
}

int OptionsDialog::ShowOptions() {
  InitSettings();
  Tabs->setCurrentWidget(tsGeneral);
  CentreOverOwner(*this, mainWindow_);
  return exec();
}

void OptionsDialog::btnOKClick() {
  ApplyChanges();
  accept();
}

void OptionsDialog::btnCancelClick() { reject(); }

// ---- Hot-key rows ----

void OptionsDialog::loadHotKeyRows(SettingsReader& read) {
  auto& rows = hotKeys_.rows();
  for (int n = 0; n < kHotKeyRowCount; ++n) {
    const auto stored = static_cast<HotKeyValue>(read.integer(kHotKeys[n]));
    HotKeyValue& registered = rows[n];
    if (stored != registered) {
      // The combination held so far is given up even when the stored one
      // cannot be had, so the row never claims a key it does not hold.
      if (registered != 0) {
        hotKeys_.RemoveHotKey(registered);
        registered = 0;
      }
      if (stored != 0 && hotKeys_.AddHotKey(stored) != 0) registered = stored;
    }
    HotKey[n]->setHotKey(registered);
    btnAdd[n]->setEnabled(false);
    btnRem[n]->setEnabled(registered != 0);
  }
}

void OptionsDialog::HotKeyChange(int row) { btnAdd[row]->setEnabled(HotKey[row]->hotKey() != 0); }

void OptionsDialog::btnAddClick(int row) {
  const HotKeyValue k = HotKey[row]->hotKey();
  HotKeyValue& registered = hotKeys_.rows()[row];
  if (k != 0) {
    if (registered != 0) {
      hotKeys_.RemoveHotKey(registered);
      registered = 0;
    }
    if (hotKeys_.AddHotKey(k) != 0) {
      registered = k;
      btnRem[row]->setEnabled(true);
    } else {
      QMessageBox::critical(
          this, QGuiApplication::applicationDisplayName(),
          QStringLiteral("This keystroke combination could not be registered as a hotkey. It "
                         "may already be in use by another application."));
      HotKey[row]->setHotKey(0);
    }
  }
  btnAdd[row]->setEnabled(false);
}

void OptionsDialog::btnRemClick(int row) {
  HotKeyValue& registered = hotKeys_.rows()[row];
  if (registered != 0) hotKeys_.RemoveHotKey(registered);
  HotKey[row]->setHotKey(0);
  registered = 0;
  btnAdd[row]->setEnabled(false);
  btnRem[row]->setEnabled(false);
}

// ---- The stored settings ----

void OptionsDialog::fillAllCities() {
  lbAllCities2->clear();
  std::vector<std::string> names = cities_.names();
  SortListOrder(names);
  // One insertion for all rows: adding them one by one costs as much as reading the file.
  QStringList items;
  items.reserve(static_cast<qsizetype>(names.size()));
  for (const std::string& name : names) items.append(QString::fromStdString(name));
  lbAllCities2->addItems(items);
}

bool OptionsDialog::readStartAtLogin() const { return IsStartAtLoginOn(exePath_); }

void OptionsDialog::writeStartAtLogin(bool on) const {
  // A failure is not reported; the next showing reads back what is there.
  SetStartAtLogin(on, exePath_);
}

void OptionsDialog::setDisplayCityNames(std::vector<std::string> names) {
  SortListOrder(names);
  displayCityNames_ = std::move(names);
}

void OptionsDialog::RefreshCityList() {
  BuildDisplayCities(displayCityNames_, cities_.entries(), host_.displayCities());
}

void OptionsDialog::InitSettings() {
  SettingsReader stored;
  InitSettings(stored);
  ShowSettingsProblems(stored, parentWidget());
}

void OptionsDialog::InitSettings(SettingsReader& r) {
  // 1-2: the General tab.
  startupFlag_ = readStartAtLogin();
  cbStartup->setChecked(startupFlag_);
  cbCloseToTray->setChecked(r.on(kCloseToTray));
  host_.setCloseToTray(cbCloseToTray->isChecked());
  cbShowPop->setChecked(r.on(kShowPopup));
  // 3-6: the main window's screen-saver state, background, fonts and map switches.
  host_.showScreenSaverState(r.integer(kSetScreenSave) != 0);
  host_.setBackgroundColour(previewColour_);
  r.font(kDateTimeFont, dateFont_);
  r.font(kCityTimesFont, cityFont_);
  host_.setMapFonts(Holder(dateFont_), Holder(cityFont_));
  OptionsHost::MapSwitches map;
  map.showDate = r.on(kShowDate);
  map.showTips = r.on(kShowTips);
  map.showUtc = r.on(kShowUtc);
  map.mapView = r.integer(kMapView);
  map.showShadow = r.on(kShowShadow);
  map.showDateLine = r.on(kShowDateLine);
  host_.applyMapSwitches(map);
  // 7-10: map cities and the Balloon tab.
  setDisplayCityNames(r.list(kDisplayCities));
  balloon_ = r.on(kShowBalloon);
  cbShowBalloon->setChecked(balloon_);
  std::vector<std::string> balloonCities = r.list(kBalloonCities);
  SortListOrder(balloonCities);
  if (balloonCities.size() > kBalloonCityLimit) balloonCities.resize(kBalloonCityLimit);
  lbDispCities2->clear();
  for (const std::string& c : balloonCities) lbDispCities2->addItem(QString::fromStdString(c));
  RefreshCityList();
  // 11-12: wallpaper.
  OptionsHost::WallpaperChecks wall;
  wall.wallpaper = r.on(kDesktopWallpaper);
  wall.fullHeight = r.on(kDesktopFullHeight);
  wall.showTimes = r.on(kDesktopShowTimes);
  wall.removeOnExit = r.on(kDesktopRemoveOnExit);
  host_.applyWallpaperChecks(wall);
  r.font(kDesktopDateTimeFont, desktopDateFont_);
  r.font(kDesktopCityTimesFont, desktopCityFont_);
  host_.setWallpaperFonts(Holder(desktopDateFont_), Holder(desktopCityFont_));
  // 13: hot keys.
  loadHotKeyRows(r);
  // 14-16.
  showGetStart_ = r.text(kShowGetStart);
  cbStartMini->setChecked(host_.startMinimized());
  host_.doWindowSize(r.integer(kWindowSize));
  host_.clearWallpaperLookChanged();
  btnApply->setEnabled(false);
}

void OptionsDialog::ApplyChanges() {
  if (cbStartup->isChecked() != startupFlag_) writeStartAtLogin(cbStartup->isChecked());
  StoreSwitch(kCloseToTray, cbCloseToTray->isChecked());
  host_.setCloseToTray(cbCloseToTray->isChecked());
  StoreSwitch(kShowPopup, cbShowPop->isChecked());
  WriteFontSetting(kSettingsKey, kDateTimeFont, dateFont_);
  host_.setMapFonts(Holder(dateFont_), Holder(cityFont_));
  WriteFontSetting(kSettingsKey, kCityTimesFont, cityFont_);
  host_.setBackgroundColour(previewColour_);
  WriteIntegerSetting(kSettingsKey, kBackgroundColor,
                      static_cast<std::int32_t>(ColorRefFromColor(previewColour_)));
  WriteIntegerSetting(kSettingsKey, kMapView, host_.mapView());
  balloon_ = cbShowBalloon->isChecked();
  StoreSwitch(kShowBalloon, balloon_);
  host_.setBalloon(balloon_);
  host_.setWallpaperFonts(Holder(desktopDateFont_), Holder(desktopCityFont_));
  WriteFontSetting(kSettingsKey, kDesktopDateTimeFont, desktopDateFont_);
  WriteFontSetting(kSettingsKey, kDesktopCityTimesFont, desktopCityFont_);
  for (int n = 0; n < kHotKeyRowCount; ++n)
    WriteIntegerSetting(kSettingsKey, kHotKeys[n], static_cast<std::int32_t>(HotKey[n]->hotKey()));
  host_.setStartMinimized(cbStartMini->isChecked());
  StoreSwitch(kMinimized, cbStartMini->isChecked());
  // The menus switched the wallpaper as they went; a new look is drawn now.
  host_.switchWallpaper(host_.wallpaperOn());
  WriteStringSetting(kSettingsKey, kShowGetStart, showGetStart_);
  host_.requestMapRecompose();
  host_.requestDisplayRedraw();
  btnApply->setEnabled(false);
  host_.attachPopupMenu(cbShowPop->isChecked());
}

}  // namespace wc
