// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "planner/PlannerGrid.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "core/PlannerText.h"

namespace wc {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Fixed colours rather than the palette's: the classes must read the same
// under every skin, and the text on each is chosen for its background.
struct ClassColours {
  QColor fill;
  QColor text;
};

ClassColours ColoursOf(HourClass cls) {
  switch (cls) {
    case HourClass::Working:
      return {QColor(0x8f, 0xd1, 0x8a), QColor(0x12, 0x3a, 0x14)};
    case HourClass::EarlyLate:
      return {QColor(0xf6, 0xdc, 0x7e), QColor(0x4a, 0x3a, 0x00)};
    case HourClass::DayOff:
      return {QColor(0xd8, 0xd4, 0xcb), QColor(0x3f, 0x3b, 0x33)};
    case HourClass::Night:
      break;
  }
  return {QColor(0x33, 0x43, 0x63), QColor(0xe4, 0xea, 0xf6)};
}

const QColor kSharedMark(0x1f, 0x8a, 0x3b);
const QColor kNowLine(0xd9, 0x2b, 0x2b);
const QColor kSelection(0x10, 0x2a, 0x6b);

}  // namespace

PlannerGrid::PlannerGrid(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PlannerGrid"));
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(false);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  updateMetrics();
}

void PlannerGrid::setDay(std::vector<PlannerCity> rows, PlannerDay day, const std::string& timeFormat,
                         const FormatSettings& format) {
  rows_ = std::move(rows);
  day_ = std::move(day);
  timeFormat_ = timeFormat;
  format_ = format;
  if (currentRow_ >= static_cast<int>(rows_.size())) currentRow_ = static_cast<int>(rows_.size()) - 1;
  updateMetrics();
  rebuildTexts();
  updateGeometry();
  update();
}

void PlannerGrid::rebuildTexts() {
  const bool twelve = IsTwelveHour(timeFormat_);
  texts_.assign(day_.rows.size(), {});
  headings_.clear();
  auto prepared = [](const QString& text, const QFont& font) {
    QStaticText t(text);
    t.setTextFormat(Qt::PlainText);
    t.setPerformanceHint(QStaticText::AggressiveCaching);
    t.prepare(QTransform(), font);
    return t;
  };
  for (std::size_t r = 0; r < day_.rows.size(); ++r) {
    const auto& cells = day_.rows[r];
    CellText before;
    for (std::size_t c = 0; c < cells.size(); ++c) {
      const CellText t = CellLabel(cells[c], twelve, format_);
      Cell cell;
      cell.day = Q(t.day);
      // The hour stands in the first column of each local hour; a column
      // later in the same hour shows only its minutes, so half-hour grids
      // stay readable. Below: the minutes, else the marker, once an hour.
      const bool sameHour = c > 0 && FloorDiv(cells[c - 1].local, 60) == FloorDiv(cells[c].local, 60);
      if (!sameHour) {
        cell.middle = prepared(Q(t.hour), bold_);
        cell.below = prepared(Q(t.minutes.empty() ? t.marker : t.minutes), small_);
      } else {
        cell.middle = prepared(Q(t.minutes), small_);
        cell.middleBold = false;
        if (!before.minutes.empty()) cell.below = prepared(Q(t.marker), small_);
      }
      texts_[r].push_back(std::move(cell));
      before = t;
    }
    // The offset at either end of the day: one text, or the change it makes.
    const PlannerCity& city = rows_[r];
    const int first = city.offsetAt(day_.span.begin);
    const int last = city.offsetAt(day_.span.end - 1);
    std::string offset = UtcOffsetText(first);
    if (last != first) offset += " \u2192 " + UtcOffsetText(last);
    headings_.push_back(Q(offset + " \u00b7 " + WorkingHoursText(city.hours(), format_)));
  }
}

void PlannerGrid::setNow(UtcMinute now) {
  if (now_ == now) return;
  now_ = now;
  update();
}

void PlannerGrid::setSelection(std::optional<MinuteSpan> selection) {
  if (selection_ == selection) return;
  selection_ = selection;
  update();
}

void PlannerGrid::setCurrentRow(int row) {
  if (row < -1 || row >= static_cast<int>(rows_.size()) || row == currentRow_) return;
  currentRow_ = row;
  update();
  emit currentRowChanged(row);
}

