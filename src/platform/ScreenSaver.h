// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The screen-saver module: the saver program shipped beside this one, and
// its registration as the user's screen saver (the xscreensaver settings on
// Linux, the system values on Windows).

#include <string>

#include "core/AtomicFile.h"

namespace wc {

// tavrel-world-clock-saver beside the running executable ("Tavrel World
// Clock.scr" in the Windows folder on Windows).
std::string ScreenSaverModulePath();
// The module is there and can be run.
bool ScreenSaverModuleExists(const std::string& path);

// Registers path as the screen saver, or unregisters it for an empty path.
// Fails, with a message for the user, when the settings could not be
// written.
FileResult SetScreenSaverModule(const std::string& path);

}  // namespace wc
