#include "map/Bmp.h"

#include <QImage>
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

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

// The 54-byte header of a bottom-up 24-bit picture.
std::string Header(std::size_t w, std::size_t h, std::size_t rowBytes) {
  constexpr std::size_t kHeader = 14 + 40;
  std::string header(kHeader, '\0');
  header[0] = 'B';
  header[1] = 'M';
  Put32(header, 2, static_cast<std::uint32_t>(kHeader + rowBytes * h));
  Put32(header, 10, kHeader);
  Put32(header, 14, 40);
  Put32(header, 18, static_cast<std::uint32_t>(w));
  Put32(header, 22, static_cast<std::uint32_t>(h));  // positive: bottom-up
  Put16(header, 26, 1);
  Put16(header, 28, 24);
  Put32(header, 34, static_cast<std::uint32_t>(rowBytes * h));
  Put32(header, 38, 3780);  // 96 dpi
  Put32(header, 42, 3780);
  return header;
}

// Blue, green, red of each pixel; the row's padding is left as it is.
void PackRow(const QRgb* s, char* d, std::size_t w) {
  std::size_t x = 0;
  // Four pixels into three words.
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

QImage Rgb32(const QImage& image) {
  return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
             ? image
             : image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

void EncodeBmp24(const QImage& image, const std::function<void(const char*, std::size_t)>& sink) {
  if (image.isNull()) return;
  const QImage src = Rgb32(image);
  const auto w = static_cast<std::size_t>(src.width());
  const auto h = static_cast<std::size_t>(src.height());
  const std::size_t rowBytes = (w * 3 + 3) & ~std::size_t{3};
  const std::string header = Header(w, h, rowBytes);
  sink(header.data(), header.size());

  // Kept between calls: the wallpaper is written every minute.
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

void EncodeBmp24(const QImage& image, std::string& out) {
  out.clear();
  if (image.isNull()) return;
  const QImage src = Rgb32(image);
  const auto w = static_cast<std::size_t>(src.width());
  const auto h = static_cast<std::size_t>(src.height());
  const std::size_t rowBytes = (w * 3 + 3) & ~std::size_t{3};
  const std::string header = Header(w, h, rowBytes);
  out.assign(header.data(), header.size());  // keeps out's memory
  out.resize(out.size() + rowBytes * h, '\0');
  char* d = out.data() + out.size() - rowBytes * h;
  for (std::size_t y = 0; y < h; ++y, d += rowBytes) {
    PackRow(reinterpret_cast<const QRgb*>(src.constScanLine(static_cast<int>(h - 1 - y))), d, w);
  }
}

std::string EncodeBmp24(const QImage& image) {
  std::string out;
  EncodeBmp24(image, out);
  return out;
}

}  // namespace wc
