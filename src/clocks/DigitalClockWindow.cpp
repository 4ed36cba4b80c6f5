// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DigitalClockWindow.h"

#include <QActionGroup>
#include <QApplication>
#include <QFontMetrics>
#include <QMenu>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>

#include "clocks/ClockFace.h"
#include "clocks/ClockFormat.h"
#include "clocks/ClockTheme.h"
#include "clocks/DesktopClocks.h"
#include "clocks/ThemePicture.h"
#include "core/Paths.h"

namespace wc {

namespace {

QFont ArialFont(int pixels, bool bold, bool italic) {
  QFont f(QStringLiteral("Arial"));
  f.setStyleHint(QFont::SansSerif);
  f.setPixelSize(pixels);
  f.setBold(bold);
  f.setItalic(italic);
  return f;
}

QColor ColorOf(std::int32_t colorRef) {
  const Rgb c = RgbOf(colorRef);
  return QColor(c.r, c.g, c.b);
}

}  // namespace

QFont DClockCityFont() { return ArialFont(11, false, false); }
QFont DClockTimeFont() { return ArialFont(21, true, false); }
QFont DClockDateFont() { return ArialFont(11, false, true); }

QString DClockCityLine(const QString& name, int width) {
  return QFontMetrics(DClockCityFont()).elidedText(name, Qt::ElideRight, width);
}

DigitalClockWindow::DigitalClockWindow(DesktopClocks& lists, DClockInfo record)
    : DesktopClockWindow(lists.ticker(), lists.composited()), lists_(lists), record_(std::move(record)) {
  setObjectName(QStringLiteral("frmDClock"));
  setGeometry(192, 124, 168, 102);
  buildMenu();
}

void DigitalClockWindow::buildMenu() {
  addThemeMenu(kDigitalThemeNames, [this](QAction* a) { PopupItemClick(a); });
  popClock->addSeparator();
  miHideDate = addItem(popClock, "&Hide Date", true);
  connect(miHideDate, &QAction::triggered, this, [this](bool on) {
    record_.HideDate = on;
    if (!SetClockData()) return;
    UpdateClock();
    SetShape();
    lists_.dclocksChanged();
  });
  miHideSeconds = addItem(popClock, "Hide &Seconds", true);
  connect(miHideSeconds, &QAction::triggered, this, [this](bool on) {
    record_.HideSeconds = on;
    UpdateClock();
    lists_.dclocksChanged();
  });
  miHideAMPM = addItem(popClock, "Hide AM/&PM", true);
  connect(miHideAMPM, &QAction::triggered, this, [this](bool on) {
    record_.HideAMPM = on;
    UpdateClock();
    lists_.dclocksChanged();
  });
  popClock->addSeparator();
  addAlwaysOnTopItem([this] {
    record_.AlwaysTop = alwaysOnTop();
    lists_.dclocksChanged();
  });
  addOpacityMenu([this](int alpha) {
    setAlphaValue(alpha);
    lists_.dclocksChanged();
  });
  popClock->addSeparator();
  addRemoveItem([this] { lists_.removeDClock(this); });
}

void DigitalClockWindow::setAlphaValue(int alpha) {
  record_.AlphaValue = static_cast<std::uint8_t>(alpha);
  setWindowOpacity(alpha / 255.0);
}

void DigitalClockWindow::showRecord() {
  miHideDate->setChecked(record_.HideDate);
  miHideSeconds->setChecked(record_.HideSeconds);
  miHideAMPM->setChecked(record_.HideAMPM);
}

QRect DigitalClockWindow::pictureRect() const {
  return QRect(DClockLayout::imgClock,
               bitmap_.isNull() ? DClockLayout::designPicture : bitmap_.deviceIndependentSize().toSize());
}

bool DigitalClockWindow::SetClockData() {
  const std::string theme = ThemeNameOf(record_.ThemeFile);
  const DClockColors c = ReadDClockColors(IniFile::load(ProgramFolder() + "dskins/dclock.ini"), theme, 0);
  timeColor_ = ColorOf(c.TimeColor);
  dateColor_ = ColorOf(c.DateColor);
  cityColor_ = ColorOf(c.CityColor);
  const std::string path = DClockBitmapPath(record_.ThemeFile, record_.HideDate);
  const QImage img = LoadThemePicture(path, devicePixelRatioF());
  if (img.isNull()) {
    // The picture it had stays; without one it is drawn plain (paintEvent).
    // Told once a run, not at every showing.
    if (toldMissing_ != path) {
      toldMissing_ = path;
      QMessageBox::critical(
          nullptr, QApplication::applicationDisplayName(),
          QStringLiteral("Cannot open the clock picture \"%1\".").arg(QString::fromStdString(path)));
    }
    update();
    return false;
  }
  bitmap_ = img.convertToFormat(QImage::Format_RGB32);
  const QRect pic = pictureRect();
  resize(std::max(168, pic.right() + 1), std::max(102, pic.bottom() + 1));
  update();
  return true;
}

void DigitalClockWindow::SetShape() { setMask(pictureRect()); }

DateTime DigitalClockWindow::GetTime() const { return ClockTime(record_, UtcNowWithLead()); }

void DigitalClockWindow::UpdateClock() { updateClockAt(UtcNowWithLead()); }

void DigitalClockWindow::tick(DateTime utcWithLead) { updateClockAt(utcWithLead); }

void DigitalClockWindow::updateClockAt(DateTime utcWithLead) {
  const DateTime T = ClockTime(record_, utcWithLead);
  const QString time =
      QString::fromStdString(DigitalTimeText(T, record_.HideSeconds, record_.HideAMPM, ClockFormat()));
  const QString date = QString::fromStdString(DigitalDateText(T, ClockFormat()));
  const QString city = QString::fromStdString(record_.shortcityname);
  // Only the lines that changed are painted again.
  if (time != timeText_) update(DClockLayout::lblTime);
  if (date != dateText_) update(DClockLayout::lblDate);
  if (city != cityText_) update(DClockLayout::lblCity);
  timeText_ = time;
  dateText_ = date;
  cityText_ = city;
}

void DigitalClockWindow::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  const QRect pic = pictureRect();
  // Without its picture the clock is a plain light panel with dark text, as
  // an analog clock without its face is, whatever colours its theme gives.
  const bool plain = bitmap_.isNull();
  if (plain) {
    p.fillRect(pic, QColor(236, 236, 236));
    p.setPen(QColor(120, 120, 120));
    p.drawRect(pic.adjusted(0, 0, -1, -1));
  } else {
    p.drawImage(pic.topLeft(), bitmap_);
  }
  p.setRenderHint(QPainter::TextAntialiasing);
  auto line = [&](const QRect& r, const QFont& f, const QColor& c, const QString& text) {
    if (!e->rect().intersects(r)) return;
    p.setFont(f);
    p.setPen(plain ? QColor(32, 32, 32) : c);
    p.drawText(r, Qt::AlignHCenter | Qt::AlignTop, text);
  };
  line(DClockLayout::lblCity, DClockCityFont(), cityColor_,
       DClockCityLine(cityText_, DClockLayout::lblCity.width()));
  line(DClockLayout::lblTime, DClockTimeFont(), timeColor_, timeText_);
  line(DClockLayout::lblDate, DClockDateFont(), dateColor_, dateText_);
}

void DigitalClockWindow::showEvent(QShowEvent* e) {
  setWindowTitle(QString::fromStdString(record_.cityname));
  DesktopClockWindow::showEvent(e);
  SetClockData();
  UpdateClock();
  SetShape();
  LoadThemes();
}

void DigitalClockWindow::densityChanged() {
  if (isVisible() && SetClockData()) SetShape();
}

void DigitalClockWindow::modeChanged() {
  SetClockData();
  SetShape();
  setAlphaValue(record_.AlphaValue);
}

void DigitalClockWindow::LoadThemes() { checkThemeItem(record_.ThemeFile); }

void DigitalClockWindow::PopupItemClick(QAction* item) {
  record_.ThemeFile =
      ThemeFileFor(ProgramFolder(), "dskins", item->text().remove(QLatin1Char('&')).toStdString(), ".bmp");
  item->setChecked(true);
  if (!SetClockData()) return;
  UpdateClock();
  SetShape();
  lists_.dclocksChanged();
}

}  // namespace wc
