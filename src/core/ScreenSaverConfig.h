// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The screen saver's entry in the user's xscreensaver settings
// (~/.xscreensaver): one line of its "programs" list, added or removed while
// every other line of the file stays as it was.

#include <string>
#include <string_view>

#include "AtomicFile.h"

namespace wc {

// $HOME/.xscreensaver.
std::string XScreenSaverSettingsPath();

// The text with the saver program exe (run on the root window, as the list's
// programs are) as the list's last entry, replacing an earlier entry of the
// same program; an empty exe removes the entry. A "selected:" index that
// counted past a removed entry follows its program. A file that did not
// exist (empty text) becomes one that runs only this saver.
std::string WithSaverProgram(std::string_view text, const std::string& exe);

// Reads the file, changes it as above and writes it back atomically. Fails,
// naming the file, when it could not be read (it is then left alone) or
// written.
FileResult SetSaverProgram(const std::string& settingsPath, const std::string& exe);

// The file name of the saver program, which its entry is recognised by.
inline constexpr char kSaverProgramName[] = "tavrel-world-clock-saver";

}  // namespace wc
