// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ClockTicker.h"

#include "clocks/ClockFace.h"

namespace wc {

ClockTicker::ClockTicker(QObject* parent) : QObject(parent) {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &ClockTicker::fire);
}

void ClockTicker::subscribe(QObject* listener, std::function<void(DateTime)> onTick) {
  if (listeners_.contains(listener)) return;
  listeners_.insert(listener);
  connect(this, &ClockTicker::tick, listener, std::move(onTick));
  connect(listener, &QObject::destroyed, this, [this, listener] { unsubscribe(listener); });
  if (listeners_.size() == 1) arm();
}

void ClockTicker::unsubscribe(QObject* listener) {
  if (!listeners_.remove(listener)) return;
  disconnect(listener, &QObject::destroyed, this, nullptr);
  disconnect(this, nullptr, listener, nullptr);
  if (listeners_.isEmpty()) timer_.stop();
}

void ClockTicker::arm() {
  const DateTimeParts now = Decode(LocalNow());
  timer_.start(1000 - now.millisecond + 15);
}

void ClockTicker::fire() {
  arm();
  emit tick(UtcNowWithLead());
}

}  // namespace wc
