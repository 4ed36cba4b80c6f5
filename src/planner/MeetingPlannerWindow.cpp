// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "planner/MeetingPlannerWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/CityTime.h"
#include "core/DateTime.h"
#include "core/PlannerDay.h"
#include "core/PlannerText.h"
#include "core/Settings.h"
#include "core/SettingsTable.h"
#include "planner/PlannerCityChooser.h"
#include "planner/PlannerGrid.h"
#include "planner/WorkingHoursDialog.h"
#include "platform/SettingsReads.h"
#include "widgets/ToolDialogHeader.h"

namespace wc {

namespace {

// One stored value; a value the program cannot use reads as its default and
// is told at once.
template <class Read>
auto ReadStored(Read read) {
  SettingsReader stored;
  auto value = read(stored);
  ShowSettingsProblems(stored);
  return value;
}

using namespace std::chrono;

QString Q(const std::string& s) { return QString::fromStdString(s); }

QDate ToQDate(sys_days d) {
  const year_month_day ymd{d};
  return QDate(static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
               static_cast<int>(static_cast<unsigned>(ymd.day())));
}

sys_days FromQDate(QDate d) {
  return sys_days{year{d.year()} / month{static_cast<unsigned>(d.month())} /
                  day{static_cast<unsigned>(d.day())}};
}

// The colour key below the grid, drawn with the grid's own colours.
class PlannerLegend : public QWidget {
 public:
  explicit PlannerLegend(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  }
  QSize sizeHint() const override {
    const QFontMetrics fm(font());
    int w = 0;
    for (const Entry& e : entries()) w += fm.height() + 4 + fm.horizontalAdvance(e.text) + 14;
    return {w, fm.height() + 4};
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QFontMetrics fm(font());
    const int s = fm.height() - 4;
    int x = 0;
    for (const Entry& e : entries()) {
      p.fillRect(QRect(x, (height() - s) / 2, s, s), e.colour);
      p.setPen(palette().color(QPalette::WindowText));
      x += s + 4;
      p.drawText(QRect(x, 0, width() - x, height()), Qt::AlignLeft | Qt::AlignVCenter, e.text);
      x += fm.horizontalAdvance(e.text) + 14;
    }
  }

