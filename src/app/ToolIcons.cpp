// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace wc {

namespace {

const QColor kInk(0x1f, 0x3b, 0x63);
const QColor kSea(0x2e, 0x7d, 0xc8);
const QColor kLand(0x4c, 0xaf, 0x50);
const QColor kPaper(0xfa, 0xfa, 0xf5);

void DrawGlobe(QPainter& p, QRectF r) {
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(kSea);
  p.drawEllipse(r);
  p.setBrush(kLand);
  p.setPen(Qt::NoPen);
  const double w = r.width(), h = r.height();
  p.drawEllipse(QRectF(r.x() + w * 0.18, r.y() + h * 0.2, w * 0.32, h * 0.3));
  p.drawEllipse(QRectF(r.x() + w * 0.5, r.y() + h * 0.45, w * 0.28, h * 0.35));
  p.setPen(QPen(QColor(255, 255, 255, 140), 1));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRectF(r.center().x() - w * 0.2, r.y(), w * 0.4, h));
  p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
}

void DrawClockFace(QPainter& p, QRectF r) {
  p.setPen(QPen(kInk, 2));
  p.setBrush(kPaper);
  p.drawEllipse(r);
  const QPointF c = r.center();
  for (int i = 0; i < 12; ++i) {
    const double a = i * M_PI / 6;
    const double r1 = r.width() / 2 - 2, r2 = r.width() / 2 - (i % 3 == 0 ? 6 : 4);
    p.drawLine(QPointF(c.x() + r1 * std::sin(a), c.y() - r1 * std::cos(a)),
               QPointF(c.x() + r2 * std::sin(a), c.y() - r2 * std::cos(a)));
  }
  p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c, QPointF(c.x(), r.top() + 7));
  p.drawLine(c, QPointF(c.x() + r.width() * 0.25, c.y() + 2));
}

// Seven-segment digits of one-pixel bars on whole pixels, so that the whole
// reading fits the small display and stays sharp: segments a (top) to g
// (middle), clockwise.
void DrawSegmentDigit(QPainter& p, int x, int y, int digit) {
  static constexpr unsigned char kSegments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
  constexpr int w = 5, h = 11, half = 6;
  const QRect bars[7] = {
      {x, y, w, 1},                 // a
      {x + w - 1, y, 1, half},      // b
      {x + w - 1, y + 5, 1, half},  // c
      {x, y + h - 1, w, 1},         // d
      {x, y + 5, 1, half},          // e
      {x, y, 1, half},              // f
      {x, y + 5, w, 1},             // g
  };
  for (int i = 0; i < 7; ++i)
    if (kSegments[digit] & (1 << i)) p.fillRect(bars[i], p.brush());
}

