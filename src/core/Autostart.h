// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Start at login: an XDG autostart entry, on Windows the "Run" value. The
// option is on only while the entry starts exactly the running executable, so
// a copy of the program elsewhere does not count as this one being started.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wc {

// The entry that starts exe at login.
std::string AutostartEntryText(const std::string& exe);

// The command line of an entry's Exec key, split into arguments with the
// entry format's quoting and escapes undone. Nothing when the text has no
// Exec in its [Desktop Entry] group or the entry is marked Hidden.
std::optional<std::vector<std::string>> AutostartCommand(std::string_view entryText);

// True when the entry at path exists and its command is exactly exe.
bool IsStartAtLoginOn(const std::string& entryPath, const std::string& exe);

// Writes (atomically, creating the folder) or deletes the entry. False when
// that failed; a missing entry counts as deleted.
bool SetStartAtLogin(const std::string& entryPath, bool on, const std::string& exe);

// The platform's own place: AutostartEntryPath(), or the "Run" value of the
// current user, which holds exe's full path while the option is on.
bool IsStartAtLoginOn(const std::string& exe);
bool SetStartAtLogin(bool on, const std::string& exe);

}  // namespace wc
