#include "map/IlluminationMask.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <numbers>
#include <utility>
#include <vector>

namespace wc {

IlluminationMask::IlluminationMask(int mapWidth, int mapHeight)
    : w_(mapWidth), h_(mapHeight), px_(static_cast<std::size_t>(w_) * h_) {
  if (px_.empty()) throw std::bad_alloc();
  Fill(kDay);
}

void IlluminationMask::Fill(std::uint8_t v) { std::memset(px_.data(), v, px_.size()); }

void IlluminationMask::Line(double x0, double y0, double x1, double y1) {
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

void IlluminationMask::Draw(const SunPosition& sun, int view) {
  const Projection proj(w_, h_, view);

  // Each column turns from north of the terminator to south of it at one
  // row; each mask row is the one above it with the columns that turn there
  // changed.
  turnRow_.resize(static_cast<std::size_t>(w_));
  byTurn_.resize(static_cast<std::size_t>(w_));
  for (int x = 0; x < w_; ++x) {
    const double lat = TerminatorLatitude(sun, proj.XToLon(x + 0.5) * (std::numbers::pi / 180));
    // The first row whose centre lies below the terminator.
    const double y = std::floor(proj.LatToYExact(RadToDeg(lat)) + 0.5);
    turnRow_[x] = static_cast<int>(std::clamp(y, 0.0, static_cast<double>(h_)));
    byTurn_[x] = x;
  }
  std::sort(byTurn_.begin(), byTurn_.end(), [&](int a, int b) { return turnRow_[a] < turnRow_[b]; });
  const bool southDark = sun.declination >= 0;
  const std::uint8_t north = southDark ? kDay : kNight, south = southDark ? kNight : kDay;
  for (int x = 0; x < w_; ++x) px_.data()[x] = turnRow_[x] > 0 ? north : south;
  auto turning = std::find_if(byTurn_.begin(), byTurn_.end(), [&](int x) { return turnRow_[x] > 0; });
  for (int y = 1; y < h_; ++y) {
    std::uint8_t* row = px_.data() + static_cast<std::size_t>(y) * w_;
    std::memcpy(row, row - w_, static_cast<std::size_t>(w_));
    for (; turning != byTurn_.end() && turnRow_[*turning] == y; ++turning) row[*turning] = south;
  }

  auto point = [&](double bearing) {
    const GeoPoint p = DestinationPoint(std::numbers::pi / 2, bearing, sun.longitude, sun.declination);
    return std::pair{proj.LonToXExact(RadToDeg(p.lon)), proj.LatToYExact(RadToDeg(p.lat))};
  };
  double bearing = 0;
  auto [px, py] = point(bearing);
  for (bool closing = false; !closing;) {
    bearing += kBearingStep;
    if (!(bearing < kTwoPi)) {
      bearing = 0;
      closing = true;  // this step closes the curve at its first point
    }
    const auto [x, y] = point(bearing);
    // A step of more than half the width crossed a side edge: it is drawn
    // as the short way round, and so is every step near an edge, once more
    // a width to either side, so that the band wraps as the world does.
    double to = x;
    if (to - px > proj.halfW()) to -= w_;
    if (px - to > proj.halfW()) to += w_;
    for (int shift : {-w_, 0, w_}) Line(px + shift, py, to + shift, y);
    px = x;
    py = y;
  }
}

}  // namespace wc
