// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Hue/saturation/lightness conversion used by the twilight blend, free of Qt.

#include <cstdint>

namespace wc {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Hsl {
  double h = 0, s = 0, l = 0;  // each 0..1
};

// A colour as one 24-bit number with red in the low byte and blue in the
// high byte (0x0000FF is pure red): the form every threshold is written in.
inline constexpr std::uint32_t ColorRef(Rgb c) {
  return static_cast<std::uint32_t>(c.r) | static_cast<std::uint32_t>(c.g) << 8 |
         static_cast<std::uint32_t>(c.b) << 16;
}
inline constexpr Rgb FromColorRef(std::uint32_t c) {
  return {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8),
          static_cast<std::uint8_t>(c >> 16)};
}

Hsl RgbToHsl(Rgb c);
// Channels are rounded half to even.
Rgb HslToRgb(const Hsl& hsl);
// The colour with its lightness multiplied by f, hue and saturation kept,
// except that a pixel lighter than half lightness keeps its chroma from
// growing (its saturation is lowered as far as needed).
Rgb ScaleLightness(Rgb c, double f);

}  // namespace wc
