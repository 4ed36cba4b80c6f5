// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Two-pass separable rescale with the Bell filter (support 1.5): rows first
// into an 8-bit scratch picture, then columns. Sums are single precision and
// the weights are not normalised, so results match the filter exactly as
// specified rather than an idealised one.

#include <cstdint>

class QImage;

namespace wc {

class RowSpans;

// A view of 32-bit pixels in memory order blue, green, red, unused (what
// QImage::Format_RGB32 holds on little-endian machines).
struct PixelBuffer {
  std::uint8_t* bits = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;  // bytes per row
};

// Scales source to the size target already has. Nothing happens when either
// has no pixels. The unused byte of every target pixel is set to 0xFF.
void ResamplePixels(const PixelBuffer& source, const PixelBuffer& target);

// The same on images: target keeps its size (the caller sets it) and becomes
// Format_RGB32; source is read as RGB32 (converted on the fly if needed).
void ResampleBitmap(const QImage& source, QImage& target);

// Brings target, which holds a scaling of an earlier version of source, up
// to date where source has changed since (`changed`: spans per source row),
// and puts into `written` the spans per target row it rewrote. The result is
// the same to the bit as scaling the whole of source again; sizes the
// filter cannot map span to span are scaled whole (written is then all).
void ResampleChanged(const PixelBuffer& source, const PixelBuffer& target, const RowSpans& changed,
                     RowSpans& written);
// The same on RGB32 images of the same sizes as the last time.
void ResampleBitmapChanged(const QImage& source, QImage& target, const RowSpans& changed, RowSpans& written);

}  // namespace wc
