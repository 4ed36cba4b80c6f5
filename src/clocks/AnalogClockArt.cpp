#include "AnalogClockArt.h"

#include <QFontMetricsF>
#include <QPainter>

#include "clocks/ClockFace.h"

namespace wc {

namespace {

QImage LoadPng(const std::string& path) {
  QImage img(QString::fromStdString(path));
  if (img.isNull()) return img;  // a missing file gives an empty image, and no error
  return img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
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
  ycity = TextRow(theme.TYCity, clockWidth);
  ydate = TextRow(theme.TYDate, clockWidth);
}

void AnalogClockArt::loadImages(const std::string& askinsFolder, const std::string& largeFace,
                                int clockWidth) {
  const std::string file = FileNameOf(largeFace);
  if (clockWidth == 100) {
    ClockBackground = LoadPng(askinsFolder + "small/" + file);
    ClockRad = 50;
  } else if (clockWidth == 150) {
    ClockBackground = LoadPng(askinsFolder + "medium/" + file);
    ClockRad = 75;
  } else {
    ClockBackground = LoadPng(largeFace);
    ClockRad = 100;
  }
  HourHand = LoadPng(askinsFolder + HourImage + ".png");
  MinuteHand = LoadPng(askinsFolder + MinuteImage + ".png");
  RoundHand = Roundimage.empty() ? QImage() : LoadPng(askinsFolder + Roundimage + ".png");
  SecondHand = LoadPng(askinsFolder + SecondImage + ".png");
}

void AnalogClockArt::freeImages() {
  ClockBackground = HourHand = MinuteHand = SecondHand = RoundHand = QImage();
}

QTransform AnalogClockArt::handTransform(QPoint pivot, double angle) const {
  QTransform t;
  t.scale(static_cast<double>(ClockBackground.width()) / kHandCanvas,
          static_cast<double>(ClockBackground.height()) / kHandCanvas);
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
  p.setClipRect(QRect(QPoint(0, 0), ClockBackground.size()), Qt::IntersectClip);
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
  p.drawImage(ClockRad - RoundHand.width() / 2, ClockRad - RoundHand.height() / 2, RoundHand);
}

QRect AnalogClockArt::secondHandRect(double angle) const {
  if (SecondHand.isNull() || ClockBackground.isNull()) return {};
  const QRect r = handTransform(SecondHandPoint, angle).mapRect(QRectF(SecondHand.rect())).toAlignedRect();
  return r.adjusted(-2, -2, 2, 2) & QRect(QPoint(0, 0), ClockBackground.size());
}

}  // namespace wc
