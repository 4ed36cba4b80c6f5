#pragma once
// The font dialog of the map-font commands: face, style, size and effects,
// with the colour the text is drawn in.

#include <optional>

#include "map/WorldMap.h"

class QWidget;

namespace wc {

// The chosen font, or nothing when the user cancelled.
std::optional<MapFont> ChooseMapFont(QWidget* parent, const MapFont& current, const QString& title);

}  // namespace wc
