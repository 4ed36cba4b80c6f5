#pragma once
// What the main window asks of its reminders: load at start-up, save, the
// ten-second pass with its pop-ups, and the editor. The main window owns the
// store.

#include <QWidget>

#include "core/FormatDateTime.h"
#include "reminders/ReminderStore.h"

namespace wc {

class CityTable;

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
// The editor, modal to the main window; each change is written at once.
void OpenReminderEditor(ReminderStore& store, QWidget* mainWindow, const FormatSettings& format);

}  // namespace wc
