// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/Bmp.h"

#include <QImage>
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

namespace wc {

static_assert(std::endian::native == std::endian::little, "pixels are packed as little-endian words");

namespace {

void Put16(std::string& s, std::size_t at, std::uint16_t v) {
  s[at] = static_cast<char>(v & 0xFF);
  s[at + 1] = static_cast<char>(v >> 8);
}
void Put32(std::string& s, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

constexpr std::size_t kHeader = 14 + 40;

std::size_t RowBytes(std::size_t w) { return (w * 3 + 3) & ~std::size_t{3}; }

QImage AsRgb32(const QImage& image) {
  return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
             ? image
             : image.convertToFormat(QImage::Format_RGB32);
}

// The file and info headers at the start of out.
void PutHeader(std::string& out, std::size_t w, std::size_t h) {
  const std::size_t rowBytes = RowBytes(w);
  std::memset(out.data(), 0, kHeader);
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, static_cast<std::uint32_t>(kHeader + rowBytes * h));
  Put32(out, 10, kHeader);
  Put32(out, 14, 40);
  Put32(out, 18, static_cast<std::uint32_t>(w));
  Put32(out, 22, static_cast<std::uint32_t>(h));  // positive: bottom-up
  Put16(out, 26, 1);
  Put16(out, 28, 24);
  Put32(out, 34, static_cast<std::uint32_t>(rowBytes * h));
  Put32(out, 38, 3780);  // 96 dpi
  Put32(out, 42, 3780);
}

#if defined(__GNUC__) && defined(__x86_64__)
#define WC_BMP_SSSE3 1

// Four pixels a shuffle. Each store writes four bytes past the twelve it
// fills, which the next store overwrites; so at least two more pixels must
// follow in the row.
__attribute__((target("ssse3"))) std::size_t PackSsse3(const QRgb* s, char* d, std::size_t w) {
  const __m128i order = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
  std::size_t x = 0;
  for (; x + 6 <= w; x += 4) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + x));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 3 * x), _mm_shuffle_epi8(v, order));
  }
  return x;
}

const bool kHasSsse3 = __builtin_cpu_supports("ssse3");
#endif

void PackRow(const QRgb* s, char* d, std::size_t w) {
  std::size_t x = 0;
#ifdef WC_BMP_SSSE3
  if (kHasSsse3) x = PackSsse3(s, d, w);
#endif
  // Four pixels into three words: blue, green, red of each in turn.
  for (; x + 4 <= w; x += 4) {
    const std::uint32_t a = s[x] & 0xFFFFFFu, b = s[x + 1] & 0xFFFFFFu, c = s[x + 2] & 0xFFFFFFu,
                        e = s[x + 3] & 0xFFFFFFu;
    const std::uint32_t w0 = a | b << 24, w1 = b >> 8 | c << 16, w2 = c >> 16 | e << 8;
    std::memcpy(d + 3 * x, &w0, 4);
    std::memcpy(d + 3 * x + 4, &w1, 4);
    std::memcpy(d + 3 * x + 8, &w2, 4);
  }
  for (; x < w; ++x) {
    d[3 * x] = static_cast<char>(qBlue(s[x]));
    d[3 * x + 1] = static_cast<char>(qGreen(s[x]));
    d[3 * x + 2] = static_cast<char>(qRed(s[x]));
  }
}

}  // namespace

void EncodeBmp24Into(const QImage& image, std::string& out) {
  if (image.isNull()) {
    out.clear();
    return;
  }
  const QImage src = AsRgb32(image);
  const auto w = static_cast<std::size_t>(src.width());
  const auto h = static_cast<std::size_t>(src.height());
  const std::size_t rowBytes = RowBytes(w);
  const std::size_t total = kHeader + rowBytes * h;
  if (out.size() != total) out.resize(total);
  PutHeader(out, w, h);
  for (std::size_t y = 0; y < h; ++y) {
    char* d = out.data() + kHeader + y * rowBytes;
    PackRow(reinterpret_cast<const QRgb*>(src.constScanLine(static_cast<int>(h - 1 - y))), d, w);
    // The row's padding bytes, which a resize does not clear once reused.
    std::memset(d + 3 * w, 0, rowBytes - 3 * w);
  }
}

void EncodeBmp24(const QImage& image, const std::function<void(const char*, std::size_t)>& sink) {
  if (image.isNull()) return;
  const QImage src = AsRgb32(image);
  const auto w = static_cast<std::size_t>(src.width());
  const auto h = static_cast<std::size_t>(src.height());
  const std::size_t rowBytes = RowBytes(w);
  std::string header(kHeader, '\0');
  PutHeader(header, w, h);
  sink(header.data(), header.size());

  // Kept between calls, so that writing a picture every minute touches no
  // fresh memory.
  thread_local std::string chunk;
  const std::size_t rowsPerChunk = std::max<std::size_t>(1, (256 * 1024) / rowBytes);
  chunk.assign(rowsPerChunk * rowBytes, '\0');
  for (std::size_t y = 0; y < h;) {
    const std::size_t rows = std::min(rowsPerChunk, h - y);
    for (std::size_t r = 0; r < rows; ++r, ++y) {
      PackRow(reinterpret_cast<const QRgb*>(src.constScanLine(static_cast<int>(h - 1 - y))),
              chunk.data() + r * rowBytes, w);
    }
    sink(chunk.data(), rows * rowBytes);
  }
}

std::string EncodeBmp24(const QImage& image) {
  std::string out;
  EncodeBmp24(image, [&out](const char* bytes, std::size_t n) { out.append(bytes, n); });
  return out;
}

}  // namespace wc
