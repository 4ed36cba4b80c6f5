// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the analog and the digital desktop clock windows share: a borderless
// window that belongs to the desktop (no task-bar, pager or switcher entry,
// on every virtual desktop, apart from the main window), the stacking band,
// the opacity, the right-click menu, dragging with any other button, and the
// one-second beat while the window is shown.

#include <QList>
#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <span>
#include <string>

#include "core/DateTime.h"

class QAction;
class QActionGroup;
class QMenu;

namespace wc {

class ClockTicker;

class DesktopClockWindow : public QWidget {
  Q_OBJECT
 public:
  // ticker beats while the window is shown; translucent: the window has
  // per-pixel alpha (a compositor runs).
  DesktopClockWindow(ClockTicker& ticker, bool translucent);

  // The topmost or the normal band, without moving, resizing or activating.
  void setAlwaysOnTop(bool on);
  bool alwaysOnTop() const;
  bool translucent() const { return translucent_; }
  // The compositor came or went: the window is made anew with per-pixel
  // alpha or with a shape, in the same place and state, and the opacity
  // items are offered only with alpha.
  void setTranslucent(bool on);

  // The place from which a later move counts as the user's.
  void notePlace() { lastPlace_ = pos(); }

  QMenu* popClock = nullptr;
  QList<QAction*> themeItems, opacityItems;
  QAction* miAlwaysOnTop = nullptr;  // "&Always on the top"
  QAction* miRemove = nullptr;       // "&Remove"

  // The opacity item with exactly this value, or none.
  void checkOpacityItem(int alpha);
  // The theme item named like the theme file, or none (a theme the menu
  // does not offer).
  void checkThemeItem(const std::string& themeFile);

 signals:
  // The user has put the window somewhere else (at the end of a drag).
  void moved();

 protected:
  // Called once a second while the window is shown.
  virtual void tick(DateTime utcWithLead) = 0;
  // The window is now on a screen of another device pixel ratio.
  virtual void densityChanged() {}
  // The window has just been made anew for translucent(), not yet shown:
  // shape, picture and opacity are to be set again.
  virtual void modeChanged() = 0;

  QAction* addItem(QMenu* menu, const char* caption, bool checkable);
  // "&Change Theme": radio items of which one or none is checked; a click
  // calls onTheme with the item.
  void addThemeMenu(std::span<const char* const> names, std::function<void(QAction*)> onTheme);
  // "&Opacity": "20%" ... "100%"; a click checks its item and calls onAlpha.
  void addOpacityMenu(std::function<void(int alpha)> onAlpha);
  // "&Always on the top" (calls onChange after moving the window to its
  // band) and "&Remove" (calls onRemove, then the window goes).
  void addAlwaysOnTopItem(std::function<void()> onChange);
  void addRemoveItem(std::function<void()> onRemove);

  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;

 private:
  void reportMove();
  void offerOpacity();

  ClockTicker& ticker_;
  bool translucent_ = false;
  bool followsScreen_ = false;
  qreal shownDpr_ = 1;
  bool dragging_ = false;
  QPoint dragOffset_;
  QPoint lastPlace_;
  QTimer moveSettle_;
  QMenu* opacityMenu_ = nullptr;
};

}  // namespace wc
