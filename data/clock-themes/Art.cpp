// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Art.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace art {

Rgba rgba(const QColor& c, double alpha) {
  return {double(c.redF()), double(c.greenF()), double(c.blueF()), double(c.alphaF()) * alpha};
}

QColor toColor(const Rgba& c) {
  return QColor::fromRgbF(static_cast<float>(clamp01(c.r)), static_cast<float>(clamp01(c.g)),
                          static_cast<float>(clamp01(c.b)), static_cast<float>(clamp01(c.a)));
}

Rgba mix(const Rgba& a, const Rgba& b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Rgba shade(const Rgba& c, double amount) {
  const Rgba target = amount < 0 ? Rgba{0, 0, 0, c.a} : Rgba{1, 1, 1, c.a};
  return mix(c, target, std::min(1.0, std::abs(amount)));
}

Rgba over(const Rgba& top, const Rgba& bottom) {
  const double a = top.a + bottom.a * (1 - top.a);
  if (a <= 0) return {0, 0, 0, 0};
  auto ch = [&](double t, double b) { return (t * top.a + b * bottom.a * (1 - top.a)) / a; };
  return {ch(top.r, bottom.r), ch(top.g, bottom.g), ch(top.b, bottom.b), a};
}

double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

double smoothstep(double e0, double e1, double x) {
  const double t = clamp01((x - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}

namespace {
double lattice(int x, int y, int seed) {
  // Integer hash (no library random numbers, so every machine draws the same).
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               static_cast<uint32_t>(seed) * 2147483647u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xffffff) / double(0xffffff);
}
}  // namespace

double noise(double x, double y, int seed) {
  const double fx = std::floor(x), fy = std::floor(y);
  const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  const double tx = smoothstep(0, 1, x - fx), ty = smoothstep(0, 1, y - fy);
  const double a = lattice(ix, iy, seed), b = lattice(ix + 1, iy, seed);
  const double c = lattice(ix, iy + 1, seed), d = lattice(ix + 1, iy + 1, seed);
  return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double fbm(double x, double y, int seed, int octaves) {
  double sum = 0, amp = 0.5, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amp * noise(x, y, seed + i * 17);
    norm += amp;
    x *= 2.03;
    y *= 2.03;
    amp *= 0.5;
  }
  return sum / norm;
}

QImage render(int size, int ss, const std::function<Rgba(double u, double v)>& f) {
  QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
  const double unit = 200.0 / size;
  for (int py = 0; py < size; ++py) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(py));
    for (int px = 0; px < size; ++px) {
      double r = 0, g = 0, b = 0, a = 0;
      for (int sy = 0; sy < ss; ++sy)
        for (int sx = 0; sx < ss; ++sx) {
          const Rgba c = f((px + (sx + 0.5) / ss) * unit, (py + (sy + 0.5) / ss) * unit);
          const double ca = clamp01(c.a);
          r += clamp01(c.r) * ca;
          g += clamp01(c.g) * ca;
          b += clamp01(c.b) * ca;
          a += ca;
        }
      const double n = ss * ss;
      auto q = [](double v) { return static_cast<int>(std::lround(clamp01(v) * 255)); };
      line[px] = qRgba(q(r / n), q(g / n), q(b / n), q(a / n));
    }
  }
  return img;
}

QImage shadowOf(const QImage& src, int radius, const QColor& tint, double opacity) {
  const QImage img = src.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const int w = img.width(), h = img.height();
  std::vector<double> a(static_cast<size_t>(w * h)), t(a.size());
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) a[static_cast<size_t>(y * w + x)] = qAlpha(img.pixel(x, y)) / 255.0;
  // Three box passes each way approximate a Gaussian.
  auto pass = [&](std::vector<double>& from, std::vector<double>& to, bool horizontal) {
    const int n = horizontal ? w : h, lines = horizontal ? h : w;
    for (int l = 0; l < lines; ++l)
      for (int i = 0; i < n; ++i) {
        double s = 0;
        for (int k = -radius; k <= radius; ++k) {
          const int j = i + k;
          if (j < 0 || j >= n) continue;
          s += from[static_cast<size_t>(horizontal ? l * w + j : j * w + l)];
        }
        to[static_cast<size_t>(horizontal ? l * w + i : i * w + l)] = s / (2 * radius + 1);
      }
  };
  for (int i = 0; i < 3; ++i) {
    pass(a, t, true);
    pass(t, a, false);
  }
  QImage out(w, h, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double al = clamp01(a[static_cast<size_t>(y * w + x)] * opacity);
      const int ai = static_cast<int>(std::lround(al * 255));
      out.setPixel(x, y,
                   qRgba(static_cast<int>(std::lround(tint.red() * al)),
                         static_cast<int>(std::lround(tint.green() * al)),
                         static_cast<int>(std::lround(tint.blue() * al)), ai));
    }
  return out;
}

}  // namespace art
