// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Sheet.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// Sections in file order; look-ups ignore letter case, as the clocks' do.
struct Ini {
  using Section = std::vector<std::pair<QString, QString>>;
  std::vector<std::pair<QString, Section>> sections;

  static Ini read(const QString& path) {
    Ini ini;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return ini;
    QTextStream in(&f);
    while (!in.atEnd()) {
      const QString line = in.readLine().trimmed();
      if (line.startsWith('[') && line.endsWith(']')) {
        ini.sections.push_back({line.mid(1, line.size() - 2), {}});
      } else if (const qsizetype eq = line.indexOf('='); eq > 0 && !ini.sections.empty()) {
        ini.sections.back().second.push_back({line.left(eq).trimmed(), line.mid(eq + 1).trimmed()});
      }
    }
    return ini;
  }
  static QString value(const Section& s, const QString& key) {
    for (const auto& [k, v] : s)
      if (k.compare(key, Qt::CaseInsensitive) == 0) return v;
    return {};
  }
};

constexpr int kCanvas = 280;

// The hand turned about its pivot, which lands on the canvas centre.
QImage rotatedHand(const QImage& hand, QPoint pivot, double angle) {
  QImage placed(kCanvas, kCanvas, QImage::Format_ARGB32_Premultiplied);
  placed.fill(Qt::transparent);
  {
    QPainter p(&placed);
    p.drawImage(kCanvas / 2 - pivot.x(), kCanvas / 2 - pivot.y(), hand);
  }
  QImage out(kCanvas, kCanvas, QImage::Format_ARGB32_Premultiplied);
  out.fill(Qt::transparent);
  QPainter p(&out);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.translate(kCanvas / 2, kCanvas / 2);
  p.rotate(angle);
  p.translate(-kCanvas / 2, -kCanvas / 2);
  p.drawImage(0, 0, placed);
  return out;
}

void drawCentredText(QPainter& p, const QFont& font, double centreX, double top, const QString& text) {
  const QFontMetricsF fm(font);
  p.setFont(font);
  p.drawText(QPointF(centreX - fm.horizontalAdvance(text) / 2, top + fm.ascent()), text);
}

QImage composeAnalog(const QString& askins, const QString& theme, const Ini::Section& s, int size) {
  const QString sub = size == 100 ? "small/" : size == 150 ? "medium/" : "";
  QImage out = QImage(askins + sub + theme + ".png").convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (out.isNull()) return out;
  const double rad = size / 2.0;
  QPainter p(&out);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);

  const int textSize = size == 100 ? 9 : size == 150 ? 10 : 11;
  const QString color = Ini::value(s, "TextColor");
  QFont font("Arial");
  font.setPixelSize(textSize);
  p.setPen(color == "White" ? QColor(255, 255, 255, 254) : QColor(0, 0, 0, 254));
  const double scale = size / 200.0;
  // As the clocks place it (CityRow): above the centre, 9, 6 and 3 pixels
  // higher on the small, medium and large faces.
  double cityRow = Ini::value(s, "TYCity").toInt() * scale;
  if (cityRow < rad) cityRow = std::max(0.0, cityRow - (size == 100 ? 9 : size == 150 ? 6 : 3));
  drawCentredText(p, font, rad, cityRow, "Kathmandu");
  drawCentredText(p, font, rad, Ini::value(s, "TYDate").toInt() * scale, "10:08 AM");

  // 10:08:37, with the angles the clocks use: a down-pointing hand turned
  // clockwise, 180 degrees being 12 o'clock.
  const double h = 10, m = 8, sec = 37;
  const struct {
    const char* image;
    const char* tx;
    const char* ty;
    double angle;
  } hands[] = {{"HourImage", "TXHour", "TYHour", (h + m / 60) / 12 * 360 + 180},
               {"MinuteImage", "TXMinute", "TYMinute", m / 60 * 360 + 180},
               {"SecondImage", "TXSecond", "TYSecond", sec / 60 * 360 + 180}};
  for (const auto& hand : hands) {
    const QImage img(askins + Ini::value(s, hand.image) + ".png");
    if (img.isNull()) continue;
    const QPoint pivot(Ini::value(s, hand.tx).toInt(), Ini::value(s, hand.ty).toInt());
    const QImage canvas = rotatedHand(img, pivot, hand.angle);
    p.drawImage(QRectF(0, 0, size, size),
                canvas.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  }
  const QImage cap(askins + Ini::value(s, "RoundImage") + ".png");
  if (!cap.isNull()) p.drawImage(QPointF(rad - cap.width() / 2, rad - cap.height() / 2), cap);
  return out;
}

