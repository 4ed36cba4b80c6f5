// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/RowSpans.h"

#include <algorithm>

namespace wc {

void RowSpans::Clear(int rows) {
  rows_ = rows;
  start_.clear();
  spans_.clear();
}

void RowSpans::SetAll(int columns, int rows) {
  Clear(rows);
  for (int r = 0; r < rows; ++r) Add(r, 0, columns);
}

void RowSpans::Reserve(int rows, int spans) {
  start_.assign(static_cast<std::size_t>(rows) + 1, 0);
  spans_.assign(static_cast<std::size_t>(spans), {});
  Clear(rows_);
}

void RowSpans::Add(int row, int begin, int end) {
  if (begin >= end) return;
  while (static_cast<int>(start_.size()) <= row) start_.push_back(static_cast<int>(spans_.size()));
  if (static_cast<int>(spans_.size()) > start_[row] && begin <= spans_.back().end) {
    spans_.back().end = std::max(spans_.back().end, end);
    return;
  }
  spans_.push_back({begin, end});
}

std::span<const ColumnSpan> RowSpans::row(int r) const {
  if (r < 0 || r >= static_cast<int>(start_.size())) return {};
  const int end = r + 1 < static_cast<int>(start_.size()) ? start_[r + 1] : static_cast<int>(spans_.size());
  return {spans_.data() + start_[r], spans_.data() + end};
}

void RowSpans::Unite(const RowSpans& a, const RowSpans& b) {
  Clear(std::max(a.rows(), b.rows()));
  for (int r = 0; r < rows_; ++r) {
    const auto x = a.row(r), y = b.row(r);
    std::size_t i = 0, j = 0;
    while (i < x.size() || j < y.size()) {
      const bool fromA = j == y.size() || (i < x.size() && x[i].begin <= y[j].begin);
      const ColumnSpan& s = fromA ? x[i++] : y[j++];
      Add(r, s.begin, s.end);
    }
  }
}

}  // namespace wc
