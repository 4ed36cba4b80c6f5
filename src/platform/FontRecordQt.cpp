// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

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

namespace {
int PixelSize(const QFont& font) {
  const int px = font.pixelSize();
  return px > 0 ? px : static_cast<int>(std::lround(font.pointSizeF() * 96.0 / 72.0));
}
}  // namespace

FontRecord RecordFromFont(const QFont& font, const QColor& color) {
  FontRecord r;
  r.colour = ColorRefFromColor(color);
  r.height = -PixelSize(font);
  r.weight = static_cast<std::int32_t>(font.weight());
  r.italic = font.italic() ? 1 : 0;
  r.underline = font.underline() ? 1 : 0;
  r.strikeOut = font.strikeOut() ? 1 : 0;
  r.charSet = kDefaultCharSet;
  r.setFace(font.family().toStdString());
  return r;
}

}  // namespace wc

namespace wc {

FontChange CompareFonts(const ColouredFont& before, const ColouredFont& after) {
  FontChange c;
  c.chosen = after;
  const QFont& a = before.font;
  const QFont& b = after.font;
  c.face = a.family() != b.family();
  c.size = PixelSize(a) != PixelSize(b);
  c.weight = a.weight() != b.weight();
  c.italic = a.italic() != b.italic();
  c.underline = a.underline() != b.underline();
  c.strikeOut = a.strikeOut() != b.strikeOut();
  c.colour = ColorRefFromColor(before.color) != ColorRefFromColor(after.color);
  return c;
}

FontRecord ApplyFontChange(FontRecord r, const FontChange& c) {
  const FontRecord fresh = RecordFromFont(c.chosen.font, c.chosen.color);
  if (c.face) r.setFace(fresh.face());
  if (c.size) r.height = fresh.height;
  if (c.weight) r.weight = fresh.weight;
  if (c.italic) r.italic = fresh.italic;
  if (c.underline) r.underline = fresh.underline;
  if (c.strikeOut) r.strikeOut = fresh.strikeOut;
  if (c.colour) r.colour = fresh.colour;
  return r;
}

}  // namespace wc
