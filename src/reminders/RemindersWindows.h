// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the main window asks of the reminders: load at start-up, save, the
// ten-second pass with its pop-ups, and the editor. The list is program-wide
// and belongs to the main window's lifetime: loading starts it afresh.

#include <QDate>
#include <QString>
#include <QTime>
#include <QWidget>

#include "core/FormatDateTime.h"
#include "reminders/Reminders.h"

namespace wc {

ReminderStore& ProgramReminders();

// Empties the list and fills it from the data folder's reminders.dat,
// reporting a damaged file once and each unreadable date as the loader has
// always done.
void LoadProgramReminders(QWidget* parent);
// Writes the list; a failure is reported in a message box.
void SaveProgramReminders(QWidget* parent);
// One pass at the current time: what fires is marked shown and written at
// once, then its pop-ups appear centred over mainWindow.
void CheckProgramReminders(const QWidget* mainWindow, const FormatSettings& format);
// A reminder begun elsewhere: its city's date and time, and the city.
struct NewReminder {
  QDate date;
  QTime time;
  QString city;
};

// The editor, modal to the main window (or to over, the window that asked
// for it, and so to the main window too); each change is written at once.
// With start, it opens on the add page filled in with it. There is one
// editor at a time: asking again brings the open one to the front.
void OpenReminderEditor(QWidget* mainWindow, const FormatSettings& format, QWidget* over = nullptr,
                        const NewReminder* start = nullptr);

}  // namespace wc
