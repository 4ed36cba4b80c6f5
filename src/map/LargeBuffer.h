// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Memory for the map's large pictures. Touching fresh memory costs a page
// fault per 4 KB page, and on a virtual machine a fault costs more than the
// arithmetic done on the page; so large buffers are 2 MB aligned, rounded up
// to whole 2 MB and backed by transparent huge pages where the kernel offers
// them (an 8 MB picture then costs four faults), and they are kept and reused
// rather than allocated afresh. Elsewhere they are ordinary memory.

#include <QImage>
#include <cstddef>
#include <cstdint>

namespace wc {

// Buffers from this size up are backed by huge pages; smaller ones would
// waste most of one.
inline constexpr std::size_t kLargeBufferMin = std::size_t{1} << 20;

// An owned block of at least `bytes`; empty when the memory cannot be had.
class LargeBuffer {
 public:
  LargeBuffer() = default;
  explicit LargeBuffer(std::size_t bytes);
  ~LargeBuffer();
  LargeBuffer(LargeBuffer&& o) noexcept;
  LargeBuffer& operator=(LargeBuffer&& o) noexcept;
  LargeBuffer(const LargeBuffer&) = delete;
  LargeBuffer& operator=(const LargeBuffer&) = delete;

  std::uint8_t* data() const { return data_; }
  std::size_t size() const { return size_; }
  bool empty() const { return data_ == nullptr; }
  // Keeps the block when it already holds `bytes`, else replaces it.
  // False when no memory could be had (the buffer is then empty).
  bool reserve(std::size_t bytes);

 private:
  std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;  // bytes asked for
  std::size_t mapped_ = 0;
};

// A new image whose pixels live in a LargeBuffer when it is large enough (an
// ordinary QImage otherwise, and as the quiet fallback). Contents undefined.
QImage NewLargeImage(int width, int height, QImage::Format format = QImage::Format_RGB32);

// Makes `image` a width x height image of `format`, keeping its memory when it
// already is one and shares it with no other QImage. True when the memory was
// kept; the contents are then the old ones, otherwise undefined.
bool ReuseImage(QImage& image, int width, int height, QImage::Format format = QImage::Format_RGB32);

}  // namespace wc
