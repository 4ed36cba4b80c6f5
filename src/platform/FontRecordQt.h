#pragma once
// Stored font values (colour + LOGFONTW layout) as Qt fonts and colours.

#include <QColor>
#include <QFont>

#include "core/SettingsRecords.h"

namespace wc {

// A colour value: red in the low byte, then green, then blue.
QColor ColourFromColourRef(std::uint32_t colourRef);
std::uint32_t ColourRefFromColour(const QColor& colour);

// The height is in pixels: a negative stored height is the character height,
// a positive one the cell height (taken as the character height too).
QFont FontFromRecord(const FontRecord& record);
FontRecord RecordFromFont(const QFont& font, const QColor& colour);

}  // namespace wc
