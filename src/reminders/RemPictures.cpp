// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RemPictures.h"

#include <QPainter>
#include <QPainterPath>

namespace wc {

QPixmap BellPicture(int size, qreal dpr) {
  QPixmap pm(qRound(size * dpr), qRound(size * dpr));
  pm.setDevicePixelRatio(dpr);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal s = size;

  QPainterPath bell;
  bell.moveTo(s * 0.50, s * 0.14);
  bell.cubicTo(s * 0.30, s * 0.14, s * 0.24, s * 0.30, s * 0.24, s * 0.48);
  bell.lineTo(s * 0.22, s * 0.66);
  bell.quadTo(s * 0.20, s * 0.74, s * 0.12, s * 0.78);
  bell.lineTo(s * 0.88, s * 0.78);
  bell.quadTo(s * 0.80, s * 0.74, s * 0.78, s * 0.66);
  bell.lineTo(s * 0.76, s * 0.48);
  bell.cubicTo(s * 0.76, s * 0.30, s * 0.70, s * 0.14, s * 0.50, s * 0.14);
  bell.closeSubpath();

  QLinearGradient gold(QPointF(s * 0.2, 0), QPointF(s * 0.8, 0));
  gold.setColorAt(0, QColor(0xff, 0xe0, 0x7a));
  gold.setColorAt(0.45, QColor(0xf5, 0xb8, 0x22));
  gold.setColorAt(1, QColor(0xc7, 0x85, 0x0c));
  p.setPen(QPen(QColor(0x8a, 0x5a, 0x05), qMax(1.0, s * 0.03)));
  p.setBrush(gold);
  p.drawPath(bell);
  // The clapper and the loop on top.
  p.setBrush(QColor(0x8a, 0x5a, 0x05));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(s * 0.50, s * 0.84), s * 0.08, s * 0.07);
  p.drawEllipse(QPointF(s * 0.50, s * 0.11), s * 0.05, s * 0.05);
  // A highlight, so it reads as metal.
  p.setPen(QPen(QColor(255, 255, 255, 150), s * 0.04, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(s * 0.35, s * 0.30), QPointF(s * 0.32, s * 0.56));
  // The alarm dot.
  p.setPen(QPen(Qt::white, s * 0.03));
  p.setBrush(QColor(0xd9, 0x3a, 0x2b));
  p.drawEllipse(QPointF(s * 0.78, s * 0.24), s * 0.13, s * 0.13);
  return pm;
}

}  // namespace wc
