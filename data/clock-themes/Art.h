// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Small painting toolkit for the clock themes: deterministic noise, colour
// arithmetic, per-pixel rendering with supersampling and soft shadows.
#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>

#include <functional>

namespace art {

// Linear RGBA in 0..1, straight (not premultiplied) alpha.
struct Rgba {
  double r = 0, g = 0, b = 0, a = 1;
};

Rgba rgba(const QColor& c, double alpha = 1.0);
QColor toColor(const Rgba& c);
Rgba mix(const Rgba& a, const Rgba& b, double t);
Rgba shade(const Rgba& c, double amount);  // < 0 darkens toward black, > 0 lightens toward white
Rgba over(const Rgba& top, const Rgba& bottom);

double clamp01(double v);
double smoothstep(double e0, double e1, double x);

// Value noise in 0..1, the same for the same arguments on every machine.
double noise(double x, double y, int seed);
double fbm(double x, double y, int seed, int octaves);

// Renders f over a size x size image whose coordinates run 0..200 on both axes,
// averaging ss x ss samples per pixel.
QImage render(int size, int ss, const std::function<Rgba(double u, double v)>& f);

// A blurred, tinted copy of img's alpha: a soft halo or shadow.
QImage shadowOf(const QImage& img, int radius, const QColor& tint, double opacity);

}  // namespace art
