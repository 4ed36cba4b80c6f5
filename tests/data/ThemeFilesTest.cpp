// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The clock themes as they ship beside the program: every theme the clock
// menus name is described, every file the descriptions name exists at the size
// the clocks take for granted, hands turn about a pivot inside their image and
// fit the rotation canvas, and the text colour reads on its face.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTextStream>
#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using Section = std::map<QString, QString>;  // keys in lower case
using Ini = std::vector<std::pair<QString, Section>>;

Ini ReadIni(const QString& path) {
  Ini ini;
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return ini;
  QTextStream in(&f);
  while (!in.atEnd()) {
    const QString line = in.readLine().trimmed();
    if (line.startsWith('[') && line.endsWith(']')) {
      ini.push_back({line.mid(1, line.size() - 2), {}});
    } else if (const qsizetype eq = line.indexOf('='); eq > 0 && !ini.empty()) {
      ini.back().second[line.left(eq).trimmed().toLower()] = line.mid(eq + 1).trimmed();
    }
  }
  return ini;
}

int Int(const Section& s, const char* key) {
  bool ok = false;
  const auto it = s.find(QString::fromLatin1(key).toLower());
  const int v = it == s.end() ? 0 : it->second.toInt(&ok);
  EXPECT_TRUE(ok) << key << " is not an integer";
  return v;
}

QString Text(const Section& s, const char* key) {
  const auto it = s.find(QString::fromLatin1(key).toLower());
  return it == s.end() ? QString() : it->second;
}

QStringList Names(const Ini& ini) {
  QStringList names;
  for (const auto& [name, section] : ini) names << name;
  return names;
}

double Luminance(QRgb c) { return (0.2126 * qRed(c) + 0.7152 * qGreen(c) + 0.0722 * qBlue(c)) / 255; }

const QString kProgram = QString::fromUtf8(WC_PROGRAM_DIR);

