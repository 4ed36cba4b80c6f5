// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Sets one city's working hours for the planner: a span of the day and the
// working days of its week.

#include <QDialog>
#include <array>

#include "core/FormatDateTime.h"
#include "core/WorkingHours.h"

class QCheckBox;
class QTimeEdit;

namespace wc {

class WorkingHoursDialog : public QDialog {
  Q_OBJECT
 public:
  WorkingHoursDialog(const QString& city, const WorkingHours& hours, bool twelveHour,
                     const FormatSettings& format, QWidget* parent = nullptr);

  WorkingHours hours() const;

  QTimeEdit* edStart = nullptr;
  QTimeEdit* edEnd = nullptr;
  std::array<QCheckBox*, 7> cbDays{};  // Monday first

  void accept() override;  // refuses a span that does not run forward
};

}  // namespace wc
