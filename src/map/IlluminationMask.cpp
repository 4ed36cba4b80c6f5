// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

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
    : w_(mapWidth),
      h_(mapHeight),
      px_(static_cast<std::size_t>(w_) * h_),
      turnRow_(static_cast<std::size_t>(w_)),
      byTurn_(static_cast<std::size_t>(w_)) {
  if (px_.empty()) throw std::bad_alloc();
  Fill(kDay);
}

void IlluminationMask::Fill(std::uint8_t v) { std::memset(px_.data(), v, px_.size()); }

void IlluminationMask::Line(double x0, double y0, double x1, double y1) {
  constexpr double r = kPenWidth / 2.0;
  const int top = std::max(0, static_cast<int>(std::floor(std::min(y0, y1) - r)));
  const int bottom = std::min(h_ - 1, static_cast<int>(std::ceil(std::max(y0, y1) + r)));
  const double dx = x1 - x0, dy = y1 - y0;
  const double len2 = dx * dx + dy * dy, len = std::sqrt(len2);
  for (int y = top; y <= bottom; ++y) {
    // The pixel centres of this row within r of the segment form one run,
    // the pen being convex: the union of what each end's disc and the
    // band between them cut from the row (x relative to x0).
    const double cy = y + 0.5 - y0;
    double lo = INFINITY, hi = -INFINITY;
    auto take = [&](double a, double b) {
      if (a > b) return;
      lo = std::min(lo, a);
      hi = std::max(hi, b);
    };
    for (const auto& [ex, ey] : {std::pair{0.0, cy}, std::pair{dx, cy - dy}}) {
      if (ey * ey <= r * r) {
        const double half = std::sqrt(r * r - ey * ey);
        take(ex - half, ex + half);
      }
    }
    if (len2 > 0) {
      // Within r of the line: |cx dy - cy dx| <= r len; and beside the
      // segment: 0 <= cx dx + cy dy <= len2.
      double a = -INFINITY, b = INFINITY;
      if (dy != 0) {
        a = (cy * dx - r * len) / dy;
        b = (cy * dx + r * len) / dy;
        if (a > b) std::swap(a, b);
      } else if (std::abs(cy) > r) {
        a = INFINITY;
      }
      if (dx != 0) {
        double c = -cy * dy / dx, d = (len2 - cy * dy) / dx;
        if (c > d) std::swap(c, d);
        a = std::max(a, c);
        b = std::min(b, d);
      } else if (cy * dy < 0 || cy * dy > len2) {
        a = INFINITY;
      }
      take(a, b);
    }
    if (lo > hi) continue;
    const int from = std::max(0, static_cast<int>(std::ceil(x0 + lo - 0.5)));
    const int to = std::min(w_ - 1, static_cast<int>(std::floor(x0 + hi - 0.5)));
    if (from <= to) {
      std::memset(px_.data() + static_cast<std::size_t>(y) * w_ + from, kTwilight,
                  static_cast<std::size_t>(to - from + 1));
    }
  }
}

void IlluminationMask::Draw(const SunPosition& sun, int view) {
  const Projection proj(w_, h_, view);

  // Each column turns from north of the terminator to south of it at one
  // row; each mask row is the one above it with the columns that turn there
  // changed.
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

void IlluminationMask::ChangedSince(const IlluminationMask& earlier, RowSpans& out) const {
  // Joining spans this close costs less than the extra span would.
  constexpr int kJoin = 16;
  out.Clear(h_);
  for (int y = 0; y < h_; ++y) {
    const std::uint8_t* a = row(y);
    const std::uint8_t* b = earlier.row(y);
    for (int x = 0; x < w_;) {
      for (std::uint64_t p, q; x + 8 <= w_; x += 8) {
        std::memcpy(&p, a + x, 8);
        std::memcpy(&q, b + x, 8);
        if (p != q) break;
      }
      while (x < w_ && a[x] == b[x]) ++x;
      if (x == w_) break;
      int last = x;
      for (int i = x + 1; i < w_ && i - last <= kJoin; ++i) {
        if (a[i] != b[i]) last = i;
      }
      out.Add(y, x, last + 1);
      x = last + 1;
    }
  }
}

}  // namespace wc
