#include "map/Resample.h"

#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

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

// Clamp to 0..255, then round half to even.
inline std::uint8_t ToByte(float v) {
  v = std::min(std::max(v, 0.0f), 255.0f);
  return static_cast<std::uint8_t>(static_cast<int>(std::nearbyint(v)));
}

// Every destination index with the same number of taps: the shorter lists are
// padded at their end with zero weights, which leave a float sum unchanged.
struct PaddedTaps {
  int taps = 0;
  std::vector<int> index;     // dst * taps
  std::vector<float> weight;  // dst * taps
};

PaddedTaps Pad(const Contributors& c) {
  PaddedTaps p;
  const std::size_t n = c.start.size() - 1;
  for (std::size_t i = 0; i < n; ++i) p.taps = std::max(p.taps, c.start[i + 1] - c.start[i]);
  p.index.assign(n * p.taps, 0);
  p.weight.assign(n * p.taps, 0.0f);
  for (std::size_t i = 0; i < n; ++i) {
    for (int k = c.start[i]; k < c.start[i + 1]; ++k) {
      p.index[i * p.taps + (k - c.start[i])] = c.index[k];
      p.weight[i * p.taps + (k - c.start[i])] = c.weight[k];
    }
  }
  return p;
}

#if defined(__SSE2__) || defined(_M_X64)

// A vector in a container (the bare type drops its alignment attribute there).
struct F4 {
  __m128 v;
};

// Four channels of one pixel as floats.
inline __m128 PixelToFloats(const std::uint8_t* p) {
  std::int32_t v;
  std::memcpy(&v, p, 4);
  const __m128i zero = _mm_setzero_si128();
  const __m128i b = _mm_unpacklo_epi8(_mm_cvtsi32_si128(v), zero);
  return _mm_cvtepi32_ps(_mm_unpacklo_epi16(b, zero));
}

// cvtps rounds half to even in the default rounding mode; the two packs then
// saturate to 0..255, which equals clamping before rounding for these sums.
inline __m128i PackFour(__m128 a, __m128 b, __m128 c, __m128 d) {
  const __m128i ab = _mm_packs_epi32(_mm_cvtps_epi32(a), _mm_cvtps_epi32(b));
  const __m128i cd = _mm_packs_epi32(_mm_cvtps_epi32(c), _mm_cvtps_epi32(d));
  return _mm_or_si128(_mm_packus_epi16(ab, cd), _mm_set1_epi32(static_cast<int>(0xFF000000u)));
}

void HorizontalPass(const PixelBuffer& src, std::uint8_t* scratch, int dstW) {
  const PaddedTaps t = Pad(BuildContributors(src.width, dstW));
  std::vector<F4> weights(t.weight.size());
  for (std::size_t i = 0; i < t.weight.size(); ++i) weights[i].v = _mm_set1_ps(t.weight[i]);
  std::vector<F4> row(static_cast<std::size_t>(src.width));
  const std::size_t outStride = static_cast<std::size_t>(dstW) * 4;
  auto sum = [&](int x) {
    __m128 acc = _mm_setzero_ps();
    const std::size_t base = static_cast<std::size_t>(x) * t.taps;
    for (int k = 0; k < t.taps; ++k)
      acc = _mm_add_ps(acc, _mm_mul_ps(weights[base + k].v, row[t.index[base + k]].v));
    return acc;
  };
  for (int y = 0; y < src.height; ++y) {
    const std::uint8_t* s = src.bits + static_cast<std::ptrdiff_t>(y) * src.stride;
    for (int x = 0; x < src.width; ++x) row[x].v = PixelToFloats(s + 4 * x);
    std::uint8_t* out = scratch + y * outStride;
    int x = 0;
    for (; x + 4 <= dstW; x += 4) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 4 * x),
                       PackFour(sum(x), sum(x + 1), sum(x + 2), sum(x + 3)));
    }
    for (; x < dstW; ++x) {
      const __m128i one = PackFour(sum(x), _mm_setzero_ps(), _mm_setzero_ps(), _mm_setzero_ps());
      const std::int32_t v = _mm_cvtsi128_si32(one);
      std::memcpy(out + 4 * x, &v, 4);
    }
  }
}

