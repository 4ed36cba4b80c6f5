// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ScreenPlace.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace wc {

namespace {

int FitSpan(int start, int size, int areaStart, int areaSize) {
  if (size >= areaSize) return areaStart;
  return std::clamp(start, areaStart, areaStart + areaSize - size);
}

std::int64_t Overlap(const ScreenRect& a, const ScreenRect& b) {
  const std::int64_t w = std::min(a.left + a.width, b.left + b.width) - std::max(a.left, b.left);
  const std::int64_t h = std::min(a.top + a.height, b.top + b.height) - std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

// Squared distance from the window's centre to the nearest point of the area.
std::int64_t Distance(const ScreenRect& window, const ScreenRect& area) {
  const std::int64_t cx = window.left + window.width / 2, cy = window.top + window.height / 2;
  const std::int64_t dx =
      cx < area.left ? area.left - cx : std::max<std::int64_t>(0, cx - (area.left + area.width));
  const std::int64_t dy =
      cy < area.top ? area.top - cy : std::max<std::int64_t>(0, cy - (area.top + area.height));
  return dx * dx + dy * dy;
}

bool Inside(const ScreenRect& w, const ScreenRect& area) {
  return w.left >= area.left && w.top >= area.top && w.left + w.width <= area.left + area.width &&
         w.top + w.height <= area.top + area.height;
}

}  // namespace

ScreenRect FitIntoWorkArea(ScreenRect w, const ScreenRect& area) {
  w.left = FitSpan(w.left, w.width, area.left, area.width);
  w.top = FitSpan(w.top, w.height, area.top, area.height);
  return w;
}

std::optional<ScreenRect> BroughtOnScreen(const ScreenRect& window, std::span<const ScreenRect> areas) {
  if (areas.empty()) return std::nullopt;
  const std::int64_t whole = std::int64_t{std::max(1, window.width)} * std::max(1, window.height);
  const ScreenRect* nearest = nullptr;
  std::int64_t best = std::numeric_limits<std::int64_t>::max();
  for (const ScreenRect& a : areas) {
    if (2 * Overlap(window, a) >= whole) return std::nullopt;
    if (const std::int64_t d = Distance(window, a); d < best) {
      best = d;
      nearest = &a;
    }
  }
  return FitIntoWorkArea(window, *nearest);
}

ScreenRect FreePlace(const ScreenRect& designed, std::span<const ScreenRect> others, const ScreenRect& area) {
  auto taken = [&](const ScreenRect& w) {
    return std::any_of(others.begin(), others.end(), [&](const ScreenRect& o) {
      return std::abs(o.left - w.left) < kPlaceStep && std::abs(o.top - w.top) < kPlaceStep;
    });
  };
  ScreenRect w = designed;
  while (taken(w)) {
    ScreenRect next = w;
    next.left += kPlaceStep;
    next.top += kPlaceStep;
    if (!Inside(next, area)) break;
    w = next;
  }
  return w;
}

}  // namespace wc
