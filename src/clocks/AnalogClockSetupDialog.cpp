// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AnalogClockSetupDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

#include "clocks/AnalogClockWindow.h"
#include "clocks/ClockFace.h"
#include "clocks/ClockFormat.h"
#include "clocks/ClockTicker.h"
#include "clocks/DesktopClocks.h"
#include "clocks/SetupDialogParts.h"
#include "core/Paths.h"
#include "widgets/CityFilterBox.h"

namespace wc {

// The paint box: it only asks the dialog to paint.
class AnalogPreview : public QWidget {
 public:
  AnalogPreview(AnalogClockSetupDialog* d, QWidget* parent) : QWidget(parent), d_(d) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    d_->pbPreviewPaint(p);
  }

 private:
  AnalogClockSetupDialog* d_;
};

AnalogClockSetupDialog::AnalogClockSetupDialog(DesktopClocks& lists, QWidget* mainWindow)
    : QDialog(nullptr), lists_(lists) {
  setObjectName(QStringLiteral("frmAClockSetting"));
  SetUpDialogFrame(*this, QSize(727, 362), mainWindow);
  buildUi();

  // FormCreate.
  TextSize = 11;
  clockwidth = 200;
  clockheight = 200;
  clockrad = 100;
  cities_ = ReadSetUpCities(this);
  const CityPicker picker =
      PlacedCityPicker(this, "lbCities", {6, 67, 189, 258}, cities_, [this] { lbCitiesClick(); });
  edFilter = picker.filter;
  lbCities = picker.list;
  QWidget::setTabOrder(lbCities, lbThemes);
  edFilter->setFocus();
  const IniFile ini = IniFile::load(ProgramFolder() + "askins/aclock.ini");
  for (const std::string& s : ini.sections()) lbThemes->addItem(QString::fromStdString(s));
  if (lbThemes->count() > 0) lbThemes->setCurrentRow(0);
  lbClockSize->setCurrentRow(2);
  lbTSize->setCurrentRow(2);
  lbCitiesClick();
  readThemeData();
  loadPreviewImages();
  enableAdd();
  // The preview moves while "Hide Seconds Hand" is clear.
  setRunning(true);
}

void AnalogClockSetupDialog::buildUi() {
  DialogHeading(this, "sLabel3", "Add Analog World Clock on your Desktop", {9, 8}, {-1, 43, 674, 2});
  PlacedLabel(this, "sLabel1", "Select a city", {6, 50});
  PlacedLabel(this, "sLabel2", "Select Clock Theme", {199, 52});
  lbThemes = PlacedList(this, "lbThemes", {200, 67, 143, 258});
  PlacedLabel(this, "sLabel5", "Clock Size", {348, 51});
  lbClockSize = PlacedList(this, "lbClockSize", {348, 67, 140, 57});
  for (const ClockSize& s : kClockSizes) lbClockSize->addItem(QString::fromLatin1(s.caption));
  PlacedLabel(this, "sLabel4", "Text Size", {347, 127});
  lbTSize = PlacedList(this, "lbTSize", {348, 141, 140, 85});
  for (const char* t : {"9", "10", "11", "12"}) lbTSize->addItem(QString::fromLatin1(t));
  cbHidesec = PlacedCheck(this, "cbHidesec", "Hide Seconds Hand", {347, 231});
  cbHideDate = PlacedCheck(this, "cbHideDate", "Hide Time", {347, 252});
  cbHideAMPM = PlacedCheck(this, "cbHideAMPM", "Hide AM/PM", {347, 274});
  // One line, as wide as it needs: wrapped, its second line would run under
  // the edit box below it.
  PlacedLabel(this, "Label1", "Short City Name (Modify if required)", {517, 51});
  edCity = new QLineEdit(this);
  edCity->setObjectName(QStringLiteral("edCity"));
  edCity->setGeometry(517, 68, 134, 21);
  pbPreview = new AnalogPreview(this, this);
  pbPreview->setObjectName(QStringLiteral("pbPreview"));
  pbPreview->setGeometry(518, 105, 200, 200);
  btnAddClock = PlacedButton(this, "btnAddClock", "Add Clock on Desktop", {486, 319, 150, 35});
  btnClose = PlacedButton(this, "btnClose", "Close", {641, 319, 78, 35});

  connect(lbThemes, &QListWidget::itemClicked, this, [this] { lbThemesClick(); });
  connect(lbClockSize, &QListWidget::itemClicked, this, [this] { lbClockSizeClick(); });
  connect(lbTSize, &QListWidget::itemClicked, this, [this] { lbTSizeClick(); });
  // Keys move the selection too; they count as a click.
  connect(lbThemes, &QListWidget::currentRowChanged, this, [this] {
    if (lbThemes->hasFocus()) lbThemesClick();
  });
  connect(cbHidesec, &QCheckBox::clicked, this, [this] {
    HideSeconds = cbHidesec->isChecked();
    setRunning(!HideSeconds);
    pbPreview->update();
  });
  connect(cbHideDate, &QCheckBox::clicked, this, [this] {
    HideDate = cbHideDate->isChecked();
    pbPreview->update();
  });
  connect(cbHideAMPM, &QCheckBox::clicked, this, [this] {
    HideAMPM = cbHideAMPM->isChecked();
    pbPreview->update();
  });
  connect(edCity, &QLineEdit::textChanged, this, [this](const QString& text) {
    shortcityname = text.toStdString();
    pbPreview->update();
  });
  connect(btnAddClock, &QPushButton::clicked, this, [this] { btnAddClockClick(); });
  connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
}

std::string AnalogClockSetupDialog::selectedTheme() const {
  const QListWidgetItem* item = lbThemes->currentItem();
  return item ? item->text().toStdString() : std::string();
}

