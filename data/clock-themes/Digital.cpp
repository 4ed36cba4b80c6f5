// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "Art.h"
#include "Themes.h"

namespace {

QColor c(const char* hex) { return QColor(QString::fromLatin1(hex)); }

constexpr int kWidth = 138;
constexpr int kHeight = 82;
constexpr int kSmallHeight = 60;
// The time label spans bitmap rows 30 to 52; its window sits around it, as
// wide as the frame allows: "10:08:37 PM" in the label's bold 21 pixels is
// about 126 pixels long and must not touch the window's edge.
const QRectF kPanel(2.5, 27.5, kWidth - 5, 27);

}  // namespace

QImage paintDigital(const DigitalTheme& t, bool small, int scale) {
  const int h = small ? kSmallHeight : kHeight;
  QImage img(kWidth * scale, h * scale, QImage::Format_RGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(scale, scale);

  QLinearGradient body(0, 0, 0, h);
  body.setColorAt(0, t.top);
  body.setColorAt(1, t.bottom);
  p.fillRect(QRectF(0, 0, kWidth, h), body);
  if (t.brushed) {
    // Brushed metal: fine horizontal streaks, the same on every machine, in
    // image pixels (a streak is a hair's width at either scale).
    p.save();
    p.resetTransform();
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        const double u = static_cast<double>(x) / scale, v = static_cast<double>(y) / scale;
        const double n =
            art::noise(u * 0.04, v * 1.7, 71) - 0.5 + (art::noise(u * 0.3, v * 3.1, 72) - 0.5) * 0.5;
        p.setPen(n > 0 ? QColor(255, 255, 255, static_cast<int>(n * 26))
                       : QColor(0, 0, 0, static_cast<int>(-n * 26)));
        p.drawPoint(x, y);
      }
    p.restore();
  }
  // Gloss over the upper half, as on a lacquered case.
  QLinearGradient gloss(0, 0, 0, h * 0.5);
  gloss.setColorAt(0, QColor(255, 255, 255, 60));
  gloss.setColorAt(1, QColor(255, 255, 255, 8));
  p.fillRect(QRectF(0, 0, kWidth, h * 0.5), gloss);

  // Bevelled frame: a dark outline, light on the upper left edges, shade on the lower right.
  p.setPen(QPen(t.bottom.darker(250), 1));
  p.drawRect(QRectF(0.5, 0.5, kWidth - 1, h - 1));
  p.setPen(QPen(QColor(255, 255, 255, 90), 1));
  p.drawLine(QPointF(1.5, 1.5), QPointF(kWidth - 2, 1.5));
  p.drawLine(QPointF(1.5, 1.5), QPointF(1.5, h - 2));
  p.setPen(QPen(QColor(0, 0, 0, 70), 1));
  p.drawLine(QPointF(2, h - 1.5), QPointF(kWidth - 1.5, h - 1.5));
  p.drawLine(QPointF(kWidth - 1.5, 2), QPointF(kWidth - 1.5, h - 1.5));

  // The recessed time window.
  QPainterPath panel;
  panel.addRoundedRect(kPanel, 4, 4);
  p.setPen(QPen(QColor(255, 255, 255, 70), 1));
  p.drawPath(panel.translated(0, 1));
  QLinearGradient pg(0, kPanel.top(), 0, kPanel.bottom());
  pg.setColorAt(0, t.panel.darker(118));
  pg.setColorAt(0.25, t.panel);
  pg.setColorAt(1, t.panel.lighter(108));
  p.setBrush(pg);
  p.setPen(QPen(t.panelEdge, 1));
  p.drawPath(panel);
  // Inner shadow under the window's upper edge.
  p.save();
  p.setClipPath(panel);
  QLinearGradient is(0, kPanel.top(), 0, kPanel.top() + 4);
  is.setColorAt(0, QColor(0, 0, 0, 70));
  is.setColorAt(1, QColor(0, 0, 0, 0));
  p.fillRect(QRectF(kPanel.left(), kPanel.top(), kPanel.width(), 4), is);
  // A faint reflection across the glass.
  QPainterPath glare;
  glare.moveTo(kPanel.left(), kPanel.top());
  glare.lineTo(kPanel.left() + kPanel.width() * 0.62, kPanel.top());
  glare.lineTo(kPanel.left() + kPanel.width() * 0.48, kPanel.bottom());
  glare.lineTo(kPanel.left(), kPanel.bottom());
  glare.closeSubpath();
  p.fillPath(glare, QColor(255, 255, 255, 14));
  p.restore();

  if (!small) {
    // A hairline rule between the time window and the date.
    QLinearGradient rule(8, 0, kWidth - 8, 0);
    QColor line = t.date;
    line.setAlpha(0);
    rule.setColorAt(0, line);
    line.setAlpha(110);
    rule.setColorAt(0.5, line);
    line.setAlpha(0);
    rule.setColorAt(1, line);
    p.setPen(QPen(QBrush(rule), 1));
    p.drawLine(QPointF(14, 60.5), QPointF(kWidth - 14, 60.5));
  }
  return img;
}

const std::vector<DigitalTheme>& digitalThemes() {
  // clang-format off
  static const std::vector<DigitalTheme> themes = {
    // name             body top      body bottom   time window   its edge      city          time          date
    {"Dark Blue",    c("#25508f"), c("#0c1f40"), c("#08142a"), c("#040a16"), c("#bcd6ff"), c("#eaf4ff"), c("#93b6e6")},
    {"Black",        c("#3a3a3a"), c("#070707"), c("#000000"), c("#5a5a5a"), c("#dedede"), c("#ffbf3a"), c("#a0a0a0"), true},
    {"Dark Red",     c("#7d1319"), c("#38050a"), c("#220306"), c("#120102"), c("#ffc2b8"), c("#fff0ea"), c("#e79a90")},
    {"Fire Brick",   c("#c8412f"), c("#8a1b12"), c("#4f0f09"), c("#2b0604"), c("#ffe2c2"), c("#fff4dc"), c("#ffd3a3")},
    {"Forest Green", c("#2f7a39"), c("#123a18"), c("#0a2410"), c("#041207"), c("#c3ecb0"), c("#eaffdf"), c("#a3d98f")},
    {"Gray",         c("#f0f0f0"), c("#b4b4b4"), c("#d9e0d2"), c("#7d8577"), c("#333333"), c("#1a1d18"), c("#444444"), true},
    {"Sky Blue",     c("#d2eeff"), c("#79c2ef"), c("#f1f9ff"), c("#4f9bcb"), c("#0d4a78"), c("#0b3659"), c("#1f5f8f")},
    {"Orange",       c("#ffb347"), c("#e86a00"), c("#fff4e2"), c("#a34a00"), c("#3b1a00"), c("#4a2200"), c("#3b1a00")},
    {"Deep Pink",    c("#ef3f86"), c("#a3104f"), c("#5c0a2e"), c("#33051a"), c("#ffe3ef"), c("#ffffff"), c("#ffc9df")},
    {"Violet",       c("#8a52bf"), c("#43206b"), c("#2a0f43"), c("#160624"), c("#e6d3fa"), c("#f6edff"), c("#cdb1ec")},
  };
  // clang-format on
  return themes;
}
