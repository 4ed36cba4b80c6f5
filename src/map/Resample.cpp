#include "map/Resample.h"

#include <QImage>
#include <algorithm>
#include <cmath>
#include <vector>

namespace wc {

namespace {

float Bell(float x) {
  x = std::fabs(x);
  if (x < 0.5f) return 0.75f - x * x;
  if (x < 1.5f) {
    const float t = x - 1.5f;
    return 0.5f * t * t;
  }
  return 0.0f;
}

// For each destination index, the source indices (mirrored at the ends) and
// their weights, in ascending source order.
struct Contributors {
  std::vector<int> start;  // per destination index, into index/weight; size n + 1
  std::vector<int> index;
  std::vector<float> weight;
};

int Mirror(int j, int n) {
  if (j < 0) j = -j;
  if (j >= n) j = 2 * n - j - 1;
  // A source of one or two pixels can mirror out again.
  return std::clamp(j, 0, n - 1);
}

Contributors BuildContributors(int src, int dst) {
  // (dst - 1) / (src - 1) is undefined for a one-pixel source and zero for a
  // one-pixel target; both use dst / src instead.
  const float scale = (src == 1 || dst == 1) ? static_cast<float>(dst) / static_cast<float>(src)
                                             : static_cast<float>(dst - 1) / static_cast<float>(src - 1);
  Contributors c;
  c.start.reserve(static_cast<std::size_t>(dst) + 1);
  const bool enlarging = scale >= 1.0f;
  const float width = enlarging ? 1.5f : 1.5f / scale;
  const float fscale = 1.0f / scale;
  for (int i = 0; i < dst; ++i) {
    c.start.push_back(static_cast<int>(c.index.size()));
    const float centre = static_cast<float>(i) / scale;
    const int left = static_cast<int>(std::floor(centre - width));
    const int right = static_cast<int>(std::ceil(centre + width));
    for (int j = left; j <= right; ++j) {
      const float w = enlarging ? Bell(centre - static_cast<float>(j))
                                : Bell((centre - static_cast<float>(j)) / fscale) / fscale;
      if (w == 0.0f) continue;
      c.index.push_back(Mirror(j, src));
      c.weight.push_back(w);
    }
  }
  c.start.push_back(static_cast<int>(c.index.size()));
  return c;
}

// Clamp to 0..255, then round half to even: adding and subtracting 1.5 * 2^23
// rounds in the default rounding mode and vectorises, unlike nearbyint.
inline std::uint8_t ToByte(float v) {
  v = std::min(std::max(v, 0.0f), 255.0f);
  constexpr float kMagic = 12582912.0f;
  v = (v + kMagic) - kMagic;
  return static_cast<std::uint8_t>(static_cast<int>(v));
}

#if defined(__GNUC__)
typedef float V4 __attribute__((vector_size(16)));
#else
struct V4 {
  float v[4];
  float& operator[](int i) { return v[i]; }
  float operator[](int i) const { return v[i]; }
  V4& operator+=(const V4& o) {
    for (int i = 0; i < 4; ++i) v[i] += o.v[i];
    return *this;
  }
  friend V4 operator*(float w, const V4& a) { return {w * a.v[0], w * a.v[1], w * a.v[2], w * a.v[3]}; }
};
#endif

// Pass 1: every source row scaled horizontally into the 8-bit scratch rows.
void HorizontalPass(const PixelBuffer& src, std::vector<std::uint8_t>& scratch, int dstW) {
  const Contributors c = BuildContributors(src.width, dstW);
  std::vector<V4> row(static_cast<std::size_t>(src.width));
  const std::size_t outStride = static_cast<std::size_t>(dstW) * 4;
  for (int y = 0; y < src.height; ++y) {
    const std::uint8_t* s = src.bits + static_cast<std::ptrdiff_t>(y) * src.stride;
    for (int x = 0; x < src.width; ++x) {
      row[x] = V4{static_cast<float>(s[4 * x]), static_cast<float>(s[4 * x + 1]),
                  static_cast<float>(s[4 * x + 2]), 0.0f};
    }
    std::uint8_t* out = scratch.data() + y * outStride;
    for (int x = 0; x < dstW; ++x) {
      V4 acc{0.0f, 0.0f, 0.0f, 0.0f};
      for (int k = c.start[x]; k < c.start[x + 1]; ++k) acc += c.weight[k] * row[c.index[k]];
      out[4 * x] = ToByte(acc[0]);
      out[4 * x + 1] = ToByte(acc[1]);
      out[4 * x + 2] = ToByte(acc[2]);
      out[4 * x + 3] = 0xFF;
    }
  }
}

// Pass 2: every column of the scratch picture scaled vertically, done a whole
// row at a time so the inner loop runs over contiguous bytes.
void VerticalPass(const std::vector<std::uint8_t>& scratch, int srcH, const PixelBuffer& dst) {
  const Contributors c = BuildContributors(srcH, dst.height);
  const std::size_t n = static_cast<std::size_t>(dst.width) * 4;
  std::vector<float> acc(n);
  for (int y = 0; y < dst.height; ++y) {
    std::fill(acc.begin(), acc.end(), 0.0f);
    float* a = acc.data();
    for (int k = c.start[y]; k < c.start[y + 1]; ++k) {
      const float w = c.weight[k];
      const std::uint8_t* s = scratch.data() + static_cast<std::size_t>(c.index[k]) * n;
      for (std::size_t i = 0; i < n; ++i) a[i] += w * static_cast<float>(s[i]);
    }
    std::uint8_t* out = dst.bits + static_cast<std::ptrdiff_t>(y) * dst.stride;
    for (std::size_t i = 0; i < n; ++i) out[i] = ToByte(a[i]);
    for (int x = 0; x < dst.width; ++x) out[4 * x + 3] = 0xFF;
  }
}

}  // namespace

void ResamplePixels(const PixelBuffer& source, const PixelBuffer& target) {
  if (source.width <= 0 || source.height <= 0 || target.width <= 0 || target.height <= 0) return;
  std::vector<std::uint8_t> scratch(static_cast<std::size_t>(target.width) * 4 * source.height);
  HorizontalPass(source, scratch, target.width);
  VerticalPass(scratch, source.height, target);
}

void ResampleBitmap(const QImage& source, QImage& target) {
  if (source.isNull() || target.isNull()) return;
  if (target.format() != QImage::Format_RGB32) target = target.convertToFormat(QImage::Format_RGB32);
  const QImage src =
      source.format() == QImage::Format_RGB32 ? source : source.convertToFormat(QImage::Format_RGB32);
  const PixelBuffer s{const_cast<std::uint8_t*>(src.constBits()), src.width(), src.height(),
                      static_cast<int>(src.bytesPerLine())};
  const PixelBuffer t{target.bits(), target.width(), target.height(),
                      static_cast<int>(target.bytesPerLine())};
  ResamplePixels(s, t);
}

}  // namespace wc
