// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/CityListModel.h"

#include <QFontMetrics>
#include <algorithm>

namespace wc {

CityListModel::CityListModel(QObject* parent) : QAbstractListModel(parent) {}

void CityListModel::setNames(std::vector<std::string> names) {
  beginResetModel();
  names_ = std::move(names);
  filter_.setNames(names_);
  shown_ = filter_.match({});
  rows_.resize(names_.size());
  for (std::size_t i = 0; i < rows_.size(); ++i) rows_[i] = static_cast<int>(i);
  endResetModel();
}

void CityListModel::setFilter(std::string_view text) {
  beginResetModel();
  shown_ = filter_.match(text);
  std::fill(rows_.begin(), rows_.end(), -1);
  for (std::size_t row = 0; row < shown_.size(); ++row) rows_[shown_[row]] = static_cast<int>(row);
  endResetModel();
}

int CityListModel::rowOf(std::size_t position) const {
  return position < rows_.size() ? rows_[position] : -1;
}

int CityListModel::positionOf(std::string_view name) const {
  const auto at = std::find(names_.begin(), names_.end(), name);
  return at == names_.end() ? -1 : static_cast<int>(at - names_.begin());
}

int CityListModel::widestName(const QFontMetrics& metrics) const {
  std::size_t longest = 0;
  for (const std::string& n : names_) longest = std::max(longest, n.size());
  int widest = 0;
  for (const std::string& n : names_)
    if (n.size() + 6 >= longest) widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(n)));
  return widest;
}

int CityListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

QVariant CityListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role == Qt::DisplayRole || role == Qt::ToolTipRole || role == Qt::EditRole)
    return QString::fromStdString(nameAt(index.row()));
  return {};
}

}  // namespace wc