void VerticalPass(const std::uint8_t* scratch, int srcH, const PixelBuffer& dst) {
  const Contributors c = BuildContributors(srcH, dst.height);
  const std::size_t n = static_cast<std::size_t>(dst.width) * 4;
  const __m128i zero = _mm_setzero_si128();
  std::vector<const std::uint8_t*> rows;
  std::vector<F4> weights;
  for (int y = 0; y < dst.height; ++y) {
    rows.clear();
    weights.clear();
    for (int k = c.start[y]; k < c.start[y + 1]; ++k) {
      rows.push_back(scratch + static_cast<std::size_t>(c.index[k]) * n);
      weights.push_back({_mm_set1_ps(c.weight[k])});
    }
    const std::size_t taps = rows.size();
    std::uint8_t* out = dst.bits + static_cast<std::ptrdiff_t>(y) * dst.stride;
    std::size_t i = 0;
    for (; i + 16 <= n; i += 16) {
      __m128 a0 = _mm_setzero_ps(), a1 = a0, a2 = a0, a3 = a0;
      for (std::size_t k = 0; k < taps; ++k) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[k] + i));
        const __m128i lo = _mm_unpacklo_epi8(v, zero), hi = _mm_unpackhi_epi8(v, zero);
        const __m128 w = weights[k].v;
        a0 = _mm_add_ps(a0, _mm_mul_ps(w, _mm_cvtepi32_ps(_mm_unpacklo_epi16(lo, zero))));
        a1 = _mm_add_ps(a1, _mm_mul_ps(w, _mm_cvtepi32_ps(_mm_unpackhi_epi16(lo, zero))));
        a2 = _mm_add_ps(a2, _mm_mul_ps(w, _mm_cvtepi32_ps(_mm_unpacklo_epi16(hi, zero))));
        a3 = _mm_add_ps(a3, _mm_mul_ps(w, _mm_cvtepi32_ps(_mm_unpackhi_epi16(hi, zero))));
      }
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), PackFour(a0, a1, a2, a3));
    }
    for (; i < n; i += 4) {
      __m128 a = _mm_setzero_ps();
      for (std::size_t k = 0; k < taps; ++k)
        a = _mm_add_ps(a, _mm_mul_ps(weights[k].v, PixelToFloats(rows[k] + i)));
      const std::int32_t v =
          _mm_cvtsi128_si32(PackFour(a, _mm_setzero_ps(), _mm_setzero_ps(), _mm_setzero_ps()));
      std::memcpy(out + i, &v, 4);
    }
  }
}

#else  // portable scalar version, the same sums in the same order

void HorizontalPass(const PixelBuffer& src, std::uint8_t* scratch, int dstW) {
  const PaddedTaps t = Pad(BuildContributors(src.width, dstW));
  const std::size_t outStride = static_cast<std::size_t>(dstW) * 4;
  for (int y = 0; y < src.height; ++y) {
    const std::uint8_t* s = src.bits + static_cast<std::ptrdiff_t>(y) * src.stride;
    std::uint8_t* out = scratch + y * outStride;
    for (int x = 0; x < dstW; ++x) {
      for (int ch = 0; ch < 3; ++ch) {
        float acc = 0.0f;
        for (int k = 0; k < t.taps; ++k) {
          const std::size_t j = static_cast<std::size_t>(x) * t.taps + k;
          acc += t.weight[j] * static_cast<float>(s[4 * t.index[j] + ch]);
        }
        out[4 * x + ch] = ToByte(acc);
      }
      out[4 * x + 3] = 0xFF;
    }
  }
}

void VerticalPass(const std::uint8_t* scratch, int srcH, const PixelBuffer& dst) {
  const Contributors c = BuildContributors(srcH, dst.height);
  const std::size_t n = static_cast<std::size_t>(dst.width) * 4;
  std::vector<float> acc(n);
  for (int y = 0; y < dst.height; ++y) {
    std::fill(acc.begin(), acc.end(), 0.0f);
    for (int k = c.start[y]; k < c.start[y + 1]; ++k) {
      const std::uint8_t* s = scratch + static_cast<std::size_t>(c.index[k]) * n;
      for (std::size_t i = 0; i < n; ++i) acc[i] += c.weight[k] * static_cast<float>(s[i]);
    }
    std::uint8_t* out = dst.bits + static_cast<std::ptrdiff_t>(y) * dst.stride;
    for (std::size_t i = 0; i < n; ++i) out[i] = (i % 4 == 3) ? 0xFF : ToByte(acc[i]);
  }
}

#endif

}  // namespace

void ResamplePixels(const PixelBuffer& source, const PixelBuffer& target) {
  if (source.width <= 0 || source.height <= 0 || target.width <= 0 || target.height <= 0) return;
  // The scratch picture is kept between calls: the overlay rescales at the
  // same sizes every minute.
  thread_local std::vector<std::uint8_t> scratch;
  scratch.resize(static_cast<std::size_t>(target.width) * 4 * source.height);
  HorizontalPass(source, scratch.data(), target.width);
  VerticalPass(scratch.data(), source.height, target);
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
