// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RemindersWindows.h"

#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>

#include "core/CityTable.h"
#include "core/CityTime.h"
#include "reminders/RemCheck.h"
#include "reminders/RemEdit.h"
#include "reminders/ReminderEditor.h"
#include "reminders/ReminderPopup.h"

namespace wc {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

void LoadReminders(ReminderStore& store, QWidget* parent) {
  store.reset(RemindersPath());
  const RemLoadResult r = store.load(RemindersPath());
  if (!r.file.ok() && r.file.status != XmlLoadStatus::Missing) {
    std::string text = r.file.error;
    if (r.file.status == XmlLoadStatus::Unreadable || r.file.setAsidePath.empty())
      text += " Reminders added in this run will not be saved.";
    QMessageBox::warning(parent, QStringLiteral("Warning"), Q(text));
    store.damageReported();
  }
  for (const auto& [date, message] : r.badDateReminders) {
    QMessageBox::warning(parent, QStringLiteral("Warning"),
                         Q(std::string(kRemLoadErrorText)) +
                             QStringLiteral("\n\nThe date \"%1\" of %2 could not be read. "
                                            "The reminder is kept as it is and will not remind you until you "
                                            "edit it.")
                                 .arg(Q(date), Q(ReminderNamed(message))));
  }
}

void SaveReminders(const ReminderStore& store, QWidget* parent) {
  // A file that could not be read was reported at start-up; it stays untouched.
  if (!store.canSave()) return;
  if (const FileResult r = store.save(); !r) {
    QMessageBox::warning(parent, QStringLiteral("Warning"), Q(r.error));
  }
}

void CheckReminders(ReminderStore& store, const CityTable& cities, const QWidget* mainWindow,
                    const FormatSettings& format) {
  if (store.list().empty()) return;
  const std::vector<RemFiring> fired =
      CheckRem(store.list(), cities.nameIndex(), LocalNow() + UtcOffsetDays(), format);
  if (fired.empty()) return;
  std::vector<ReminderPopup*> popups;
  for (const RemFiring& f : fired) {
    store.list()[f.index]->iShown = 1;
    auto* popup = new ReminderPopup;
    popup->lblCity->setText(Q(f.heading));
    popup->lbRem->setPlainText(Q(f.message));
    popup->sPlay = Q(f.sound);
    popups.push_back(popup);
  }
  // Marked on disk before anything is shown: a crash now cannot fire it twice.
  SaveReminders(store, nullptr);
  for (ReminderPopup* popup : popups) popup->showOver(mainWindow);
}

void OpenReminderEditor(ReminderStore& store, QPointer<ReminderEditor>& open, QWidget* mainWindow,
                        const FormatSettings& format, QWidget* over, const NewReminder* start) {
  if (open) {
    if (start) open->startNew(start->date, start->time, start->city);
    open->raise();
    open->activateWindow();
    return;
  }
  ReminderEditor editor(
      store.list(), format, [&store, mainWindow] { SaveReminders(store, mainWindow); }, over ? over : mainWindow);
  open = &editor;
  // Modal to its own windows only: a reminder that fires meanwhile can be
  // closed without closing the editor first.
  editor.setWindowModality(Qt::WindowModal);
  if (start) editor.startNew(start->date, start->time, start->city);
  editor.exec();
}

}  // namespace wc
