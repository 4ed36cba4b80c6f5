// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cities/MapCitiesDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "cities/CityDialogs.h"
#include "core/CityFile.h"
#include "core/DisplayCities.h"
#include "core/Settings.h"
#include "core/SettingsReader.h"
#include "core/Text.h"
#include "platform/SettingsReads.h"
#include "widgets/CityFilterBox.h"
#include "widgets/CityListModel.h"

namespace wc {

namespace {
constexpr int kClientWidth = 379;
constexpr int kClientHeight = 414;
}  // namespace

MapCitiesDialog::MapCitiesDialog(std::span<Cities> displayCities, std::function<void()> requestRedraw,
                                 QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::WindowCloseButtonHint),
      displayCities_(displayCities),
      requestRedraw_(std::move(requestRedraw)) {
  setObjectName(QStringLiteral("frmAddRemCity"));
  setModal(true);
  buildUi();
  FormCreate();
}

MapCitiesDialog::~MapCitiesDialog() = default;

void MapCitiesDialog::buildUi() {
  ToolDialogHeader* header =
      DialogHeader(*this, QStringLiteral("Add / Remove Cities on World Map"), "Label1");

  edFilter = Named(new CityFilterBox(this), "edFilter");
  available_ = new CityListModel(this);
  lbAllCities = Named(new QListView(this), "lbAllCities");
  edFilter->attach(lbAllCities, available_);
  lbAllCities->setSelectionMode(QAbstractItemView::ExtendedSelection);
  lbAllCities->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lbAllCities->setUniformItemSizes(true);
  lbAllCities->setTextElideMode(Qt::ElideMiddle);
  lbAllCities->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(lbAllCities, &QListView::activated, this, [this] { btnAddClick(); });
  // Return in the filter adds the best match, as in the list.
  connect(edFilter, &QLineEdit::returnPressed, this, [this] { btnAddClick(); });

  lbCities = Named(new QListWidget(this), "lbCities");
  lbCities->setSelectionMode(QAbstractItemView::SingleSelection);
  lbCities->setTextElideMode(Qt::ElideMiddle);
  lbCities->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(lbCities, &QListWidget::itemActivated, this, [this] { btnRemoveClick(); });

  const auto button = [this](const char* name, const char* caption) {
    auto* b = Named(new QPushButton(QString::fromUtf8(caption), this), name);
    // Return in a list adds or removes; it must not also press a button.
    b->setAutoDefault(false);
    return b;
  };
  btnAdd = button("btnAdd", "&Add to map");
  btnRemove = button("btnRemove", "&Remove from map");
  cmdApply = button("cmdApply", "&Apply the Change");
  cmdClose = button("cmdClose", "Close");
  connect(btnAdd, &QPushButton::clicked, this, [this] { btnAddClick(); });
  connect(btnRemove, &QPushButton::clicked, this, [this] { btnRemoveClick(); });
  connect(cmdApply, &QPushButton::clicked, this, [this] { cmdApplyClick(); });
  connect(cmdClose, &QPushButton::clicked, this, [this] { cmdCloseClick(); });

  // Pick, add, then the other list and its button, then apply.
  QWidget* const order[] = {edFilter, lbAllCities, btnAdd, lbCities, btnRemove, cmdApply, cmdClose};
  for (std::size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);

  auto* availableLabel = new QLabel(QStringLiteral("Available cities"), this);
  availableLabel->setBuddy(edFilter);
  auto* selectedLabel = new QLabel(QStringLiteral("Selected Cities"), this);
  selectedLabel->setBuddy(lbCities);

  auto* lists = new QGridLayout;
  lists->setHorizontalSpacing(10);
  lists->addWidget(availableLabel, 0, 0);
  lists->addWidget(selectedLabel, 0, 1);
  auto* left = new QVBoxLayout;
  left->setSpacing(4);
  left->addWidget(edFilter);
  left->addWidget(lbAllCities, 1);
  lists->addLayout(left, 1, 0);
  lists->addWidget(lbCities, 1, 1);
  lists->addWidget(btnAdd, 2, 0);
  lists->addWidget(btnRemove, 2, 1);
  lists->setColumnStretch(0, 1);
  lists->setColumnStretch(1, 1);
  lists->setRowStretch(1, 1);

  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(cmdApply);
  bottom->addWidget(cmdClose);

  QVBoxLayout* body = LayOutUnderHeader(*this, header);
  body->setSpacing(10);
  body->addLayout(lists, 1);
  body->addLayout(bottom);

  edFilter->setFocus();
}

void MapCitiesDialog::FormCreate() {
  LoadCityData();
  // Wide enough for whole names in both lists (frame, scroll bar, margins).
  const int list = available_->widestName(lbAllCities->fontMetrics()) + 36;
  SizeDialog(*this, std::max(kClientWidth, 2 * list + 30), kClientHeight);
  SettingsReader stored;
  for (const std::string& name : stored.list(kDisplayCities)) lbCities->addItem(QString::fromStdString(name));
  ShowSettingsProblems(stored, this);
  edFilter->startOnOwnCity();
}

void MapCitiesDialog::LoadCityData() {
  CityEntriesResult r = ReadCityEntries(CityDataPath());
  if (!r.file.error.empty())
    QMessageBox::warning(this, QStringLiteral("Warning"), QString::fromStdString(r.file.error));
  cities_ = std::move(r.entries);
  available_->setNames(std::move(r.names));
}

std::vector<std::string> MapCitiesDialog::selectedNames() const {
  QModelIndexList rows = lbAllCities->selectionModel()->selectedRows();
  std::sort(rows.begin(), rows.end(),
            [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  std::vector<std::string> out;
  for (const QModelIndex& i : rows) out.push_back(available_->nameAt(i.row()));
  return out;
}

void MapCitiesDialog::btnAddClick() {
  for (const std::string& name : selectedNames()) {
    bool held = false;
    for (int i = 0; i < lbCities->count() && !held; ++i)
      held = EqualsIgnoreCaseAscii(lbCities->item(i)->text().toStdString(), name);
    if (!held) lbCities->addItem(QString::fromStdString(name));
  }
  // Ready for the next name.
  edFilter->setFocus();
  edFilter->selectAll();
}

void MapCitiesDialog::btnRemoveClick() {
  if (QListWidgetItem* item = lbCities->currentItem(); item && item->isSelected()) delete item;
}

void MapCitiesDialog::cmdApplyClick() {
  std::vector<std::string> names;
  for (int i = 0; i < lbCities->count(); ++i) names.push_back(lbCities->item(i)->text().toStdString());
  try {
    WriteStringListSetting(kSettingsKey, kDisplayCities, names);
  } catch (const SettingsError& e) {
    QMessageBox::warning(this, QStringLiteral("Warning"), QString::fromStdString(e.what()));
    return;
  }
  RefreshCityList();
  if (requestRedraw_) requestRedraw_();
  accept();
}

void MapCitiesDialog::RefreshCityList() {
  std::vector<std::string> names;
  for (int i = 0; i < lbCities->count(); ++i) names.push_back(lbCities->item(i)->text().toStdString());
  BuildDisplayCities(names, cities_, displayCities_);
}

void MapCitiesDialog::cmdCloseClick() { reject(); }

}  // namespace wc
