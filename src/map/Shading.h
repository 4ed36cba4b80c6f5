// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The per-pixel rule of the day/night composition, free of Qt.

#include <cstdint>

#include "map/Hsl.h"
#include "map/IlluminationMask.h"

namespace wc {

// Night pixels brighter than this (compared as one colour-reference number,
// so blue weighs most) show through the twilight band.
inline constexpr std::uint32_t kTwilightThreshold = 0x606060;

inline bool NightShowsThroughTwilight(Rgb night) { return ColorRef(night) > kTwilightThreshold; }

// The composed pixel for a mask value: night where it is black; in the
// twilight band a bright night pixel at 0.8 lightness, otherwise the day
// pixel at half lightness; day everywhere else.
inline Rgb ShadedPixel(std::uint8_t mask, Rgb day, Rgb night) {
  if (mask == IlluminationMask::kNight) return night;
  if (mask == IlluminationMask::kTwilight) {
    return NightShowsThroughTwilight(night) ? ScaleLightness(night, 0.8) : ScaleLightness(day, 0.5);
  }
  return day;
}

}  // namespace wc
