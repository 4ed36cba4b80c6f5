// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A picture of random colours, the same for the same seed.

#include <QImage>
#include <random>

namespace wc {

inline QImage Noise(int w, int h, unsigned seed) {
  std::mt19937 rng(seed);
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) img.setPixel(x, y, 0xFF000000u | (rng() & 0xFFFFFFu));
  }
  return img;
}

}  // namespace wc
