// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ReminderEditor.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "core/CityFile.h"
#include "core/Paths.h"
#include "core/Text.h"
#include "platform/LocaleFormat.h"
#include "reminders/RemEdit.h"
#include "reminders/RemPictures.h"
#include "reminders/Sound.h"
#include "widgets/CityFilterBox.h"
#include "widgets/CityListModel.h"
#include "widgets/TimeBox.h"
#include "widgets/ToolDialogHeader.h"

namespace wc {

namespace {

// The drop-down calendar is sized by its hint, which counts a week's line at
// the font's height, while its table gives each line at least the header's
// smallest section: under a skin's taller month bar the last week came out
// cut. Grown as it opens, it fits whatever font and skin are in use then.
class WholeWeeks : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    auto* calendar = qobject_cast<QCalendarWidget*>(watched);
    if (calendar && e->type() == QEvent::Show) {
      const auto* view = calendar->findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
      const auto* bar = calendar->findChild<QWidget*>(QStringLiteral("qt_calendar_navigationbar"));
      if (view && bar) {
        const int lines = view->model() ? view->model()->rowCount() : 7;
        const int needed = bar->sizeHint().height() + lines * view->verticalHeader()->minimumSectionSize() +
                           2 * view->frameWidth();
        if (calendar->height() < needed) {
          QWidget* popup = calendar->window();
          popup->resize(popup->width(), popup->height() + needed - calendar->height());
        }
      }
    }
    return QObject::eventFilter(watched, e);
  }
};

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The message as the user wrote it, never read as markup (no heading, no
// picture loaded, no link), and at most about a screen's worth.
QString MessageToolTip(const std::string& message) {
  constexpr int kMostLines = 25, kMostCharacters = 1200;
  QString text = Q(message);
  bool cut = false;
  if (text.count(QLatin1Char('\n')) >= kMostLines) {
    text = text.section(QLatin1Char('\n'), 0, kMostLines - 1);
    cut = true;
  }
  if (text.size() > kMostCharacters) {
    text.truncate(kMostCharacters);
    cut = true;
  }
  if (cut) text += QChar(0x2026);
  return QStringLiteral("<p style='white-space:pre-wrap'>") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

std::string S(const QString& s) { return s.toStdString(); }

DateTime FromQDate(QDate d) { return EncodeDate(d.year(), d.month(), d.day()); }
DateTime FromQTime(QTime t) { return EncodeTime(t.hour(), t.minute(), t.second(), t.msec()); }
QDate ToQDate(DateTime t) {
  int y = 0, m = 0, d = 0;
  DecodeDate(t, y, m, d);
  return QDate(y, m, d);
}
QTime ToQTime(DateTime t) {
  int h = 0, m = 0, s = 0, ms = 0;
  DecodeTime(t, h, m, s, ms);
  return QTime(h, m, s, ms);
}

QPushButton* Button(const char* name, const char* caption, QWidget* parent) {
  auto* b = new QPushButton(QString::fromUtf8(caption), parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  return b;
}

QLabel* Label(const char* name, const char* caption, QWidget* buddy, QWidget* parent) {
  auto* l = new QLabel(QString::fromUtf8(caption), parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setBuddy(buddy);
  return l;
}

}  // namespace

ReminderEditor::ReminderEditor(RemList& list, const FormatSettings& format, std::function<void()> changed,
                               QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      list_(list),
      format_(format),
      changed_(std::move(changed)) {
  setObjectName(QStringLiteral("frmRemind"));
  setWindowTitle(QString());  // the heading names the dialog
  setFixedSize(551, 369);

  header = new ToolDialogHeader(QStringLiteral("Create and Manage Reminders"), this);
  header->setPicture(BellPicture(40, devicePixelRatioF()));
  header->headingLabel()->setObjectName(QStringLiteral("sLabel2"));

  pcRem = new QTabWidget(this);
  pcRem->setObjectName(QStringLiteral("pcRem"));

  // "All Reminders".
  tsAll = new QWidget;
  tsAll->setObjectName(QStringLiteral("tsAll"));
  lvwRem = new QTableWidget(0, 4, tsAll);
  lvwRem->setObjectName(QStringLiteral("lvwRem"));
  lvwRem->setHorizontalHeaderLabels({QStringLiteral("Remind On"), QStringLiteral("Time"),
                                     QStringLiteral("City"), QStringLiteral("Message")});
  // The message takes the rest of the row rather than a scroll bar.
  lvwRem->horizontalHeader()->setStretchLastSection(true);
  lvwRem->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  lvwRem->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  SetUpReportRows(*lvwRem);
  // The chosen row stays marked while the buttons have the focus.
  QPalette lp = lvwRem->palette();
  lp.setColor(QPalette::Inactive, QPalette::Highlight, lp.color(QPalette::Active, QPalette::Highlight));
  lp.setColor(QPalette::Inactive, QPalette::HighlightedText,
              lp.color(QPalette::Active, QPalette::HighlightedText));
  lvwRem->setPalette(lp);
  btnModify = Button("btnModify", "&Edit", tsAll);
  btnDelete = Button("btnDelete", "&Delete", tsAll);
  connect(btnModify, &QPushButton::clicked, this, &ReminderEditor::btnModifyClick);
  connect(btnDelete, &QPushButton::clicked, this, &ReminderEditor::btnDeleteClick);
  connect(lvwRem, &QTableWidget::cellDoubleClicked, this, &ReminderEditor::btnModifyClick);
  auto* allButtons = new QHBoxLayout;
  allButtons->addStretch(1);
  allButtons->addWidget(btnModify);
  allButtons->addWidget(btnDelete);
  auto* allColumn = new QVBoxLayout(tsAll);
  allColumn->setContentsMargins(6, 6, 6, 6);
  allColumn->addWidget(lvwRem, 1);
  allColumn->addLayout(allButtons);

  // "Add or Edit a Reminder".
  tsOne = new QWidget;
  tsOne->setObjectName(QStringLiteral("tsOne"));
  dtpDate = new QDateEdit(tsOne);
  dtpDate->setObjectName(QStringLiteral("dtpDate"));
  dtpDate->setCalendarPopup(true);
  dtpDate->calendarWidget()->installEventFilter(new WholeWeeks(dtpDate));
  // The long date as every other window writes it.
  dtpDate->setDisplayFormat(QtDateFormatFromPattern(format_.longDateFormat));
  dtpTime = new TimeBox(tsOne);
  dtpTime->setObjectName(QStringLiteral("dtpTime"));
  dtpTime->setDisplayFormat(QStringLiteral("hh:mm AP"));
  dtpTime->setMinimumWidth(dtpTime->fontMetrics().horizontalAdvance(QStringLiteral("00:00 PM")) + 44);
  cboCity = new QComboBox(tsOne);
  cboCity->setObjectName(QStringLiteral("cboCity"));
  // Thousands of cities: a list of twenty rows that scrolls, not a column
  // of names as high as the screen, which some looks make of a drop-down.
  cboCity->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
  cboCity->setEditable(false);
  cboCity->setMaxVisibleItems(20);
  // A skin's sheet makes the list before this one takes, without its bar.
  cboCity->view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  edFilter = new CityFilterBox(tsOne);
  edFilter->setObjectName(QStringLiteral("edFilter"));
  cities_ = new CityListModel(this);
  edFilter->attach(cboCity, cities_);
  edMsg = new QPlainTextEdit(tsOne);
  edMsg->setObjectName(QStringLiteral("edMsg"));
  edMsg->setTabChangesFocus(true);
  edSound = new QLineEdit(tsOne);
  edSound->setObjectName(QStringLiteral("edSound"));
  edSound->setReadOnly(true);
  btnSound = Button("btnSound", "&Browse", tsOne);
  btnPlay = Button("btnPlay", "Play", tsOne);
  btnSet = Button("btnSet", "&Set Reminder", tsOne);
  btnClear = Button("btnClear", "Clear &Contents", tsOne);
  connect(btnSound, &QPushButton::clicked, this, &ReminderEditor::btnSoundClick);
  connect(btnPlay, &QPushButton::clicked, this, &ReminderEditor::btnPlayClick);
  connect(btnSet, &QPushButton::clicked, this, &ReminderEditor::btnSetClick);
  connect(btnClear, &QPushButton::clicked, this, &ReminderEditor::btnClearClick);

  auto* form = new QGridLayout(tsOne);
  form->setContentsMargins(8, 8, 8, 6);
  form->setHorizontalSpacing(8);
  form->setVerticalSpacing(5);
  form->addWidget(Label("Label2", "Remind me on", dtpDate, tsOne), 0, 0);
  form->addWidget(dtpDate, 0, 1);
  // A long date ("Wednesday, 30 September 2026") needs the row to itself.
  form->addWidget(Label("Label3", "When the time is", dtpTime, tsOne), 1, 0);
  form->addWidget(dtpTime, 1, 1, Qt::AlignLeft);
  form->addWidget(Label("Label4", "in city ", edFilter, tsOne), 2, 0);
  auto* cityColumn = new QVBoxLayout;
  cityColumn->setSpacing(3);
  cityColumn->addWidget(edFilter);
  cityColumn->addWidget(cboCity);
  form->addLayout(cityColumn, 2, 1);
  // From the time to the filter, its list, then the message.
  setTabOrder(dtpTime, edFilter);
  setTabOrder(edFilter, cboCity);
  setTabOrder(cboCity, edMsg);
  form->addWidget(Label("Label1", "Display Message", edMsg, tsOne), 3, 0, Qt::AlignTop);
  form->addWidget(edMsg, 3, 1);
  form->addWidget(Label("sLabel1", "Play Sound", edSound, tsOne), 4, 0);
  auto* soundRow = new QHBoxLayout;
  soundRow->addWidget(edSound, 1);
  soundRow->addWidget(btnSound);
  soundRow->addWidget(btnPlay);
  form->addLayout(soundRow, 4, 1);
  auto* setRow = new QHBoxLayout;
  setRow->addStretch(1);
  setRow->addWidget(btnSet);
  setRow->addWidget(btnClear);
  form->addLayout(setRow, 5, 0, 1, 2);
  form->setColumnStretch(1, 1);
  form->setRowStretch(3, 1);

  pcRem->addTab(tsAll, QStringLiteral("All Reminders"));
  pcRem->addTab(tsOne, QStringLiteral("Add or Edit a Reminder"));
  pcRem->setCurrentWidget(tsAll);

  btnCancel = Button("btnCancel", "Close", this);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(btnCancel);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 8);
  column->setSpacing(6);
  column->addWidget(header);
  auto* body = new QVBoxLayout;
  body->setContentsMargins(8, 0, 8, 0);
  body->setSpacing(6);
  body->addWidget(pcRem, 1);
  body->addLayout(bottom);
  column->addLayout(body, 1);

  // FormCreate, then FormShow: the fields are reset while the city list is
  // still empty, so no city is chosen until the user picks one.
  btnClearClick();
  LoadCityData();
  LoadReminders();
}

void ReminderEditor::LoadCityData() {
  const CityNamesResult r = ReadCityNames(CityDataPath());
  if (!r.file.ok() && r.file.status != XmlLoadStatus::Missing) {
    QMessageBox::warning(this, QStringLiteral("Warning"), Q(r.file.error));
  }
  cities_->setNames(r.names);
  edFilter->startOnOwnCity();
}

void ReminderEditor::LoadReminders() {
  lvwRem->setRowCount(0);
  rows_.clear();
  lvwRem->setRowCount(static_cast<int>(list_.size()));
  for (const auto& r : list_) {
    fillRow(static_cast<int>(rows_.size()), *r);
    rows_.push_back(r.get());
  }
  // A long month name in a larger desktop font needs more than the
  // designed width; the columns never get narrower than designed.
  // A long city name ends in an ellipsis rather than squeeze the message
  // to nothing.
  const int designed[] = {110, 70, 170};
  const int most[] = {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX, 220};
  for (int c = 0; c < 3; ++c) {
    lvwRem->resizeColumnToContents(c);
    lvwRem->setColumnWidth(c, std::min(most[c], std::max(designed[c], lvwRem->columnWidth(c) + 4)));
  }
}

void ReminderEditor::fillRow(int row, const RemInfo& r) {
  // A message of several lines reads on one row.
  QString message = Q(r.RemMsg);
  message.replace(QLatin1Char('\n'), QLatin1Char(' '));
  // A date that could not be read shows as the file holds it.
  const QString date = Q(r.StoredRemDate.empty() ? RemindOnText(r.RemDate, format_) : r.StoredRemDate);
  const QString texts[] = {date, Q(r.RemTime), Q(r.RemCity), message};
  for (int c = 0; c < 4; ++c) {
    auto* item = new QTableWidgetItem(texts[c]);
    if (c == 3) item->setToolTip(MessageToolTip(r.RemMsg));
    lvwRem->setItem(row, c, item);
  }
}

RemInfo* ReminderEditor::selectedRecord() const {
  const QList<QTableWidgetItem*> sel = lvwRem->selectedItems();
  if (sel.isEmpty()) return nullptr;
  const int row = sel.first()->row();
  return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[row] : nullptr;
}

void ReminderEditor::btnSetClick() {
  const std::string city = cboCity->currentIndex() >= 0 ? S(cboCity->currentText()) : std::string();
  const std::string message = S(edMsg->toPlainText());
  if (auto problem = ValidateReminder(city, message)) {
    QMessageBox::warning(this, QStringLiteral("Validation"), Q(*problem));
    return;
  }
  if (dtpTime->isBlank()) {
    QMessageBox::warning(this, QStringLiteral("Validation"), QStringLiteral("Please set the time"));
    return;
  }
  const DateTime date = FromQDate(dtpDate->date());
  const DateTime time = FromQTime(dtpTime->time());
  const std::string sound = S(edSound->text());
  if (!editing_) {
    auto r = std::make_unique<RemInfo>();
    SetReminderFields(*r, date, time, city, message, sound, format_);
    list_.push_back(std::move(r));
    LoadReminders();
  } else {
    SetReminderFields(*editing_, date, time, city, message, sound, format_);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
      if (rows_[i] == editing_) fillRow(static_cast<int>(i), *editing_);
    }
  }
  btnClearClick();
  if (changed_) changed_();
}

void ReminderEditor::btnModifyClick() {
  RemInfo* r = selectedRecord();
  if (!r) return;
  dtpDate->setDate(ToQDate(r->RemDate));
  const auto t = ParseTime12(r->RemTime, format_);
  if (t) {
    dtpTime->showTime(ToQTime(*t));
  } else {
    // Never store a time the user did not see: the picker stays empty until set.
    dtpTime->setBlank();
    QMessageBox::warning(this, QStringLiteral("Warning"),
                         QStringLiteral("The time \"%1\" of %2 could not be read. Please set the time.")
                             .arg(Q(r->RemTime), Q(ReminderNamed(r->RemMsg))));
  }
  int city = -1;
  for (std::size_t i = 0; i < cities_->names().size() && city < 0; ++i)
    if (EqualsIgnoreCaseAscii(cities_->names()[i], r->RemCity)) city = static_cast<int>(i);
  edFilter->startOn(city);
  edMsg->setPlainText(Q(r->RemMsg));
  edSound->setText(Q(r->PlaySound));
  pcRem->setCurrentWidget(tsOne);
  editing_ = r;
}

void ReminderEditor::startNew(QDate date, QTime time, const QString& city) {
  btnClearClick();
  dtpDate->setDate(date);
  dtpTime->showTime(time);
  // The loaded city table keeps names cut to 32 characters; this list has
  // them whole.
  const std::string name = S(city);
  cboCity->setCurrentIndex(-1);
  for (int i = 0; i < cboCity->count(); ++i) {
    const std::string item = S(cboCity->itemText(i));
    if (item == name || LeftUtf16(item, CityEntry::kNameChars) == name) {
      cboCity->setCurrentIndex(i);
      break;
    }
  }
  pcRem->setCurrentWidget(tsOne);
  edMsg->setFocus();
}

void ReminderEditor::btnDeleteClick() {
  RemInfo* r = selectedRecord();
  if (!r) return;
  const int row = lvwRem->selectedItems().first()->row();
  list_.erase(list_.begin() + row);
  rows_.erase(rows_.begin() + row);
  lvwRem->removeRow(row);
  // The record being edited is gone: "Set Reminder" adds a new one instead.
  if (editing_ == r) editing_ = nullptr;
  if (changed_) changed_();
}

void ReminderEditor::btnClearClick() {
  const DateTime now = LocalNow();
  dtpDate->setDate(ToQDate(now));
  dtpTime->showTime(ToQTime(now));
  edFilter->startOnOwnCity();
  edMsg->clear();
  edSound->clear();
  editing_ = nullptr;
}

void ReminderEditor::btnSoundClick() {
  QFileDialog od(this, QStringLiteral("Open"), QString::fromStdString(ProgramFolder() + "sounds"),
                 QStringLiteral("Wave Files (*.wav)"));
  od.setObjectName(QStringLiteral("odSound"));
  od.setFileMode(QFileDialog::ExistingFile);
  od.setAcceptMode(QFileDialog::AcceptOpen);
  od.setDefaultSuffix(QStringLiteral("wav"));
  od.setSizeGripEnabled(true);
  if (od.exec() == QDialog::Accepted && !od.selectedFiles().isEmpty()) {
    edSound->setText(QDir::toNativeSeparators(od.selectedFiles().first()));
  }
}

void ReminderEditor::btnPlayClick() {
  const QString path = edSound->text().trimmed();
  if (!path.isEmpty()) PlayWaveAsync(path);
}

}  // namespace wc
