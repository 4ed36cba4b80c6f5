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

// Colour values are stored red in the low byte.
QColor ColorFromColorRef(std::uint32_t colorRef);
std::uint32_t ColorRefFromColor(const QColor& color);

}  // namespace wc