TEST(ShippedThemes, AnalogThemesHaveFacesHandsAndReadableText) {
  const Ini ini = ReadIni(kProgram + "askins/aclock.ini");
  // The clock menu's captions, in the menu's order (the set-up list shows the file's order).
  EXPECT_EQ(Names(ini),
            QStringList({"Blue Steel 1", "Blue Steel 2", "Retro Green", "Retro Red", "Fresh", "Stylish Red",
                         "Simple Blue", "Vibrant", "Blue Gray", "Black Gray", "Gray", "Gray Orange",
                         "Deep Pink", "Forest Green", "Orange", "Violet", "Classic", "Wooden"}));
  for (const auto& [name, s] : ini) {
    SCOPED_TRACE(name.toStdString());
    const QString color = Text(s, "TextColor");
    ASSERT_TRUE(color == "Black" || color == "White") << color.toStdString();
    const int tyCity = Int(s, "TYCity"), tyDate = Int(s, "TYDate");
    EXPECT_LT(tyCity + 14, tyDate);
    for (const auto& [folder, size] :
         std::vector<std::pair<QString, int>>{{"", 200}, {"medium/", 150}, {"small/", 100}}) {
      SCOPED_TRACE(size);
      const QImage face(kProgram + "askins/" + folder + name + ".png");
      ASSERT_EQ(face.size(), QSize(size, size));
      ASSERT_TRUE(face.hasAlphaChannel());
      EXPECT_EQ(QImage(kProgram + "askins/" + folder + name + "@2x.png").size(), QSize(2 * size, 2 * size));
      EXPECT_EQ(qAlpha(face.pixel(0, 0)), 0) << "the face is not round";
      EXPECT_EQ(qAlpha(face.pixel(size / 2, size / 2)), 255);
      // Black text on a light band, white text on a dark one, where the clock draws it.
      const int textSize = size == 200 ? 11 : size == 150 ? 10 : 9;
      for (const int row : {tyCity, tyDate}) {
        double sum = 0;
        int n = 0;
        int top = row * size / 200;
        // The city line above the centre sits higher, by a lift for the size.
        if (row == tyCity && top < size / 2) top -= size == 100 ? 9 : size == 150 ? 6 : 3;
        for (int y = top; y < top + textSize + 2; ++y)
          for (int x = size / 2 - size * 3 / 20; x < size / 2 + size * 3 / 20; ++x, ++n)
            sum += Luminance(face.pixel(x, y));
        if (color == "White")
          EXPECT_LT(sum / n, 0.45) << "white text on a light face at row " << row;
        else
          EXPECT_GT(sum / n, 0.55) << "black text on a dark face at row " << row;
      }
    }
    int reach[3] = {};
    const char* hands[3][3] = {{"HourImage", "TXHour", "TYHour"},
                               {"MinuteImage", "TXMinute", "TYMinute"},
                               {"SecondImage", "TXSecond", "TYSecond"}};
    for (int i = 0; i < 3; ++i) {
      SCOPED_TRACE(hands[i][0]);
      const QImage hand(kProgram + "askins/" + Text(s, hands[i][0]) + ".png");
      ASSERT_FALSE(hand.isNull());
      ASSERT_TRUE(hand.hasAlphaChannel());
      const int tx = Int(s, hands[i][1]), ty = Int(s, hands[i][2]);
      ASSERT_TRUE(hand.rect().contains(tx, ty)) << "pivot " << tx << "," << ty << " outside the image";
      // The hand hangs from its pivot toward 6 o'clock, on the axis x = TX, and
      // fits the 280-pixel rotation canvas whose centre the pivot lands on.
      int top = hand.height(), bottom = -1;
      double mass = 0, moment = 0;
      for (int y = 0; y < hand.height(); ++y)
        for (int x = 0; x < hand.width(); ++x)
          if (const int a = qAlpha(hand.pixel(x, y)); a > 0) {
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            mass += a;
            moment += a * (x + 0.5);
          }
      ASSERT_GT(mass, 0);
      reach[i] = bottom + 1 - ty;
      EXPECT_GT(reach[i], 2 * (ty - top)) << "the hand does not point down from its pivot";
      EXPECT_LE(reach[i], 140);
      EXPECT_LE(ty - top, 140);
      EXPECT_NEAR(moment / mass, tx, 0.5) << "the hand is not centred on its pivot";
      // Twice the size, about twice the pivot.
      const QImage twice(kProgram + "askins/" + Text(s, hands[i][0]) + "@2x.png");
      ASSERT_EQ(twice.size(), 2 * hand.size());
      double mass2 = 0, moment2 = 0, reach2 = 0;
      for (int y = 0; y < twice.height(); ++y)
        for (int x = 0; x < twice.width(); ++x)
          if (const int a = qAlpha(twice.pixel(x, y)); a > 0) {
            mass2 += a;
            moment2 += a * (x + 0.5);
            reach2 = std::max(reach2, y + 1.0 - 2 * ty);
          }
      EXPECT_NEAR(moment2 / mass2, 2 * tx, 1.0) << "the @2x hand is not centred on twice the pivot";
      EXPECT_NEAR(reach2, 2 * reach[i], 3) << "the @2x hand does not reach twice as far";
    }
    EXPECT_LT(reach[0], reach[1]) << "hour hand not shorter than the minute hand";
    // The hour and minute hands stand out from the dial they sweep.
    const QImage face(kProgram + "askins/" + name + ".png");
    double dial = 0;
    int samples = 0;
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 200; ++x)
        if (const double r = std::hypot(x + 0.5 - 100, y + 0.5 - 100); r > 25 && r < 60) {
          dial += Luminance(face.pixel(x, y));
          ++samples;
        }
    dial /= samples;
    for (int i = 0; i < 2; ++i) {
      const QImage hand(kProgram + "askins/" + Text(s, hands[i][0]) + ".png");
      double body = 0;
      int n = 0;
      for (int y = 0; y < hand.height(); ++y)
        for (int x = 0; x < hand.width(); ++x)
          if (qAlpha(hand.pixel(x, y)) == 255) {
            body += Luminance(hand.pixel(x, y));
            ++n;
          }
      EXPECT_GT(std::abs(body / n - dial), 0.3) << hands[i][0] << " does not stand out from the dial";
    }
    const QImage cap(kProgram + "askins/" + Text(s, "RoundImage") + ".png");
    ASSERT_FALSE(cap.isNull());
    EXPECT_LE(cap.width(), 12) << "the cap is drawn unscaled on the 100-pixel face too";
    EXPECT_EQ(QImage(kProgram + "askins/" + Text(s, "RoundImage") + "@2x.png").size(), 2 * cap.size());
  }
}

TEST(ShippedThemes, DigitalThemesHaveBitmapsAndColours) {
  const Ini ini = ReadIni(kProgram + "dskins/dclock.ini");
  EXPECT_EQ(Names(ini), QStringList({"Dark Blue", "Black", "Dark Red", "Fire Brick", "Forest Green", "Gray",
                                     "Sky Blue", "Orange", "Deep Pink", "Violet"}));
  for (const auto& [name, s] : ini) {
    SCOPED_TRACE(name.toStdString());
    for (const char* key : {"TimeColor", "DateColor", "CityColor"}) {
      const int v = Int(s, key);
      EXPECT_TRUE(v >= 0 && v <= 0xffffff) << key;
    }
    const QString stem = kProgram + "dskins/" + QString(name).remove(' ');
    const QImage full(stem + ".bmp"), brief(stem + "small.bmp");
    ASSERT_FALSE(full.isNull());
    ASSERT_FALSE(brief.isNull());
    EXPECT_FALSE(full.hasAlphaChannel());
    EXPECT_EQ(QImage(stem + "@2x.bmp").size(), 2 * full.size());
    EXPECT_EQ(QImage(stem + "small@2x.bmp").size(), 2 * brief.size());
    // Placed one pixel in: the full bitmap covers the date label (rows 65 to
    // 77), the short one ends above it and so hides it.
    EXPECT_EQ(full.width(), 138);
    EXPECT_EQ(brief.width(), full.width());
    EXPECT_GE(1 + full.height(), 78);
    EXPECT_GT(1 + brief.height(), 53);
    EXPECT_LE(1 + brief.height(), 65);
  }
}

}  // namespace
