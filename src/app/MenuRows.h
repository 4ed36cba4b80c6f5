#pragma once
// The main menu as rows of menu bars: the menus go on one bar while the
// window is wide enough, and wrap onto further rows when it is not, as the
// classic desktop menu bars do, so that no menu ever hides behind an
// overflow button. Left and Right walk from the end of one row to the next.

#include <QMenuBar>
#include <QWidget>
#include <vector>

class QMenu;
class QVBoxLayout;

namespace wc {

class TMenuRow : public QMenuBar {
  Q_OBJECT
 public:
  explicit TMenuRow(QWidget* parent);
  // The width the bar needs to show these entries side by side.
  int widthFor(const QList<QAction*>& entries) const;
  // Only the first row answers the Alt key alone, so that one entry lights up.
  void setAnswersAltKey(bool on) { answersAltKey_ = on; }
  // With other rows beside it, its ends lead to them instead of wrapping round.
  void setHasNeighbours(bool on) { hasNeighbours_ = on; }

 signals:
  // Left at the first entry or Right at the last: the neighbouring row's turn.
  void walkedOffEnd(bool forward);

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  bool answersAltKey_ = true;
  bool hasNeighbours_ = false;
};

class TMenuRows : public QWidget {
  Q_OBJECT
 public:
  explicit TMenuRows(QWidget* parent);

  QMenu* addMenu(const QString& title);
  // The top-level menu entries in order, whichever row holds them.
  const QList<QAction*>& entries() const { return entries_; }
  const std::vector<TMenuRow*>& rows() const { return rows_; }
  // Spreads the menus over as many rows as this width needs; the height the
  // rows then take.
  int arrange(int width);

 private:
  TMenuRow* row(std::size_t index);
  void walk(TMenuRow* from, bool forward);

  QVBoxLayout* layout_;
  QList<QAction*> entries_;
  std::vector<TMenuRow*> rows_;
};

}  // namespace wc
