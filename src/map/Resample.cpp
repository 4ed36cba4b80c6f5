// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/Resample.h"

#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "map/RowSpans.h"
#include "map/TwoCores.h"

#if defined(__x86_64__) || defined(_M_X64) || defined(__SSE2__)
#define WC_RESAMPLE_SSE2 1
#include <emmintrin.h>
#if defined(__GNUC__)
#define WC_RESAMPLE_AVX2 1
#include <immintrin.h>
#endif
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

// Everything about one pair of sizes that does not depend on the pixels.
struct Plan {
  int srcW = 0, srcH = 0, dstW = 0, dstH = 0;
  // Horizontal: every destination column with the same number of taps; the
  // shorter lists are padded at their end with zero weights, which leave a
  // float sum unchanged.
  int taps = 0;
  std::vector<int> index;     // dstW * taps
  std::vector<int> offset8;   // index * 8: where a pixel starts in two rows of floats
  std::vector<float> weight;  // dstW * taps
  // The span of source columns each destination column reads.
  std::vector<int> colLow, colHigh;
  // Vertical: the contributors of each destination row, and the span of
  // source rows each one reads.
  Contributors rows;
  std::vector<int> low, high;  // per destination row
  // Both kinds of span only move right and down: a span of source pixels
  // maps to a span of destination pixels.
  bool monotone = true;
  // Source rows after the horizontal pass are kept in a ring of this many,
  // row r in slot r % ring.
  int ring = 0;
};

Plan MakePlan(int srcW, int srcH, int dstW, int dstH) {
  Plan p;
  p.srcW = srcW;
  p.srcH = srcH;
  p.dstW = dstW;
  p.dstH = dstH;
  const Contributors h = BuildContributors(srcW, dstW);
  for (int i = 0; i < dstW; ++i) p.taps = std::max(p.taps, h.start[i + 1] - h.start[i]);
  p.index.assign(static_cast<std::size_t>(dstW) * p.taps, 0);
  p.weight.assign(static_cast<std::size_t>(dstW) * p.taps, 0.0f);
  for (int i = 0; i < dstW; ++i) {
    for (int k = h.start[i]; k < h.start[i + 1]; ++k) {
      p.index[static_cast<std::size_t>(i) * p.taps + (k - h.start[i])] = h.index[k];
      p.weight[static_cast<std::size_t>(i) * p.taps + (k - h.start[i])] = h.weight[k];
    }
  }
  p.offset8.resize(p.index.size());
  for (std::size_t i = 0; i < p.index.size(); ++i) p.offset8[i] = 8 * p.index[i];
  for (int i = 0; i < dstW; ++i) {
    const auto first = h.index.begin() + h.start[i], last = h.index.begin() + h.start[i + 1];
    p.colLow.push_back(first == last ? 0 : *std::min_element(first, last));
    p.colHigh.push_back(first == last ? 0 : *std::max_element(first, last));
    if (i > 0 && (p.colLow[i] < p.colLow[i - 1] || p.colHigh[i] < p.colHigh[i - 1])) p.monotone = false;
  }
  p.rows = BuildContributors(srcH, dstH);
  bool ordered = true;
  int span = 1;
  for (int y = 0; y < dstH; ++y) {
    const auto first = p.rows.index.begin() + p.rows.start[y];
    const auto last = p.rows.index.begin() + p.rows.start[y + 1];
    const int lo = first == last ? 0 : *std::min_element(first, last);
    const int hi = first == last ? 0 : *std::max_element(first, last);
    if (y > 0 && (lo < p.low.back() || hi < p.high.back())) ordered = false;
    p.low.push_back(lo);
    p.high.push_back(hi);
    span = std::max(span, hi - lo + 1);
  }
  // One more than the widest span, since rows are made two at a time. Spans
  // that do not move steadily down keep every row.
  p.ring = ordered ? std::min(span + 1, srcH) : srcH;
  p.monotone = p.monotone && ordered;
  return p;
}

