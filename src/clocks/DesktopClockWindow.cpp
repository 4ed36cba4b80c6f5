// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DesktopClockWindow.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QWindow>

#include "clocks/ClockFace.h"
#include "clocks/ClockTheme.h"
#include "clocks/ClockTicker.h"
#include "platform/DesktopWindow.h"

namespace wc {

namespace {

// A window manager's move loop tells the window nothing when it ends; the
// place counts as final once it has rested this long.
constexpr int kMoveSettleMs = 400;

const char* const kNoCompositorHint = "The desktop has no compositor: a clock's opacity cannot be changed.";

}  // namespace

// Not a tool window: the toolkit makes those transient for the program, and
// window managers then hide them with its main window (the desktop window
// hints do the tool window's part). A clock is looked at, not typed into: it
// never takes the focus, so showing one never asks for it either (KWin marks
// a window shown without the focus it could take as demanding attention).
DesktopClockWindow::DesktopClockWindow(ClockTicker& ticker, bool translucent)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint |
                           Qt::WindowDoesNotAcceptFocus),
      ticker_(ticker),
      translucent_(translucent) {
  if (translucent_) {
    setAttribute(Qt::WA_TranslucentBackground);
  } else {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
  }
  popClock = new QMenu(this);
  popClock->setObjectName(QStringLiteral("popClock"));
  moveSettle_.setSingleShot(true);
  moveSettle_.setInterval(kMoveSettleMs);
  connect(&moveSettle_, &QTimer::timeout, this, &DesktopClockWindow::reportMove);
}

namespace {

// Radio items of which no item, or one, is checked.
QActionGroup* OptionalGroup(QObject* parent) {
  auto* g = new QActionGroup(parent);
  g->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  return g;
}

}  // namespace

QAction* DesktopClockWindow::addItem(QMenu* menu, const char* caption, bool checkable) {
  QAction* a = menu->addAction(QString::fromUtf8(caption));
  a->setCheckable(checkable);
  return a;
}

void DesktopClockWindow::addThemeMenu(std::span<const char* const> names,
                                      std::function<void(QAction*)> onTheme) {
  QMenu* themes = popClock->addMenu(QStringLiteral("&Change Theme"));
  QActionGroup* group = OptionalGroup(this);
  for (const char* name : names) {
    QAction* a = addItem(themes, name, true);
    group->addAction(a);
    themeItems << a;
    connect(a, &QAction::triggered, this, [a, onTheme] { onTheme(a); });
  }
}

void DesktopClockWindow::addOpacityMenu(std::function<void(int)> onAlpha) {
  QMenu* opacity = popClock->addMenu(QStringLiteral("&Opacity"));
  opacityMenu_ = opacity;
  QActionGroup* group = OptionalGroup(this);
  for (std::size_t i = 0; i < kOpacityCaptions.size(); ++i) {
    QAction* a = addItem(opacity, kOpacityCaptions[i], true);
    group->addAction(a);
    opacityItems << a;
    connect(a, &QAction::triggered, this, [a, i, onAlpha] {
      a->setChecked(true);  // a click on the checked item keeps it
      onAlpha(kOpacityValues[i]);
    });
  }
  offerOpacity();
}

void DesktopClockWindow::offerOpacity() {
  if (!opacityMenu_) return;
  const QString hint = translucent_ ? QString() : QString::fromUtf8(kNoCompositorHint);
  popClock->setToolTipsVisible(true);
  opacityMenu_->setToolTipsVisible(true);
  opacityMenu_->menuAction()->setToolTip(hint);
  for (QAction* a : opacityItems) {
    a->setEnabled(translucent_);
    a->setToolTip(hint);  // none: the item's own caption
  }
}

