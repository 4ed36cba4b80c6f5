// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The day/night mask of one composition, free of Qt: one byte a pixel, white
// (day), grey (the 24-pixel twilight band along the terminator) or black
// (night), row for row the map's.

#include <cstdint>
#include <vector>

#include "map/LargeBuffer.h"
#include "map/MapMath.h"
#include "map/RowSpans.h"

namespace wc {

class IlluminationMask {
 public:
  static constexpr int kPenWidth = 24;
  static constexpr double kBearingStep = 0.04;

  // The byte values, named after the colours they stand for.
  static constexpr std::uint8_t kDay = 0xFF;       // 0xFFFFFF
  static constexpr std::uint8_t kTwilight = 0x80;  // 0x808080
  static constexpr std::uint8_t kNight = 0x00;     // 0x000000

  // A mask for a map of mapWidth x mapHeight pixels; throws std::bad_alloc
  // when its memory cannot be had.
  IlluminationMask(int mapWidth = kBaseMapWidth, int mapHeight = kBaseMapHeight);

  // The whole mask for the sun at `sun`, on the map's projection in `view`.
  // Every pixel is day or night by the side of the terminator its centre
  // lies on in its column, so the night is whole wherever the map's edges
  // cut it, with nothing to fill; the band is then drawn over it along the
  // terminator's true course, wrapping round the side edges.
  void Draw(const SunPosition& sun, int view);

  int width() const { return w_; }
  int height() const { return h_; }
  std::uint8_t at(int x, int y) const { return px_.data()[static_cast<std::size_t>(y) * w_ + x]; }
  const std::uint8_t* row(int y) const { return px_.data() + static_cast<std::size_t>(y) * w_; }

  // The pixels that differ from `earlier` (a mask of the same size), as
  // spans per row; spans closer than a few pixels are joined.
  void ChangedSince(const IlluminationMask& earlier, RowSpans& out) const;

  // Building blocks, public for tests.
  void Fill(std::uint8_t v);
  // A kPenWidth-wide line with round ends in kTwilight, clipped to the mask;
  // coordinates are pixel corners (pixel x covers x .. x + 1).
  void Line(double x0, double y0, double x1, double y1);

 private:
  int w_, h_;
  LargeBuffer px_;
  std::vector<int> turnRow_;  // per column: the first row south of the terminator
  std::vector<int> byTurn_;   // the columns in the order of those rows
};

}  // namespace wc
