// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cities/CityManagerDialog.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "cities/CityDialogs.h"
#include "core/CityFile.h"
#include "core/CityFileListener.h"
#include "core/Text.h"

namespace wc {

namespace {

constexpr int kClientWidth = 813;
constexpr int kClientHeight = 555;
constexpr int kColumnWidths[] = {200, 70, 60, 60, 60, 160, 160};
const char* const kColumnCaptions[] = {"City Name", "UTC Offset", "Longitude", "Lattitude",
                                       "DST",       "Starts",     "Ends"};

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string S(const QString& s) { return s.toStdString(); }

}  // namespace

// The table: the document's cities in name order, or those the search lets
// through. Texts are made when a row is painted, so thousands of cities cost
// nothing until they are scrolled to.
class ManagerTableModel : public QAbstractTableModel {
 public:
  explicit ManagerTableModel(QObject* parent) : QAbstractTableModel(parent) {}

  // After every change of the document: the name order of all its cities.
  void setCities(const std::vector<ManagedCity>& cities) {
    cities_ = &cities;
    std::vector<std::string> keys;
    keys.reserve(cities.size());
    for (const ManagedCity& c : cities) keys.push_back(FoldForSearch(c.city.name));
    order_.resize(cities.size());
    for (std::size_t i = 0; i < order_.size(); ++i) order_[i] = static_cast<int>(i);
    std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) { return keys[a] < keys[b]; });
    rank_.assign(cities.size(), 0);
    for (std::size_t i = 0; i < order_.size(); ++i) rank_[order_[i]] = static_cast<int>(i);
  }

  void fill(std::string_view search) {
    beginResetModel();
    shown_.clear();
    for (const int c : order_)
      if (MatchesCitySearch((*cities_)[c].city.name, search)) shown_.push_back(c);
    endResetModel();
  }

  // The same cities, each at its place in the name order again.
  void resort() {
    std::erase_if(shown_, [&](int c) { return c >= static_cast<int>(rank_.size()); });
    std::stable_sort(shown_.begin(), shown_.end(), [&](int a, int b) { return rank_[a] < rank_[b]; });
    emit layoutChanged();
  }

  int cityAt(int row) const { return row >= 0 && row < static_cast<int>(shown_.size()) ? shown_[row] : -1; }
  int rowOf(int city) const {
    const auto it = std::find(shown_.begin(), shown_.end(), city);
    return it == shown_.end() ? -1 : static_cast<int>(it - shown_.begin());
  }
  // The names of the rows shown, for the duplicate test of saving.
  std::vector<std::string_view> shownNames() const {
    std::vector<std::string_view> out;
    out.reserve(shown_.size());
    for (const int c : shown_) out.emplace_back((*cities_)[c].city.name);
    return out;
  }

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 7; }

  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    const ManagedCity& m = (*cities_)[shown_[index.row()]];
    const CityItem& c = m.city;
    switch (index.column()) {
      case 0:
        return Q(c.name);
      case 1:
        return Q(m.offsetText);
      case 2:
        return QString::number(c.lon.degrees);
      case 3:
        return QString::number(c.lat);
      case 4:
        return c.rule.dst != 0 ? QStringLiteral("Enabled") : QString();
      case 5:
        return Q(RuleText(c.rule.weekno, c.rule.dayofweek, c.rule.month));
      case 6:
        return Q(RuleText(c.rule.weekno1, c.rule.dayofweek1, c.rule.month1));
      default:
        return {};
    }
  }

  QVariant headerData(int section, Qt::Orientation o, int role) const override {
    if (o != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 6) return {};
    return QString::fromLatin1(kColumnCaptions[section]);
  }

 private:
  const std::vector<ManagedCity>* cities_ = nullptr;
  std::vector<int> order_;  // city positions in name order
  std::vector<int> rank_;   // a city's place in order_
  std::vector<int> shown_;  // the rows: city positions
};

CityManagerDialog::CityManagerDialog(QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("frmCityListMan"));
  setModal(true);
  buildUi();
  FormCreate();
}

CityManagerDialog::~CityManagerDialog() = default;