void DesktopClockWindow::setTranslucent(bool on) {
  if (on == translucent_) return;
  translucent_ = on;
  const bool wasVisible = isVisible();
  const QPoint place = pos();
  // The alpha channel is chosen when the native window is made.
  if (windowHandle()) {
    hide();
    destroy();
    followsScreen_ = false;
  }
  setAttribute(Qt::WA_OpaquePaintEvent, !on);
  setAttribute(Qt::WA_NoSystemBackground);
  setAttribute(Qt::WA_TranslucentBackground, on);
  clearMask();
  move(place);
  modeChanged();
  offerOpacity();
  if (wasVisible) show();
}

void DesktopClockWindow::addAlwaysOnTopItem(std::function<void()> onChange) {
  miAlwaysOnTop = addItem(popClock, "&Always on the top", true);
  connect(miAlwaysOnTop, &QAction::triggered, this, [this, onChange](bool on) {
    setAlwaysOnTop(on);
    onChange();
  });
}

void DesktopClockWindow::addRemoveItem(std::function<void()> onRemove) {
  miRemove = addItem(popClock, "&Remove", false);
  connect(miRemove, &QAction::triggered, this, [this, onRemove] {
    onRemove();
    hide();
    deleteLater();
  });
}

void DesktopClockWindow::checkOpacityItem(int alpha) {
  const std::optional<int> item = OpacityItemFor(alpha);
  for (int i = 0; i < opacityItems.size(); ++i) opacityItems[i]->setChecked(item && *item == i);
}

void DesktopClockWindow::checkThemeItem(const std::string& themeFile) {
  const QString theme = QString::fromStdString(ThemeNameOf(themeFile));
  for (QAction* a : themeItems) a->setChecked(a->text() == theme);
}

bool DesktopClockWindow::alwaysOnTop() const { return windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

void DesktopClockWindow::setAlwaysOnTop(bool on) {
  Qt::WindowFlags f = windowFlags();
  f.setFlag(Qt::WindowStaysOnTopHint, on);
  if (f == windowFlags()) return;
  if (QWindow* w = windowHandle()) {
    // Changing the flags through the widget would recreate (and hide) it.
    overrideWindowFlags(f);
    w->setFlags(f);
    MarkAsDesktopWindow(w);
  } else {
    setWindowFlags(f);
  }
}

void DesktopClockWindow::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::RightButton) return;  // the menu's button
  QWindow* w = windowHandle();
  if (w && w->startSystemMove()) return;
  // No window manager to move it: follow the pointer ourselves.
  dragging_ = true;
  dragOffset_ = e->globalPosition().toPoint() - pos();
}

void DesktopClockWindow::mouseMoveEvent(QMouseEvent* e) {
  if (dragging_) move(e->globalPosition().toPoint() - dragOffset_);
}

void DesktopClockWindow::mouseReleaseEvent(QMouseEvent*) {
  if (!dragging_) return;
  dragging_ = false;
  moveSettle_.stop();
  reportMove();
}

void DesktopClockWindow::contextMenuEvent(QContextMenuEvent* e) { popClock->popup(e->globalPos()); }

void DesktopClockWindow::moveEvent(QMoveEvent* e) {
  QWidget::moveEvent(e);
  if (isVisible() && !dragging_) moveSettle_.start();
}

void DesktopClockWindow::reportMove() {
  if (pos() == lastPlace_) return;
  lastPlace_ = pos();
  emit moved();
}

void DesktopClockWindow::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  MarkAsDesktopWindow(windowHandle());
  ticker_.subscribe(this, [this](DateTime t) { tick(t); });
  QWindow* w = windowHandle();
  if (w && !followsScreen_) {
    followsScreen_ = true;
    shownDpr_ = devicePixelRatioF();
    // Dragged onto a screen of another density: its own pictures there.
    connect(w, &QWindow::screenChanged, this, [this] {
      if (devicePixelRatioF() == shownDpr_) return;
      shownDpr_ = devicePixelRatioF();
      densityChanged();
    });
  }
}

void DesktopClockWindow::hideEvent(QHideEvent* e) {
  QWidget::hideEvent(e);
  // A hidden clock paints nothing.
  ticker_.unsubscribe(this);
}

}  // namespace wc