void PlannerGrid::updateMetrics() {
  bold_ = font();
  bold_.setBold(true);
  small_ = font();
  small_.setPointSizeF(font().pointSizeF() * 0.8);
  const QFontMetrics fm(bold_);
  int widest = fm.averageCharWidth() * 16;
  for (const PlannerCity& r : rows_) widest = std::max(widest, fm.horizontalAdvance(Q(r.name())));
  nameWidth_ = std::min(widest, fm.averageCharWidth() * 28) + 14;
  stripHeight_ = QFontMetrics(font()).height() * 2 / 3;
  rowHeight_ = QFontMetrics(font()).height() + 2 * QFontMetrics(small_).height() + 4;
  // A narrow grid keeps every hour and drops the small texts that would
  // spill into the next cell (the tooltip and the chosen instant say them).
  const QFontMetrics smallMetrics(small_);
  narrowestColumn_ = fm.horizontalAdvance(QStringLiteral("00")) + 2;
  comfortableColumn_ = std::max({narrowestColumn_, smallMetrics.horizontalAdvance(QStringLiteral("AM")),
                                 smallMetrics.horizontalAdvance(QStringLiteral("PM")),
                                 smallMetrics.horizontalAdvance(QStringLiteral(":45"))}) +
                       4;
}

int PlannerGrid::columnX(int column) const {
  const int columns = std::max(1, day_.columns());
  const int cells = width() - nameWidth();
  return nameWidth() + static_cast<int>(std::lround(static_cast<double>(cells) * column / columns));
}

double PlannerGrid::xAt(UtcMinute u) const {
  const double length = static_cast<double>(day_.span.end - day_.span.begin);
  if (length <= 0) return nameWidth();
  return nameWidth() + (width() - nameWidth()) * static_cast<double>(u - day_.span.begin) / length;
}

int PlannerGrid::columnAtX(int x) const {
  if (x < nameWidth() || day_.columns() == 0) return -1;
  for (int c = 0; c < day_.columns(); ++c) {
    if (x < columnX(c + 1)) return c;
  }
  return day_.columns() - 1;
}

int PlannerGrid::rowAtY(int y) const {
  const int top = stripHeight();
  if (y < top) return -1;
  const int row = (y - top) / rowHeight();
  return row < static_cast<int>(rows_.size()) ? row : -1;
}

QRect PlannerGrid::cellRect(int row, int column) const {
  const int x = columnX(column);
  return QRect(x, stripHeight() + row * rowHeight(), columnX(column + 1) - x, rowHeight());
}

int PlannerGrid::dropIndexAt(int y) const {
  const int gap = (y - stripHeight() + rowHeight() / 2) / rowHeight();
  return std::clamp(gap, 0, static_cast<int>(rows_.size()));
}

QSize PlannerGrid::sizeHint() const {
  const int columns = std::max(24, day_.columns());
  return {nameWidth() + columns * comfortableColumn(), minimumSizeHint().height()};
}

QSize PlannerGrid::minimumSizeHint() const {
  const int columns = std::max(24, day_.columns());
  const int rows = std::max<int>(1, static_cast<int>(rows_.size()));
  return {nameWidth() + columns * narrowestColumn() + 4,
          stripHeight() + rows * rowHeight() + stripHeight() / 2};
}

void PlannerGrid::changeEvent(QEvent* e) {
  if (e->type() == QEvent::FontChange) {
    updateMetrics();
    rebuildTexts();
    updateGeometry();
  }
  QWidget::changeEvent(e);
}

