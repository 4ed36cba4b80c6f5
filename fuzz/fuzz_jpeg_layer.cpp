// day.jpg and night.jpg: decoded, brought to the working size and turned for
// a view, as the map builds its layers.

#include <QImage>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "map/MapMath.h"
#include "map/WorldMap.h"

using namespace wc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzz::WriteInput("day.jpg", fuzz::Bytes(data, size));
  QImage layer;
  if (LoadMapImage(path, layer, static_cast<int>(size % 3))) {
    fuzz::Require(layer.width() == kBaseMapWidth && layer.height() == kBaseMapHeight &&
                      layer.format() == QImage::Format_RGB32,
                  "a layer has the working size");
  }
  return 0;
}
