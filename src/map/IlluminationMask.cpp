#include "map/IlluminationMask.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

namespace wc {

IlluminationMask::IlluminationMask(int mapWidth, int mapHeight)
    : w_(mapWidth), h_(mapHeight + 2 * kMargin), mapH_(mapHeight), px_(static_cast<std::size_t>(w_) * h_) {
  if (px_.empty()) throw std::bad_alloc();
  Fill(kDay);
}

void IlluminationMask::Fill(std::uint8_t v) { std::memset(px_.data(), v, px_.size()); }

void IlluminationMask::Line(int x0, int y0, int x1, int y1) {
  constexpr double r = kPenWidth / 2.0;
  const int left = std::max(0, static_cast<int>(std::floor(std::min(x0, x1) - r)));
  const int right = std::min(w_ - 1, static_cast<int>(std::ceil(std::max(x0, x1) + r)));
  const int top = std::max(0, static_cast<int>(std::floor(std::min(y0, y1) - r)));
  const int bottom = std::min(h_ - 1, static_cast<int>(std::ceil(std::max(y0, y1) + r)));
  const double dx = x1 - x0, dy = y1 - y0;
  const double len2 = dx * dx + dy * dy;
  for (int y = top; y <= bottom; ++y) {
    std::uint8_t* p = px_.data() + static_cast<std::size_t>(y) * w_;
    const double cy = y + 0.5 - y0;
    for (int x = left; x <= right; ++x) {
      const double cx = x + 0.5 - x0;
      double t = len2 > 0 ? (cx * dx + cy * dy) / len2 : 0.0;
      t = std::clamp(t, 0.0, 1.0);
      const double ex = cx - t * dx, ey = cy - t * dy;
      if (ex * ex + ey * ey <= r * r) p[x] = kTwilight;
    }
  }
}

namespace {

// First index at or after i (below limit) that is not kDay; eight bytes at a
// time through the long runs the fill meets.
int DayRunEnd(const std::uint8_t* row, int i, int limit) {
  constexpr std::uint64_t kAllDay = ~std::uint64_t{0};
  static_assert(IlluminationMask::kDay == 0xFF);
  while (i + 8 <= limit) {
    std::uint64_t v;
    std::memcpy(&v, row + i, 8);
    if (v != kAllDay) break;
    i += 8;
  }
  while (i < limit && row[i] == IlluminationMask::kDay) ++i;
  return i;
}

// First index at or after i (below limit) that is kDay, or limit.
int NextDay(const std::uint8_t* row, int i, int limit) {
  if (i >= limit) return limit;
  const void* p = std::memchr(row + i, IlluminationMask::kDay, static_cast<std::size_t>(limit - i));
  return p ? static_cast<int>(static_cast<const std::uint8_t*>(p) - row) : limit;
}

}  // namespace

void IlluminationMask::FloodFill(int x, int y) {
  if (x < 0 || y < 0 || x >= w_ || y >= h_ || at(x, y) != kDay) return;
  std::vector<std::pair<int, int>> stack{{x, y}};
  while (!stack.empty()) {
    auto [sx, sy] = stack.back();
    stack.pop_back();
    std::uint8_t* row = px_.data() + static_cast<std::size_t>(sy) * w_;
    if (row[sx] != kDay) continue;
    int l = sx;
    while (l > 0 && row[l - 1] == kDay) --l;
    const int r = DayRunEnd(row, sx, w_);  // one past the span
    std::memset(row + l, kNight, static_cast<std::size_t>(r - l));
    // One seed for each run of day pixels next to the span, above and below.
    for (int ny : {sy - 1, sy + 1}) {
      if (ny < 0 || ny >= h_) continue;
      const std::uint8_t* nrow = px_.data() + static_cast<std::size_t>(ny) * w_;
      for (int i = NextDay(nrow, l, r); i < r; i = NextDay(nrow, DayRunEnd(nrow, i, r), r)) {
        stack.emplace_back(i, ny);
      }
    }
  }
}

void IlluminationMask::Draw(const SunPosition& sun, int view) {
  const Projection proj(w_, mapH_, view);
  Fill(kDay);

  auto point = [&](double bearing) {
    const GeoPoint p = DestinationPoint(std::numbers::pi / 2, bearing, sun.longitude, sun.declination);
    return std::pair{proj.LonToX(RadToDeg(p.lon)), proj.LatToY(p.lat * kLatitudeScale) + kMargin};
  };

  double bearing = 0;
  auto [cx, cy] = point(bearing);
  int prev = cx;
  for (bool closing = false; !closing;) {
    bearing += kBearingStep;
    if (!(bearing < kTwoPi)) {
      bearing = 0;
      closing = true;
    }
    const auto [x, y] = point(bearing);
    // The curve leaves one side edge and comes back at the other.
    if (x > prev && x - prev > proj.halfW()) {
      Line(cx, cy, 0, y);
      cx = w_ - 1;
      cy = y;
    } else if (x < prev && prev - x > proj.halfW()) {
      Line(cx, cy, w_ - 1, y);
      cx = 0;
      cy = y;
    }
    Line(cx, cy, x, y);
    cx = x;
    cy = y;
    prev = x;
  }

  // Seeds on the mask's row HalfH (the margin is deliberately not added).
  const int sx = proj.LonToX(RadToDeg(sun.longitude));
  FloodFill(sx - proj.halfW() + 20, proj.halfH());
  FloodFill(sx + proj.halfW() - 20, proj.halfH());
}

}  // namespace wc
