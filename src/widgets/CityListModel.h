// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A list of city names as the city lists show them: narrowed by what the user
// typed (CityNameFilter's rule, best matches first). Rows map back to the
// positions of the names given, so a dialog keeps its records in file order.

#include <QAbstractListModel>
#include <string>
#include <string_view>
#include <vector>

#include "core/CityNameFilter.h"

class QFontMetrics;

namespace wc {

class CityListModel : public QAbstractListModel {
  Q_OBJECT
 public:
  explicit CityListModel(QObject* parent = nullptr);

  // Every name shown, unfiltered.
  void setNames(std::vector<std::string> names);
  const std::vector<std::string>& names() const { return names_; }
  void setFilter(std::string_view text);

  const std::string& nameAt(int row) const { return names_[shown_[static_cast<std::size_t>(row)]]; }
  std::size_t positionAt(int row) const { return shown_[static_cast<std::size_t>(row)]; }
  // The row that shows the name at a position; -1 when the filter hides it.
  int rowOf(std::size_t position) const;
  // The first position of a name written exactly so; -1 when there is none.
  int positionOf(std::string_view name) const;

  // The widest name in this font; only the longest few are measured.
  int widestName(const QFontMetrics& metrics) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  std::vector<std::string> names_;
  CityNameFilter filter_;
  std::vector<std::size_t> shown_;
  std::vector<int> rows_;  // by position
};

}  // namespace wc
