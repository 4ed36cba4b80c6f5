// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The 24-bit bitmap the wallpaper is written as: every width, every way of
// encoding it, and a reused buffer.
#include <gtest/gtest.h>

#include <QImage>
#include <string>

#include "Noise.h"
#include "map/Bmp.h"

namespace wc {
namespace {

// The picture a bitmap holds, read byte by byte; its row padding must be 0.
QImage Decode(const std::string& bmp) {
  auto u32 = [&](std::size_t at) {
    return static_cast<unsigned>(static_cast<unsigned char>(bmp[at])) |
           static_cast<unsigned>(static_cast<unsigned char>(bmp[at + 1])) << 8 |
           static_cast<unsigned>(static_cast<unsigned char>(bmp[at + 2])) << 16 |
           static_cast<unsigned>(static_cast<unsigned char>(bmp[at + 3])) << 24;
  };
  if (bmp.size() < 54 || bmp.compare(0, 2, "BM") != 0 || u32(2) != bmp.size() || bmp[28] != 24) return {};
  const int w = static_cast<int>(u32(18)), h = static_cast<int>(u32(22));
  const std::size_t row = (static_cast<std::size_t>(w) * 3 + 3) & ~std::size_t{3};
  if (bmp.size() != 54 + row * static_cast<std::size_t>(h)) return {};
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    const char* r = bmp.data() + 54 + row * static_cast<std::size_t>(h - 1 - y);
    for (int x = 0; x < w; ++x) {
      img.setPixel(x, y,
                   qRgb(static_cast<unsigned char>(r[3 * x + 2]), static_cast<unsigned char>(r[3 * x + 1]),
                        static_cast<unsigned char>(r[3 * x])));
    }
    for (std::size_t p = 3 * static_cast<std::size_t>(w); p < row; ++p) {
      if (r[p] != 0) return {};
    }
  }
  return img;
}

TEST(Bitmap, EveryWidthEveryWay) {
  std::string reused = EncodeBmp24(Noise(40, 30, 1));  // larger, and not zero where padding goes
  for (int w : {1, 2, 3, 4, 5, 6, 7, 8, 9, 13, 803}) {
    SCOPED_TRACE(w);
    const QImage img = Noise(w, 3, static_cast<unsigned>(w));
    const std::string whole = EncodeBmp24(img);
    EXPECT_EQ(Decode(whole), img);
    std::string pieces;
    EncodeBmp24(img, [&](const char* b, std::size_t n) { pieces.append(b, n); });
    EXPECT_EQ(pieces, whole);
    EncodeBmp24Into(img, reused);
    EXPECT_EQ(reused, whole);
  }
  EXPECT_EQ(EncodeBmp24(QImage()), "");
}

}  // namespace
}  // namespace wc