void AnalogClockSetupDialog::readThemeData() {
  theme = ReadAClockTheme(IniFile::load(ProgramFolder() + "askins/aclock.ini"), selectedTheme());
  art_.setClockData(theme, TextSize, clockwidth, 255, false);
}

void AnalogClockSetupDialog::loadPreviewImages() {
  const std::string name = selectedTheme();
  art_.freeImages();
  if (name.empty()) return;
  art_.loadImages(ProgramFolder() + "askins/", ThemeFileFor(ProgramFolder(), "askins", name, ".png"),
                  clockwidth, devicePixelRatioF());
}

void AnalogClockSetupDialog::enableAdd() {
  btnAddClock->setEnabled(edFilter->currentPosition() >= 0 && lbThemes->currentRow() >= 0);
}

void AnalogClockSetupDialog::lbCitiesClick() {
  const int row = edFilter->currentPosition();
  enableAdd();
  if (row < 0) return;
  cityname = cities_[static_cast<std::size_t>(row)].name;
  const std::size_t comma = cityname.find(',');
  shortcityname = comma == std::string::npos ? cityname : cityname.substr(0, comma);
  edCity->setText(QString::fromStdString(shortcityname));
  readThemeData();
  loadPreviewImages();
  enableAdd();
  pbPreview->update();
}

void AnalogClockSetupDialog::lbThemesClick() {
  readThemeData();
  loadPreviewImages();
  enableAdd();
  pbPreview->update();
}

void AnalogClockSetupDialog::lbClockSizeClick() {
  const int row = lbClockSize->currentRow();
  if (row < 0) return;
  const ClockSize& s = kClockSizes[static_cast<std::size_t>(row)];
  clockwidth = s.width;
  clockheight = s.height;
  clockrad = s.rad;
  TextSize = s.textSize;
  lbTSize->setCurrentRow(s.textSize - 9);
  readThemeData();
  loadPreviewImages();
  pbPreview->update();
}

void AnalogClockSetupDialog::lbTSizeClick() {
  if (QListWidgetItem* item = lbTSize->currentItem()) TextSize = item->text().toInt();
  art_.setClockData(theme, TextSize, clockwidth, 255, false);
  loadPreviewImages();
  pbPreview->update();
}

void AnalogClockSetupDialog::setRunning(bool on) {
  running_ = on;
  if (on)
    lists_.ticker().subscribe(this, [this](DateTime) { pbPreview->update(); });
  else
    lists_.ticker().unsubscribe(this);
}

void AnalogClockSetupDialog::pbPreviewPaint(QPainter& p) {
  const int row = edFilter->currentPosition();
  if (row < 0) return;
  const DateTime T = ClockTime(cities_[static_cast<std::size_t>(row)], UtcNowWithLead());
  const HandAngles a = HandAnglesAt(T);
  // The box is the large clock's size: a smaller one sits in its middle.
  const QSize face = art_.faceSize();
  p.translate((pbPreview->width() - face.width()) / 2, (pbPreview->height() - face.height()) / 2);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.setRenderHint(QPainter::TextAntialiasing);
  art_.drawUpToMinute(p, a.hour, a.minute, QString::fromStdString(shortcityname),
                      QString::fromStdString(AnalogTimeText(T, HideAMPM, ClockFormat())), HideDate);
  if (!HideSeconds) art_.drawSecondHand(p, a.second);
  art_.drawCap(p);
}

QImage AnalogClockSetupDialog::previewImage() { return pbPreview->grab().toImage(); }

void AnalogClockSetupDialog::btnAddClockClick() {
  const int row = edFilter->currentPosition();
  if (row < 0 || lbThemes->currentRow() < 0) return;
  const auto clocks = lists_.aclocks();
  if (FindClock(clocks, cityname)) {
    QMessageBox::warning(this, QStringLiteral("Warning !"), QStringLiteral("City already added !"));
    return;
  }
  const CityItem& city = cities_[static_cast<std::size_t>(row)];
  AClockInfo r;
  r.ThemeFile = ThemeFileFor(ProgramFolder(), "askins", selectedTheme(), ".png");
  r.SecondImage = theme.SecondImage;
  r.RoundImage = theme.RoundImage;
  r.HourImage = theme.HourImage;
  r.MinuteImage = theme.MinuteImage;
  r.cityname = cityname;
  r.shortcityname = shortcityname;
  r.tzd = city.tzd;
  r.rule = city.rule;
  r.TYCity = theme.TYCity;
  r.TYDate = theme.TYDate;
  r.TextColor = theme.TextColor;
  r.TextSize = TextSize;
  r.HideDate = HideDate;
  r.HideSeconds = HideSeconds;
  r.HideAMPM = HideAMPM;
  r.clockwidth = clockwidth;
  r.clockheight = clockheight;
  r.clockrad = clockrad;
  r.AlwaysTop = true;
  r.AlphaValue = 255;
  AnalogClockWindow* w = lists_.newAnalogWindow(std::move(r));
  w->showRecord();
  w->checkOpacityItem(-1);
  w->setAlwaysOnTop(true);
  w->miAlwaysOnTop->setChecked(true);
  w->SetClockData();
  w->StartClock = true;
  lists_.placeNew(w, QSize(clockwidth, clockheight));
  w->notePlace();
  w->show();
  lists_.addAClock(w);
  lastAdded_ = w;
}

void AnalogClockSetupDialog::reject() {
  setRunning(false);
  QDialog::reject();  // closes, and so frees, the dialog
}

void AnalogClockSetupDialog::btnCloseClick() {
  setRunning(false);
  close();
}

}  // namespace wc
