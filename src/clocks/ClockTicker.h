// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The desktop clocks' one-second beat. One timer serves every clock (the
// desktop clocks own it), fired just after each whole second of the
// computer's clock, so all of them wake together once a second and a late
// tick never shows a second twice or skips one. It runs only while something
// listens.

#include <QObject>
#include <QSet>
#include <QTimer>
#include <functional>

#include "core/DateTime.h"

namespace wc {

class ClockTicker : public QObject {
  Q_OBJECT
 public:
  explicit ClockTicker(QObject* parent = nullptr);

  // onTick runs on every tick until the listener unsubscribes or is
  // destroyed; a second subscription of the same listener changes nothing.
  void subscribe(QObject* listener, std::function<void(DateTime utcWithLead)> onTick);
  void unsubscribe(QObject* listener);
  int listeners() const { return static_cast<int>(listeners_.size()); }

 signals:
  // UTC now with the desktop clocks' half-second lead.
  void tick(wc::DateTime utcWithLead);

 private:
  void fire();
  void arm();

  QTimer timer_;
  QSet<QObject*> listeners_;
};

}  // namespace wc
