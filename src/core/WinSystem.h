// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Windows services the program uses without the toolkit: global hot keys, the
// desktop wallpaper and the screen-saver registration. Built on Windows only;
// the toolkit layer wraps them behind its per-platform interfaces.

#ifdef _WIN32

#include <cstdint>
#include <string>

#include "core/HotKey.h"

namespace wc {

// RegisterHotKey for the calling thread (WM_HOTKEY arrives in its queue) under
// the global atom HotKeyRegistrationName(v): the atom, which is the
// registration id, or 0 when the system refused.
std::uint32_t RegisterSystemHotKey(HotKeyValue v);
// Unregisters and deletes the atom; false when the unregistration failed.
bool UnregisterSystemHotKey(std::uint32_t id);
// The combination a WM_HOTKEY message carries in its lParam.
HotKeyValue HotKeyFromMessage(std::intptr_t lParam);

// The "Wallpaper" value of "Control Panel\Desktop"; empty when absent.
std::string GetWallpaper();
// Puts file in place, writes the user profile and tells every window; an
// empty file leaves no picture.
bool ShowWallpaper(const std::string& file);

// "Tavrel World Clock.scr" in the Windows folder.
std::string WindowsScreenSaverModulePath();
// "SCRNSAVE.EXE" = the short (8.3) form of path (empty for none), then the
// screen saver switched on for this session. False when the key could not be
// written.
bool RegisterWindowsScreenSaver(const std::string& path);

}  // namespace wc

#endif
