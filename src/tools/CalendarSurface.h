// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The calendar window's drawing: the twelve months of one year on white.

#include <QFont>
#include <QWidget>
#include <array>
#include <chrono>
#include <optional>

namespace wc {

// The drawing's fonts (Arial) in pixels.
QFont CalendarFont(int pixels, bool bold);

// PaintBox1: draws the months of one year on white.
class CalendarSurface : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kDesignWidth = 642;
  static constexpr int kDesignHeight = 438;

  explicit CalendarSurface(QWidget* parent);
  void setYear(int year, std::optional<std::chrono::sys_days> today);
  int year() const { return year_; }
  // From the user's locale: the month's name as a heading, and the weekday
  // headers of the columns, Sunday first.
  const QString& monthName(int month) const { return monthNames_[static_cast<std::size_t>(month - 1)]; }
  const QString& dayHeader(int column) const { return dayHeaders_[static_cast<std::size_t>(column)]; }
  // The whole drawing shrunk by this factor (1 draws it at its own size).
  void setScale(qreal scale);
  qreal scale() const { return scale_; }

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  int year_ = 2000;
  qreal scale_ = 1;
  std::optional<std::chrono::sys_days> today_;
  std::array<QString, 12> monthNames_;
  std::array<QString, 7> dayHeaders_;  // Sunday first
};

}  // namespace wc
