#pragma once
// The day/night mask of one composition, free of Qt: one byte a pixel, white
// (day), grey (the 24-pixel twilight band along the terminator) or black
// (night). It is 60 rows taller than the map, 30 above and 30 below, so that
// a white channel always runs across the whole width beyond the terminator
// on the side of the dark pole and the night side is one connected area.

#include <cstdint>

#include "map/LargeBuffer.h"
#include "map/MapMath.h"

namespace wc {

class IlluminationMask {
 public:
  static constexpr int kMargin = 30;
  static constexpr int kPenWidth = 24;
  // Latitudes are scaled by this instead of 180/pi, so that the terminator
  // stays at least 4 rows away from the map's top and bottom.
  static constexpr double kLatitudeScale = 56.8;
  static constexpr double kBearingStep = 0.04;

  // The byte values, named after the colours they stand for.
  static constexpr std::uint8_t kDay = 0xFF;       // 0xFFFFFF
  static constexpr std::uint8_t kTwilight = 0x80;  // 0x808080
  static constexpr std::uint8_t kNight = 0x00;     // 0x000000

  // A mask for a map of mapWidth x mapHeight pixels (mapHeight + 60 rows);
  // throws std::bad_alloc when its memory cannot be had.
  IlluminationMask(int mapWidth = kBaseMapWidth, int mapHeight = kBaseMapHeight);

  // The whole mask for the sun at `sun`, on the map's projection in `view`:
  // white, the terminator polyline with its wrap rules at the side edges,
  // then the flood fill from the two seeds on either side of the antisolar
  // point.
  void Draw(const SunPosition& sun, int view);

  int width() const { return w_; }
  int height() const { return h_; }
  std::uint8_t at(int x, int y) const { return px_.data()[static_cast<std::size_t>(y) * w_ + x]; }
  // Mask row for map row r is r + kMargin.
  const std::uint8_t* row(int y) const { return px_.data() + static_cast<std::size_t>(y) * w_; }

  // Building blocks, public for tests.
  void Fill(std::uint8_t v);
  // A kPenWidth-wide line with round ends in kTwilight; coordinates are pixel
  // corners, as a non-antialiased painter places them.
  void Line(int x0, int y0, int x1, int y1);
  // Replaces the 4-connected area of kDay pixels containing (x, y) by kNight;
  // a seed outside the mask or on another value fills nothing.
  void FloodFill(int x, int y);

 private:
  int w_, h_, mapH_;
  LargeBuffer px_;
};

}  // namespace wc
