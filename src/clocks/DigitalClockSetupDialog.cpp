// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DigitalClockSetupDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

#include "clocks/ClockFace.h"
#include "clocks/ClockFormat.h"
#include "clocks/ClockTheme.h"
#include "clocks/ClockTicker.h"
#include "clocks/DesktopClocks.h"
#include "clocks/DigitalClockWindow.h"
#include "clocks/SetupDialogParts.h"
#include "clocks/ThemePicture.h"
#include "core/Paths.h"
#include "widgets/CityFilterBox.h"

namespace wc {

namespace {

QLabel* PreviewLine(QWidget* parent, const char* name, QRect at, const QFont& font) {
  auto* l = new QLabel(parent);
  l->setObjectName(QLatin1String(name));
  l->setGeometry(at);
  l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  l->setFont(font);
  l->setAttribute(Qt::WA_TranslucentBackground);
  return l;
}

QColor ColorOf(std::int32_t colorRef) {
  const Rgb c = RgbOf(colorRef);
  return QColor(c.r, c.g, c.b);
}

}  // namespace

DigitalClockSetupDialog::DigitalClockSetupDialog(DesktopClocks& lists, QWidget* mainWindow)
    : QDialog(nullptr), lists_(lists) {
  setObjectName(QStringLiteral("frmDClockSetting"));
  SetUpDialogFrame(*this, QSize(613, 307), mainWindow);
  buildUi();

  // FormCreate.
  LoadCityData();
  LoadThemes();
  if (lbThemes->count() > 0) lbThemes->setCurrentRow(0);
  if (const int own = edFilter->currentPosition(); own >= 0) {
    cityname = cities_[static_cast<std::size_t>(own)].name;
    edCity->setText(QString::fromStdString(cityname));
  }
  if (lbThemes->count() > 0) lbThemesClick();
  enableAdd();
  // The preview keeps time, as the clock it shows will.
  lists_.ticker().subscribe(this, [this](DateTime) { UpdateClock(); });
}

void DigitalClockSetupDialog::buildUi() {
  DialogHeading(this, "sLabel3", "Add Digital World Clock on your Desktop", {10, 10}, {-106, 41, 674, 2});
  PlacedLabel(this, "sLabel1", "Select a city", {6, 49});
  PlacedLabel(this, "sLabel2", "Select theme", {223, 51});
  lbThemes = PlacedList(this, "lbThemes", {222, 66, 143, 233});
  PlacedLabel(this, "sLabel4", "Short City name (Modify if required)", {369, 51});
  edCity = new QLineEdit(this);
  edCity->setObjectName(QStringLiteral("edCity"));
  edCity->setGeometry(370, 66, 187, 21);
  imgpreview = new QLabel(this);
  imgpreview->setObjectName(QStringLiteral("imgpreview"));
  imgpreview->setGeometry(369, 92, 141, 83);
  lblCity = PreviewLine(this, "lblCity", {370, 96, 138, 18}, DClockCityFont());
  lblTime = PreviewLine(this, "lblTime", {370, 122, 138, 22}, DClockTimeFont());
  lblDate = PreviewLine(this, "lblDate", {370, 157, 138, 13}, DClockDateFont());
  cbHidesec = PlacedCheck(this, "cbHidesec", "Hide Seconds", {369, 182});
  cbHideDate = PlacedCheck(this, "cbHideDate", "Hide Date", {369, 203});
  cbAMPM = PlacedCheck(this, "cbAMPM", "Hide AM / PM", {369, 224});
  btnAddClock = PlacedButton(this, "btnAddClock", "Add Clock on Desktop", {392, 270, 149, 29});
  btnClose = PlacedButton(this, "btnClose", "Close", {546, 270, 61, 29});

  connect(lbThemes, &QListWidget::itemClicked, this, [this] { lbThemesClick(); });
  connect(lbThemes, &QListWidget::currentRowChanged, this, [this] {
    if (lbThemes->hasFocus()) lbThemesClick();
  });
  connect(cbHideDate, &QCheckBox::clicked, this, [this] { cbHideDateClick(); });
  connect(cbHidesec, &QCheckBox::clicked, this, [this] { UpdateClock(); });
  connect(cbAMPM, &QCheckBox::clicked, this, [this] { UpdateClock(); });
  connect(edCity, &QLineEdit::textChanged, this, [this](const QString& text) {
    shortcityname = text.toStdString();
    UpdateClock();
  });
  connect(btnAddClock, &QPushButton::clicked, this, [this] { btnAddClockClick(); });
  connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
}

void DigitalClockSetupDialog::LoadCityData() {
  cities_ = ReadSetUpCities(this);
  const CityPicker picker =
      PlacedCityPicker(this, "lbCities", {6, 66, 211, 233}, cities_, [this] { lbCitiesClick(); });
  edFilter = picker.filter;
  lbCities = picker.list;
  QWidget::setTabOrder(lbCities, lbThemes);
  edFilter->setFocus();
}

void DigitalClockSetupDialog::LoadThemes() {
  const IniFile ini = IniFile::load(ProgramFolder() + "dskins/dclock.ini");
  for (const std::string& s : ini.sections()) lbThemes->addItem(QString::fromStdString(s));
}

std::string DigitalClockSetupDialog::selectedTheme() const {
  const QListWidgetItem* item = lbThemes->currentItem();
  return item ? item->text().toStdString() : std::string();
}

void DigitalClockSetupDialog::enableAdd() {
  btnAddClock->setEnabled(edFilter->currentPosition() >= 0 && lbThemes->currentRow() >= 0);
}

bool DigitalClockSetupDialog::loadPreviewBitmap() {
  const std::string path = DClockBitmapPath(ThemeFileFor(ProgramFolder(), "dskins", selectedTheme(), ".bmp"),
                                            cbHideDate->isChecked());
  const QPixmap pm = QPixmap::fromImage(LoadThemePicture(path, devicePixelRatioF()));
  if (pm.isNull()) {
    QMessageBox::critical(
        this, QApplication::applicationDisplayName(),
        QStringLiteral("Cannot open the clock picture \"%1\".").arg(QString::fromStdString(path)));
    return false;
  }
  imgpreview->setPixmap(pm);
  imgpreview->resize(pm.deviceIndependentSize().toSize());
  return true;
}

bool DigitalClockSetupDialog::SetClockData() {
  if (!loadPreviewBitmap()) return false;
  const DClockColors c =
      ReadDClockColors(IniFile::load(ProgramFolder() + "dskins/dclock.ini"), selectedTheme(), 2);
  timecolor = ColorOf(c.TimeColor);
  datecolor = ColorOf(c.DateColor);
  citycolor = ColorOf(c.CityColor);
  SetTextColour(lblTime, timecolor);
  SetTextColour(lblDate, datecolor);
  SetTextColour(lblCity, citycolor);
  return true;
}

DateTime DigitalClockSetupDialog::GetTime() const {
  const int row = edFilter->currentPosition();
  if (row < 0) return UtcNowWithLead();
  return ClockTime(cities_[static_cast<std::size_t>(row)], UtcNowWithLead());
}

void DigitalClockSetupDialog::UpdateClock() {
  const DateTime T = GetTime();
  lblTime->setText(
      QString::fromStdString(DigitalTimeText(T, cbHidesec->isChecked(), cbAMPM->isChecked(), ClockFormat())));
  lblDate->setText(QString::fromStdString(DigitalDateText(T, ClockFormat())));
  const QString name = QString::fromStdString(shortcityname);
  lblCity->setText(DClockCityLine(name, lblCity->width()));
  lblCity->setToolTip(lblCity->text() == name ? QString() : name);
}

void DigitalClockSetupDialog::lbCitiesClick() {
  const int row = edFilter->currentPosition();
  enableAdd();
  if (row < 0) return;
  cityname = cities_[static_cast<std::size_t>(row)].name;
  edCity->setText(QString::fromStdString(cityname));
  shortcityname = edCity->text().toStdString();
  enableAdd();
  UpdateClock();
}

void DigitalClockSetupDialog::lbThemesClick() {
  enableAdd();
  if (!SetClockData()) return;
  UpdateClock();
}

void DigitalClockSetupDialog::cbHideDateClick() {
  if (!loadPreviewBitmap()) return;
  lblDate->setVisible(!cbHideDate->isChecked());
  UpdateClock();
}

void DigitalClockSetupDialog::btnAddClockClick() {
  const int row = edFilter->currentPosition();
  if (row < 0 || lbThemes->currentRow() < 0) return;
  const auto clocks = lists_.dclocks();
  if (FindClock(clocks, cityname)) {
    QMessageBox::warning(this, QStringLiteral("Warning !"), QStringLiteral("City already added !"));
    return;
  }
  const CityItem& city = cities_[static_cast<std::size_t>(row)];
  DClockInfo r;
  r.ThemeFile = ThemeFileFor(ProgramFolder(), "dskins", selectedTheme(), ".bmp");
  r.cityname = cityname;
  r.shortcityname = shortcityname;
  r.tzd = city.tzd;
  r.rule = city.rule;
  r.HideDate = cbHideDate->isChecked();
  r.HideSeconds = cbHidesec->isChecked();
  r.HideAMPM = cbAMPM->isChecked();
  r.AlwaysTop = true;
  r.AlphaValue = 255;
  DigitalClockWindow* w = lists_.newDigitalWindow(std::move(r));
  w->showRecord();
  w->checkOpacityItem(-1);
  w->setAlwaysOnTop(true);
  w->miAlwaysOnTop->setChecked(true);
  lists_.placeNew(w, w->size());
  w->notePlace();
  w->show();
  lists_.addDClock(w);
  lastAdded_ = w;
}

void DigitalClockSetupDialog::reject() {
  lists_.ticker().unsubscribe(this);
  QDialog::reject();  // closes, and so frees, the dialog
}

void DigitalClockSetupDialog::btnCloseClick() {
  lists_.ticker().unsubscribe(this);
  close();
}

}  // namespace wc
