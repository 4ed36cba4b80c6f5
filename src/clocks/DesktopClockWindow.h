#pragma once
// What the analog and the digital desktop clock windows share: a borderless
// tool window without a task-bar entry and without an owner, the stacking
// band, the opacity, the right-click menu, dragging with any other button,
// and the one-second beat while the window is shown.

#include <QList>
#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <span>
#include <string>

#include "clocks/ClockList.h"
#include "core/DateTime.h"

class QAction;
class QActionGroup;
class QMenu;

namespace wc {

class DesktopClockWindow : public QWidget, public ClockWindowLink {
  Q_OBJECT
 public:
  // translucent: the window has per-pixel alpha (a compositor runs).
  explicit DesktopClockWindow(bool translucent);

  int windowLeft() const override { return x(); }
  int windowTop() const override { return y(); }

  // The topmost or the normal band, without moving, resizing or activating.
  void setAlwaysOnTop(bool on);
  bool alwaysOnTop() const;
  bool translucent() const { return translucent_; }

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

  bool translucent_ = false;
  bool dragging_ = false;
  QPoint dragOffset_;
  QPoint lastPlace_;
  QTimer moveSettle_;
};

}  // namespace wc