QPixmap Draw(ToolPicture picture, int scale) {
  QPixmap pm(32 * scale, 32 * scale);
  pm.setDevicePixelRatio(scale);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF full(2, 2, 28, 28);
  switch (picture) {
    case ToolPicture::AnalogClock:
      DrawClockFace(p, full);
      break;
    case ToolPicture::DigitalClock: {
      p.setPen(QPen(kInk, 1.5));
      p.setBrush(QColor(0x20, 0x20, 0x20));
      p.drawRoundedRect(QRectF(1, 7, 30, 18), 3, 3);
      // "12:30" in 25 of the display's 28 inner pixels.
      p.setBrush(QColor(0x66, 0xff, 0x66));
      int x = 3;
      for (int digit : {1, 2, -1, 3, 0}) {
        if (digit < 0) {
          p.fillRect(QRect(x, 12, 1, 2), p.brush());
          p.fillRect(QRect(x, 17, 1, 2), p.brush());
          x += 2;
          continue;
        }
        DrawSegmentDigit(p, x, 10, digit);
        x += 6;
      }
      break;
    }
    case ToolPicture::Wallpaper:
      p.setPen(QPen(kInk, 2));
      p.setBrush(kSea);
      p.drawRect(QRectF(3, 5, 26, 18));
      p.setBrush(kLand);
      p.setPen(Qt::NoPen);
      p.drawEllipse(QRectF(7, 9, 8, 6));
      p.drawEllipse(QRectF(16, 13, 9, 7));
      p.setPen(QPen(kInk, 2));
      p.drawLine(QPointF(16, 23), QPointF(16, 28));
      p.drawLine(QPointF(10, 28), QPointF(22, 28));
      break;
    case ToolPicture::DayNight: {
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0xff, 0xc1, 0x07));
      p.drawEllipse(full);
      QPainterPath night;
      night.addEllipse(full);
      QPainterPath half;
      half.addRect(QRectF(16, 0, 16, 32));
      p.setBrush(QColor(0x1a, 0x23, 0x7e));
      p.drawPath(night.intersected(half));
      p.setPen(QPen(kInk, 1.5));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(full);
      break;
    }
    case ToolPicture::Options: {
      p.setPen(QPen(kInk, 1.5));
      p.setBrush(QColor(0x90, 0xa4, 0xae));
      QPainterPath gear;
      const QPointF c(16, 16);
      for (int i = 0; i < 16; ++i) {
        const double a = i * M_PI / 8;
        const double r = (i % 2 == 0) ? 14 : 10.5;
        const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        if (i == 0)
          gear.moveTo(pt);
        else
          gear.lineTo(pt);
      }
      gear.closeSubpath();
      gear.addEllipse(c, 4.5, 4.5);
      p.drawPath(gear);
      break;
    }
    case ToolPicture::Calendar: {
      p.setPen(QPen(kInk, 1.5));
      p.setBrush(kPaper);
      p.drawRect(QRectF(3, 5, 26, 24));
      p.setBrush(QColor(0xe5, 0x39, 0x35));
      p.drawRect(QRectF(3, 5, 26, 7));
      p.setPen(Qt::NoPen);
      p.setBrush(kInk);
      for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c) p.drawRect(QRectF(6 + c * 6, 15 + r * 4.5, 3, 2.5));
      break;
    }
    case ToolPicture::Help: {
      p.setPen(QPen(kInk, 1.5));
      p.setBrush(kSea);
      p.drawEllipse(full);
      QFont f(QStringLiteral("DejaVu Sans"));
      f.setPixelSize(20);
      f.setBold(true);
      p.setFont(f);
      p.setPen(Qt::white);
      p.drawText(full, Qt::AlignCenter, QStringLiteral("?"));
      break;
    }
    case ToolPicture::CityManager:
      DrawGlobe(p, QRectF(2, 6, 24, 24));
      p.setPen(QPen(QColor(0xc6, 0x28, 0x28), 1.5));
      p.setBrush(QColor(0xe5, 0x39, 0x35));
      p.drawEllipse(QRectF(19, 2, 10, 10));
      p.drawLine(QPointF(24, 12), QPointF(22, 18));
      break;
    case ToolPicture::ScreenSaver:
      p.setPen(QPen(kInk, 2));
      p.setBrush(QColor(0x0d, 0x14, 0x3b));
      p.drawRect(QRectF(3, 5, 26, 18));
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::white);
      for (QPointF s : {QPointF(8, 9), QPointF(20, 11), QPointF(13, 17), QPointF(24, 18)})
        p.drawEllipse(s, 1, 1);
      p.setBrush(QColor(0xff, 0xe0, 0x82));
      p.drawEllipse(QPointF(15, 11), 3, 3);
      p.setPen(QPen(kInk, 2));
      p.drawLine(QPointF(16, 23), QPointF(16, 28));
      p.drawLine(QPointF(10, 28), QPointF(22, 28));
      break;
    case ToolPicture::Globe:
      DrawGlobe(p, full);
      break;
  }
  return pm;
}

}  // namespace

QIcon ToolIcon(ToolPicture picture) {
  // Drawn again for screens with twice the pixels, so the pictures stay sharp.
  QIcon icon(Draw(picture, 1));
  icon.addPixmap(Draw(picture, 2));
  return icon;
}

}  // namespace wc
