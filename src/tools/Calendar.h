#pragma once
// TWCCalendar, "Calendar - Year at a glance": the twelve months of one year,
// today marked, stepped with two buttons or typed into the year box.

#include <QWidget>
#include <array>
#include <chrono>
#include <optional>

#include "tools/ToolWindow.h"

class QLineEdit;
class QPushButton;
class QToolButton;

namespace wc {

// PaintBox1: draws the months of one year on white.
class TCalendarSurface : public QWidget {
  Q_OBJECT
 public:
  explicit TCalendarSurface(QWidget* parent);
  void setYear(int year, std::optional<std::chrono::sys_days> today);
  int year() const { return year_; }
  // From the user's locale: the month's name as a heading, and the weekday
  // headers of the columns, Sunday first.
  const QString& monthName(int month) const { return monthNames_[static_cast<std::size_t>(month - 1)]; }
  const QString& dayHeader(int column) const { return dayHeaders_[static_cast<std::size_t>(column)]; }

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  int year_ = 2000;
  std::optional<std::chrono::sys_days> today_;
  std::array<QString, 12> monthNames_;
  std::array<QString, 7> dayHeaders_;  // Sunday first
};

class TWCCalendar : public TToolWindow {
  Q_OBJECT
 public:
  explicit TWCCalendar(QWidget* owner);

  int shownYear() const { return year_; }
  QLineEdit* yearBox() const { return lbYear; }
  TCalendarSurface* surface() const { return PaintBox1; }

  void LeftBtnClick();
  void RightbtnClick();

 protected:
  void FormShow() override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void lbYearKeyUp();
  void stepYear(int delta);
  void RefreshCal();
  void refuseYear();

  int year_ = 2000;
  std::optional<std::chrono::sys_days> today_;

  QWidget* pnlTop = nullptr;
  QToolButton* btnLeft = nullptr;
  QLineEdit* lbYear = nullptr;
  QToolButton* btnRight = nullptr;
  TCalendarSurface* PaintBox1 = nullptr;
  QPushButton* btnCancel = nullptr;
};

}  // namespace wc
