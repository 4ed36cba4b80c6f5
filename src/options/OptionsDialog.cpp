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

#include "core/Paths.h"
#include "options/HotKeyEdit.h"
#include "widgets/ToolDialogHeader.h"

namespace wc {

namespace {

constexpr int kClientWidth = 452;
constexpr int kClientHeight = 403;

const char* const kHotKeyLabels[kHotKeyRowCount] = {
    "Main window:", "Calendar window:", "Dial codes window:", "Time finder:", "All City List with time:"};

QString RowName(const char* stem, int row) { return QLatin1String(stem) + QString::number(row + 1); }

}  // namespace

OptionsDialog::OptionsDialog(OptionsHost& host, HotKeyManager& hotKeys, QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint),
      host_(host),
      hotKeys_(hotKeys),
      mainWindow_(mainWindow),
      exePath_(ExecutablePath()) {
  setObjectName(QStringLiteral("WCSettings"));
  setModal(true);
  buildUi();
  FormCreate();
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

void OptionsDialog::loadHotKeyRows() {
  auto& rows = HotKeyRows();
  for (int n = 0; n < kHotKeyRowCount; ++n) {
    const HotKeyValue stored = storedHotKey(n);
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
  HotKeyValue& registered = HotKeyRows()[row];
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
  HotKeyValue& registered = HotKeyRows()[row];
  if (registered != 0) hotKeys_.RemoveHotKey(registered);
  HotKey[row]->setHotKey(0);
  registered = 0;
  btnAdd[row]->setEnabled(false);
  btnRem[row]->setEnabled(false);
}

}  // namespace wc
