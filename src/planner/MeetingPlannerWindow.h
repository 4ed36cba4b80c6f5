// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The meeting planner: the chosen cities' hours side by side for one day,
// the next slot that suits them all, and the chosen instant in every city,
// ready to copy or to set as a reminder. The model (src/core/Planner*,
// SlotSearch) computes everything; this window shows it and keeps the
// user's choice of cities in the settings.

#include <QDate>
#include <QDialog>
#include <QTime>
#include <QTimer>
#include <chrono>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/City.h"
#include "core/FormatDateTime.h"
#include "core/PlannerChoice.h"
#include "core/PlannerCity.h"
#include "core/SlotSearch.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QToolButton;

namespace wc {

class PlannerGrid;

// What "Add Reminder…" hands to the reminder editor: the instant as the
// city's own date and time.
struct ReminderDraft {
  QDate date;
  QTime time;
  QString city;
};

struct PlannerServices {
  std::span<const CityEntry> cities;       // the loaded city table
  std::string ownCity;                     // the user's own city, for the first choice
  std::vector<std::string> displayCities;  // the map's, for the first choice
  FormatSettings format;
  std::function<void(const ReminderDraft&)> addReminder;
  // UTC now as a date-time value; the computer's clock when not set.
  std::function<DateTime()> utcNow;
};

class MeetingPlannerWindow : public QDialog {
  Q_OBJECT
 public:
  explicit MeetingPlannerWindow(PlannerServices services, QWidget* owner = nullptr);

  // Reads the stored size back, shows the window and brings it to the front.
  void showPlanner();

  QToolButton* btnPrevDay = nullptr;
  QDateEdit* dtpDate = nullptr;
  QToolButton* btnNextDay = nullptr;
  QPushButton* btnToday = nullptr;
  QComboBox* cboLength = nullptr;
  QPushButton* btnNextSlot = nullptr;
  PlannerGrid* grid = nullptr;
  QPushButton* btnAddCity = nullptr;
  QPushButton* btnRemoveCity = nullptr;
  QPushButton* btnHours = nullptr;
  QLabel* lblInstant = nullptr;
  QLabel* lblSlotNote = nullptr;
  QPushButton* btnCopy = nullptr;
  QPushButton* btnAddReminder = nullptr;
  QPushButton* btnClose = nullptr;

  const std::vector<PlannerCity>& rows() const { return rows_; }
  std::chrono::sys_days date() const { return date_; }
  std::optional<MinuteSpan> selection() const { return selection_; }
  // The lines "Copy" puts on the clipboard, one per city.
  QString instantText() const;

 public slots:
  void showDay(std::chrono::sys_days date);
  void stepDay(int days);
  void showToday();
  void selectColumn(int column);
  void stepColumn(int step);
  void findNextSlot();
  void addCity();
  void removeCity(int row);
  void editHours(int row);
  void moveCity(int from, int to);
  void copyInstant();
  void addReminder();

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void changeEvent(QEvent* e) override;
  void done(int result) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  DateTime utcNow() const;
  UtcMinute now() const;
  std::chrono::sys_days todayOfFirstRow() const;
  void loadChoices();
  void storeChoices();
  void citiesChanged();
  void refresh();
  void updateInstant();
  void updateButtons();
  void minuteTick();
  void storePlacement();

  PlannerServices services_;
  std::string timeFormat_;
  std::vector<PlannerChoice> choices_;
  std::vector<PlannerCity> rows_;  // one per choice, in the same order
  std::chrono::sys_days date_{};
  std::optional<MinuteSpan> selection_;
  std::optional<SlotResult> slot_;  // the last search, while its slot is selected
  QTimer minuteTimer_;
};

}  // namespace wc
