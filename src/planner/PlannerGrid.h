// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The meeting planner's grid: a row per city, its name at the left, then one
// cell per column of the day, coloured by the city's hour class. Columns
// where every city works are marked above the rows, the current instant is a
// line through them, and the chosen stretch is framed. It only shows what the
// model computed; the window decides what a click or a key does.

#include <QFont>
#include <QStaticText>
#include <QString>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "core/FormatDateTime.h"
#include "core/PlannerCity.h"
#include "core/PlannerDay.h"

namespace wc {

class PlannerGrid : public QWidget {
  Q_OBJECT
 public:
  explicit PlannerGrid(QWidget* parent = nullptr);

  // rows and day must belong together (day built from rows).
  void setDay(std::vector<PlannerCity> rows, PlannerDay day, const std::string& timeFormat,
              const FormatSettings& format);
  void setNow(UtcMinute now);
  void setSelection(std::optional<MinuteSpan> selection);
  void setCurrentRow(int row);
  int currentRow() const { return currentRow_; }

  const PlannerDay& day() const { return day_; }
  int columnAtX(int x) const;  // -1 left of the cells
  int rowAtY(int y) const;     // -1 above or below the rows
  // The cell's rectangle, for tests and for scrolling into view.
  QRect cellRect(int row, int column) const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  void columnClicked(int column);
  void currentRowChanged(int row);
  void rowMoved(int from, int to);
  void rowActivated(int row);
  void columnStepRequested(int step);  // Left and Right
  void removeRequested(int row);       // Delete

 protected:
  void paintEvent(QPaintEvent* e) override;
  bool event(QEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  // A cell's texts, laid out once when the day or the font changes: the
  // hour (or, later in the same hour, the minutes) in the middle, the
  // minutes or the 12-hour marker below.
  struct Cell {
    QString day;
    QStaticText middle;
    bool middleBold = true;
    QStaticText below;
  };
  // Measured once per change of font or rows, not per cell.
  void updateMetrics();
  int nameWidth() const { return nameWidth_; }
  int stripHeight() const { return stripHeight_; }
  int rowHeight() const { return rowHeight_; }
  int narrowestColumn() const { return narrowestColumn_; }
  int comfortableColumn() const { return comfortableColumn_; }
  double xAt(UtcMinute u) const;
  int columnX(int column) const;
  int dropIndexAt(int y) const;
  QString toolTipAt(QPoint pos) const;
  void rebuildTexts();

  QFont bold_, small_;
  int nameWidth_ = 0;
  int stripHeight_ = 0;
  int rowHeight_ = 0;
  int narrowestColumn_ = 0;    // room for the bold hour
  int comfortableColumn_ = 0;  // and for the small texts beside it
  std::vector<PlannerCity> rows_;
  PlannerDay day_;
  std::string timeFormat_;
  FormatSettings format_;
  std::vector<std::vector<Cell>> texts_;  // [row][column]
  std::vector<QString> headings_;         // each row's offset and hours line
  std::optional<UtcMinute> now_;
  std::optional<MinuteSpan> selection_;
  int currentRow_ = -1;
  int pressedRow_ = -1;
  int dropIndex_ = -1;  // while a name is dragged: the gap it would land in
  QPoint pressPos_;
};

}  // namespace wc
