// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AnalogClockWindow.h"

#include <QActionGroup>
#include <QBitmap>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

#include "clocks/ClockFace.h"
#include "clocks/ClockFormat.h"
#include "clocks/DesktopClocks.h"
#include "core/AtomicFile.h"
#include "core/Paths.h"

namespace wc {

namespace {

// Without a compositor the face is cut by a shape and its soft edge lies on
// an opaque window: the colour of the face's own rim hides the cut best.
QColor RimColour(const QImage& face) {
  if (face.isNull()) return Qt::black;
  const QImage img = face.convertToFormat(QImage::Format_ARGB32);
  long long r = 0, g = 0, b = 0, n = 0;
  const int w = img.width(), h = img.height();
  for (int y = 0; y < h; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      if (qAlpha(row[x]) < 250) continue;
      // An opaque pixel next to a see-through one.
      const bool edge = x == 0 || x == w - 1 || y == 0 || y == h - 1 || qAlpha(row[x - 1]) < 250 ||
                        qAlpha(row[x + 1]) < 250 ||
                        qAlpha(reinterpret_cast<const QRgb*>(img.constScanLine(y - 1))[x]) < 250 ||
                        qAlpha(reinterpret_cast<const QRgb*>(img.constScanLine(y + 1))[x]) < 250;
      if (!edge) continue;
      r += qRed(row[x]);
      g += qGreen(row[x]);
      b += qBlue(row[x]);
      ++n;
    }
  }
  if (n == 0) return Qt::black;
  return QColor(static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n));
}

}  // namespace

AnalogClockWindow::AnalogClockWindow(DesktopClocks& lists, AClockInfo record)
    : DesktopClockWindow(lists.ticker(), lists.composited()), lists_(lists), record_(std::move(record)) {
  setObjectName(QStringLiteral("frmAnaClock"));
  // The design size and place; the face image sets the size.
  setGeometry(193, 124, 210, 192);
  buildMenu();
}

void AnalogClockWindow::buildMenu() {
  addThemeMenu(kAnalogThemeNames, [this](QAction* a) { PopupItemClick(a); });
  popClock->addSeparator();
  QMenu* sizes = popClock->addMenu(QStringLiteral("Change Clock Size"));
  auto* sizeGroup = new QActionGroup(this);
  sizeGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  for (int i = 0; i < static_cast<int>(kClockSizes.size()); ++i) {
    QAction* a = addItem(sizes, kClockSizes[i].caption, true);
    sizeGroup->addAction(a);
    sizeItems << a;
    connect(a, &QAction::triggered, this, [this, i] { chooseSize(i); });
  }
  popClock->addSeparator();
  miHideDate = addItem(popClock, "&Hide Time", true);
  connect(miHideDate, &QAction::triggered, this, [this](bool on) {
    record_.HideDate = on;
    lastminute = -1;
    Draw();
    changed();
  });
  miHideSeconds = addItem(popClock, "Hide Seconds Hand", true);
  connect(miHideSeconds, &QAction::triggered, this, [this](bool on) {
    record_.HideSeconds = on;
    update();
    Draw();
    changed();
  });
  miHideAMPM = addItem(popClock, "Hide AM/PM", true);
  connect(miHideAMPM, &QAction::triggered, this, [this](bool on) {
    record_.HideAMPM = on;
    lastminute = -1;
    Draw();
    changed();
  });
  popClock->addSeparator();
  addOpacityMenu([this](int alpha) {
    setAlpha(alpha);
    changed();
    Draw();
  });
  addAlwaysOnTopItem([this] {
    record_.AlwaysTop = alwaysOnTop();
    changed();
  });
  popClock->addSeparator();
  addRemoveItem([this] { lists_.removeAClock(this); });
}

void AnalogClockWindow::showRecord() {
  miHideDate->setChecked(record_.HideDate);
  miHideSeconds->setChecked(record_.HideSeconds);
  miHideAMPM->setChecked(record_.HideAMPM);
  checkSizeItem(record_.clockwidth);
}

void AnalogClockWindow::changed() {
  // The stored theme values follow the theme the clock shows from its first
  // change on; until then the file's own stay, as read.
  record_.SecondImage = theme_.SecondImage;
  record_.RoundImage = theme_.RoundImage;
  record_.HourImage = theme_.HourImage;
  record_.MinuteImage = theme_.MinuteImage;
  record_.TextColor = theme_.TextColor;
  record_.TYCity = theme_.TYCity;
  record_.TYDate = theme_.TYDate;
  record_.clockrad = art_.clockRad();
  lists_.aclocksChanged();
}

void AnalogClockWindow::chooseSize(int item) {
  const ClockSize& s = kClockSizes[static_cast<std::size_t>(item)];
  record_.clockwidth = s.width;
  record_.clockheight = s.height;
  record_.TextSize = s.textSize;
  SetClockData();
  SetTheme();
  changed();
  Draw();
}

void AnalogClockWindow::checkSizeItem(std::int32_t clockWidth) {
  const int item = SizeItemFor(clockWidth);
  for (int i = 0; i < sizeItems.size(); ++i) sizeItems[i]->setChecked(i == item);
}

void AnalogClockWindow::setAlpha(int alpha) {
  record_.AlphaValue = static_cast<std::uint8_t>(alpha);
  setWindowOpacity(alpha / 255.0);
}

