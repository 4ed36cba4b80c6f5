// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/Hsl.h"

#include <algorithm>
#include <cmath>

#include "map/MapMath.h"

namespace wc {

Hsl RgbToHsl(Rgb c) {
  const double r = c.r / 255.0, g = c.g / 255.0, b = c.b / 255.0;
  const double mx = std::max({r, g, b});
  const double mn = std::min({r, g, b});
  Hsl out;
  out.l = (mx + mn) / 2;
  if (mx == mn) return out;
  const double d = mx - mn;
  out.s = out.l >= 0.5 ? d / (2 - mx - mn) : d / (mx + mn);
  double h6;
  if (mx == r)
    h6 = (g - b) / d;
  else if (mx != g)
    h6 = (r - g) / d + 4;
  else
    h6 = (b - r) / d + 2;
  out.h = h6 / 6;
  if (out.h < 0) out.h += 1;
  return out;
}

namespace {

double Channel(double p, double q, double t) {
  if (t < 0) t += 1;
  if (t > 1) t -= 1;
  if (6 * t < 1) return p + (q - p) * 6 * t;
  if (2 * t < 1) return q;
  if (3 * t < 2) return p + (q - p) * (2.0 / 3 - t) * 6;
  return p;
}

std::uint8_t Byte(double v) { return static_cast<std::uint8_t>(std::clamp(RoundHalfEven(255 * v), 0, 255)); }

}  // namespace

Rgb HslToRgb(const Hsl& c) {
  if (c.s == 0) {
    const std::uint8_t v = Byte(c.l);
    return {v, v, v};
  }
  const double q = c.l > 0.5 ? c.s + c.l - c.s * c.l : c.l * (1 + c.s);
  const double p = 2 * c.l - q;
  return {Byte(Channel(p, q, c.h + 1.0 / 3)), Byte(Channel(p, q, c.h)), Byte(Channel(p, q, c.h - 1.0 / 3))};
}

Rgb ScaleLightness(Rgb c, double f) {
  Hsl h = RgbToHsl(c);
  const double l0 = h.l;
  h.l *= f;
  // Above half lightness, s is chroma over (2 - 2l): a near-white pixel with
  // a trace of tint has s close to 1, and keeping s while it darkens would
  // turn JPEG noise on ice into vivid speckles. So the chroma (max - min) is
  // not allowed to grow; pixels up to half lightness are never affected.
  if (l0 > 0.5 && h.s > 0) {
    const double chroma = (std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b})) / 255.0;
    const double room = 1 - std::fabs(2 * h.l - 1);
    if (h.s * room > chroma) h.s = chroma / room;
  }
  return HslToRgb(h);
}

}  // namespace wc
