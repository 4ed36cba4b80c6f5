// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/ScreenSaver.h"

#include <filesystem>

#include "core/AtomicFile.h"
#include "core/Paths.h"

#ifdef _WIN32
#include "core/WinSystem.h"
#else
#include <unistd.h>

#include "core/ScreenSaverConfig.h"
#endif

namespace wc {

#ifdef _WIN32

std::string ScreenSaverModulePath() { return WindowsScreenSaverModulePath(); }

bool ScreenSaverModuleExists(const std::string& path) { return FileExists(path); }

FileResult SetScreenSaverModule(const std::string& path) {
  if (RegisterWindowsScreenSaver(path)) return {true, {}};
  return {false, "The screen saver could not be registered in the system settings."};
}

#else

std::string ScreenSaverModulePath() {
  return std::filesystem::path(ExecutablePath()).parent_path().string() + "/" + kSaverProgramName;
}

bool ScreenSaverModuleExists(const std::string& path) {
  return FileExists(path) && ::access(path.c_str(), X_OK) == 0;
}

FileResult SetScreenSaverModule(const std::string& path) {
  return SetSaverProgram(XScreenSaverSettingsPath(), path);
}

#endif

}  // namespace wc
