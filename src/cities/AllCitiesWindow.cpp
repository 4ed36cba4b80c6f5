// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cities/AllCitiesWindow.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "cities/CityDialogs.h"
#include "core/CityFile.h"
#include "core/CityTime.h"
#include "core/Text.h"

namespace wc {

namespace {
constexpr int kClientWidth = 643;
constexpr int kClientHeight = 518;
constexpr int kColumnWidths[] = {250, 200, 150};
constexpr const char* kDateFormat = "ddd, d MMM yyyy";
}  // namespace

// One row per city in name order. A row's date and time texts are made for
// the model's current instant when the row is first painted at it; LoadTime
// makes them at once for the rows on screen and reports only real changes.
class CityTimeModel : public QAbstractTableModel {
 public:
  CityTimeModel(std::string timeFormat, const FormatSettings& format, QObject* parent)
      : QAbstractTableModel(parent), timeFormat_(std::move(timeFormat)), format_(format) {}

  void setCities(std::vector<CityItem> cities) {
    std::vector<std::pair<std::string, CityItem>> keyed;
    keyed.reserve(cities.size());
    for (CityItem& c : cities) keyed.emplace_back(FoldForSearch(c.name), std::move(c));
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    beginResetModel();
    rows_.clear();
    rows_.reserve(keyed.size());
    for (auto& k : keyed) rows_.push_back(Row{std::move(k.second), {}, {}, 0});
    endResetModel();
  }

  // A new instant: the rows first..last are brought up to it now, the others
  // when they are painted.
  void setTime(DateTime localNow, double utcOffsetDays, int first, int last) {
    now_ = localNow;
    utcOffset_ = utcOffsetDays;
    ++generation_;
    if (rows_.empty()) return;
    first = std::clamp(first, 0, static_cast<int>(rows_.size()) - 1);
    last = std::clamp(last, first, static_cast<int>(rows_.size()) - 1);
    int changedFirst = -1, changedLast = -1;
    bool dateChanged = false;
    for (int r = first; r <= last; ++r) {
      Row& row = rows_[r];
      const std::string date = row.date, time = row.time;
      update(row);
      if (row.date == date && row.time == time) continue;
      dateChanged = dateChanged || row.date != date;
      if (changedFirst < 0) changedFirst = r;
      changedLast = r;
    }
    if (changedFirst >= 0)
      emit dataChanged(index(changedFirst, dateChanged ? 1 : 2), index(changedLast, 2), {Qt::DisplayRole});
  }

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 3; }

  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    Row& row = rows_[index.row()];
    if (index.column() == 0) return QString::fromStdString(row.city.name);
    if (row.generation != generation_) update(row);
    return QString::fromStdString(index.column() == 1 ? row.date : row.time);
  }

  QVariant headerData(int section, Qt::Orientation o, int role) const override {
    if (o != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const captions[] = {"City", "Date", "Time"};
    return section >= 0 && section < 3 ? QString::fromLatin1(captions[section]) : QVariant();
  }

 private:
  struct Row {
    CityItem city;
    std::string date, time;
    unsigned generation;
  };

  void update(Row& row) const {
    // Before the first instant is set the cells stay empty, as on creation.
    if (generation_ == 0) return;
    const DateTime t = CityLocalTime(row.city, now_, utcOffset_);
    row.date = FormatDateTime(kDateFormat, t, format_);
    row.time = FormatDateTime(timeFormat_, t, format_);
    row.generation = generation_;
  }

  std::string timeFormat_;
  FormatSettings format_;
  mutable std::vector<Row> rows_;
  DateTime now_ = 0;
  double utcOffset_ = 0;
  unsigned generation_ = 0;
};

AllCitiesWindow::AllCitiesWindow(std::string mapTimeFormat, const FormatSettings& format, QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("frmCityList"));
  setModal(true);
  model_ = new CityTimeModel(std::move(mapTimeFormat), format, this);
  buildUi();
  FormCreate();
}

AllCitiesWindow::~AllCitiesWindow() = default;

void AllCitiesWindow::buildUi() {
  ToolDialogHeader* header =
      DialogHeader(*this, QStringLiteral("List of all cities with current time"), "sLabel2");

  lvCity = Named(new QTableView(this), "lvCity");
  SetUpListTable(*lvCity, model_, kColumnWidths);
  // Rows that scroll into view are brought up to date when they are painted.

  btnClose = Named(new QPushButton(QStringLiteral("Close"), this), "btnClose");
  connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });

  tmrMain = Named(new QTimer(this), "tmrMain");
  tmrMain->setSingleShot(true);
  tmrMain->setTimerType(Qt::PreciseTimer);
  connect(tmrMain, &QTimer::timeout, this, [this] { tmrMainTimer(); });

  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(btnClose);
  QVBoxLayout* body = LayOutUnderHeader(*this, header);
  body->setSpacing(10);
  body->addWidget(lvCity, 1);
  body->addLayout(bottom);

  SizeDialog(*this, kClientWidth, kClientHeight);
}

void AllCitiesWindow::FormCreate() {
  LoadCityData();
  armTimer();
}

void AllCitiesWindow::LoadCityData() {
  CityReadResult r = ReadCityFile(CityDataPath());
  if (!r.file.error.empty())
    QMessageBox::warning(this, QStringLiteral("Warning"), QString::fromStdString(r.file.error));
  model_->setCities(std::move(r.cities));
}

void AllCitiesWindow::LoadTime(DateTime localNow) {
  const int first = std::max(0, lvCity->rowAt(0));
  const int height = lvCity->viewport()->height();
  int last = lvCity->rowAt(height - 1);
  // Below the last row, or not laid out yet (then painting brings rows up to date).
  if (last < 0) last = height > 0 ? model_->rowCount() - 1 : first;
  model_->setTime(localNow + kDisplayLead, UtcOffsetDays(), first, last);
}

void AllCitiesWindow::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  LoadTime(LocalNow());
}

void AllCitiesWindow::armTimer() {
  // Just after each whole second, so the minute turns with the main clock's.
  const DateTimeParts now = Decode(LocalNow());
  tmrMain->start(1000 - now.millisecond + 20);
}

void AllCitiesWindow::tmrMainTimer() {
  LoadTime(LocalNow());
  armTimer();
}

void AllCitiesWindow::btnCloseClick() { accept(); }

}  // namespace wc
