// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Settings reads for the windows. A stored value of the wrong kind (a
// hand-edited settings file) is reported in a message box and the default
// taken, so one bad value never stops a window from opening.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Settings.h"

namespace wc {

void ReportSettingsError(const SettingsError& e);

std::int32_t ReadIntegerOrReport(std::string_view name);  // the default from the settings table
bool ReadSwitchOrReport(std::string_view name);           // on only when exactly 1
std::string ReadTextOrReport(std::string_view name);
std::vector<std::string> ReadListOrReport(std::string_view name);

// From now on a failed settings write is shown in a message box, once for a
// burst of failures: an "OK" that stores twenty values on a full disk says
// so once, not twenty times.
void ShowSettingsFailures();

}  // namespace wc