// The last few plans of this thread: the overlay rescales to the same sizes
// every minute.
const Plan& PlanFor(int srcW, int srcH, int dstW, int dstH) {
  thread_local std::vector<Plan> plans;
  for (const Plan& p : plans) {
    if (p.srcW == srcW && p.srcH == srcH && p.dstW == dstW && p.dstH == dstH) return p;
  }
  if (plans.size() == 4) plans.erase(plans.begin());
  plans.push_back(MakePlan(srcW, srcH, dstW, dstH));
  return plans.back();
}

// Floats on cache-line boundaries: a 32-byte load that straddles two lines
// costs twice. Grows only.
class AlignedFloats {
 public:
  float* get(std::size_t n) {
    if (n > size_) {
      data_.reset(static_cast<float*>(::operator new (n * sizeof(float), std::align_val_t{64})));
      size_ = n;
    }
    return data_.get();
  }

 private:
  struct Free {
    void operator()(float* p) const { ::operator delete (p, std::align_val_t{64}); }
  };
  std::unique_ptr<float, Free> data_;
  std::size_t size_ = 0;
};

// What one thread keeps between calls, so that a repeated rescale touches no
// fresh memory.
struct Scratch {
  // plan.ring source rows after the horizontal pass, dstW pixels of four
  // floats each, every value already rounded to a whole number in 0 .. 255,
  // as the 8-bit scratch picture of the filter holds it.
  AlignedFloats ring;
  AlignedFloats floats;  // one or two source rows as floats
  std::vector<const float*> rows;
};

// Horizontal kernels make destination columns x0 .. x1 - 1 of a row.
using RowKernel = void (*)(const Plan&, const std::uint8_t*, float*, Scratch&, int x0, int x1);
using PairKernel = void (*)(const Plan&, const std::uint8_t*, const std::uint8_t*, float*, float*, Scratch&,
                            int x0, int x1);
Scratch& ThreadScratch() {
  thread_local Scratch scratch;
  return scratch;
}

// The bookkeeping of a partial update, per thread. A whole scaling takes
// its memory for a later update of the same picture, so that a steady
// update touches no fresh pages.
struct ChangeScratch {
  RowSpans columns;  // per source row, the destination columns reading its changes
  std::vector<ColumnSpan> gathered, need;
  int rows = 0;
};

ChangeScratch& ThreadChangeScratch(int sourceRows) {
  thread_local ChangeScratch scratch;
  if (scratch.rows < sourceRows) {
    constexpr int kSpansPerRow = 8, kSpansPerList = 64;
    scratch.columns.Reserve(sourceRows, kSpansPerRow * sourceRows);
    scratch.gathered.reserve(kSpansPerList);
    scratch.need.reserve(kSpansPerList);
    scratch.rows = sourceRows;
  }
  return scratch;
}

using VerticalKernel = void (*)(const float* const*, const float*, int, std::uint8_t*, std::size_t);

// Clamp to 0..255, then round half to even.
[[maybe_unused]] inline float Rounded(float v) { return std::nearbyint(std::min(std::max(v, 0.0f), 255.0f)); }

// ---- kernels: each makes the same sums in the same order ----

// The source columns destination columns x0 .. x1 - 1 read, half open. The
// padding taps read column 0 with weight 0, so it is always among them: a
// float that was never written could be NaN, and 0 times NaN is NaN.
struct SourceColumns {
  int from, to;
  bool withZero;
};
SourceColumns SourceColumnsFor(const Plan& p, int x0, int x1) {
  const int from = x0 == 0 ? 0 : p.colLow[x0];
  const int to = x1 == p.dstW ? p.srcW : p.colHigh[x1 - 1] + 1;
  return {from, to, from > 0};
}

