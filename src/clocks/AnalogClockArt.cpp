// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AnalogClockArt.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>
#include <map>
#include <tuple>

#include "clocks/ClockFace.h"
#include "clocks/ThemePicture.h"

namespace wc {

namespace {

QImage LoadPng(const std::string& path, qreal dpr) {
  const QImage img = LoadThemePicture(path, dpr);
  if (img.isNull()) return img;  // a missing file gives an empty image, and no error
  return img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Stands in for a face that cannot be loaded (its theme removed since), so
// the clock keeps its size and can still be seen, re-themed or removed from
// its menu rather than becoming an empty window nobody can reach.
QImage PlainFace(int diameter) {
  QImage img(diameter, diameter, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(120, 120, 120), 2));
  p.setBrush(QColor(236, 236, 236));
  p.drawEllipse(QRectF(1, 1, diameter - 2, diameter - 2));
  return img;
}

}  // namespace

void AnalogClockArt::setClockData(const AClockTheme& theme, int textSize, int clockWidth, int colorAlpha,
                                  bool keepBrush) {
  SecondImage = theme.SecondImage;
  Roundimage = theme.RoundImage;
  HourImage = theme.HourImage;
  MinuteImage = theme.MinuteImage;
  if (theme.TextColor == "Black")
    SolidBrush = QColor(0, 0, 0, colorAlpha);
  else if (theme.TextColor == "White")
    SolidBrush = QColor(255, 255, 255, colorAlpha);
  else if (!keepBrush)
    SolidBrush.reset();
  gpFont = QFont(QStringLiteral("Arial"));
  gpFont.setPixelSize(std::max(1, textSize));
  gpFont.setStyleHint(QFont::SansSerif);
  HourHandPoint = {theme.txhour, theme.tyhour};
  MinuteHandPoint = {theme.txminute, theme.tyminute};
  SecondHandPoint = {theme.txsecond, theme.tysecond};
  ycity = CityRow(theme.TYCity, clockWidth);
  ydate = TextRow(theme.TYDate, clockWidth);
  forgetSprites();
}

void AnalogClockArt::loadImages(const std::string& askinsFolder, const std::string& largeFace, int clockWidth,
                                qreal dpr) {
  const std::string file = FileNameOf(largeFace);
  if (clockWidth == 100) {
    ClockBackground = LoadPng(askinsFolder + "small/" + file, dpr);
    ClockRad = 50;
  } else if (clockWidth == 150) {
    ClockBackground = LoadPng(askinsFolder + "medium/" + file, dpr);
    ClockRad = 75;
  } else {
    ClockBackground = LoadPng(largeFace, dpr);
    ClockRad = 100;
  }
  if (ClockBackground.isNull()) ClockBackground = PlainFace(2 * ClockRad);
  HourHand = LoadPng(askinsFolder + HourImage + ".png", dpr);
  MinuteHand = LoadPng(askinsFolder + MinuteImage + ".png", dpr);
  RoundHand = Roundimage.empty() ? QImage() : LoadPng(askinsFolder + Roundimage + ".png", dpr);
  secondHandFile_ = askinsFolder + SecondImage + ".png";
  SecondHand = LoadPng(secondHandFile_, dpr);
  forgetSprites();
}

void AnalogClockArt::freeImages() {
  ClockBackground = HourHand = MinuteHand = SecondHand = RoundHand = QImage();
  forgetSprites();
}

void AnalogClockArt::forgetSprites() const { sprites_.reset(); }

QTransform AnalogClockArt::handTransform(QPoint pivot, double angle) const {
  QTransform t;
  const QSize face = faceSize();
  t.scale(static_cast<double>(face.width()) / kHandCanvas, static_cast<double>(face.height()) / kHandCanvas);
  t.translate(kHandCanvas / 2, kHandCanvas / 2);
  t.rotate(angle);
  t.translate(-pivot.x(), -pivot.y());
  return t;
}

void AnalogClockArt::drawHand(QPainter& p, const QImage& hand, QPoint pivot, double angle) const {
  if (hand.isNull() || ClockBackground.isNull()) return;
  p.save();
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.setRenderHint(QPainter::Antialiasing);
  // The rotation canvas cuts what lies outside it.
  p.setClipRect(QRect(QPoint(0, 0), faceSize()), Qt::IntersectClip);
  p.setTransform(handTransform(pivot, angle), true);
  p.drawImage(0, 0, hand);
  p.restore();
}

void AnalogClockArt::drawCentredText(QPainter& p, const QString& text, float row) const {
  const QFontMetricsF fm(gpFont);
  const double w = fm.horizontalAdvance(text);
  p.setFont(gpFont);
  p.setPen(*SolidBrush);
  p.drawText(QRectF(ClockRad - w / 2, row, w + 1, fm.height() + 1),
             Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

void AnalogClockArt::drawUpToMinute(QPainter& p, double hourAngle, double minuteAngle,
                                    const QString& shortCityName, const QString& timeText,
                                    bool hideDate) const {
  if (!ClockBackground.isNull()) p.drawImage(0, 0, ClockBackground);
  if (SolidBrush) {
    drawCentredText(p, shortCityName, ycity);
    if (!hideDate) drawCentredText(p, timeText, ydate);
  }
  drawHand(p, HourHand, HourHandPoint, hourAngle);
  drawHand(p, MinuteHand, MinuteHandPoint, minuteAngle);
}

void AnalogClockArt::drawSecondHand(QPainter& p, double angle) const {
  drawHand(p, SecondHand, SecondHandPoint, angle);
}

void AnalogClockArt::drawCap(QPainter& p) const {
  if (RoundHand.isNull()) return;
  const QSizeF cap = RoundHand.deviceIndependentSize();
  p.drawImage(QPointF(ClockRad - std::floor(cap.width() / 2), ClockRad - std::floor(cap.height() / 2)),
              RoundHand);
}

const AnalogClockArt::Sprite& AnalogClockArt::secondSprite(int second, qreal dpr) const {
  if (!sprites_ || dpr != spriteDpr_) {
    using Key = std::tuple<std::string, int, int, int, int, qreal>;
    static std::map<Key, std::weak_ptr<SpriteSet>> shared;
    std::erase_if(shared, [](const auto& entry) { return entry.second.expired(); });
    const Key key{SecondHand.isNull() ? std::string() : secondHandFile_,
                  SecondHandPoint.x(),
                  SecondHandPoint.y(),
                  faceSize().width(),
                  faceSize().height(),
                  dpr};
    std::weak_ptr<SpriteSet>& slot = shared[key];
    sprites_ = slot.lock();
    if (!sprites_) {
      sprites_ = std::make_shared<SpriteSet>();
      slot = sprites_;
    }
    spriteDpr_ = dpr;
  }
  Sprite& s = (*sprites_)[static_cast<std::size_t>(second % 60)];
  if (s.made) return s;
  s.made = true;
  if (SecondHand.isNull() || ClockBackground.isNull()) return s;
  const QTransform t =
      handTransform(SecondHandPoint, second % 60 * 6.0 + 180) * QTransform::fromScale(dpr, dpr);
  // The rotation canvas, stretched over the face, cuts what lies outside it.
  const QRect face(QPoint(0, 0), (QSizeF(faceSize()) * dpr).toSize());
  const QRect box = t.mapRect(QRectF(SecondHand.rect())).toAlignedRect().adjusted(-1, -1, 1, 1) & face;
  if (box.isEmpty()) return s;
  s.image = QImage(box.size(), QImage::Format_ARGB32_Premultiplied);
  s.image.fill(Qt::transparent);
  QPainter p(&s.image);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.setRenderHint(QPainter::Antialiasing);
  // Moved by whole pixels only, so every pixel is sampled as on the face.
  p.setTransform(t * QTransform::fromTranslate(-box.x(), -box.y()));
  p.drawImage(0, 0, SecondHand);
  p.end();
  s.image.setDevicePixelRatio(dpr);
  s.at = box.topLeft();
  s.rect = QRectF(box.x() / dpr, box.y() / dpr, box.width() / dpr, box.height() / dpr).toAlignedRect();
  return s;
}

void AnalogClockArt::drawSecondHandAt(QPainter& p, int second, qreal dpr) const {
  const Sprite& s = secondSprite(second, dpr);
  if (s.image.isNull()) return;
  p.drawImage(QPointF(s.at.x() / dpr, s.at.y() / dpr), s.image);
}

QRect AnalogClockArt::secondHandRectAt(int second, qreal dpr) const { return secondSprite(second, dpr).rect; }

}  // namespace wc
