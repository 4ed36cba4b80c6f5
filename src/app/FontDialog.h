// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The font dialog of the map-font commands: face, style, size and effects,
// with the colour the text is drawn in.

#include <optional>

#include "map/WorldMap.h"
#include "platform/FontRecordQt.h"

class QWidget;

namespace wc {

// Opens the dialog on the face the font really renders with (a stored face
// the machine lacks is drawn with a substitute, and that is the one to show).
// Nothing when the user cancelled; otherwise what the user changed.
std::optional<FontChange> ChooseMapFont(QWidget* parent, const MapFont& current, const QString& title);

}  // namespace wc