// One source row to dstW pixels.
[[maybe_unused]] void HorizontalRowScalar(const Plan& p, const std::uint8_t* s, float* out, Scratch&, int x0,
                                          int x1) {
  for (int x = x0; x < x1; ++x) {
    for (int ch = 0; ch < 4; ++ch) {
      float acc = 0.0f;
      for (int k = 0; k < p.taps; ++k) {
        const std::size_t j = static_cast<std::size_t>(x) * p.taps + k;
        acc += p.weight[j] * static_cast<float>(s[4 * p.index[j] + ch]);
      }
      out[4 * x + ch] = Rounded(acc);
    }
  }
}

// One destination row of n channel values (n / 4 pixels) from the rows its
// taps read.
[[maybe_unused]] void VerticalRowScalar(const float* const* rows, const float* weights, int taps,
                                        std::uint8_t* out, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    float acc = 0.0f;
    for (int k = 0; k < taps; ++k) acc += weights[k] * rows[k][i];
    out[i] = i % 4 == 3 ? 0xFF : static_cast<std::uint8_t>(Rounded(acc));
  }
}

#if WC_RESAMPLE_SSE2

// cvtps rounds half to even in the default rounding mode.
inline __m128 RoundedSse2(__m128 v) {
  v = _mm_min_ps(_mm_max_ps(v, _mm_setzero_ps()), _mm_set1_ps(255.0f));
  return _mm_cvtepi32_ps(_mm_cvtps_epi32(v));
}

// The two packs saturate to 0..255, which for these sums equals clamping
// before rounding.
inline __m128i PackFour(__m128 a, __m128 b, __m128 c, __m128 d) {
  const __m128i ab = _mm_packs_epi32(_mm_cvtps_epi32(a), _mm_cvtps_epi32(b));
  const __m128i cd = _mm_packs_epi32(_mm_cvtps_epi32(c), _mm_cvtps_epi32(d));
  return _mm_or_si128(_mm_packus_epi16(ab, cd), _mm_set1_epi32(static_cast<int>(0xFF000000u)));
}

void HorizontalRowSse2(const Plan& p, const std::uint8_t* s, float* out, Scratch& scratch, int x0, int x1) {
  float* row = scratch.floats.get(static_cast<std::size_t>(p.srcW) * 4);
  const __m128i zero = _mm_setzero_si128();
  auto convert = [&](int x) {
    std::int32_t v;
    std::memcpy(&v, s + 4 * x, 4);
    const __m128i b = _mm_unpacklo_epi8(_mm_cvtsi32_si128(v), zero);
    _mm_storeu_ps(row + 4 * x, _mm_cvtepi32_ps(_mm_unpacklo_epi16(b, zero)));
  };
  const SourceColumns c = SourceColumnsFor(p, x0, x1);
  if (c.withZero) convert(0);
  for (int x = c.from; x < c.to; ++x) convert(x);
  for (int x = x0; x < x1; ++x) {
    __m128 acc = _mm_setzero_ps();
    const std::size_t base = static_cast<std::size_t>(x) * p.taps;
    for (int k = 0; k < p.taps; ++k) {
      acc = _mm_add_ps(
          acc, _mm_mul_ps(_mm_set1_ps(p.weight[base + k]), _mm_loadu_ps(row + 4 * p.index[base + k])));
    }
    _mm_storeu_ps(out + 4 * x, RoundedSse2(acc));
  }
}

// Channel values from .. n - 1 of the row.
void VerticalRowSse2From(const float* const* rows, const float* weights, int taps, std::uint8_t* out,
                         std::size_t from, std::size_t n) {
  std::size_t i = from;
  for (; i + 16 <= n; i += 16) {
    __m128 a0 = _mm_setzero_ps(), a1 = a0, a2 = a0, a3 = a0;
    for (int k = 0; k < taps; ++k) {
      const float* r = rows[k] + i;
      const __m128 w = _mm_set1_ps(weights[k]);
      a0 = _mm_add_ps(a0, _mm_mul_ps(w, _mm_loadu_ps(r)));
      a1 = _mm_add_ps(a1, _mm_mul_ps(w, _mm_loadu_ps(r + 4)));
      a2 = _mm_add_ps(a2, _mm_mul_ps(w, _mm_loadu_ps(r + 8)));
      a3 = _mm_add_ps(a3, _mm_mul_ps(w, _mm_loadu_ps(r + 12)));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), PackFour(a0, a1, a2, a3));
  }
  for (; i < n; i += 4) {
    __m128 a = _mm_setzero_ps();
    for (int k = 0; k < taps; ++k)
      a = _mm_add_ps(a, _mm_mul_ps(_mm_set1_ps(weights[k]), _mm_loadu_ps(rows[k] + i)));
    const __m128 z = _mm_setzero_ps();
    const std::int32_t v = _mm_cvtsi128_si32(PackFour(a, z, z, z));
    std::memcpy(out + i, &v, 4);
  }
}

