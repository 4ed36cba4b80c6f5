// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/XcbPicture.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace wc {

namespace {

const xcb_format_t* PixelFormat(xcb_connection_t* conn, std::uint8_t depth) {
  const xcb_setup_t* setup = xcb_get_setup(conn);
  for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it)) {
    if (it.data->depth == depth) return it.data;
  }
  return nullptr;
}

bool ServerIsLittleEndian(xcb_connection_t* conn) {
  return xcb_get_setup(conn)->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST;
}

std::uint32_t Swap(std::uint32_t v) {
  return (v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24);
}

}  // namespace

xcb_screen_t* FirstScreen(xcb_connection_t* conn) {
  return xcb_setup_roots_iterator(xcb_get_setup(conn)).data;
}

xcb_atom_t InternAtom(xcb_connection_t* conn, const char* name) {
  std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> r(
      xcb_intern_atom_reply(
          conn, xcb_intern_atom(conn, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr),
      &std::free);
  return r ? r->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

bool PutPicture(xcb_connection_t* conn, xcb_drawable_t drawable, xcb_gcontext_t gc, std::uint8_t depth,
                const QImage& picture, int x, int y) {
  const xcb_format_t* f = PixelFormat(conn, depth);
  if (!f || f->bits_per_pixel != 32 || picture.isNull()) return false;
  const QImage src =
      picture.format() == QImage::Format_RGB32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
  const int w = src.width();
  const std::size_t rowBytes = static_cast<std::size_t>(w) * 4;
  // The request length is counted in words; keep a little room for the header.
  const std::size_t maxBytes = static_cast<std::size_t>(xcb_get_maximum_request_length(conn)) * 4 - 64;
  const int rowsPerRequest =
      static_cast<int>(std::max<std::size_t>(1, std::min<std::size_t>(maxBytes / rowBytes, 256)));
  const bool swap = !ServerIsLittleEndian(conn);
  std::vector<std::uint32_t> swapped;
  for (int row = 0; row < src.height(); row += rowsPerRequest) {
    const int rows = std::min(rowsPerRequest, src.height() - row);
    const auto* data = src.constScanLine(row);
    // Rows of a QImage are 4-byte aligned and 32-bit pixels need no padding,
    // so a band of rows is one contiguous block when the stride is the width.
    std::vector<std::uint8_t> band;
    const std::uint8_t* bytes = data;
    if (static_cast<std::size_t>(src.bytesPerLine()) != rowBytes || swap) {
      band.resize(rowBytes * static_cast<std::size_t>(rows));
      for (int r = 0; r < rows; ++r) {
        std::memcpy(band.data() + r * rowBytes, src.constScanLine(row + r), rowBytes);
      }
      if (swap) {
        auto* px = reinterpret_cast<std::uint32_t*>(band.data());
        for (std::size_t i = 0; i < band.size() / 4; ++i) px[i] = Swap(px[i]);
      }
      bytes = band.data();
    }
    xcb_put_image(conn, XCB_IMAGE_FORMAT_Z_PIXMAP, drawable, gc, static_cast<std::uint16_t>(w),
                  static_cast<std::uint16_t>(rows), static_cast<std::int16_t>(x),
                  static_cast<std::int16_t>(y + row), 0, depth,
                  static_cast<std::uint32_t>(rowBytes * static_cast<std::size_t>(rows)), bytes);
  }
  return true;
}

QImage GetPicture(xcb_connection_t* conn, xcb_drawable_t drawable) {
  std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> g(
      xcb_get_geometry_reply(conn, xcb_get_geometry(conn, drawable), nullptr), &std::free);
  if (!g) return {};
  const xcb_format_t* f = PixelFormat(conn, g->depth);
  if (!f || f->bits_per_pixel != 32) return {};
  QImage out(g->width, g->height, QImage::Format_RGB32);
  const bool swap = !ServerIsLittleEndian(conn);
  const std::size_t rowBytes = static_cast<std::size_t>(g->width) * 4;
  // A reply is not limited like a request, but a band keeps each one small.
  constexpr int kBand = 128;
  for (int row = 0; row < g->height; row += kBand) {
    const int rows = std::min<int>(kBand, g->height - row);
    std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> r(
        xcb_get_image_reply(
            conn,
            xcb_get_image(conn, XCB_IMAGE_FORMAT_Z_PIXMAP, drawable, 0, static_cast<std::int16_t>(row),
                          g->width, static_cast<std::uint16_t>(rows), ~0u),
            nullptr),
        &std::free);
    if (!r || static_cast<std::size_t>(xcb_get_image_data_length(r.get())) <
                  rowBytes * static_cast<std::size_t>(rows))
      return {};
    const std::uint8_t* data = xcb_get_image_data(r.get());
    for (int y = 0; y < rows; ++y) {
      auto* line = reinterpret_cast<std::uint32_t*>(out.scanLine(row + y));
      std::memcpy(line, data + static_cast<std::size_t>(y) * rowBytes, rowBytes);
      for (int x = 0; x < g->width; ++x) line[x] = (swap ? Swap(line[x]) : line[x]) | 0xFF000000u;
    }
  }
  return out;
}

}  // namespace wc
