// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Column spans per row of a picture: the parts of it that changed. Rows are
// filled in order and each row's spans left to right; the memory is kept
// from one filling to the next.

#include <span>
#include <vector>

namespace wc {

struct ColumnSpan {
  int begin = 0, end = 0;  // columns begin .. end - 1
};

class RowSpans {
 public:
  // No spans, in a picture of `rows` rows.
  void Clear(int rows);
  // Every column of every row.
  void SetAll(int columns, int rows);
  // Memory for `rows` rows and `spans` spans, touched now, so that filling
  // it later takes no fresh pages.
  void Reserve(int rows, int spans);
  // Columns begin .. end - 1 of `row`, which is the last row added to or
  // one below it; a span that meets or overlaps the row's last one joins it.
  void Add(int row, int begin, int end);
  // Rows of `a` and `b` together (the same number of rows).
  void Unite(const RowSpans& a, const RowSpans& b);

  int rows() const { return rows_; }
  bool empty() const { return spans_.empty(); }
  std::span<const ColumnSpan> row(int r) const;

 private:
  int rows_ = 0;
  std::vector<int> start_;  // where each row's spans begin, for the rows added so far
  std::vector<ColumnSpan> spans_;
};

}  // namespace wc