void VerticalRowSse2(const float* const* rows, const float* weights, int taps, std::uint8_t* out,
                     std::size_t n) {
  VerticalRowSse2From(rows, weights, taps, out, 0, n);
}

#endif

#if WC_RESAMPLE_AVX2

#define WC_AVX2 __attribute__((target("avx2")))

// Destination column x of two rows of floats laid out as below. Taps is the
// plan's tap count when it is known here (the loop then unrolls), 0
// otherwise.
template <int Taps>
WC_AVX2 inline __m256 PairSum(const float* row, const int* offset, const float* weight, int taps, int x) {
  if constexpr (Taps > 0) taps = Taps;
  __m256 acc = _mm256_setzero_ps();
  const std::size_t base = static_cast<std::size_t>(x) * taps;
  for (int k = 0; k < taps; ++k) {
    acc = _mm256_add_ps(
        acc, _mm256_mul_ps(_mm256_broadcast_ss(weight + base + k), _mm256_loadu_ps(row + offset[base + k])));
  }
  acc = _mm256_min_ps(_mm256_max_ps(acc, _mm256_setzero_ps()), _mm256_set1_ps(255.0f));
  return _mm256_cvtepi32_ps(_mm256_cvtps_epi32(acc));
}

// Pixel x of two source rows as eight floats.
WC_AVX2 inline void PairPixel(const std::uint8_t* s0, const std::uint8_t* s1, float* row, int x) {
  std::int32_t a, b;
  std::memcpy(&a, s0 + 4 * x, 4);
  std::memcpy(&b, s1 + 4 * x, 4);
  const __m256i v = _mm256_cvtepu8_epi32(_mm_unpacklo_epi32(_mm_cvtsi32_si128(a), _mm_cvtsi32_si128(b)));
  _mm256_storeu_ps(row + 8 * x, _mm256_cvtepi32_ps(v));
}

// Two source rows at once: lanes 0-3 hold a pixel of the first row, lanes 4-7
// the same pixel of the second, so one broadcast weight serves both.
template <int Taps>
WC_AVX2 void HorizontalPairAvx2(const Plan& p, const std::uint8_t* s0, const std::uint8_t* s1, float* out0,
                                float* out1, Scratch& scratch, int x0, int x1) {
  float* row = scratch.floats.get(static_cast<std::size_t>(p.srcW) * 8);
  const SourceColumns c = SourceColumnsFor(p, x0, x1);
  if (c.withZero) PairPixel(s0, s1, row, 0);
  int x = c.from;
  for (; x + 4 <= c.to; x += 4) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s0 + 4 * x));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s1 + 4 * x));
    const __m128i lo = _mm_unpacklo_epi32(a, b), hi = _mm_unpackhi_epi32(a, b);
    float* r = row + 8 * x;
    _mm256_storeu_ps(r, _mm256_cvtepi32_ps(_mm256_cvtepu8_epi32(lo)));
    _mm256_storeu_ps(r + 8, _mm256_cvtepi32_ps(_mm256_cvtepu8_epi32(_mm_srli_si128(lo, 8))));
    _mm256_storeu_ps(r + 16, _mm256_cvtepi32_ps(_mm256_cvtepu8_epi32(hi)));
    _mm256_storeu_ps(r + 24, _mm256_cvtepi32_ps(_mm256_cvtepu8_epi32(_mm_srli_si128(hi, 8))));
  }
  for (; x < c.to; ++x) PairPixel(s0, s1, row, x);
  const int* offset = p.offset8.data();
  const float* weight = p.weight.data();
  for (x = x0; x < x1; ++x) {
    const __m256 v = PairSum<Taps>(row, offset, weight, p.taps, x);
    _mm_storeu_ps(out0 + 4 * x, _mm256_castps256_ps128(v));
    _mm_storeu_ps(out1 + 4 * x, _mm256_extractf128_ps(v, 1));
  }
}

