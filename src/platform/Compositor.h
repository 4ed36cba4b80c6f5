// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Whether the desktop composites windows: then a window may be translucent
// per pixel and have an opacity of its own; otherwise only a shape.

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <cstdint>

namespace wc {

// X11: the compositing manager selection _NET_WM_CM_S<screen> has an owner.
// Wayland and Windows always composite; the offscreen platform never does.
bool DesktopComposites();

// Follows the compositor as it starts and stops (X11: the selection's owner
// changes); elsewhere the answer never changes.
class CompositorWatch : public QObject, public QAbstractNativeEventFilter {
  Q_OBJECT
 public:
  explicit CompositorWatch(QObject* parent = nullptr);
  ~CompositorWatch() override;
  bool composites() const { return composites_; }

 signals:
  // Emitted after the change, from the event loop (never inside X event
  // handling, so receivers may recreate windows).
  void changed(bool composites);

 private:
  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
  void recheck();

  bool composites_ = false;
  bool watching_ = false;
  std::uint32_t selection_ = 0;  // the selection's atom
  std::uint8_t firstEvent_ = 0;  // the XFixes extension's first event code
};

}  // namespace wc
