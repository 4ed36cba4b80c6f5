// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/CalendarSurface.h"

#include <QLocale>
#include <QPainter>
#include <QtMath>

#include "tools/CalendarLayout.h"

namespace wc {

// The drawing's fonts in pixels: 12 and 9 points on the 96-dpi screen the
// layout was measured on, so that the text keeps to its grid at any dpi.
QFont CalendarFont(int pixels, bool bold) {
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

void CalendarSurface::setScale(qreal scale) {
  scale_ = scale;
  setFixedSize(qCeil(kDesignWidth * scale), qCeil(kDesignHeight * scale));
  update();
}

CalendarSurface::CalendarSurface(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PaintBox1"));
  setFixedSize(kDesignWidth, kDesignHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);
  const QLocale locale;
  for (int m = 1; m <= 12; ++m)
    monthNames_[static_cast<std::size_t>(m - 1)] = locale.standaloneMonthName(m, QLocale::LongFormat);
  for (int d = 0; d < 7; ++d) {
    const int qtDay = d == 0 ? 7 : d;  // the toolkit counts from Monday
    dayHeaders_[static_cast<std::size_t>(d)] = QString::fromStdString(
        WeekdayHeader(locale.standaloneDayName(qtDay, QLocale::ShortFormat).toStdString()));
  }
}

void CalendarSurface::setYear(int year, std::optional<std::chrono::sys_days> today) {
  year_ = year;
  today_ = today;
  setAccessibleName(QStringLiteral("Calendar of %1").arg(year));
  update();
}

void CalendarSurface::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  p.scale(scale_, scale_);
  const QFont nameFont = CalendarFont(16, true);
  const QFont headerFont = CalendarFont(12, true);
  const QFont dayFont = CalendarFont(12, false);
  const QFont todayFont = CalendarFont(12, true);
  const QColor nameColour(170, 165, 216);
  const int lineHeight = QFontMetrics(dayFont).height();
  const CalendarGeometry g;
  // Wide enough for any two-digit day or weekday, centred on its column.
  const int half = g.cellWidth();
  for (int m = 1; m <= 12; ++m) {
    const MonthLayout month = LayoutMonth(year_, m, today_, g);
    p.setFont(nameFont);
    p.setPen(nameColour);
    p.drawText(QRect(month.nameLeft, month.nameTop, g.boxWidth, QFontMetrics(nameFont).height()),
               Qt::AlignLeft | Qt::AlignTop, monthName(m));
    p.setFont(headerFont);
    p.setPen(Qt::black);
    for (std::size_t i = 0; i < 7; ++i)
      p.drawText(QRect(month.headerCentreX[i] - half, month.headerTop, 2 * half, lineHeight),
                 Qt::AlignHCenter | Qt::AlignTop, dayHeader(static_cast<int>(i)));
    p.setFont(dayFont);
    for (const CalendarDay& d : month.days) {
      if (d.today) {
        p.setFont(todayFont);
        p.setPen(QColor(255, 0, 0));
      }
      p.drawText(QRect(d.centreX - half, d.top, 2 * half, lineHeight), Qt::AlignHCenter | Qt::AlignTop,
                 QString::number(d.day));
      if (d.today) {
        p.setFont(dayFont);
        p.setPen(Qt::black);
      }
    }
  }
}

}  // namespace wc
