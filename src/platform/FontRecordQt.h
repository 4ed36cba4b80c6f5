// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The stored font value (colour + the Windows font description) and the
// toolkit's font, both ways. Sizes are pixels at 96 dots per inch, as the
// stored heights are.

#include <QColor>
#include <QFont>

#include "core/SettingsRecords.h"

namespace wc {

struct ColouredFont {
  QFont font;
  QColor color;
};

ColouredFont FontFromRecord(const FontRecord& record);
FontRecord RecordFromFont(const QFont& font, const QColor& color);

// What the user changed in a font dialog, attribute by attribute.
struct FontChange {
  ColouredFont chosen;
  bool face = false, size = false, weight = false, italic = false, underline = false, strikeOut = false,
       colour = false;
  bool any() const { return face || size || weight || italic || underline || strikeOut || colour; }
};
FontChange CompareFonts(const ColouredFont& before, const ColouredFont& after);
// The stored record with only the changed attributes replaced, so that what
// the user left alone (a face name this machine lacks, fields the toolkit
// has no notion of) stays byte for byte.
FontRecord ApplyFontChange(FontRecord stored, const FontChange& change);

// Colour values are stored red in the low byte.
QColor ColorFromColorRef(std::uint32_t colorRef);
std::uint32_t ColorRefFromColor(const QColor& color);

}  // namespace wc
