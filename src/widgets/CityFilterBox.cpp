// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/CityFilterBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QTimer>

#include "core/FirstStart.h"
#include "core/Paths.h"
#include "widgets/CityListModel.h"

namespace wc {

CityFilterBox::CityFilterBox(QWidget* parent) : QLineEdit(parent) {
  setPlaceholderText(QStringLiteral("Type to narrow the list"));
  setClearButtonEnabled(true);
  connect(this, &QLineEdit::textChanged, this, &CityFilterBox::refilter);
}

void CityFilterBox::attach(QAbstractItemView* list, CityListModel* model) {
  view_ = list;
  model_ = model;
  list->setModel(model);
}

void CityFilterBox::attach(QComboBox* list, CityListModel* model) {
  combo_ = list;
  model_ = model;
  list->setModel(model);
}

void CityFilterBox::startOn(int position) {
  {
    const QSignalBlocker quiet(this);
    clear();
  }
  if (!model_) return;
  model_->setFilter({});
  setCurrentRow(position >= 0 ? model_->rowOf(static_cast<std::size_t>(position)) : -1, true);
}

void CityFilterBox::startOnOwnCity() {
  if (!model_) return;
  const int own = model_->positionOf(OwnCityName(model_->names(), ProgramFolder() + "citydata.zones.tsv", SystemZoneFacts()));
  startOn(own >= 0 ? own : model_->names().empty() ? -1 : 0);
}

int CityFilterBox::currentPosition() const {
  const int row = currentRow();
  return row >= 0 ? static_cast<int>(model_->positionAt(row)) : -1;
}

void CityFilterBox::refilter() {
  if (!model_) return;
  const int before = currentPosition();
  model_->setFilter(text().toStdString());
  if (text().trimmed().isEmpty())
    setCurrentRow(before >= 0 ? model_->rowOf(static_cast<std::size_t>(before)) : -1, true);
  else
    setCurrentRow(model_->rowCount() > 0 ? 0 : -1, false);
  emit currentChanged();
}

int CityFilterBox::currentRow() const {
  if (!model_) return -1;
  if (combo_) return combo_->currentIndex();
  if (view_ && view_->selectionModel() && view_->selectionModel()->isSelected(view_->currentIndex()))
    return view_->currentIndex().row();
  return -1;
}

void CityFilterBox::setCurrentRow(int row, bool centre) {
  if (combo_) {
    combo_->setCurrentIndex(row);
    return;
  }
  if (!view_) return;
  if (row < 0) {
    view_->clearSelection();
    view_->setCurrentIndex({});
    return;
  }
  const QModelIndex index = model_->index(row);
  view_->setCurrentIndex(index);
  view_->scrollTo(index, centre ? QAbstractItemView::PositionAtCenter : QAbstractItemView::EnsureVisible);
  // A list not laid out yet (a dialog being built) centres on a height it
  // does not have: once more when it has.
  if (centre && !view_->isVisible())
    QTimer::singleShot(0, view_, [view = view_, index = QPersistentModelIndex(index)] {
      if (index.isValid()) view->scrollTo(index, QAbstractItemView::PositionAtCenter);
    });
}

void CityFilterBox::keyPressEvent(QKeyEvent* e) {
  QWidget* list = combo_ ? static_cast<QWidget*>(combo_) : view_;
  const bool moves = e->key() == Qt::Key_Up || e->key() == Qt::Key_Down || e->key() == Qt::Key_PageUp ||
                     e->key() == Qt::Key_PageDown;
  if (!list || !moves || model_->rowCount() == 0 || (e->modifiers() & ~Qt::KeypadModifier)) {
    QLineEdit::keyPressEvent(e);
    return;
  }
  const int before = currentRow();
  if (before < 0) {
    setCurrentRow(0, false);
  } else {
    // The list's own key handling, so a page is the list's page.
    QKeyEvent copy(e->type(), e->key(), e->modifiers(), e->text());
    QApplication::sendEvent(list, &copy);
  }
  if (currentRow() != before) emit currentChanged();
}

}  // namespace wc
