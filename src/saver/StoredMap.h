// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The map as the user set it up in the program, read from the stored
// settings and the city database, for the screen saver, which runs without
// the program.

#include "map/WorldMap.h"

namespace wc {

struct StoredMapLook {
  bool showTimes = true;    // "Desktop Show Times"
  bool fullHeight = false;  // "Desktop Full Height"
};

// Sets the view, the shading, the overlay switches, the wallpaper fonts, the
// locale's formatter and the map's cities. A stored value that cannot be used
// leaves its default.
StoredMapLook LoadStoredMap(WorldMap& map);

}  // namespace wc