void AnalogClockWindow::SetClockData() {
  // A theme removed since: its face is drawn plain (AnalogClockArt), with the
  // default theme's hands and text places, so it still reads as a clock.
  const std::string theme =
      FileExists(record_.ThemeFile) ? ThemeNameOf(record_.ThemeFile) : std::string("Classic");
  theme_ = ReadAClockTheme(IniFile::load(ProgramFolder() + "askins/aclock.ini"), theme);
  art_.setClockData(theme_, record_.TextSize, record_.clockwidth, 254, true);
  lastminute = -1;
}

void AnalogClockWindow::SetTheme() {
  art_.loadImages(ProgramFolder() + "askins/", record_.ThemeFile, record_.clockwidth, devicePixelRatioF());
  const QImage& face = art_.face();
  resize(art_.faceSize());
  if (!translucent()) {
    rim_ = RimColour(face);
    // The shape is set in the window's own pixels, whatever the picture's.
    if (!face.isNull()) {
      const QImage shape = face.devicePixelRatio() == 1 ? face
                                                        : face.scaled(art_.faceSize(), Qt::IgnoreAspectRatio,
                                                                      Qt::SmoothTransformation);
      setMask(QBitmap::fromImage(shape.createAlphaMask()));
    }
  }
  lastminute = -1;
  update();
  Draw();
}

DateTime AnalogClockWindow::GetTime() const { return ClockTime(record_, UtcNowWithLead()); }

void AnalogClockWindow::LoadThemes() { checkThemeItem(record_.ThemeFile); }

void AnalogClockWindow::PopupItemClick(QAction* item) {
  record_.ThemeFile =
      ThemeFileFor(ProgramFolder(), "askins", item->text().remove(QLatin1Char('&')).toStdString(), ".png");
  item->setChecked(true);
  SetClockData();
  art_.freeImages();
  SetTheme();
  Draw();
  changed();
}

void AnalogClockWindow::Draw() { drawAt(UtcNowWithLead()); }

void AnalogClockWindow::tick(DateTime utcWithLead) { drawAt(utcWithLead); }

void AnalogClockWindow::drawAt(DateTime utcWithLead) {
  if (!StartClock) return;
  const DateTime T = ClockTime(record_, utcWithLead);
  const HandAngles a = HandAnglesAt(T);
  const int minute = MinuteOfDay(T);
  if (minute != lastminute || layer_.isNull()) {
    timeText_ = AnalogTimeText(T, record_.HideAMPM, ClockFormat());
    rebuildLayer(a.hour, a.minute);
    lastminute = minute;
    second_ = a.secondOfMinute;
    update();
    return;
  }
  if (a.secondOfMinute == second_) return;
  const qreal dpr = devicePixelRatioF();
  const QRect before = art_.secondHandRectAt(second_, dpr);
  second_ = a.secondOfMinute;
  if (!record_.HideSeconds) update(QRegion(before) | art_.secondHandRectAt(second_, dpr));
}

void AnalogClockWindow::rebuildLayer(double hourAngle, double minuteAngle) {
  const qreal dpr = devicePixelRatioF();
  const QSize size = art_.face().isNull() ? QSize(1, 1) : art_.faceSize();
  layer_ = QImage((QSizeF(size) * dpr).toSize(),
                  translucent() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
  layer_.setDevicePixelRatio(dpr);
  if (translucent())
    layer_.fill(Qt::transparent);
  else
    layer_.fill(rim_);
  QPainter p(&layer_);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.setRenderHint(QPainter::TextAntialiasing);
  art_.drawUpToMinute(p, hourAngle, minuteAngle, QString::fromStdString(record_.shortcityname),
                      QString::fromStdString(timeText_), record_.HideDate);
}

void AnalogClockWindow::paintEvent(QPaintEvent*) {
  if (layer_.isNull()) return;
  QPainter p(this);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(0, 0, layer_);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  if (!record_.HideSeconds) art_.drawSecondHandAt(p, second_, devicePixelRatioF());
  art_.drawCap(p);
}

void AnalogClockWindow::showEvent(QShowEvent* e) {
  // Never on screen (there is no caption), but window lists and tools name it.
  setWindowTitle(QString::fromStdString(record_.cityname));
  DesktopClockWindow::showEvent(e);
  if (!shown_) {
    shown_ = true;
    LoadThemes();
  }
  // Each showing reloads the images for the current size and draws.
  SetTheme();
}

void AnalogClockWindow::modeChanged() {
  layer_ = QImage();
  SetTheme();
  setAlpha(record_.AlphaValue);
}

void AnalogClockWindow::densityChanged() {
  if (isVisible()) SetTheme();
}

QImage AnalogClockWindow::grabClock() {
  Draw();
  QImage img(art_.faceSize().isEmpty() ? QSize(1, 1) : art_.faceSize(), QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  if (!layer_.isNull()) {
    QImage unscaled = layer_;
    unscaled.setDevicePixelRatio(1);
    p.drawImage(QRect(QPoint(0, 0), img.size()), unscaled);
  }
  if (!record_.HideSeconds) art_.drawSecondHandAt(p, second_, 1);
  art_.drawCap(p);
  return img;
}

}  // namespace wc
