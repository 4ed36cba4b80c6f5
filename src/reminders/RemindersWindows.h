// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the main window asks of its reminders: load at start-up, save, the
// ten-second pass with its pop-ups, and the editor. The main window owns the
// store.

#include <QDate>
#include <QPointer>
#include <QString>
#include <QTime>
#include <QWidget>

#include "core/FormatDateTime.h"
#include "reminders/ReminderStore.h"

namespace wc {

class CityTable;
class ReminderEditor;

// Empties the list and fills it from the data folder's reminders.dat,
// reporting a damaged file once and each unreadable date as the loader has
// always done.
void LoadReminders(ReminderStore& store, QWidget* parent);
// Writes the list; a failure is reported in a message box.
void SaveReminders(const ReminderStore& store, QWidget* parent);
// One pass at the current time over the cities of the table: what fires is
// marked shown and written at once, then its pop-ups appear centred over
// mainWindow.
void CheckReminders(ReminderStore& store, const CityTable& cities, const QWidget* mainWindow,
                    const FormatSettings& format);
// A reminder begun elsewhere: its city's date and time, and the city.
struct NewReminder {
  QDate date;
  QTime time;
  QString city;
};

// The editor, modal to the main window (or to over, the window that asked
// for it, and so to the main window too); each change is written at once.
// With start, it opens on the add page filled in with it. There is one
// editor at a time, held in open: asking again brings it to the front, as
// two editors on the one list would each keep rows of records the other may
// delete.
void OpenReminderEditor(ReminderStore& store, QPointer<ReminderEditor>& open, QWidget* mainWindow,
                        const FormatSettings& format, QWidget* over = nullptr, const NewReminder* start = nullptr);

}  // namespace wc