void CityManagerDialog::buildUi() {
  ToolDialogHeader* header = DialogHeader(*this, QStringLiteral("City and Time Zone Manager"), "sLabel1");

  const auto button = [this](const char* name, const char* caption, const char* hint) {
    auto* b = Named(new QPushButton(QString::fromUtf8(caption), this), name);
    b->setToolTip(QString::fromUtf8(hint));
    b->setAutoDefault(false);
    return b;
  };
  btnClear = button("btnClear", "&New Entry", "Clear contents to add a new city");
  btnNew = button("btnNew", "&Save City", "Type in details of new city and click this button");
  btnSave = button("btnSave", "&Update City", "Select a city, modify settings and click this button");
  btnDelete = button("btnDelete", "&Delete Selected City",
                     "Select a city from list and click to remove from city database");
  btnClose = button("btnClose", "Close", "Close this window");
  connect(btnClear, &QPushButton::clicked, this, [this] { btnClearClick(); });
  connect(btnNew, &QPushButton::clicked, this, [this] { btnNewClick(); });
  connect(btnSave, &QPushButton::clicked, this, [this] { btnSaveClick(); });
  connect(btnDelete, &QPushButton::clicked, this, [this] { btnDeleteClick(); });
  connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });

  // Time Zone Details.
  auto* details = Named(new QGroupBox(QStringLiteral("Time Zone Details"), this), "GroupBox1");
  const auto edit = [details](const char* name, int maxLength) {
    auto* e = Named(new QLineEdit(details), name);
    e->setMaxLength(maxLength);
    return e;
  };
  edCityName = edit("edCityName", 32);
  edUTC = edit("edUTC", 8);
  edLong = edit("edLong", 8);
  edLat = edit("edLat", 8);
  auto* note = new QLabel(QStringLiteral("Add + sign for positive  number"), details);
  note->setEnabled(false);
  // The numbers are short; the note and the latitude take the rest.
  const int numberWidth = edUTC->fontMetrics().horizontalAdvance(QStringLiteral("-000.000")) + 16;
  for (QLineEdit* e : {edUTC, edLong, edLat}) e->setFixedWidth(numberWidth);
  auto* dg = new QGridLayout(details);
  const auto label = [details](const char* text, QWidget* buddy) {
    auto* l = new QLabel(QString::fromUtf8(text), details);
    l->setBuddy(buddy);
    return l;
  };
  dg->addWidget(label("City Name", edCityName), 0, 0);
  dg->addWidget(edCityName, 0, 1, 1, 3);
  dg->addWidget(label("UTC Offset", edUTC), 1, 0);
  dg->addWidget(edUTC, 1, 1);
  dg->addWidget(note, 1, 2, 1, 2);
  dg->addWidget(label("Longitude", edLong), 2, 0);
  dg->addWidget(edLong, 2, 1);
  dg->addWidget(label("Latitude", edLat), 2, 2, Qt::AlignRight);
  dg->addWidget(edLat, 2, 3, Qt::AlignLeft);
  dg->setColumnStretch(3, 1);

  // Daylight Saving Time.
  auto* saving = Named(new QGroupBox(QStringLiteral("Daylight Saving Time"), this), "GroupBox2");
  cbDST = Named(new QCheckBox(QStringLiteral("DST Enabled"), saving), "cbDST");
  connect(cbDST, &QCheckBox::toggled, this, [this] { cbDSTClick(); });
  const char* const listNames[] = {"cbWeek", "cbDay", "cbmonth", "cbWeek1", "cbDay1", "cbmonth1"};
  for (int i = 0; i < 6; ++i) {
    auto* cb = Named(new QComboBox(saving), listNames[i]);
    const auto fill = [cb](const auto& names) {
      for (std::string_view n : names) cb->addItem(Q(n));
    };
    switch (i % 3) {
      case 0:
        fill(kOccurrenceNames);
        break;
      case 1:
        fill(kWeekdayNames);
        break;
      default:
        fill(kMonthNames);
        break;
    }
    cb->setCurrentIndex(-1);
    cb->setEnabled(false);
    // Thousands of short entries are not expected; the lists show whole.
    cb->setMaxVisibleItems(12);
    ruleLists_[i] = cb;
  }
  auto* sg = new QGridLayout(saving);
  sg->addWidget(cbDST, 0, 0, 1, 4);
  sg->addWidget(new QLabel(QStringLiteral("DST Starts:"), saving), 1, 0);
  sg->addWidget(new QLabel(QStringLiteral("DST Ends:"), saving), 2, 0);
  for (int i = 0; i < 6; ++i) sg->addWidget(ruleLists_[i], 1 + i / 3, 1 + i % 3);
  sg->setColumnStretch(2, 1);
  sg->setColumnStretch(3, 1);

  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(6);
  for (QPushButton* b : {btnClear, btnNew, btnSave, btnDelete}) buttons->addWidget(b);
  buttons->addStretch(1);
  buttons->addWidget(btnClose);

  auto* groups = new QHBoxLayout;
  groups->addWidget(details, 1);
  groups->addWidget(saving, 1);

  edCountry = Named(new QLineEdit(this), "edCountry");
  edCountry->setMaxLength(32);
  edCountry->setClearButtonEnabled(true);
  connect(edCountry, &QLineEdit::textChanged, this, [this] { edCountryChange(); });
  auto* search = new QHBoxLayout;
  search->setSpacing(8);
  auto* searchLabel = new QLabel(QStringLiteral("Search city"), this);
  searchLabel->setBuddy(edCountry);
  search->addWidget(searchLabel);
  search->addWidget(edCountry);
  search->addStretch(1);

  model_ = new ManagerTableModel(this);
  lvCity = Named(new QTableView(this), "lvCity");
  // The designed widths, or what this font needs for a long name and a long rule.
  int widths[7];
  std::copy(std::begin(kColumnWidths), std::end(kColumnWidths), widths);
  const QFontMetrics fm = lvCity->fontMetrics();
  widths[0] =
      std::max(widths[0], fm.horizontalAdvance(QStringLiteral("Abu Dhabi, United Arab Emirates")) + 12);
  for (int c : {5, 6})
    widths[c] = std::max(widths[c], fm.horizontalAdvance(QStringLiteral("Second Saturday of November")) + 12);
  SetUpListTable(*lvCity, model_, widths);
  lvCity->horizontalHeader()->setSortIndicatorShown(true);
  lvCity->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
  connect(lvCity->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { lvCitySelectItem(); });

  QVBoxLayout* body = LayOutUnderHeader(*this, header);
  body->setSpacing(8);
  body->addLayout(buttons);
  body->addLayout(groups);
  body->addLayout(search);
  body->addWidget(lvCity, 1);

  // Wide enough for every column without scrolling sideways.
  int tableWidth = 2 * lvCity->frameWidth() + lvCity->verticalScrollBar()->sizeHint().width();
  for (int c = 0; c < 7; ++c) tableWidth += lvCity->horizontalHeader()->sectionSize(c);
  SizeDialog(*this, std::max(kClientWidth, tableWidth + 20), kClientHeight);
  // Typing at once finds a city, the usual start of a change.
  edCountry->setFocus();
}

