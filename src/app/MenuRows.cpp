#include "app/MenuRows.h"

#include <QKeyEvent>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionMenuItem>
#include <QVBoxLayout>
#include <algorithm>

namespace wc {

namespace {
// What the bar's frame and style-sheet padding may add beyond its metrics.
constexpr int kSlack = 6;
}  // namespace

TMenuRow::TMenuRow(QWidget* parent) : QMenuBar(parent) {}

int TMenuRow::widthFor(const QList<QAction*>& entries) const {
  const QStyle* s = style();
  const int spacing = s->pixelMetric(QStyle::PM_MenuBarItemSpacing, nullptr, this);
  int w = 2 * (s->pixelMetric(QStyle::PM_MenuBarPanelWidth, nullptr, this) +
               s->pixelMetric(QStyle::PM_MenuBarHMargin, nullptr, this)) +
          spacing + kSlack;
  for (QAction* a : entries) {
    QStyleOptionMenuItem opt;
    initStyleOption(&opt, a);
    const QSize text = fontMetrics().size(Qt::TextShowMnemonic, a->text());
    w += s->sizeFromContents(QStyle::CT_MenuBarItem, &opt, text, this).width() + spacing;
  }
  return w;
}

void TMenuRow::keyPressEvent(QKeyEvent* e) {
  const QList<QAction*> shown = actions();
  QAction* current = activeAction();
  const bool rtl = layoutDirection() == Qt::RightToLeft;
  const bool right = e->key() == (rtl ? Qt::Key_Left : Qt::Key_Right);
  const bool left = e->key() == (rtl ? Qt::Key_Right : Qt::Key_Left);
  if (hasNeighbours_ && current && !shown.isEmpty() &&
      ((right && current == shown.last()) || (left && current == shown.first()))) {
    e->accept();
    emit walkedOffEnd(right);
    return;
  }
  QMenuBar::keyPressEvent(e);
}

bool TMenuRow::eventFilter(QObject* watched, QEvent* e) {
  // The bar watches the window for the Alt key; only one row may take it.
  if (!answersAltKey_) {
    switch (e->type()) {
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::ShortcutOverride:
      case QEvent::FocusIn:
      case QEvent::FocusOut:
        return false;
      default:
        break;
    }
  }
  return QMenuBar::eventFilter(watched, e);
}

TMenuRows::TMenuRows(QWidget* parent) : QWidget(parent), layout_(new QVBoxLayout(this)) {
  layout_->setContentsMargins(0, 0, 0, 0);
  layout_->setSpacing(0);
  row(0);
}

TMenuRow* TMenuRows::row(std::size_t index) {
  while (rows_.size() <= index) {
    auto* r = new TMenuRow(this);
    r->setObjectName(rows_.empty() ? QStringLiteral("mmMain")
                                   : QStringLiteral("mmMain%1").arg(rows_.size() + 1));
    r->setAnswersAltKey(rows_.empty());
    // After the key event, which the open menu is still handling.
    connect(
        r, &TMenuRow::walkedOffEnd, this, [this, r](bool forward) { walk(r, forward); },
        Qt::QueuedConnection);
    layout_->addWidget(r);
    rows_.push_back(r);
  }
  return rows_[index];
}

QMenu* TMenuRows::addMenu(const QString& title) {
  auto* m = new QMenu(title, this);
  rows_.back()->addMenu(m);
  entries_ << m->menuAction();
  return m;
}

int TMenuRows::arrange(int width) {
  std::vector<QList<QAction*>> spread(1);
  for (QAction* a : entries_) {
    QList<QAction*> tried = spread.back();
    tried << a;
    if (!spread.back().isEmpty() && rows_.front()->widthFor(tried) > width) {
      spread.emplace_back();
      spread.back() << a;
    } else {
      spread.back() = tried;
    }
  }
  int height = 0;
  for (std::size_t i = 0; i < std::max(spread.size(), rows_.size()); ++i) {
    TMenuRow* r = row(i);
    const QList<QAction*> wanted = i < spread.size() ? spread[i] : QList<QAction*>{};
    if (r->actions() != wanted) {
      for (QAction* a : r->actions()) r->removeAction(a);
      r->addActions(wanted);
    }
    r->setVisible(!wanted.isEmpty());
    r->setHasNeighbours(spread.size() > 1);
    if (!wanted.isEmpty())
      height += r->heightForWidth(width) > 0 ? r->heightForWidth(width) : r->sizeHint().height();
  }
  setFixedSize(width, height);
  return height;
}

void TMenuRows::walk(TMenuRow* from, bool forward) {
  std::vector<TMenuRow*> used;
  for (TMenuRow* r : rows_)
    if (!r->actions().isEmpty()) used.push_back(r);
  const auto at = std::find(used.begin(), used.end(), from);
  if (at == used.end()) return;
  const std::size_t i = static_cast<std::size_t>(at - used.begin());
  TMenuRow* to = used[(i + (forward ? 1 : used.size() - 1)) % used.size()];
  if (QAction* open = from->activeAction(); open && open->menu()) open->menu()->hide();
  from->setActiveAction(nullptr);
  to->setActiveAction(forward ? to->actions().first() : to->actions().last());
}

}  // namespace wc
