// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The program-wide folders. Every folder path ends with the separator, so
// callers append a file name directly (DataFolder() + "citydata.dat").

#include <string>

namespace wc {

// Per-user data: $XDG_DATA_HOME/TavrelWorldClock/ (default ~/.local/share/...);
// the local application-data folder + TavrelWorldClock\ on Windows. Not
// created here.
std::string DataFolder();

// Shipped data: the executable's folder when it holds day.jpg (build tree,
// portable copy), else <exe>/../share/tavrel-world-clock/.
std::string ProgramFolder();

// Per-user settings file: $XDG_CONFIG_HOME/TavrelWorldClock/settings.reg.
std::string ConfigFolder();
std::string SettingsFilePath();

// The XDG autostart entry that starts the program at login:
// $XDG_CONFIG_HOME/autostart/tavrel-world-clock.desktop.
std::string AutostartEntryPath();

// A private folder for short-lived files: $XDG_RUNTIME_DIR when it is the
// user's own and open to nobody else, else a per-user folder under the data
// folder; never a shared, guessable temporary path.
std::string RuntimeFolder();
// RuntimeFolder() + "wcwallpaper.bmp".
std::string WallpaperImagePath();

// The running executable's full path.
std::string ExecutablePath();

// Overrides ProgramFolder (tests, and the screen saver started from elsewhere).
void SetProgramFolder(const std::string& folder);
// Overrides DataFolder (tests); an empty folder restores the default.
void SetDataFolder(const std::string& folder);

}  // namespace wc
