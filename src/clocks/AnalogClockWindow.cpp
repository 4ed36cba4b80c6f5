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

AnalogClockWindow::AnalogClockWindow(DesktopClocks* lists, bool translucent)
    : DesktopClockWindow(translucent), lists_(lists) {
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
    HideDate = on;
    lastminute = -1;
    Draw();
    UpdateList();
  });
  miHideSeconds = addItem(popClock, "Hide Seconds Hand", true);
  connect(miHideSeconds, &QAction::triggered, this, [this](bool on) {
    HideSeconds = on;
    update();
    Draw();
    UpdateList();
  });
  miHideAMPM = addItem(popClock, "Hide AM/PM", true);
  connect(miHideAMPM, &QAction::triggered, this, [this](bool on) {
    HideAMPM = on;
    lastminute = -1;
    Draw();
    UpdateList();
  });
  popClock->addSeparator();
  addOpacityMenu([this](int alpha) {
    setAlpha(alpha);
    UpdateList();
    Draw();
  });
  addAlwaysOnTopItem([this] { UpdateList(); });
  popClock->addSeparator();
  addRemoveItem([this] {
    if (lists_) lists_->removeAClock(this);
  });
}

void AnalogClockWindow::assign(const AClockInfo& r) {
  ThemeFile = r.ThemeFile;
  SecondImage = r.SecondImage;
  Roundimage = r.RoundImage;
  HourImage = r.HourImage;
  MinuteImage = r.MinuteImage;
  CityName = r.cityname;
  ShortCityName = r.shortcityname;
  CopyClockCity(r, *this);
  TYCity = r.TYCity;
  TYDate = r.TYDate;
  TextColor = r.TextColor;
  TextSize = r.TextSize;
  HideDate = r.HideDate;
  HideSeconds = r.HideSeconds;
  HideAMPM = r.HideAMPM;
  miHideDate->setChecked(r.HideDate);
  miHideSeconds->setChecked(r.HideSeconds);
  miHideAMPM->setChecked(r.HideAMPM);
  ClockWidth = r.clockwidth;
  ClockHeight = r.clockheight;
  ClockRad = r.clockrad;
  checkSizeItem(r.clockwidth);
}

void AnalogClockWindow::chooseSize(int item) {
  const ClockSize& s = kClockSizes[static_cast<std::size_t>(item)];
  ClockWidth = s.width;
  ClockHeight = s.height;
  ClockRad = s.rad;
  TextSize = s.textSize;
  SetClockData();
  SetTheme();
  UpdateList();
  Draw();
}

void AnalogClockWindow::checkSizeItem(std::int32_t clockWidth) {
  const int item = SizeItemFor(clockWidth);
  for (int i = 0; i < sizeItems.size(); ++i) sizeItems[i]->setChecked(i == item);
}

void AnalogClockWindow::setAlpha(int alpha) {
  AlphaValue = alpha;
  setWindowOpacity(AlphaValue / 255.0);
}

void AnalogClockWindow::SetClockData() {
  // A theme removed since: its face is drawn plain (AnalogClockArt), with the
  // default theme's hands and text places, so it still reads as a clock.
  const std::string theme = FileExists(ThemeFile) ? ThemeNameOf(ThemeFile) : std::string("Classic");
  const AClockTheme t = ReadAClockTheme(IniFile::load(ProgramFolder() + "askins/aclock.ini"), theme);
  SecondImage = t.SecondImage;
  Roundimage = t.RoundImage;
  HourImage = t.HourImage;
  MinuteImage = t.MinuteImage;
  TYCity = t.TYCity;
  TYDate = t.TYDate;
  TextColor = t.TextColor;
  txhour = t.txhour;
  tyhour = t.tyhour;
  txminute = t.txminute;
  tyminute = t.tyminute;
  txsecond = t.txsecond;
  tysecond = t.tysecond;
  art_.setClockData(t, TextSize, ClockWidth, 254, true);
  lastminute = -1;
}

void AnalogClockWindow::SetTheme() {
  art_.loadImages(ProgramFolder() + "askins/", ThemeFile, ClockWidth, devicePixelRatioF());
  ClockRad = art_.clockRad();
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

DateTime AnalogClockWindow::GetTime() const { return ClockTime(*this, UtcNowWithLead()); }

void AnalogClockWindow::LoadThemes() {
  checkThemeItem(ThemeFile);
  ThemeLoaded = true;
}

void AnalogClockWindow::PopupItemClick(QAction* item) {
  ThemeFile =
      ThemeFileFor(ProgramFolder(), "askins", item->text().remove(QLatin1Char('&')).toStdString(), ".png");
  item->setChecked(true);
  SetClockData();
  art_.freeImages();
  SetTheme();
  Draw();
  UpdateList();
}

void AnalogClockWindow::UpdateList() {
  if (!lists_) return;
  AClockInfo* r = lists_->recordOf(this);
  if (!r) return;
  r->ThemeFile = ThemeFile;
  r->SecondImage = SecondImage;
  r->RoundImage = Roundimage;
  r->HourImage = HourImage;
  r->MinuteImage = MinuteImage;
  r->TextColor = TextColor;
  r->TYCity = TYCity;
  r->TYDate = TYDate;
  r->TextSize = TextSize;
  r->HideDate = HideDate;
  r->HideSeconds = HideSeconds;
  r->HideAMPM = HideAMPM;
  r->AlwaysTop = miAlwaysOnTop->isChecked();
  r->AlphaValue = static_cast<std::uint8_t>(AlphaValue);
  r->clockwidth = ClockWidth;
  r->clockheight = ClockHeight;
  r->clockrad = ClockRad;
  lists_->aclocksChanged();
}

void AnalogClockWindow::Draw() { drawAt(UtcNowWithLead()); }

void AnalogClockWindow::tick(DateTime utcWithLead) { drawAt(utcWithLead); }

void AnalogClockWindow::drawAt(DateTime utcWithLead) {
  if (!StartClock) return;
  const DateTime T = ClockTime(*this, utcWithLead);
  curdate = T;
  const HandAngles a = HandAnglesAt(T);
  const int minute = MinuteOfDay(T);
  if (minute != lastminute || layer_.isNull()) {
    DateString = AnalogTimeText(T, HideAMPM, ClockFormat());
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
  if (!HideSeconds) update(QRegion(before) | art_.secondHandRectAt(second_, dpr));
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
  art_.drawUpToMinute(p, hourAngle, minuteAngle, QString::fromStdString(ShortCityName),
                      QString::fromStdString(DateString), HideDate);
}

void AnalogClockWindow::paintEvent(QPaintEvent*) {
  if (layer_.isNull()) return;
  QPainter p(this);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(0, 0, layer_);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  if (!HideSeconds) art_.drawSecondHandAt(p, second_, devicePixelRatioF());
  art_.drawCap(p);
}

void AnalogClockWindow::showEvent(QShowEvent* e) {
  // Never on screen (there is no caption), but window lists and tools name it.
  setWindowTitle(QString::fromStdString(CityName));
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
  setAlpha(AlphaValue);
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
  if (!HideSeconds) art_.drawSecondHandAt(p, second_, 1);
  art_.drawCap(p);
  return img;
}

}  // namespace wc
