// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Settings reads for the main window: those of every window, and its fonts.

#include "map/WorldMap.h"
#include "platform/SettingsReads.h"

namespace wc {

// Changes font only when a font is stored.
void ReadFontOrReport(std::string_view name, MapFont& font);

}  // namespace wc