QImage composeDigital(const QString& dskins, const QString& theme, const Ini::Section& s, bool small) {
  const QString file = QString(theme).remove(' ') + (small ? "small.bmp" : ".bmp");
  const QImage bmp(dskins + file);
  if (bmp.isNull()) return bmp;
  // Window coordinates: the picture one pixel in, the labels over it, the
  // window cut to the picture.
  QImage win(bmp.width() + 2, bmp.height() + 2, QImage::Format_RGB32);
  win.fill(Qt::black);
  QPainter p(&win);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.drawImage(1, 1, bmp);
  auto colour = [&](const char* key) {
    const long v = Ini::value(s, key).toLong();
    return QColor(static_cast<int>(v & 0xff), static_cast<int>((v >> 8) & 0xff),
                  static_cast<int>((v >> 16) & 0xff));
  };
  struct Label {
    QRect rect;
    int px;
    bool bold, italic;
    const char* colourKey;
    QString text;
  };
  const Label labels[] = {{QRect(1, 5, 138, 18), 11, false, false, "CityColor", "Kathmandu"},
                          {QRect(1, 31, 138, 22), 21, true, false, "TimeColor", "10:08:37 PM"},
                          {QRect(2, 65, 137, 13), 11, false, true, "DateColor", "Fri, 15 Jan, 2027"}};
  for (const Label& l : labels) {
    QFont f("Arial");
    f.setPixelSize(l.px);
    f.setBold(l.bold);
    f.setItalic(l.italic);
    p.setFont(f);
    p.setPen(colour(l.colourKey));
    p.drawText(l.rect, Qt::AlignHCenter | Qt::AlignTop, l.text);
  }
  p.end();
  return win.copy(1, 1, bmp.width(), bmp.height());
}

}  // namespace

bool drawSheet(const QString& folder, const QString& pngPath) {
  const QString askins = folder + "/askins/", dskins = folder + "/dskins/";
  const Ini analog = Ini::read(askins + "aclock.ini");
  const Ini digital = Ini::read(dskins + "dclock.ini");
  if (analog.sections.empty() || digital.sections.empty()) return false;

  const int gap = 14, margin = 24, label = 22, columns = 3;
  const int cellW = 200 + 150 + 100 + 2 * gap, cellH = label + 200;
  const int analogRows = static_cast<int>((analog.sections.size() + columns - 1) / columns);
  const int dCellW = 2 * 138 + gap, dCellH = label + 82, dColumns = 5;
  const int digitalRows = static_cast<int>((digital.sections.size() + dColumns - 1) / dColumns);
  const int width = 2 * margin + columns * cellW + (columns - 1) * 2 * gap;
  const int analogH = analogRows * cellH + (analogRows - 1) * gap;
  const int height = 2 * margin + analogH + 2 * gap + digitalRows * dCellH + (digitalRows - 1) * gap;

  QImage sheet(width, height, QImage::Format_RGB32);
  QPainter p(&sheet);
  QLinearGradient bg(0, 0, 0, height);
  bg.setColorAt(0, QColor("#5b6573"));
  bg.setColorAt(1, QColor("#7b8594"));
  p.fillRect(sheet.rect(), bg);
  p.setRenderHint(QPainter::TextAntialiasing);
  QFont title("Liberation Sans");
  title.setPixelSize(13);
  title.setBold(true);
  p.setFont(title);

  bool ok = true;
  for (size_t i = 0; i < analog.sections.size(); ++i) {
    const auto& [name, section] = analog.sections[i];
    const int x = margin + static_cast<int>(i % columns) * (cellW + 2 * gap);
    const int y = margin + static_cast<int>(i / columns) * (cellH + gap);
    p.setPen(QColor("#f4f6f8"));
    p.drawText(QPoint(x, y + 14), name);
    int cx = x;
    for (int size : {200, 150, 100}) {
      const QImage clock = composeAnalog(askins, name, section, size);
      ok &= !clock.isNull();
      p.drawImage(cx, y + label + 200 - size, clock);
      cx += size + gap;
    }
  }
  const int top = margin + analogH + 2 * gap;
  for (size_t i = 0; i < digital.sections.size(); ++i) {
    const auto& [name, section] = digital.sections[i];
    const int x = margin + static_cast<int>(i % dColumns) *
                               (dCellW + (width - 2 * margin - dColumns * dCellW) / (dColumns - 1));
    const int y = top + static_cast<int>(i / dColumns) * (dCellH + gap);
    p.setPen(QColor("#f4f6f8"));
    p.drawText(QPoint(x, y + 14), name);
    const QImage full = composeDigital(dskins, name, section, false);
    const QImage shortOne = composeDigital(dskins, name, section, true);
    ok &= !full.isNull() && !shortOne.isNull();
    p.drawImage(x, y + label, full);
    p.drawImage(x + 138 + gap, y + label, shortOne);
  }
  p.end();
  return ok && sheet.save(pngPath, "PNG", 0);
}
