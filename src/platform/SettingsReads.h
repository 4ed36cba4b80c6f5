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

}  // namespace wc
