// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// day.jpg and night.jpg: decoded, and (for one input in 32, as bringing
// every picture to the working size would take most of the time) brought
// to the working size and turned for a view, as the map builds its layers.

#include <QImage>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "map/MapMath.h"
#include "map/WorldMap.h"

using namespace wc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzz::WriteInput("day.jpg", fuzz::Bytes(data, size));
  if (size % 32 != 0) {
    const QImage image = DecodeJpegFile(path);
    fuzz::Require(image.isNull() || (image.width() <= kMaxLayerWidth && image.height() <= kMaxLayerHeight),
                  "no picture beyond the layer limit");
    return 0;
  }
  QImage layer;
  if (LoadMapImage(path, layer, static_cast<int>(size / 32 % 3))) {
    fuzz::Require(layer.width() == kBaseMapWidth && layer.height() == kBaseMapHeight &&
                      layer.format() == QImage::Format_RGB32,
                  "a layer has the working size");
  }
  return 0;
}