// The common tap counts get a kernel of their own.
PairKernel PairKernelFor(int taps) {
  switch (taps) {
    case 3:
      return HorizontalPairAvx2<3>;
    case 4:
      return HorizontalPairAvx2<4>;
    case 5:
      return HorizontalPairAvx2<5>;
    case 6:
      return HorizontalPairAvx2<6>;
    case 7:
      return HorizontalPairAvx2<7>;
    case 8:
      return HorizontalPairAvx2<8>;
    case 9:
      return HorizontalPairAvx2<9>;
    case 10:
      return HorizontalPairAvx2<10>;
    case 11:
      return HorizontalPairAvx2<11>;
    case 12:
      return HorizontalPairAvx2<12>;
    default:
      return HorizontalPairAvx2<0>;
  }
}

WC_AVX2 void VerticalRowAvx2(const float* const* rows, const float* weights, int taps, std::uint8_t* out,
                             std::size_t n) {
  const __m256i alpha = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
  // packs and packus work within 128-bit lanes; this puts the pixels back in
  // order.
  const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
  std::size_t i = 0;
  for (; i + 32 <= n; i += 32) {
    __m256 a0 = _mm256_setzero_ps(), a1 = a0, a2 = a0, a3 = a0;
    for (int k = 0; k < taps; ++k) {
      const float* r = rows[k] + i;
      const __m256 w = _mm256_broadcast_ss(weights + k);
      a0 = _mm256_add_ps(a0, _mm256_mul_ps(w, _mm256_loadu_ps(r)));
      a1 = _mm256_add_ps(a1, _mm256_mul_ps(w, _mm256_loadu_ps(r + 8)));
      a2 = _mm256_add_ps(a2, _mm256_mul_ps(w, _mm256_loadu_ps(r + 16)));
      a3 = _mm256_add_ps(a3, _mm256_mul_ps(w, _mm256_loadu_ps(r + 24)));
    }
    const __m256i ab = _mm256_packs_epi32(_mm256_cvtps_epi32(a0), _mm256_cvtps_epi32(a1));
    const __m256i cd = _mm256_packs_epi32(_mm256_cvtps_epi32(a2), _mm256_cvtps_epi32(a3));
    const __m256i bytes = _mm256_permutevar8x32_epi32(_mm256_packus_epi16(ab, cd), order);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), _mm256_or_si256(bytes, alpha));
  }
  VerticalRowSse2From(rows, weights, taps, out, i, n);
}

#endif

struct Kernels {
  RowKernel horizontal;
  VerticalKernel vertical;
  // Two rows at once, where the machine has a kernel for it.
  PairKernel (*pairFor)(int taps);
};

Kernels BestKernels() {
#if WC_RESAMPLE_AVX2
  if (__builtin_cpu_supports("avx2")) return {HorizontalRowSse2, VerticalRowAvx2, PairKernelFor};
#endif
#if WC_RESAMPLE_SSE2
  return {HorizontalRowSse2, VerticalRowSse2, nullptr};
#else
  return {HorizontalRowScalar, VerticalRowScalar, nullptr};
#endif
}

