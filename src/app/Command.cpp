// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Command.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace wc {

Command::Command(QObject* parent) : QObject(parent) {}

void Command::checkedWhen(std::function<bool()> on) {
  checked_ = std::move(on);
  for (QAction* v : views_)
    if (v) v->setCheckable(true);
}

QAction* Command::addTo(QMenu* menu, const QString& caption, const char* objectName) {
  QAction* a = menu->addAction(caption);
  if (objectName) a->setObjectName(QString::fromLatin1(objectName));
  return bind(a);
}

QAction* Command::bind(QAction* view) {
  if (checked_) view->setCheckable(true);
  if (group_) group_->addAction(view);
  views_ << view;
  connect(view, &QAction::triggered, this, &Command::run);
  return view;
}

void Command::refresh() {
  for (QAction* v : views_) {
    if (!v) continue;
    if (checked_) v->setChecked(checked_());
    if (enabled_) v->setEnabled(enabled_());
    if (shown_) v->setVisible(shown_());
  }
}

void Command::run() {
  if (run_) run_();
  // A click toggled the clicked view on its own; the owner's state decides.
  refresh();
  emit ran();
}

}  // namespace wc
