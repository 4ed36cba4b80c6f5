// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "planner/WorkingHoursDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace wc {

namespace {

QTime ToTime(int minutes) { return QTime(minutes / 60 % 24, minutes % 60); }

}  // namespace

WorkingHoursDialog::WorkingHoursDialog(const QString& city, const WorkingHours& hours, bool twelveHour,
                                       const FormatSettings& format, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("WorkingHoursDialog"));
  setWindowTitle(QStringLiteral("Working Hours"));
  const QString display = twelveHour ? QStringLiteral("hh:mm AP") : QStringLiteral("HH:mm");
  edStart = new QTimeEdit(ToTime(hours.start), this);
  edStart->setObjectName(QStringLiteral("edStart"));
  edStart->setDisplayFormat(display);
  edEnd = new QTimeEdit(ToTime(hours.end), this);
  edEnd->setObjectName(QStringLiteral("edEnd"));
  edEnd->setDisplayFormat(display);
  edEnd->setToolTip(QStringLiteral("00:00 ends the working day at midnight"));

  auto* days = new QHBoxLayout;
  for (int d = 1; d <= 7; ++d) {
    auto* box =
        new QCheckBox(QString::fromStdString(format.shortDayNames[static_cast<std::size_t>(d % 7)]), this);
    box->setObjectName(QStringLiteral("cbDay%1").arg(d));
    box->setChecked(hours.isWorkingDay(d));
    cbDays[static_cast<std::size_t>(d - 1)] = box;
    days->addWidget(box);
  }

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&From:"), edStart);
  form->addRow(QStringLiteral("&Until:"), edEnd);
  form->addRow(QStringLiteral("Working days:"), days);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel(city, this);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  layout->addWidget(heading);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

WorkingHours WorkingHoursDialog::hours() const {
  WorkingHours h;
  const QTime start = edStart->time();
  const QTime end = edEnd->time();
  h.start = start.hour() * 60 + start.minute();
  h.end = end.hour() * 60 + end.minute();
  if (h.end == 0) h.end = 24 * 60;
  h.days = 0;
  for (std::size_t i = 0; i < cbDays.size(); ++i) {
    if (cbDays[i]->isChecked()) h.days |= static_cast<std::uint8_t>(1u << i);
  }
  return h;
}

void WorkingHoursDialog::accept() {
  if (!hours().valid()) {
    QMessageBox::warning(this, QStringLiteral("Validation"),
                         QStringLiteral("The working day must end after it begins."));
    edEnd->setFocus();
    return;
  }
  QDialog::accept();
}

}  // namespace wc
