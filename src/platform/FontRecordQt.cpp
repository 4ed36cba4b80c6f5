#include "platform/FontRecordQt.h"

#include <cmath>
#include <cstdlib>

namespace wc {

namespace {
constexpr std::uint8_t kDefaultCharSet = 1;
}  // namespace

QColor ColorFromColorRef(std::uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

std::uint32_t ColorRefFromColor(const QColor& color) {
  return static_cast<std::uint32_t>(color.red()) | static_cast<std::uint32_t>(color.green()) << 8 |
         static_cast<std::uint32_t>(color.blue()) << 16;
}

ColouredFont FontFromRecord(const FontRecord& r) {
  ColouredFont f;
  f.font.setFamily(QString::fromStdString(r.face()));
  // A negative height is the character height, a positive one the cell
  // height, whose character part is about seven eighths of it.
  if (r.height < 0) {
    f.font.setPixelSize(-r.height);
  } else if (r.height > 0) {
    f.font.setPixelSize(std::max(1, static_cast<int>(std::lround(r.height * 0.875))));
  }
  if (r.weight > 0) f.font.setWeight(static_cast<QFont::Weight>(std::clamp(r.weight, 100, 900)));
  f.font.setItalic(r.italic != 0);
  f.font.setUnderline(r.underline != 0);
  f.font.setStrikeOut(r.strikeOut != 0);
  f.color = ColorFromColorRef(r.colour);
  return f;
}

FontRecord RecordFromFont(const QFont& font, const QColor& color) {
  FontRecord r;
  r.colour = ColorRefFromColor(color);
  int px = font.pixelSize();
  if (px <= 0) px = static_cast<int>(std::lround(font.pointSizeF() * 96.0 / 72.0));
  r.height = -px;
  r.weight = static_cast<std::int32_t>(font.weight());
  r.italic = font.italic() ? 1 : 0;
  r.underline = font.underline() ? 1 : 0;
  r.strikeOut = font.strikeOut() ? 1 : 0;
  r.charSet = kDefaultCharSet;
  r.setFace(font.family().toStdString());
  return r;
}

}  // namespace wc
