// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/LargeBuffer.h"

#include <new>
#include <utility>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace wc {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::size_t RoundUp(std::size_t n, std::size_t to) { return (n + to - 1) / to * to; }

#ifdef __linux__

// A block aligned to a huge page and a whole number of them long, so that the
// kernel can back all of it with huge pages. A smaller one is mapped with its
// pages at once: one call instead of a fault a page.
std::uint8_t* MapBlock(std::size_t bytes, std::size_t& mapped) {
  if (bytes < kLargeBufferMin) {
    mapped = bytes;
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    return p == MAP_FAILED ? nullptr : static_cast<std::uint8_t*>(p);
  }
  mapped = RoundUp(bytes, kHugePage);
  const std::size_t over = mapped + kHugePage;
  void* p = mmap(nullptr, over, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) return nullptr;
  const auto start = reinterpret_cast<std::uintptr_t>(p);
  const std::uintptr_t aligned = RoundUp(start, kHugePage);
  if (aligned > start) munmap(p, aligned - start);
  if (const std::size_t tail = start + over - (aligned + mapped); tail > 0) {
    munmap(reinterpret_cast<void*>(aligned + mapped), tail);
  }
  // Refused where the kernel has no huge pages: the block then simply has
  // ordinary pages.
  madvise(reinterpret_cast<void*>(aligned), mapped, MADV_HUGEPAGE);
  return reinterpret_cast<std::uint8_t*>(aligned);
}

void UnmapBlock(std::uint8_t* p, std::size_t mapped) { munmap(p, mapped); }

#else

std::uint8_t* MapBlock(std::size_t bytes, std::size_t& mapped) {
  mapped = RoundUp(bytes, 64);
  return static_cast<std::uint8_t*>(::operator new (mapped, std::align_val_t{64}, std::nothrow));
}

void UnmapBlock(std::uint8_t* p, std::size_t) { ::operator delete (p, std::align_val_t{64}); }

#endif

struct ImageBlock {
  std::uint8_t* data;
  std::size_t mapped;
};

void FreeImageBlock(void* info) {
  auto* b = static_cast<ImageBlock*>(info);
  UnmapBlock(b->data, b->mapped);
  delete b;
}

}  // namespace

LargeBuffer::LargeBuffer(std::size_t bytes) { reserve(bytes); }

LargeBuffer::~LargeBuffer() {
  if (data_) UnmapBlock(data_, mapped_);
}

LargeBuffer::LargeBuffer(LargeBuffer&& o) noexcept
    : data_(std::exchange(o.data_, nullptr)),
      size_(std::exchange(o.size_, 0)),
      mapped_(std::exchange(o.mapped_, 0)) {}

LargeBuffer& LargeBuffer::operator=(LargeBuffer&& o) noexcept {
  if (this != &o) {
    if (data_) UnmapBlock(data_, mapped_);
    data_ = std::exchange(o.data_, nullptr);
    size_ = std::exchange(o.size_, 0);
    mapped_ = std::exchange(o.mapped_, 0);
  }
  return *this;
}

bool LargeBuffer::reserve(std::size_t bytes) {
  if (data_ && bytes <= mapped_) {
    size_ = bytes;
    return true;
  }
  *this = LargeBuffer();
  if (bytes == 0) return true;
  data_ = MapBlock(bytes, mapped_);
  size_ = data_ ? bytes : 0;
  if (!data_) mapped_ = 0;
  return data_ != nullptr;
}

QImage NewLargeImage(int width, int height, QImage::Format format) {
  if (width <= 0 || height <= 0) return QImage(width, height, format);
  const int depth = QImage::toPixelFormat(format).bitsPerPixel();
  // QImage's own row length: whole 32-bit words.
  const qsizetype bytesPerLine = ((static_cast<qsizetype>(width) * depth + 31) >> 5) << 2;
  const std::size_t bytes = static_cast<std::size_t>(bytesPerLine) * static_cast<std::size_t>(height);
  if (bytes < kLargeBufferMin) return QImage(width, height, format);
  std::size_t mapped = 0;
  std::uint8_t* data = MapBlock(bytes, mapped);
  if (!data) return QImage(width, height, format);
  auto* block = new ImageBlock{data, mapped};
  QImage image(data, width, height, bytesPerLine, format, FreeImageBlock, block);
  if (image.isNull()) FreeImageBlock(block);  // QImage calls the clean-up only once it holds the data
  return image;
}

bool ReuseImage(QImage& image, int width, int height, QImage::Format format) {
  if (!image.isNull() && image.width() == width && image.height() == height && image.format() == format &&
      image.isDetached()) {
    return true;
  }
  image = QImage();  // the old memory goes back before the new is taken
  image = NewLargeImage(width, height, format);
  return false;
}

}  // namespace wc
