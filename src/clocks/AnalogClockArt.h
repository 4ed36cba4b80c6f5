// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The drawing of an analog clock, shared by the desktop clock and the set-up
// dialog's preview: the face, the two texts, the hands turned about their
// pivots and the cap.
//
// A hand image points from its pivot towards 6 o'clock. It is placed with its
// pivot on the centre of a 280 x 280 canvas, turned about that centre, and the
// canvas is stretched over the face; drawing it through the one transform that
// does all of that gives the same picture without the canvas.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QTransform>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "clocks/ClockTheme.h"

class QPainter;

namespace wc {

inline constexpr int kHandCanvas = 280;  // SHandSize

class AnalogClockArt {
 public:
  // Theme data for the current size: pivots, text rows, font and brush.
  // colorAlpha is the text brush's alpha; a TextColor other than "Black" and
  // "White" keeps the brush it had when keepBrush, else leaves none.
  void setClockData(const AClockTheme& theme, int textSize, int clockWidth, int colorAlpha, bool keepBrush);
  // The face for the clock width from the askins folder (large: faceFile
  // itself), and the hand and cap images beside it; for a surface of device
  // pixel ratio dpr above 1 the "@2x" pictures where the theme has them.
  void loadImages(const std::string& askinsFolder, const std::string& largeFace, int clockWidth,
                  qreal dpr = 1);
  void freeImages();

  const QImage& face() const { return ClockBackground; }
  // The face in the clock's own pixels, whatever the picture's resolution.
  QSize faceSize() const { return ClockBackground.deviceIndependentSize().toSize(); }
  int clockRad() const { return ClockRad; }
  bool hasTextBrush() const { return SolidBrush.has_value(); }

  // Face, city name, time text (unless hidden), hour and minute hands.
  void drawUpToMinute(QPainter& p, double hourAngle, double minuteAngle, const QString& shortCityName,
                      const QString& timeText, bool hideDate) const;
  void drawSecondHand(QPainter& p, double angle) const;
  void drawCap(QPainter& p) const;

  // The second hand at one of its sixty places, for a painter on a surface
  // of this device pixel ratio. Each place is turned once and then only
  // copied: the same pixels as drawSecondHand, at a fraction of the work.
  void drawSecondHandAt(QPainter& p, int second, qreal dpr) const;
  // The face pixels it covers there (empty without a second hand).
  QRect secondHandRectAt(int second, qreal dpr) const;

 private:
  struct Sprite {
    bool made = false;
    QImage image;  // device pixels
    QPoint at;     // its place on the face, device pixels
    QRect rect;    // the same, logical pixels
  };
  using SpriteSet = std::array<Sprite, 60>;
  const Sprite& secondSprite(int second, qreal dpr) const;
  void forgetSprites() const;
  QTransform handTransform(QPoint pivot, double angle) const;
  void drawHand(QPainter& p, const QImage& hand, QPoint pivot, double angle) const;
  void drawCentredText(QPainter& p, const QString& text, float row) const;

  QImage ClockBackground, HourHand, MinuteHand, SecondHand, RoundHand;
  QPoint HourHandPoint, MinuteHandPoint, SecondHandPoint;
  std::optional<QColor> SolidBrush;
  QFont gpFont;
  int ClockRad = 100;
  float ycity = 0, ydate = 0;
  std::string HourImage, MinuteImage, SecondImage, Roundimage;
  std::string secondHandFile_;
  // Shared by every clock of the same second hand, face size and pixel
  // ratio: ten clocks of one theme keep one set, not ten (about 2 MB each).
  mutable std::shared_ptr<SpriteSet> sprites_;
  mutable qreal spriteDpr_ = 0;
};

}  // namespace wc
