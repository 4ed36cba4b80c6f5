// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Large pictures in blocks of their own, reused while their shape stays.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdint>

#include "map/LargeBuffer.h"

namespace wc {
namespace {

TEST(LargeImage, BehavesAsAnOrdinaryImage) {
  QImage a = NewLargeImage(2048, 1024);
  ASSERT_FALSE(a.isNull());
  EXPECT_EQ(a.format(), QImage::Format_RGB32);
  EXPECT_EQ(a.bytesPerLine(), 2048 * 4);
#ifdef __linux__
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(a.constBits()) % (2u << 20), 0u);  // huge pages can back it
#endif
  a.fill(qRgb(10, 20, 30));
  a.setPixel(2047, 1023, qRgb(1, 2, 3));
  // Copies share it until one is written.
  QImage b = a;
  b.setPixel(0, 0, qRgb(4, 5, 6));
  EXPECT_EQ(a.pixel(0, 0), qRgb(10, 20, 30));
  EXPECT_EQ(b.pixel(2047, 1023), qRgb(1, 2, 3));
  // Small pictures and odd formats.
  EXPECT_EQ(NewLargeImage(3, 2).size(), QSize(3, 2));
  EXPECT_EQ(NewLargeImage(701, 400, QImage::Format_ARGB32_Premultiplied).bytesPerLine(), 701 * 4);
}

TEST(LargeImage, ReusedOnlyWhenItsShapeStaysAndNoCopyShares) {
  QImage img = NewLargeImage(800, 400);
  const uchar* memory = img.constBits();
  EXPECT_TRUE(ReuseImage(img, 800, 400));
  EXPECT_EQ(img.constBits(), memory);

  img.fill(qRgb(7, 8, 9));
  const QImage shared = img;
  EXPECT_FALSE(ReuseImage(img, 800, 400));
  EXPECT_NE(img.constBits(), shared.constBits());
  EXPECT_EQ(shared.pixel(5, 5), qRgb(7, 8, 9));

  EXPECT_FALSE(ReuseImage(img, 400, 200));
  EXPECT_EQ(img.size(), QSize(400, 200));
  EXPECT_FALSE(ReuseImage(img, 400, 200, QImage::Format_ARGB32));
  EXPECT_EQ(img.format(), QImage::Format_ARGB32);
  QImage none;
  EXPECT_FALSE(ReuseImage(none, 1024, 512));
  EXPECT_EQ(none.size(), QSize(1024, 512));
}

}  // namespace
}  // namespace wc
