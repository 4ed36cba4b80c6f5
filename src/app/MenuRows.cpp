// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/MenuRows.h"

#include <QMenu>
#include <QVBoxLayout>
#include <algorithm>

#include "app/MenuRow.h"

namespace wc {

MenuRows::MenuRows(QWidget* parent) : QWidget(parent), layout_(new QVBoxLayout(this)) {
  // A skin paints the rows as one band (a bar of its own for each row would
  // draw its foot line between them).
  setObjectName(QStringLiteral("MenuRows"));
  setAttribute(Qt::WA_StyledBackground);
  layout_->setContentsMargins(0, 0, 0, 0);
  layout_->setSpacing(0);
  row(0);
}

MenuRow* MenuRows::row(std::size_t index) {
  while (rows_.size() <= index) {
    auto* r = new MenuRow(this);
    r->setObjectName(rows_.empty() ? QStringLiteral("mmMain")
                                   : QStringLiteral("mmMain%1").arg(rows_.size() + 1));
    r->setAnswersAltKey(rows_.empty());
    // After the key event, which the open menu is still handling.
    connect(
        r, &MenuRow::walkedOffEnd, this, [this, r](bool forward) { walk(r, forward); }, Qt::QueuedConnection);
    layout_->addWidget(r);
    rows_.push_back(r);
  }
  return rows_[index];
}

QMenu* MenuRows::addMenu(const QString& title) {
  auto* m = new QMenu(title, this);
  rows_.back()->addMenu(m);
  entries_ << m->menuAction();
  return m;
}

int MenuRows::arrange(int width) {
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
    MenuRow* r = row(i);
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

void MenuRows::walk(MenuRow* from, bool forward) {
  std::vector<MenuRow*> used;
  for (MenuRow* r : rows_)
    if (!r->actions().isEmpty()) used.push_back(r);
  const auto at = std::find(used.begin(), used.end(), from);
  if (at == used.end()) return;
  const std::size_t i = static_cast<std::size_t>(at - used.begin());
  MenuRow* to = used[(i + (forward ? 1 : used.size() - 1)) % used.size()];
  if (QAction* open = from->activeAction(); open && open->menu()) open->menu()->hide();
  from->setActiveAction(nullptr);
  to->setActiveAction(forward ? to->actions().first() : to->actions().last());
}

}  // namespace wc
