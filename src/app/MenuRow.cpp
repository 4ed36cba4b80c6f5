// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/MenuRow.h"

#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionMenuItem>

namespace wc {

namespace {
// What the bar's frame and style-sheet padding may add beyond its metrics.
constexpr int kSlack = 6;
}  // namespace

MenuRow::MenuRow(QWidget* parent) : QMenuBar(parent) {}

int MenuRow::widthFor(const QList<QAction*>& entries) const {
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

void MenuRow::keyPressEvent(QKeyEvent* e) {
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

bool MenuRow::eventFilter(QObject* watched, QEvent* e) {
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

}  // namespace wc
