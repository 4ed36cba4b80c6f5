// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One command of the main window: what it does, and whether it is checked,
// enabled and shown. Every menu entry and tool button that shows it is a view
// bound to it, each keeping its own caption: a click on any view runs the
// command, and refresh() shows the owner's state in every view at once, so no
// two of them can disagree. The state itself lives with its owner (the map's
// settings, the window, the desktop clocks); the command only reads it.

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>

class QAction;
class QActionGroup;
class QMenu;

namespace wc {

class Command : public QObject {
  Q_OBJECT
 public:
  explicit Command(QObject* parent = nullptr);

  // What a click on any view does.
  void onRun(std::function<void()> run) { run_ = std::move(run); }
  // Makes the views checkable, showing this state.
  void checkedWhen(std::function<bool()> on);
  void enabledWhen(std::function<bool()> on) { enabled_ = std::move(on); }
  void shownWhen(std::function<bool()> on) { shown_ = std::move(on); }
  // Views of the commands of one group show as radio items, one of them checked.
  void setGroup(QActionGroup* group) { group_ = group; }

  // A new menu entry showing the command, under the object name that tests
  // and scripts know it by.
  QAction* addTo(QMenu* menu, const QString& caption, const char* objectName = nullptr);
  // A view made elsewhere (a tool button's action with its own picture and hint).
  QAction* bind(QAction* view);
  const QList<QPointer<QAction>>& views() const { return views_; }

  bool isChecked() const { return checked_ && checked_(); }
  // Shows the state in every view.
  void refresh();
  void run();

 signals:
  // After each run, so that the commands whose state it changed show it.
  void ran();

 private:
  std::function<void()> run_;
  std::function<bool()> checked_, enabled_, shown_;
  QActionGroup* group_ = nullptr;
  QList<QPointer<QAction>> views_;
};

}  // namespace wc
