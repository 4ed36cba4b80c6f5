// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Where windows go on the desktop: kept within a monitor's work area, brought
// back from where no monitor shows them, and new ones set where none lies.

#include <optional>
#include <span>

namespace wc {

// A window's outer rectangle or a monitor's work area, in screen pixels.
struct ScreenRect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const ScreenRect&) const = default;
};

// Where the window goes so that it lies within the work area: moved in as
// little as it takes, and with its top-left at the area's along a side where
// it is larger than the area.
ScreenRect FitIntoWorkArea(ScreenRect window, const ScreenRect& area);

// A window that no work area shows at least half of (a monitor unplugged, a
// smaller resolution) goes fully onto the nearest one, as FitIntoWorkArea
// puts it there; nullopt when it may stay, or when there is no work area.
std::optional<ScreenRect> BroughtOnScreen(const ScreenRect& window, std::span<const ScreenRect> areas);

// Where a new window of this size goes: at `designed` when no other window's
// top-left corner lies within kPlaceStep pixels of it, else that many pixels
// further down and right, until it finds such a place or would leave the
// work area (then the last place that fits).
inline constexpr int kPlaceStep = 24;
ScreenRect FreePlace(const ScreenRect& designed, std::span<const ScreenRect> others, const ScreenRect& area);

}  // namespace wc
