// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "planner/PlannerCityChooser.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/DisplayCities.h"
#include "core/Text.h"

namespace wc {

namespace {

class ChooserDialog : public QDialog {
 public:
  ChooserDialog(QWidget* parent, std::vector<std::string> names, std::string_view ownCity)
      : QDialog(parent), names_(std::move(names)) {
    setObjectName(QStringLiteral("PlannerCityChooser"));
    setWindowTitle(QStringLiteral("Add City"));
    for (const std::string& n : names_) keys_.push_back(FoldForSearch(n));
    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("edFilter"));
    filter_->setPlaceholderText(QStringLiteral("Type to narrow the list"));
    filter_->setClearButtonEnabled(true);
    filter_->installEventFilter(this);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("lbCities"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Add"));
    auto* label = new QLabel(QStringLiteral("&City:"), this);
    label->setBuddy(filter_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(filter_);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    connect(filter_, &QLineEdit::textChanged, this, [this] { fill(); });
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    fill();
    const auto own = std::find(names_.begin(), names_.end(), ownCity);
    if (own != names_.end()) {
      list_->setCurrentRow(static_cast<int>(own - names_.begin()));
      list_->scrollToItem(list_->currentItem(), QAbstractItemView::PositionAtCenter);
    }
    resize(360, 420);
  }

  std::optional<std::string> chosen() const {
    if (!list_->currentItem()) return std::nullopt;
    return list_->currentItem()->text().toStdString();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    // Up and Down from the filter walk the list, as in a search field.
    if (watched == filter_ && e->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(e)->key();
      if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
        QCoreApplication::sendEvent(list_, e);
        return true;
      }
    }
    return QDialog::eventFilter(watched, e);
  }

 private:
  // Names holding the text anywhere, those that begin with it first.
  void fill() {
    const std::string key = FoldForSearch(TrimView(filter_->text().toStdString()));
    std::vector<std::size_t> first, rest;
    for (std::size_t i = 0; i < names_.size(); ++i) {
      const std::size_t at = keys_[i].find(key);
      if (at == std::string::npos) continue;
      (at == 0 ? first : rest).push_back(i);
    }
    list_->clear();
    for (const auto* part : {&first, &rest}) {
      for (std::size_t i : *part) list_->addItem(QString::fromStdString(names_[i]));
    }
    if (list_->count() > 0) list_->setCurrentRow(0);
  }

  std::vector<std::string> names_;
  std::vector<std::string> keys_;
  QLineEdit* filter_;
  QListWidget* list_;
};

}  // namespace

std::optional<std::string> ChoosePlannerCity(QWidget* parent, std::span<const CityEntry> cities,
                                             std::string_view ownCity,
                                             const std::vector<std::string>& taken) {
  std::vector<std::string> names;
  for (const CityEntry& c : cities) {
    std::string n = c.name();
    if (std::find(taken.begin(), taken.end(), n) == taken.end()) names.push_back(std::move(n));
  }
  SortListOrder(names);
  names.erase(std::unique(names.begin(), names.end()), names.end());
  ChooserDialog dialog(parent, std::move(names), ownCity);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.chosen();
}

}  // namespace wc
