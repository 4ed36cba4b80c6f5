#include "platform/ScreenSaver.h"

#include <filesystem>

#include "core/AtomicFile.h"
#include "core/Paths.h"

#ifdef _WIN32
#include <windows.h>

#include "core/Settings.h"
#include "core/Text.h"
#else
#include <unistd.h>

#include "core/ScreenSaverConfig.h"
#endif

namespace wc {

#ifdef _WIN32

std::string ScreenSaverModulePath() {
  wchar_t buf[MAX_PATH + 1];
  const UINT n = GetWindowsDirectoryW(buf, MAX_PATH + 1);
  std::string folder = std::filesystem::path(std::wstring(buf, n)).string();
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder + "Tavrel World Clock.scr";
}

bool ScreenSaverModuleExists(const std::string& path) { return FileExists(path); }

bool SetScreenSaverModule(const std::string& path) {
  std::string shortPath;
  if (!path.empty()) {
    const std::u16string wide = Utf8ToUtf16(path);
    wchar_t buf[MAX_PATH + 1];
    const DWORD n = GetShortPathNameW(reinterpret_cast<const wchar_t*>(wide.c_str()), buf, MAX_PATH + 1);
    shortPath = n > 0 && n <= MAX_PATH ? std::filesystem::path(std::wstring(buf, n)).string() : path;
  }
  WriteStringSetting(kDesktopKey, kScreenSaverValue, shortPath);
  SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, 10, nullptr, 0);
  return true;
}

#else

std::string ScreenSaverModulePath() {
  return std::filesystem::path(ExecutablePath()).parent_path().string() + "/" + kSaverProgramName;
}

bool ScreenSaverModuleExists(const std::string& path) {
  return FileExists(path) && ::access(path.c_str(), X_OK) == 0;
}

bool SetScreenSaverModule(const std::string& path) {
  return SetSaverProgram(XScreenSaverSettingsPath(), path);
}

#endif

}  // namespace wc