// Destination rows y0 .. y1 - 1. Each source row is scaled horizontally once,
// when the first destination row that reads it comes up, into a small ring
// that stays in the processor's cache.
void ResampleBand(const Plan& p, const Kernels& kernels, const PixelBuffer& src, const PixelBuffer& dst,
                  int y0, int y1) {
  const PairKernel pair = kernels.pairFor ? kernels.pairFor(p.taps) : nullptr;
  Scratch& scratch = ThreadScratch();
  const std::size_t rowValues = static_cast<std::size_t>(p.dstW) * 4;
  float* ring = scratch.ring.get(static_cast<std::size_t>(p.ring) * rowValues);
  auto slot = [&](int r) { return ring + static_cast<std::size_t>(r % p.ring) * rowValues; };
  auto source = [&](int r) { return src.bits + static_cast<std::ptrdiff_t>(r) * src.stride; };
  int next = p.low[y0];  // the next source row to scale
  for (int y = y0; y < y1; ++y) {
    next = std::max(next, p.low[y]);
    while (next <= p.high[y]) {
      if (pair && next + 1 < p.srcH) {
        pair(p, source(next), source(next + 1), slot(next), slot(next + 1), scratch, 0, p.dstW);
        next += 2;
      } else {
        kernels.horizontal(p, source(next), slot(next), scratch, 0, p.dstW);
        ++next;
      }
    }
    const int first = p.rows.start[y], taps = p.rows.start[y + 1] - first;
    scratch.rows.resize(static_cast<std::size_t>(taps));
    for (int k = 0; k < taps; ++k) scratch.rows[k] = slot(p.rows.index[first + k]);
    kernels.vertical(scratch.rows.data(), p.rows.weight.data() + first, taps,
                     dst.bits + static_cast<std::ptrdiff_t>(y) * dst.stride, rowValues);
  }
}

// Only the spans of destination rows in `spans`. Each source row is scaled
// horizontally, when it first comes up, over the columns that every
// destination row still to come that reads it needs.
void ResampleSpans(const Plan& p, const Kernels& kernels, const PixelBuffer& src, const PixelBuffer& dst,
                   const RowSpans& spans) {
  const PairKernel pair = kernels.pairFor ? kernels.pairFor(p.taps) : nullptr;
  Scratch& scratch = ThreadScratch();
  std::vector<ColumnSpan>& need = ThreadChangeScratch(p.srcH).need;
  const std::size_t rowValues = static_cast<std::size_t>(p.dstW) * 4;
  float* ring = scratch.ring.get(static_cast<std::size_t>(p.ring) * rowValues);
  auto slot = [&](int r) { return ring + static_cast<std::size_t>(r % p.ring) * rowValues; };
  auto source = [&](int r) { return src.bits + static_cast<std::ptrdiff_t>(r) * src.stride; };
  int next = 0;
  for (int y = 0; y < p.dstH; ++y) {
    const auto wanted = spans.row(y);
    if (wanted.empty()) continue;
    next = std::max(next, p.low[y]);
    while (next <= p.high[y]) {
      const bool two = pair && next + 1 < p.srcH;
      const int last = two ? next + 1 : next;
      need.clear();
      for (int later = y; later < p.dstH && p.low[later] <= last; ++later) {
        for (const ColumnSpan& c : spans.row(later)) need.push_back(c);
      }
      std::sort(need.begin(), need.end(), [](ColumnSpan a, ColumnSpan b) { return a.begin < b.begin; });
      for (std::size_t i = 0; i < need.size();) {
        ColumnSpan c = need[i];
        for (++i; i < need.size() && need[i].begin <= c.end; ++i) c.end = std::max(c.end, need[i].end);
        if (two) {
          pair(p, source(next), source(next + 1), slot(next), slot(next + 1), scratch, c.begin, c.end);
        } else {
          kernels.horizontal(p, source(next), slot(next), scratch, c.begin, c.end);
        }
      }
      next = last + 1;
    }
    const int first = p.rows.start[y], taps = p.rows.start[y + 1] - first;
    scratch.rows.resize(static_cast<std::size_t>(taps));
    std::uint8_t* out = dst.bits + static_cast<std::ptrdiff_t>(y) * dst.stride;
    for (const ColumnSpan& c : wanted) {
      for (int k = 0; k < taps; ++k) scratch.rows[k] = slot(p.rows.index[first + k]) + 4 * c.begin;
      kernels.vertical(scratch.rows.data(), p.rows.weight.data() + first, taps, out + 4 * c.begin,
                       4 * static_cast<std::size_t>(c.end - c.begin));
    }
  }
}

