// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The Bell resampler against a plain transcription of the filter.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "Noise.h"
#include "map/Resample.h"
#include "map/RowSpans.h"

namespace wc {
namespace {

// Straightforward reference: per channel, per pixel, no precomputation.
float RefBell(float x) {
  x = std::fabs(x);
  if (x < 0.5f) return 0.75f - x * x;
  if (x < 1.5f) return 0.5f * (x - 1.5f) * (x - 1.5f);
  return 0.0f;
}

int RefByte(float v) {
  if (v > 255.0f) return 255;
  if (v < 0.0f) return 0;
  return static_cast<int>(std::nearbyint(v));
}

// One axis: src values (n) to dst values (m).
std::vector<int> RefAxis(const std::vector<int>& src, int m) {
  const int n = static_cast<int>(src.size());
  const float scale = (n == 1 || m == 1) ? static_cast<float>(m) / static_cast<float>(n)
                                         : static_cast<float>(m - 1) / static_cast<float>(n - 1);
  std::vector<int> out(static_cast<std::size_t>(m));
  for (int i = 0; i < m; ++i) {
    const float centre = static_cast<float>(i) / scale;
    float sum = 0.0f;
    const float width = scale >= 1.0f ? 1.5f : 1.5f / scale;
    const float fscale = 1.0f / scale;
    for (int j = static_cast<int>(std::floor(centre - width));
         j <= static_cast<int>(std::ceil(centre + width)); ++j) {
      const float w = scale >= 1.0f ? RefBell(centre - static_cast<float>(j))
                                    : RefBell((centre - static_cast<float>(j)) / fscale) / fscale;
      if (w == 0.0f) continue;
      int k = j < 0 ? -j : j;
      if (k >= n) k = 2 * n - k - 1;
      k = std::clamp(k, 0, n - 1);
      sum += w * static_cast<float>(src[k]);
    }
    out[i] = RefByte(sum);
  }
  return out;
}

QImage Reference(const QImage& src, int w, int h) {
  QImage scratch(w, src.height(), QImage::Format_RGB32);
  for (int c = 0; c < 3; ++c) {
    const int shift = 16 - 8 * c;
    for (int y = 0; y < src.height(); ++y) {
      std::vector<int> row;
      for (int x = 0; x < src.width(); ++x) row.push_back(static_cast<int>(src.pixel(x, y) >> shift) & 0xFF);
      const std::vector<int> out = RefAxis(row, w);
      for (int x = 0; x < w; ++x) {
        const QRgb p = c == 0 ? 0xFF000000u : scratch.pixel(x, y);
        scratch.setPixel(x, y, p | static_cast<QRgb>(out[x]) << shift);
      }
    }
  }
  QImage dst(w, h, QImage::Format_RGB32);
  dst.fill(0xFF000000u);
  for (int c = 0; c < 3; ++c) {
    const int shift = 16 - 8 * c;
    for (int x = 0; x < w; ++x) {
      std::vector<int> col;
      for (int y = 0; y < src.height(); ++y)
        col.push_back(static_cast<int>(scratch.pixel(x, y) >> shift) & 0xFF);
      const std::vector<int> out = RefAxis(col, h);
      for (int y = 0; y < h; ++y) dst.setPixel(x, y, dst.pixel(x, y) | static_cast<QRgb>(out[y]) << shift);
    }
  }
  return dst;
}

TEST(ResampleBitmap, MatchesTheFilterExactly) {
  struct Case {
    int sw, sh, dw, dh;
  } cases[] = {
      {97, 41, 40, 17},  // reducing
      {31, 13, 70, 29},  // enlarging
      {64, 32, 64, 32},  // same size still filters
      {50, 20, 21, 45},  // one axis each way
      {1, 1, 5, 3},      // one-pixel source
      {5, 1, 12, 4},     // one-pixel-high source
      {6, 6, 1, 1},      // one-pixel target
      {2, 3, 9, 2},      // mirroring of a tiny source
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.sw << "x" << c.sh << " -> " << c.dw << "x" << c.dh);
    const QImage src = Noise(c.sw, c.sh, static_cast<unsigned>(c.sw * 131 + c.dh));
    QImage dst(c.dw, c.dh, QImage::Format_RGB32);
    ResampleBitmap(src, dst);
    ASSERT_EQ(dst.size(), QSize(c.dw, c.dh));
    EXPECT_EQ(dst, Reference(src, c.dw, c.dh));
  }
}

TEST(ResampleBitmap, PicturesSplitBetweenTheCoresMatchTheFilter) {
  // Large enough to be shared out between two threads and to wrap the ring
  // of scaled rows many times; odd heights leave a row to scale alone.
  struct Case {
    int sw, sh, dw, dh;
  } cases[] = {{700, 421, 651, 399}, {301, 150, 820, 411}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.sw << "x" << c.sh << " -> " << c.dw << "x" << c.dh);
    const QImage src = Noise(c.sw, c.sh, 7);
    QImage dst(c.dw, c.dh, QImage::Format_RGB32);
    ResampleBitmap(src, dst);
    ASSERT_EQ(dst, Reference(src, c.dw, c.dh));
    // Again into the same picture: the kept plans and rows give the same.
    dst.fill(Qt::black);
    ResampleBitmap(src, dst);
    EXPECT_EQ(dst, Reference(src, c.dw, c.dh));
  }
}

