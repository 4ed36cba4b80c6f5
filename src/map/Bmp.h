// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// 24-bit BMP encoding of a picture, the form the wallpaper file is written
// in. Write the bytes with WriteFileAtomically.

#include <cstddef>
#include <functional>
#include <string>

class QImage;

namespace wc {

// A bottom-up, uncompressed 24-bit BMP (rows padded to four bytes) of the
// image's colours; an empty string for a null image.
std::string EncodeBmp24(const QImage& image);
// The same bytes handed to sink in pieces (header, then a few rows at a
// time), for writing a large picture without holding all of it twice.
void EncodeBmp24(const QImage& image, const std::function<void(const char* bytes, std::size_t n)>& sink);
// The same bytes into out, whose memory is reused when it already has the
// size (a picture encoded again and again, the wallpaper).
void EncodeBmp24Into(const QImage& image, std::string& out);

}  // namespace wc
