// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// ReminderEditor, the reminder editor: every reminder in a list, and a page to add
// one or change the one chosen with "Edit". It works on the program's list
// directly and reports each change, so the list can be written at once.

#include <QDate>
#include <QDialog>
#include <QTime>
#include <functional>
#include <vector>

#include "core/FormatDateTime.h"
#include "reminders/ReminderStore.h"

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QTimeEdit;
class QWidget;

namespace wc {

class CityFilterBox;
class CityListModel;
class ToolDialogHeader;

class ReminderEditor : public QDialog {
  Q_OBJECT
 public:
  // changed runs after every change to the list (add, edit, delete).
  ReminderEditor(RemList& list, const FormatSettings& format, std::function<void()> changed,
                 QWidget* parent = nullptr);

  ToolDialogHeader* header = nullptr;
  QTabWidget* pcRem = nullptr;
  QWidget* tsAll = nullptr;
  QWidget* tsOne = nullptr;
  QTableWidget* lvwRem = nullptr;
  QPushButton* btnModify = nullptr;
  QPushButton* btnDelete = nullptr;
  QDateEdit* dtpDate = nullptr;
  QTimeEdit* dtpTime = nullptr;
  CityFilterBox* edFilter = nullptr;
  QComboBox* cboCity = nullptr;
  QPlainTextEdit* edMsg = nullptr;
  QLineEdit* edSound = nullptr;
  QPushButton* btnSound = nullptr;
  QPushButton* btnPlay = nullptr;
  QPushButton* btnSet = nullptr;
  QPushButton* btnClear = nullptr;
  QPushButton* btnCancel = nullptr;

  bool editMode() const { return editing_ != nullptr; }
  // The record each row shows, in list order.
  const std::vector<RemInfo*>& rows() const { return rows_; }

 public slots:
  void btnSetClick();
  void btnModifyClick();
  void btnDeleteClick();
  void btnClearClick();
  void btnSoundClick();
  void btnPlayClick();

  // A new reminder begun elsewhere (the meeting planner's chosen time): the
  // add page with the date, time and city filled in, the message to write.
  // A city the list does not hold stays unchosen.
  void startNew(QDate date, QTime time, const QString& city);

 private:
  void LoadCityData();
  void LoadReminders();
  void fillRow(int row, const RemInfo& r);
  RemInfo* selectedRecord() const;

  CityListModel* cities_ = nullptr;
  RemList& list_;
  FormatSettings format_;
  std::function<void()> changed_;
  std::vector<RemInfo*> rows_;
  // The record "Edit" loaded: "Set Reminder" changes this one, even when the
  // list's selection has moved or gone since.
  RemInfo* editing_ = nullptr;
};

}  // namespace wc