TEST(ResampleBitmap, EnlargingAFlatImageKeepsItsColour) {
  QImage src(8, 4, QImage::Format_RGB32);
  src.fill(qRgb(10, 128, 250));
  QImage dst(37, 19, QImage::Format_RGB32);
  ResampleBitmap(src, dst);
  for (int y = 0; y < dst.height(); ++y) {
    for (int x = 0; x < dst.width(); ++x) ASSERT_EQ(dst.pixel(x, y), qRgb(10, 128, 250)) << x << "," << y;
  }
}

TEST(ResampleBitmap, EmptySourceLeavesTheTargetAlone) {
  QImage dst(4, 4, QImage::Format_RGB32);
  dst.fill(qRgb(1, 2, 3));
  ResampleBitmap(QImage(), dst);
  EXPECT_EQ(dst.pixel(2, 2), qRgb(1, 2, 3));
}

// Spans per row from a function of the row: the columns it changes.
RowSpans SpansOf(int rows, const std::function<std::vector<ColumnSpan>(int)>& columns) {
  RowSpans s;
  s.Clear(rows);
  for (int y = 0; y < rows; ++y) {
    for (const ColumnSpan& c : columns(y)) s.Add(y, c.begin, c.end);
  }
  return s;
}

TEST(ResampleChanged, BringsAScaledCopyUpToDateExactlyAsAWholeScaling) {
  using Columns = std::function<std::vector<ColumnSpan>(int)>;
  const Columns band = [](int y) { return std::vector<ColumnSpan>{{500 + y / 3, 540 + y / 3}}; };
  const Columns twoBands = [](int y) {
    return std::vector<ColumnSpan>{{200 + y / 4, 231 + y / 4}, {1400 - y / 5, 1431 - y / 5}};
  };
  const Columns edges = [](int y) {
    if (y < 3) return std::vector<ColumnSpan>{{0, 3}, {2045, 2048}};
    if (y == 600) return std::vector<ColumnSpan>{{0, 2048}};
    if (y > 1020) return std::vector<ColumnSpan>{{2047, 2048}};
    return std::vector<ColumnSpan>{};
  };
  const Columns small = [](int y) {
    return y % 7 == 0 ? std::vector<ColumnSpan>{{y % 290, y % 290 + 5}} : std::vector<ColumnSpan>{};
  };
  struct Case {
    const char* what;
    int sw, sh, dw, dh;
    Columns changed;
  } cases[] = {
      {"the window", 2048, 1024, 800, 400, band},       {"the wallpaper", 2048, 1024, 1920, 960, twoBands},
      {"a 2x window", 2048, 1024, 1600, 800, twoBands}, {"the edges, mirrored", 2048, 1024, 800, 400, edges},
      {"enlarging", 300, 150, 1000, 500, small},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const QImage before = Noise(c.sw, c.sh, 11);
    const RowSpans changed = SpansOf(c.sh, c.changed);
    QImage after = before;
    const QImage fresh = Noise(c.sw, c.sh, 12);
    for (int y = 0; y < c.sh; ++y) {
      for (const ColumnSpan& s : changed.row(y)) {
        for (int x = s.begin; x < s.end; ++x) after.setPixel(x, y, fresh.pixel(x, y));
      }
    }
    QImage kept(c.dw, c.dh, QImage::Format_RGB32), whole(c.dw, c.dh, QImage::Format_RGB32);
    ResampleBitmap(before, kept);
    RowSpans written;
    ResampleBitmapChanged(after, kept, changed, written);
    ResampleBitmap(after, whole);
    ASSERT_EQ(kept, whole);
    // And only near what changed.
    std::int64_t area = 0;
    for (int y = 0; y < written.rows(); ++y) {
      for (const ColumnSpan& s : written.row(y)) area += s.end - s.begin;
    }
    EXPECT_LT(area, std::int64_t{c.dw} * c.dh / 4);
  }
}

}  // namespace
}  // namespace wc
