// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the clock themes (askins/, dskins/) and draws their contact sheet.
//
//   make-clock-themes write <folder>           askins/ and dskins/ under <folder>
//   make-clock-themes sheet <folder> <png>     every theme of <folder> as the clocks compose it
//
// The sheet reads the written files back through aclock.ini and dclock.ini, so
// it shows what the clock windows will show.
//
// Conventions the clock windows rely on:
// - aclock.ini and dclock.ini are ASCII with LF line ends, one section per
//   theme in menu order.
// - Faces are square PNGs with per-pixel alpha, 200, 150 and 100 pixels wide,
//   centred on the point (size/2, size/2), i.e. between the four middle pixels.
// - A hand image points from its pivot straight down, towards 6 o'clock. Its
//   pivot (TX.., TY..) is a point in pixel-edge coordinates: the hand's axis is
//   the vertical line x = TX, and the rotation centre is the top-left corner of
//   pixel (TX, TY). Hand images are drawn for a 280-pixel rotation canvas that
//   is scaled onto the face, so one hand pixel is 200/280 of a large-face pixel.
// - The centre cap is drawn at its own size on every face (it is not scaled).
// - Every picture also comes at twice its size, named <name>@2x.<ext>, for
//   screens of twice the density; a hand's pivot there is twice its TX, TY.
// - Digital bitmaps are 24-bit BMPs 138 pixels wide, 82 high with the date line
//   and 60 high without it ("small"), placed one pixel in from the window's
//   top-left corner, under labels at rows 5, 31 and 65 that are 138 pixels wide,
//   transparent, with their text at the top: the time's window spans bitmap
//   rows 27 to 55.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

#include "Sheet.h"
#include "Themes.h"

namespace {

bool save(const QImage& img, const QString& path, const char* format) {
  if (img.save(path, format, 0)) return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}

bool writeText(const QString& path, const QString& text) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(text.toUtf8()) < 0) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

// Every picture is also drawn at twice its size for screens of twice the
// density, in a file named with "@2x" before the extension.
const char* const kSuffix[3] = {"", "", "@2x"};

// Windows colour-reference order: red in the low byte.
long colorRef(const QColor& c) { return c.red() + 256L * c.green() + 65536L * c.blue(); }

bool writeAnalog(const QString& folder) {
  const QDir dir(folder + "/askins");
  if (!QDir().mkpath(dir.filePath("medium")) || !QDir().mkpath(dir.filePath("small"))) return false;
  QString ini;
  QTextStream out(&ini);
  bool ok = true;
  for (const AnalogTheme& t : analogThemes()) {
    HandImage hands[3];
    for (const int scale : {1, 2}) {
      const QString x = kSuffix[scale];
      ok &= save(paintFace(t, 200, scale), dir.filePath(t.name + x + ".png"), "PNG");
      ok &= save(paintFace(t, 150, scale), dir.filePath("medium/" + t.name + x + ".png"), "PNG");
      ok &= save(paintFace(t, 100, scale), dir.filePath("small/" + t.name + x + ".png"), "PNG");
      const char* kinds[3] = {"hour", "minute", "second"};
      for (int i = 0; i < 3; ++i) {
        const HandImage hand = paintHand(t, i, scale);
        if (scale == 1) hands[i] = hand;
        ok &= save(hand.image, dir.filePath(QString("%1-%2%3.png").arg(t.stem, kinds[i], x)), "PNG");
      }
      ok &= save(paintCap(t, scale), dir.filePath(t.stem + "-cap" + x + ".png"), "PNG");
    }
    out << '[' << t.name << "]\n";
    out << "HourImage=" << t.stem << "-hour\n";
    out << "MinuteImage=" << t.stem << "-minute\n";
    out << "SecondImage=" << t.stem << "-second\n";
    out << "RoundImage=" << t.stem << "-cap\n";
    out << "TYCity=" << t.text.city << "\nTYDate=" << t.text.date << '\n';
    out << "TextColor=" << (t.text.white ? "White" : "Black") << '\n';
    out << "TXHour=" << hands[0].tx << "\nTYHour=" << hands[0].ty << '\n';
    out << "TXMinute=" << hands[1].tx << "\nTYMinute=" << hands[1].ty << '\n';
    out << "TXSecond=" << hands[2].tx << "\nTYSecond=" << hands[2].ty << "\n\n";
  }
  out.flush();
  return ok && writeText(dir.filePath("aclock.ini"), ini);
}

bool writeDigital(const QString& folder) {
  const QDir dir(folder + "/dskins");
  if (!QDir().mkpath(dir.path())) return false;
  QString ini;
  QTextStream out(&ini);
  bool ok = true;
  for (const DigitalTheme& t : digitalThemes()) {
    const QString file = QString(t.name).remove(' ');
    for (const int scale : {1, 2}) {
      ok &= save(paintDigital(t, false, scale), dir.filePath(file + kSuffix[scale] + ".bmp"), "BMP");
      ok &= save(paintDigital(t, true, scale), dir.filePath(file + "small" + kSuffix[scale] + ".bmp"), "BMP");
    }
    out << '[' << t.name << "]\n";
    out << "TimeColor=" << colorRef(t.time) << "\nDateColor=" << colorRef(t.date)
        << "\nCityColor=" << colorRef(t.city) << "\n\n";
  }
  out.flush();
  return ok && writeText(dir.filePath("dclock.ini"), ini);
}

}  // namespace

int main(int argc, char** argv) {
  // Fonts need a platform; no display is wanted.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() == 3 && args[1] == "write") return writeAnalog(args[2]) && writeDigital(args[2]) ? 0 : 1;
  if (args.size() == 4 && args[1] == "sheet") return drawSheet(args[2], args[3]) ? 0 : 1;
  std::fprintf(stderr, "usage: make-clock-themes write <folder> | sheet <folder> <png>\n");
  return 2;
}
