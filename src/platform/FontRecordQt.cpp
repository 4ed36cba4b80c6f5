#include "FontRecordQt.h"

#include <cmath>
#include <cstdlib>

namespace wc {

QColor ColourFromColourRef(std::uint32_t c) {
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                static_cast<int>((c >> 16) & 0xFF));
}

std::uint32_t ColourRefFromColour(const QColor& c) {
  return static_cast<std::uint32_t>(c.red()) | (static_cast<std::uint32_t>(c.green()) << 8) |
         (static_cast<std::uint32_t>(c.blue()) << 16);
}

QFont FontFromRecord(const FontRecord& r) {
  QFont f;
  const std::string face = r.face();
  if (!face.empty()) f.setFamily(QString::fromStdString(face));
  if (r.height != 0) f.setPixelSize(std::abs(r.height));
  if (r.weight > 0) f.setWeight(static_cast<QFont::Weight>(std::clamp(r.weight, 1, 1000)));
  f.setItalic(r.italic != 0);
  f.setUnderline(r.underline != 0);
  f.setStrikeOut(r.strikeOut != 0);
  return f;
}

FontRecord RecordFromFont(const QFont& f, const QColor& colour) {
  FontRecord r;
  r.colour = ColourRefFromColour(colour);
  int px = f.pixelSize();
  if (px <= 0) px = static_cast<int>(std::lround(f.pointSizeF() * 96.0 / 72.0));
  r.height = -px;
  r.weight = f.weight();
  r.italic = f.italic() ? 1 : 0;
  r.underline = f.underline() ? 1 : 0;
  r.strikeOut = f.strikeOut() ? 1 : 0;
  r.charSet = 1;  // DEFAULT_CHARSET
  r.setFace(f.family().toStdString());
  return r;
}

}  // namespace wc