void PlannerGrid::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const int strip = stripHeight();
  const int rowH = rowHeight();
  const int nameW = nameWidth();
  const int columns = day_.columns();
  const int bottom = strip + static_cast<int>(rows_.size()) * rowH;

  const QFont& bold = bold_;
  const QFont& small = small_;
  const QFontMetrics smallMetrics(small);
  const int smallH = smallMetrics.height();

  // The columns every city works in: a band above the rows.
  for (int c = 0; c < columns; ++c) {
    if (!day_.allWorking[static_cast<std::size_t>(c)]) continue;
    p.fillRect(QRect(columnX(c), 1, columnX(c + 1) - columnX(c), strip - 2), kSharedMark);
  }

  for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
    const int top = strip + r * rowH;
    const QRect name(0, top, nameW, rowH);
    if (r == currentRow_) {
      QColor h = palette().color(QPalette::Highlight);
      h.setAlpha(hasFocus() ? 90 : 50);
      p.fillRect(name.adjusted(0, 1, -2, -1), h);
    }
    p.setPen(palette().color(QPalette::WindowText));
    p.setFont(bold);
    const QRect nameText = name.adjusted(6, 2, -6, -rowH / 2);
    p.drawText(nameText, Qt::AlignLeft | Qt::AlignBottom,
               QFontMetrics(bold).elidedText(Q(rows_[static_cast<std::size_t>(r)].name()), Qt::ElideRight,
                                             nameText.width()));
    p.setFont(small);
    const QRect sub = name.adjusted(6, rowH / 2 + 1, -6, -2);
    p.drawText(sub, Qt::AlignLeft | Qt::AlignTop,
               smallMetrics.elidedText(headings_[static_cast<std::size_t>(r)], Qt::ElideRight, sub.width()));

    const auto& cells = day_.rows[static_cast<std::size_t>(r)];
    const auto& texts = texts_[static_cast<std::size_t>(r)];
    const int hourTop = top + 1 + smallH;
    const int hourHeight = rowH - 2 - 2 * smallH;
    for (int c = 0; c < columns; ++c) {
      const PlannerCell& cell = cells[static_cast<std::size_t>(c)];
      const Cell& text = texts[static_cast<std::size_t>(c)];
      const QRect box = QRect(columnX(c), top, columnX(c + 1) - columnX(c), rowH).adjusted(0, 1, -1, -1);
      const ClassColours colours = ColoursOf(cell.cls);
      p.fillRect(box, colours.fill);
      // Another local date than the day shown: a shade along the top.
      if (cell.dayOffset != 0) p.fillRect(QRect(box.left(), box.top(), box.width(), 3), QColor(0, 0, 0, 70));
      p.setPen(colours.text);
      auto centred = [&p, &box](const QStaticText& t, int y, int h) {
        const QSizeF size = t.size();
        if (size.width() > box.width() + 1) return;
        p.drawStaticText(QPointF(box.left() + (box.width() - size.width()) / 2, y + (h - size.height()) / 2),
                         t);
      };
      // A static text is drawn in the painter's font: the one it was laid out in.
      if (!text.middle.text().isEmpty()) {
        p.setFont(text.middleBold ? bold : small);
        centred(text.middle, hourTop, hourHeight);
      }
      if (!text.below.text().isEmpty()) {
        p.setFont(small);
        centred(text.below, box.bottom() + 1 - smallH, smallH);
      }
      if (c > 0) {
        const PlannerCell& before = cells[static_cast<std::size_t>(c - 1)];
        // A new local day: a rule at the cell's left.
        if (before.dayOffset != cell.dayOffset)
          p.fillRect(QRect(box.left(), box.top(), 2, box.height()), colours.text);
        // The clock changes here: a corner mark, the tooltip says how.
        if (before.daylightSaving != cell.daylightSaving) {
          const int s = smallH / 2 + 2;
          QPainterPath corner;
          corner.moveTo(box.right() + 1 - s, box.bottom() + 1);
          corner.lineTo(box.right() + 1, box.bottom() + 1);
          corner.lineTo(box.right() + 1, box.bottom() + 1 - s);
          corner.closeSubpath();
          p.fillPath(corner, kNowLine);
        }
      }
    }
    // The date of each stretch on another day, once, where it begins.
    p.setFont(small);
    for (int c = 0; c < columns; ++c) {
      const PlannerCell& cell = cells[static_cast<std::size_t>(c)];
      if (cell.dayOffset == 0 ||
          (c > 0 && cells[static_cast<std::size_t>(c - 1)].dayOffset == cell.dayOffset))
        continue;
      int end = c + 1;
      while (end < columns && cells[static_cast<std::size_t>(end)].dayOffset == cell.dayOffset) ++end;
      const QString label = texts[static_cast<std::size_t>(c)].day;
      const int w = std::min(smallMetrics.horizontalAdvance(label) + 6, columnX(end) - columnX(c) - 2);
      if (w < 8) continue;
      const QRect tag(columnX(c) + 2, top + 3, w, smallH);
      p.fillRect(tag, QColor(255, 255, 255, 215));
      p.setPen(QColor(0x20, 0x20, 0x20));
      p.drawText(tag, Qt::AlignCenter, smallMetrics.elidedText(label, Qt::ElideRight, w - 2));
    }
  }

  p.setRenderHint(QPainter::Antialiasing, true);
  if (selection_ && selection_->end > day_.span.begin && selection_->begin < day_.span.end) {
    const double left = std::max(xAt(selection_->begin), static_cast<double>(nameW));
    const double right = std::min(xAt(selection_->end), static_cast<double>(width()));
    const QRectF frame(left, 0.5, right - left, bottom - 0.5);
    p.setPen(QPen(QColor(255, 255, 255, 200), 4));
    p.setBrush(Qt::NoBrush);
    p.drawRect(frame.adjusted(1, 1, -1, -1));
    p.setPen(QPen(kSelection, 2));
    p.drawRect(frame.adjusted(1, 1, -1, -1));
  }
  if (now_ && *now_ >= day_.span.begin && *now_ < day_.span.end) {
    const double x = xAt(*now_);
    p.setPen(QPen(kNowLine, 2));
    p.drawLine(QPointF(x, 0), QPointF(x, bottom));
    QPainterPath tip;
    tip.moveTo(x - strip / 2.0, 0);
    tip.lineTo(x + strip / 2.0, 0);
    tip.lineTo(x, strip);
    tip.closeSubpath();
    p.fillPath(tip, kNowLine);
  }
  if (dropIndex_ >= 0) {
    const int y = strip + dropIndex_ * rowH;
    p.setPen(QPen(palette().color(QPalette::Highlight), 3));
    p.drawLine(0, y, width(), y);
  }
}