const Kernels& TheKernels() {
  static const Kernels kernels = BestKernels();
  return kernels;
}

}  // namespace

void ResamplePixels(const PixelBuffer& source, const PixelBuffer& target) {
  if (source.width <= 0 || source.height <= 0 || target.width <= 0 || target.height <= 0) return;
  const Kernels& kernels = TheKernels();
  const Plan& plan = PlanFor(source.width, source.height, target.width, target.height);
  ThreadChangeScratch(source.height);
  // Below this many taps in all a second core costs more than it saves.
  constexpr double kWorthSplitting = 2e6;
  const double work = static_cast<double>(target.width) * target.height * (plan.taps + 4);
  if (work < kWorthSplitting || target.height < 8) {
    ResampleBand(plan, kernels, source, target, 0, target.height);
    return;
  }
  const int half = target.height / 2;
  OnBothCores([&] { ResampleBand(plan, kernels, source, target, 0, half); },
              [&] { ResampleBand(plan, kernels, source, target, half, target.height); });
}

void ResampleChanged(const PixelBuffer& source, const PixelBuffer& target, const RowSpans& changed,
                     RowSpans& written) {
  written.Clear(target.height);
  if (source.width <= 0 || source.height <= 0 || target.width <= 0 || target.height <= 0) return;
  const Plan& plan = PlanFor(source.width, source.height, target.width, target.height);
  if (!plan.monotone || changed.rows() != source.height) {
    ResamplePixels(source, target);
    written.SetAll(target.width, target.height);
    return;
  }
  // The destination columns that read each source row's changed columns.
  ChangeScratch& bookkeeping = ThreadChangeScratch(source.height);
  RowSpans& columns = bookkeeping.columns;
  std::vector<ColumnSpan>& gathered = bookkeeping.gathered;
  columns.Clear(source.height);
  for (int r = 0; r < source.height; ++r) {
    for (const ColumnSpan& c : changed.row(r)) {
      const int x0 = static_cast<int>(std::lower_bound(plan.colHigh.begin(), plan.colHigh.end(), c.begin) -
                                      plan.colHigh.begin());
      const int x1 = static_cast<int>(std::upper_bound(plan.colLow.begin(), plan.colLow.end(), c.end - 1) -
                                      plan.colLow.begin());
      columns.Add(r, x0, x1);
    }
  }
  // Each destination row needs those of the source rows it reads.
  for (int y = 0; y < target.height; ++y) {
    gathered.clear();
    for (int r = plan.low[y]; r <= plan.high[y]; ++r) {
      for (const ColumnSpan& c : columns.row(r)) gathered.push_back(c);
    }
    std::sort(gathered.begin(), gathered.end(), [](ColumnSpan a, ColumnSpan b) { return a.begin < b.begin; });
    for (const ColumnSpan& c : gathered) written.Add(y, c.begin, c.end);
  }
  ResampleSpans(plan, TheKernels(), source, target, written);
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

void ResampleBitmapChanged(const QImage& source, QImage& target, const RowSpans& changed, RowSpans& written) {
  if (source.isNull() || target.isNull() || source.format() != QImage::Format_RGB32 ||
      target.format() != QImage::Format_RGB32) {
    ResampleBitmap(source, target);
    written.SetAll(target.width(), target.height());
    return;
  }
  const PixelBuffer s{const_cast<std::uint8_t*>(source.constBits()), source.width(), source.height(),
                      static_cast<int>(source.bytesPerLine())};
  const PixelBuffer t{target.bits(), target.width(), target.height(),
                      static_cast<int>(target.bytesPerLine())};
  ResampleChanged(s, t, changed, written);
}

}  // namespace wc
