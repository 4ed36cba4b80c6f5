// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Reading and writing single settings. Each operation opens the store, does
// its one read or write and closes it again; a missing key or value gives the
// caller's default. Keys are paths below HKEY_CURRENT_USER (normally
// kSettingsKey), texts are UTF-8.

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/SettingsRecords.h"
#include "core/SettingsTable.h"

namespace wc {

// A stored value the program cannot use; the text is for the user.
class SettingsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws SettingsError "Invalid data type for '<name>'" when the value is not
// text.
std::string ReadStringSetting(std::string_view key, std::string_view name, std::string_view defaultText);
// Throws SettingsError "Invalid data type for '<name>'" when the value is not
// a 32-bit integer.
std::int32_t ReadIntegerSetting(std::string_view key, std::string_view name, std::int32_t defaultValue);

// Switches are on only when the stored integer is exactly 1.
inline bool IsSwitchOn(std::int32_t stored) { return stored == 1; }
bool ReadSwitchSetting(std::string_view key, std::string_view name, bool defaultOn);

// Changes font only when a value of exactly 96 bytes is stored, and then
// returns true; a shorter one is ignored. Throws SettingsError "Invalid data
// type for '<name>'" for a value that is not binary or is longer.
bool ReadFontSetting(std::string_view key, std::string_view name, FontRecord& font);

// Replaces the list's contents (empty when nothing is stored). Throws
// SettingsError "Incorrect registry value type" for a value of another type
// and "Error reading strings from registry" when the value cannot be read.
void ReadStringListSetting(std::string_view key, std::string_view name, std::vector<std::string>& list);

struct WindowGeometry {
  WindowState state = WindowState::Normal;
  std::int32_t top = 0;
  std::int32_t left = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// What a window takes from its stored placement; the stored top and left are
// never applied.
struct PlacementToApply {
  std::optional<std::int32_t> width;
  std::optional<std::int32_t> height;
  bool maximize = false;
};
// With withSize, a stored width above 40 and the stored height (always) are
// applied. A value of another type or longer than 20 bytes is ignored.
PlacementToApply ReadPlacementSetting(std::string_view key, std::string_view name, bool withSize);

// A write that fails is reported through the failure handler (below), one
// message naming the file, except a string list's, which throws. Either way
// the change is kept for this run where it can be written later.
void WriteStringSetting(std::string_view key, std::string_view name, std::string_view text);
void WriteIntegerSetting(std::string_view key, std::string_view name, std::int32_t value);
void WriteFontSetting(std::string_view key, std::string_view name, const FontRecord& font);
// Throws SettingsError "Error writing strings to registry", followed on a
// new line by what went wrong, when the value could not be written.
void WriteStringListSetting(std::string_view key, std::string_view name,
                            const std::vector<std::string>& list);
// Keeps the stored position (and size) of a minimized or maximized window, so
// the record always holds the last normal placement.
void WritePlacementSetting(std::string_view key, std::string_view name, const WindowGeometry& window,
                           bool withSize);
void DeleteSetting(std::string_view key, std::string_view name);

// "0" for "TileWallpaper" and "WallpaperStyle" under both desktop keys: a
// centred, untiled wallpaper.
void WriteCentredWallpaperStyle();

// Receives every failed write's message; the windows show it to the user.
// Without one (nullptr) the message goes to standard error.
using SettingsFailureHandler = std::function<void(const std::string& message)>;
void SetSettingsFailureHandler(SettingsFailureHandler handler);

// A value of the settings key with its default from the settings table.
std::int32_t SettingInteger(std::string_view name);
bool SettingSwitch(std::string_view name);
std::string SettingText(std::string_view name);

// The per-user data folder, with a trailing separator.
std::string DataFolderPath();

}  // namespace wc