QString PlannerGrid::toolTipAt(QPoint pos) const {
  const int row = rowAtY(pos.y());
  if (row < 0) return {};
  const PlannerCity& city = rows_[static_cast<std::size_t>(row)];
  const int column = columnAtX(pos.x());
  if (column < 0) return Q(city.name() + "\n" + WorkingHoursText(city.hours(), format_));
  const PlannerCell& cell = day_.rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
  return Q(InstantLine(city, day_.columnStart(column), timeFormat_, format_) + "\n" +
           std::string(SeasonText(cell.daylightSaving)) + ", " + std::string(HourClassText(cell.cls)));
}

bool PlannerGrid::event(QEvent* e) {
  if (e->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(e);
    const QString text = toolTipAt(help->pos());
    if (text.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(help->globalPos(), text, this);
    return true;
  }
  return QWidget::event(e);
}

void PlannerGrid::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return QWidget::mousePressEvent(e);
  const QPoint pos = e->position().toPoint();
  const int row = rowAtY(pos.y());
  if (row >= 0) setCurrentRow(row);
  const int column = columnAtX(pos.x());
  pressedRow_ = column < 0 ? row : -1;
  pressPos_ = pos;
  if (column >= 0 && pos.y() < stripHeight() + static_cast<int>(rows_.size()) * rowHeight())
    emit columnClicked(column);
}

void PlannerGrid::mouseMoveEvent(QMouseEvent* e) {
  if (pressedRow_ < 0 || !(e->buttons() & Qt::LeftButton)) return;
  const QPoint pos = e->position().toPoint();
  if (dropIndex_ < 0 && (pos - pressPos_).manhattanLength() < QApplication::startDragDistance()) return;
  const int gap = dropIndexAt(pos.y());
  if (gap != dropIndex_) {
    dropIndex_ = gap;
    setCursor(Qt::ClosedHandCursor);
    update();
  }
}

void PlannerGrid::mouseReleaseEvent(QMouseEvent* e) {
  const int from = pressedRow_;
  const int gap = dropIndex_;
  pressedRow_ = -1;
  dropIndex_ = -1;
  unsetCursor();
  update();
  if (from < 0 || gap < 0) return QWidget::mouseReleaseEvent(e);
  // Dropping into the gap above or below itself leaves the row where it is.
  const int to = gap > from ? gap - 1 : gap;
  if (to != from) emit rowMoved(from, to);
}

void PlannerGrid::mouseDoubleClickEvent(QMouseEvent* e) {
  const QPoint pos = e->position().toPoint();
  const int row = rowAtY(pos.y());
  if (row >= 0 && columnAtX(pos.x()) < 0) emit rowActivated(row);
}

void PlannerGrid::keyPressEvent(QKeyEvent* e) {
  const bool move = e->modifiers() & (Qt::AltModifier | Qt::ControlModifier);
  switch (e->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
      emit columnStepRequested(e->key() == Qt::Key_Left ? -1 : 1);
      return;
    case Qt::Key_Up:
    case Qt::Key_Down: {
      const int step = e->key() == Qt::Key_Up ? -1 : 1;
      const int to = currentRow_ + step;
      if (currentRow_ < 0 || to < 0 || to >= static_cast<int>(rows_.size())) {
        if (currentRow_ < 0 && !rows_.empty()) setCurrentRow(0);
        return;
      }
      // With Alt or Ctrl the row moves, the keyboard's way to reorder.
      if (move)
        emit rowMoved(currentRow_, to);
      else
        setCurrentRow(to);
      return;
    }
    case Qt::Key_Delete:
      if (currentRow_ >= 0) emit removeRequested(currentRow_);
      return;
    default:
      break;
  }
  QWidget::keyPressEvent(e);
}

}  // namespace wc