void CityManagerDialog::FormCreate() {
  msg1 = QStringLiteral("Please enter city name!");
  msg2 = QStringLiteral("Please enter correct UTC offset!");
  msg3 = QStringLiteral("Please enter correct Longitude!");
  msg4 = QStringLiteral("Please enter correct Latitude!");
  msg5 = QStringLiteral("Please enter correct values for DST start and end time!");
  msg6 = QStringLiteral("This city name already present in the list!");
  msg7 = QStringLiteral("Please select a city from the list for modification!");
  msg8 = QStringLiteral("Are you sure you want to delete the city?");

  const XmlLoadResult loaded = xml.load(CityDataPath());
  if (!xml.canSave()) {
    // Nothing typed here could be kept, so nothing can be typed.
    warn(QString::fromStdString(loaded.error) +
         QStringLiteral("\n\nThe city database is shown empty and cannot be changed now."));
    for (QPushButton* b : {btnClear, btnNew, btnSave, btnDelete}) b->setEnabled(false);
  }
  documentChanged();
  FillCityTable(false);
  bchanged = false;
}

void CityManagerDialog::documentChanged() {
  cities_ = xml.managedCities();
  model_->setCities(cities_);
}

void CityManagerDialog::FillCityTable(bool filtered) {
  // The document, not the file, is the truth while the dialog is open: a
  // database that had no file yet shows what was added to it.
  model_->fill(filtered ? S(edCountry->text()) : std::string());
}

CityInput CityManagerDialog::input() const {
  CityInput in;
  in.name = S(edCityName->text());
  in.offset = S(edUTC->text());
  in.lon = S(edLong->text());
  in.lat = S(edLat->text());
  in.dst = cbDST->isChecked();
  for (int i = 0; i < 6; ++i) in.rule[i] = ruleLists_[i]->currentIndex();
  return in;
}

void CityManagerDialog::warn(const QString& text, const QString& caption) {
  QMessageBox::warning(this, caption, text);
}