 private:
  struct Entry {
    QColor colour;
    QString text;
  };
  static std::vector<Entry> entries() {
    return {{QColor(0x1f, 0x8a, 0x3b), QStringLiteral("Everyone at work")},
            {QColor(0x8f, 0xd1, 0x8a), QStringLiteral("Working hours")},
            {QColor(0xf6, 0xdc, 0x7e), QStringLiteral("Early or late")},
            {QColor(0xd8, 0xd4, 0xcb), QStringLiteral("Day off")},
            {QColor(0x33, 0x43, 0x63), QStringLiteral("Night")}};
  }
};

}  // namespace

MeetingPlannerWindow::MeetingPlannerWindow(PlannerServices services, QWidget* owner)
    : QDialog(owner, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      services_(std::move(services)) {
  setObjectName(QStringLiteral("MeetingPlanner"));
  setWindowRole(QStringLiteral("MeetingPlanner"));
  setWindowTitle(QStringLiteral("Meeting Planner"));
  setAttribute(Qt::WA_DeleteOnClose);
  timeFormat_ = ReadStored([](SettingsReader& r) { return r.text(kMapTimeFormat); });

  btnPrevDay = new QToolButton(this);
  btnPrevDay->setObjectName(QStringLiteral("btnPrevDay"));
  btnPrevDay->setArrowType(Qt::LeftArrow);
  btnPrevDay->setToolTip(QStringLiteral("Previous day (Page Up)"));
  dtpDate = new QDateEdit(this);
  dtpDate->setObjectName(QStringLiteral("dtpDate"));
  dtpDate->setCalendarPopup(true);
  dtpDate->setDisplayFormat(QStringLiteral("ddd d MMM yyyy"));
  dtpDate->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
  // Room for the longest date with the drop-down arrow, at any scale.
  dtpDate->setMinimumWidth(dtpDate->fontMetrics().horizontalAdvance(QStringLiteral("Wed 30 Sep 0000")) +
                           dtpDate->fontMetrics().height() * 3);
  btnNextDay = new QToolButton(this);
  btnNextDay->setObjectName(QStringLiteral("btnNextDay"));
  btnNextDay->setArrowType(Qt::RightArrow);
  btnNextDay->setToolTip(QStringLiteral("Next day (Page Down)"));
  btnToday = new QPushButton(QStringLiteral("&Today"), this);
  btnToday->setObjectName(QStringLiteral("btnToday"));
  cboLength = new QComboBox(this);
  cboLength->setObjectName(QStringLiteral("cboLength"));
  for (int minutes : {30, 60, 120}) cboLength->addItem(Q(DurationText(minutes)), minutes);
  const int stored = ReadStored([](SettingsReader& r) { return r.integer(kPlannerSlotMinutes); });
  cboLength->setCurrentIndex(std::max(0, cboLength->findData(stored)));
  auto* lengthLabel = new QLabel(QStringLiteral("Meeting &length:"), this);
  lengthLabel->setBuddy(cboLength);
  btnNextSlot = new QPushButton(QStringLiteral("&Next Good Slot"), this);
  btnNextSlot->setObjectName(QStringLiteral("btnNextSlot"));
  btnNextSlot->setToolTip(QStringLiteral("The first time from now within every city's working hours"));

  grid = new PlannerGrid(this);
  btnAddCity = new QPushButton(QStringLiteral("&Add City\u2026"), this);
  btnAddCity->setObjectName(QStringLiteral("btnAddCity"));
  btnRemoveCity = new QPushButton(QStringLiteral("&Remove"), this);
  btnRemoveCity->setObjectName(QStringLiteral("btnRemoveCity"));
  btnHours = new QPushButton(QStringLiteral("&Working Hours\u2026"), this);
  btnHours->setObjectName(QStringLiteral("btnHours"));

  lblInstant = new QLabel(this);
  lblInstant->setObjectName(QStringLiteral("lblInstant"));
  lblInstant->setTextFormat(Qt::PlainText);
  lblInstant->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblInstant->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblSlotNote = new QLabel(this);
  lblSlotNote->setObjectName(QStringLiteral("lblSlotNote"));
  lblSlotNote->setTextFormat(Qt::PlainText);
  lblSlotNote->setWordWrap(true);
  btnCopy = new QPushButton(QStringLiteral("&Copy"), this);
  btnCopy->setObjectName(QStringLiteral("btnCopy"));
  btnCopy->setToolTip(QStringLiteral("Copy these lines as plain text"));
  btnAddReminder = new QPushButton(QStringLiteral("Add Re&minder\u2026"), this);
  btnAddReminder->setObjectName(QStringLiteral("btnAddReminder"));
  btnClose = new QPushButton(QStringLiteral("Close"), this);
  btnClose->setObjectName(QStringLiteral("btnClose"));

  auto* top = new QHBoxLayout;
  top->addWidget(btnPrevDay);
  top->addWidget(dtpDate);
  top->addWidget(btnNextDay);
  top->addWidget(btnToday);
  top->addStretch(1);
  top->addWidget(lengthLabel);
  top->addWidget(cboLength);
  top->addWidget(btnNextSlot);
  auto* cityRow = new QHBoxLayout;
  cityRow->addWidget(btnAddCity);
  cityRow->addWidget(btnRemoveCity);
  cityRow->addWidget(btnHours);
  cityRow->addStretch(1);
  cityRow->addWidget(new PlannerLegend(this));
  auto* instantButtons = new QVBoxLayout;
  instantButtons->addWidget(btnCopy);
  instantButtons->addWidget(btnAddReminder);
  instantButtons->addStretch(1);
  auto* instantRow = new QHBoxLayout;
  auto* instantText = new QVBoxLayout;
  instantText->addWidget(lblInstant);
  instantText->addWidget(lblSlotNote);
  instantText->addStretch(1);
  instantRow->addLayout(instantText, 1);
  instantRow->addLayout(instantButtons);
  auto* closeRow = new QHBoxLayout;
  closeRow->addStretch(1);
  closeRow->addWidget(btnClose);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(grid);
  layout->addLayout(cityRow);
  layout->addLayout(instantRow, 1);
  layout->addLayout(closeRow);

  connect(btnPrevDay, &QToolButton::clicked, this, [this] { stepDay(-1); });
  connect(btnNextDay, &QToolButton::clicked, this, [this] { stepDay(1); });
  connect(dtpDate, &QDateEdit::dateChanged, this, [this](QDate d) {
    if (d.isValid() && FromQDate(d) != date_) showDay(FromQDate(d));
  });
  connect(btnToday, &QPushButton::clicked, this, &MeetingPlannerWindow::showToday);
  connect(cboLength, &QComboBox::activated, this, [this] {
    WriteIntegerSetting(kSettingsKey, kPlannerSlotMinutes, cboLength->currentData().toInt());
  });
  connect(btnNextSlot, &QPushButton::clicked, this, &MeetingPlannerWindow::findNextSlot);
  connect(grid, &PlannerGrid::columnClicked, this, &MeetingPlannerWindow::selectColumn);
  connect(grid, &PlannerGrid::columnStepRequested, this, &MeetingPlannerWindow::stepColumn);
  connect(grid, &PlannerGrid::rowMoved, this, &MeetingPlannerWindow::moveCity);
  connect(grid, &PlannerGrid::rowActivated, this, &MeetingPlannerWindow::editHours);
  connect(grid, &PlannerGrid::removeRequested, this, &MeetingPlannerWindow::removeCity);
  connect(grid, &PlannerGrid::currentRowChanged, this, [this] { updateButtons(); });
  connect(btnAddCity, &QPushButton::clicked, this, &MeetingPlannerWindow::addCity);
  connect(btnRemoveCity, &QPushButton::clicked, this, [this] { removeCity(grid->currentRow()); });
  connect(btnHours, &QPushButton::clicked, this, [this] { editHours(grid->currentRow()); });
  connect(btnCopy, &QPushButton::clicked, this, &MeetingPlannerWindow::copyInstant);
  connect(btnAddReminder, &QPushButton::clicked, this, &MeetingPlannerWindow::addReminder);
  connect(btnClose, &QPushButton::clicked, this, &QDialog::close);

  // Enter belongs to the focused control; no button is the default.
  for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);

  loadChoices();
  if (!rows_.empty()) grid->setCurrentRow(0);
  date_ = todayOfFirstRow();
  dtpDate->setDate(ToQDate(date_));
  refresh();
  grid->setFocus();

  // The now line moves once a minute, on the minute.
  minuteTimer_.setSingleShot(true);
  connect(&minuteTimer_, &QTimer::timeout, this, &MeetingPlannerWindow::minuteTick);
  minuteTick();
}

void MeetingPlannerWindow::showPlanner() {
  // The designed size, laid out before it is centred; no larger than the screen.
  adjustSize();
  if (const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen())
    resize(size().boundedTo(screen->availableGeometry().size()));
  try {
    const PlacementToApply placement = ReadPlacementSetting(kSettingsKey, kPlannerWindowPosition, true);
    if (placement.width || placement.height)
      resize(placement.width.value_or(width()), placement.height.value_or(height()));
    if (placement.maximize) setWindowState(windowState() | Qt::WindowMaximized);
  } catch (const SettingsError&) {
    // A stored placement of another kind: the designed size.
  }
  CentreOverOwner(*this, parentWidget());
  show();
  raise();
  activateWindow();
}

DateTime MeetingPlannerWindow::utcNow() const {
  return services_.utcNow ? services_.utcNow() : LocalNow() + UtcOffsetDays();
}

UtcMinute MeetingPlannerWindow::now() const { return ToUtcMinute(utcNow()); }

sys_days MeetingPlannerWindow::todayOfFirstRow() const {
  if (rows_.empty()) return DateOf(LocalNow());
  return kTDateTimeEpoch + days{FloorDiv(rows_.front().localAt(now()), 1440)};
}

void MeetingPlannerWindow::loadChoices() {
  std::vector<PlannerChoice> choices = ParsePlannerChoices(ReadStored([](SettingsReader& r) { return r.list(kPlannerCities); }));
  if (choices.empty())
    choices = DefaultPlannerChoices(services_.ownCity, services_.displayCities, services_.cities);
  rows_ = ResolvePlannerCities(choices, services_.cities);
  // A city no longer in the database drops out here; the stored list keeps
  // it until the user changes the choice.
  choices_.clear();
  for (const PlannerCity& r : rows_) choices_.push_back({r.name(), r.hours()});
}

void MeetingPlannerWindow::storeChoices() {
  try {
    WriteStringListSetting(kSettingsKey, kPlannerCities, FormatPlannerChoices(choices_));
  } catch (const SettingsError& e) {
    QMessageBox::warning(this, QStringLiteral("Warning"), QString::fromUtf8(e.what()));
  }
}

void MeetingPlannerWindow::citiesChanged() {
  rows_ = ResolvePlannerCities(choices_, services_.cities);
  storeChoices();
  slot_.reset();
  refresh();
}

void MeetingPlannerWindow::refresh() {
  grid->setDay(rows_, BuildPlannerDay(rows_, date_), timeFormat_, services_.format);
  grid->setNow(now());
  grid->setSelection(selection_);
  updateInstant();
  updateButtons();
}

void MeetingPlannerWindow::updateButtons() {
  const bool any = !rows_.empty();
  const bool row = grid->currentRow() >= 0;
  btnNextSlot->setEnabled(any);
  btnRemoveCity->setEnabled(row);
  btnHours->setEnabled(row);
  const bool full = rows_.size() >= kMaxPlannerCities;
  btnAddCity->setEnabled(!full);
  btnAddCity->setToolTip(full ? QStringLiteral("The planner shows at most ten cities") : QString());
  btnCopy->setEnabled(any && selection_.has_value());
  btnAddReminder->setEnabled(any && selection_.has_value() && services_.addReminder != nullptr);
}

QString MeetingPlannerWindow::instantText() const {
  if (!selection_) return {};
  QStringList lines;
  for (const PlannerCity& r : rows_)
    lines << Q(InstantLine(r, selection_->begin, timeFormat_, services_.format));
  return lines.join(QLatin1Char('\n'));
}

void MeetingPlannerWindow::updateInstant() {
  if (rows_.empty()) {
    lblInstant->setText(QStringLiteral("Add the cities you want to meet with."));
  } else if (!selection_) {
    lblInstant->setText(QStringLiteral("Click a column, or use Next Good Slot, to choose a time."));
  } else {
    lblInstant->setText(instantText());
  }
  QString note;
  if (slot_ && selection_ == slot_->slot) {
    if (slot_->misses.empty()) {
      note = QStringLiteral("Every city is within its working hours for %1.")
                 .arg(Q(DurationText(static_cast<int>(slot_->slot.end - slot_->slot.begin))));
    } else {
      note = QStringLiteral(
                 "No time in the next %1 days is within every city's working hours; this one keeps %2 of %3:")
                 .arg(kSlotSearchDays)
                 .arg(rows_.size() - slot_->misses.size())
                 .arg(rows_.size());
      for (const SlotMiss& m : slot_->misses)
        note += QLatin1Char('\n') + Q(MissText(rows_[m.row], m, slot_->slot.begin, services_.format));
    }
  }
  lblSlotNote->setText(note);
  lblSlotNote->setVisible(!note.isEmpty());
}

void MeetingPlannerWindow::showDay(sys_days date) {
  date_ = date;
  const QSignalBlocker block(dtpDate);
  dtpDate->setDate(ToQDate(date));
  refresh();
}

void MeetingPlannerWindow::stepDay(int days) {
  // A chosen column stays where it is, on the new day.
  const int column = selection_ ? grid->day().columnAt(selection_->begin) : -1;
  showDay(date_ + std::chrono::days{days});
  if (column >= 0) selectColumn(std::min(column, grid->day().columns() - 1));
}

void MeetingPlannerWindow::showToday() { showDay(todayOfFirstRow()); }

void MeetingPlannerWindow::selectColumn(int column) {
  const PlannerDay& day = grid->day();
  if (column < 0 || column >= day.columns()) return;
  selection_ = MinuteSpan{day.columnStart(column), day.columnStart(column) + day.columnMinutes};
  slot_.reset();
  grid->setSelection(selection_);
  updateInstant();
  updateButtons();
}

void MeetingPlannerWindow::stepColumn(int step) {
  const PlannerDay& day = grid->day();
  if (day.columns() == 0) return;
  if (!selection_ || day.columnAt(selection_->begin) < 0) {
    const int nowColumn = day.columnAt(now());
    selectColumn(nowColumn >= 0 ? nowColumn : 0);
    return;
  }
  const int column = day.columnAt(selection_->begin) + step;
  if (column < 0) {
    showDay(date_ - days{1});
    selectColumn(grid->day().columns() - 1);
  } else if (column >= day.columns()) {
    showDay(date_ + days{1});
    selectColumn(0);
  } else {
    selectColumn(column);
  }
}

void MeetingPlannerWindow::findNextSlot() {
  const auto found = FindNextSlot(rows_, now(), cboLength->currentData().toInt());
  if (!found) return;
  selection_ = found->slot;
  showDay(kTDateTimeEpoch + days{FloorDiv(rows_.front().localAt(found->slot.begin), 1440)});
  slot_ = found;
  updateInstant();
  updateButtons();
}

void MeetingPlannerWindow::addCity() {
  if (rows_.size() >= kMaxPlannerCities) return;
  std::vector<std::string> taken;
  for (const PlannerChoice& c : choices_) taken.push_back(c.name);
  const auto name = ChoosePlannerCity(this, services_.cities, services_.ownCity, taken);
  if (!name) return;
  choices_.push_back({*name, {}});
  citiesChanged();
  grid->setCurrentRow(static_cast<int>(rows_.size()) - 1);
}

void MeetingPlannerWindow::removeCity(int row) {
  if (row < 0 || row >= static_cast<int>(choices_.size())) return;
  choices_.erase(choices_.begin() + row);
  citiesChanged();
  grid->setCurrentRow(std::min(row, static_cast<int>(rows_.size()) - 1));
  updateButtons();
}

void MeetingPlannerWindow::editHours(int row) {
  if (row < 0 || row >= static_cast<int>(choices_.size())) return;
  WorkingHoursDialog dialog(Q(choices_[static_cast<std::size_t>(row)].name),
                            choices_[static_cast<std::size_t>(row)].hours, IsTwelveHour(timeFormat_),
                            services_.format, this);
  if (dialog.exec() != QDialog::Accepted) return;
  choices_[static_cast<std::size_t>(row)].hours = dialog.hours();
  citiesChanged();
}

void MeetingPlannerWindow::moveCity(int from, int to) {
  const int n = static_cast<int>(choices_.size());
  if (from < 0 || from >= n || to < 0 || to >= n || from == to) return;
  const PlannerChoice moved = choices_[static_cast<std::size_t>(from)];
  choices_.erase(choices_.begin() + from);
  choices_.insert(choices_.begin() + to, moved);
  citiesChanged();
  grid->setCurrentRow(to);
}

void MeetingPlannerWindow::copyInstant() {
  if (selection_) QApplication::clipboard()->setText(instantText());
}

void MeetingPlannerWindow::addReminder() {
  if (!selection_ || rows_.empty() || !services_.addReminder) return;
  const int current = grid->currentRow();
  const PlannerCity& city = rows_[static_cast<std::size_t>(current >= 0 ? current : 0)];
  const DateTimeParts local = Decode(FromMinute(city.localAt(selection_->begin)));
  ReminderDraft draft;
  draft.date =
      QDate(static_cast<int>(local.date.year()), static_cast<int>(static_cast<unsigned>(local.date.month())),
            static_cast<int>(static_cast<unsigned>(local.date.day())));
  draft.time = QTime(local.hour, local.minute);
  draft.city = Q(city.name());
  services_.addReminder(draft);
}

void MeetingPlannerWindow::minuteTick() {
  grid->setNow(now());
  const qint64 ms = std::llround(utcNow() * kMsPerDay) % 60000;
  minuteTimer_.start(static_cast<int>(60000 - ms) + 20);
}

void MeetingPlannerWindow::keyPressEvent(QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      stepDay(e->key() == Qt::Key_PageUp ? -1 : 1);
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (auto* button = qobject_cast<QAbstractButton*>(focusWidget())) button->animateClick();
      return;
    default:
      QDialog::keyPressEvent(e);
  }
}

void MeetingPlannerWindow::changeEvent(QEvent* e) {
  // The main window's time format may have changed while the user was there.
  if (e->type() == QEvent::ActivationChange) {
    const std::string format = ReadStored([](SettingsReader& r) { return r.text(kMapTimeFormat); });
    if (format != timeFormat_) {
      timeFormat_ = format;
      refresh();
    }
  }
  QDialog::changeEvent(e);
}

void MeetingPlannerWindow::storePlacement() {
  if (!isVisible()) return;
  WindowGeometry g;
  g.state = isMaximized() ? WindowState::Maximized : WindowState::Normal;
  const QRect frame = frameGeometry();
  g.top = frame.top();
  g.left = frame.left();
  g.width = width();
  g.height = height();
  WritePlacementSetting(kSettingsKey, kPlannerWindowPosition, g, true);
}

void MeetingPlannerWindow::done(int result) {
  storePlacement();
  QDialog::done(result);
  close();
}

void MeetingPlannerWindow::closeEvent(QCloseEvent* e) {
  storePlacement();
  QDialog::closeEvent(e);
}

}  // namespace wc