bool CityManagerDialog::refused(CityInputProblem problem) {
  switch (problem) {
    case CityInputProblem::None:
      return false;
    case CityInputProblem::Name:
      warn(msg1);
      break;
    case CityInputProblem::Offset:
      warn(msg2);
      break;
    case CityInputProblem::Longitude:
      warn(msg3);
      break;
    case CityInputProblem::Latitude:
      warn(msg4);
      break;
    case CityInputProblem::Rule:
      warn(msg5);
      break;
  }
  return true;
}

int CityManagerDialog::selectedCity() const {
  const QModelIndexList rows = lvCity->selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : model_->cityAt(rows.first().row());
}

void CityManagerDialog::selectCity(int city) {
  const int row = model_->rowOf(city);
  if (row < 0) return;
  const QModelIndex index = model_->index(row, 0);
  lvCity->selectionModel()->setCurrentIndex(index,
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  lvCity->scrollTo(index);
}

void CityManagerDialog::lvCitySelectItem() {
  const int city = selectedCity();
  if (city < 0) return;
  const ManagedCity& m = cities_[city];
  const CityItem& c = m.city;
  edCityName->setText(Q(c.name));
  edUTC->setText(Q(m.offsetText));
  edLong->setText(QString::number(c.lon.degrees));
  edLat->setText(QString::number(c.lat));
  cbDST->setChecked(c.rule.dst != 0);
  cbDSTClick();
  const DstRule& r = c.rule;
  const int values[] = {r.weekno, r.dayofweek, r.month, r.weekno1, r.dayofweek1, r.month1};
  for (int i = 0; i < 6; ++i) {
    const int v = values[i];
    ruleLists_[i]->setCurrentIndex(v >= 1 && v <= ruleLists_[i]->count() ? v - 1 : -1);
  }
}

void CityManagerDialog::cbDSTClick() {
  for (QComboBox* cb : ruleLists_) cb->setEnabled(cbDST->isChecked());
}

void CityManagerDialog::edCountryChange() { FillCityTable(true); }

void CityManagerDialog::btnClearClick() {
  for (QLineEdit* e : {edCityName, edUTC, edLong, edLat}) e->clear();
  cbDST->setChecked(false);
  for (QComboBox* cb : ruleLists_) cb->setCurrentIndex(0);
  edCountry->clear();
  edCityName->setFocus();
}

void CityManagerDialog::btnNewClick() {
  const CityInput in = input();
  if (refused(CheckCityInput(in, true))) return;
  // Against the rows shown: the search may hide a city of that name.
  if (NameAlreadyShown(in.name, model_->shownNames())) {
    warn(msg6, QStringLiteral("Warning!"));
    return;
  }
  xml.appendCity(ToCityTexts(in));
  documentChanged();
  FillCityTable(true);
  selectCity(static_cast<int>(cities_.size()) - 1);
  bchanged = true;
}

void CityManagerDialog::btnSaveClick() {
  const int city = selectedCity();
  if (city < 0) {
    warn(msg7);
    return;
  }
  const CityInput in = input();
  if (refused(CheckCityInput(in, false))) return;
  // The row's own element: with two cities of one name the first is not
  // necessarily the one picked.
  xml.updateCityAt(static_cast<std::size_t>(city), ToCityTexts(in));
  documentChanged();
  // The row stays even where the search would no longer let it through, and
  // stays selected at its new place in the name order.
  model_->resort();
  selectCity(city);
  bchanged = true;
}

void CityManagerDialog::btnDeleteClick() {
  const int city = selectedCity();
  if (city < 0) return;
  const bool yes = QMessageBox::question(this, QStringLiteral("Warning"), msg8,
                                         QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
  if (yes) {
    xml.deleteCityAt(static_cast<std::size_t>(city));
    bchanged = true;
  }
  const std::size_t before = cities_.size() - (yes ? 1 : 0);
  xml.deleteEmptyElements();
  documentChanged();
  FillCityTable(true);
  // Answered No: the city stays picked, unless empty cities before it went.
  if (!yes && cities_.size() == before) selectCity(city);
}

void CityManagerDialog::btnCloseClick() { accept(); }

void CityManagerDialog::done(int result) {
  // A document that could not be loaded is never written: the file on disk
  // (or its set-aside copy) is what the user has.
  if (xml.canSave()) {
    const FileResult saved = SaveCityDatabase(xml);
    if (!saved.ok) {
      const auto answer = QMessageBox::warning(
          this, QStringLiteral("Warning"),
          QString::fromStdString(saved.error) + QStringLiteral("\n\nClose without saving the changes?"),
          QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
      if (answer != QMessageBox::Yes) return;
    }
  }
  QDialog::done(result);
}

}  // namespace wc
