// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WinSystem.h"

#include <windows.h>

#include <filesystem>

#include "AtomicFile.h"
#include "Settings.h"
#include "SettingsBackend.h"
#include "Text.h"

namespace wc {

namespace {

std::wstring Wide(std::string_view utf8) {
  const std::u16string u = Utf8ToUtf16(utf8);
  return std::wstring(u.begin(), u.end());
}

}  // namespace

std::uint32_t RegisterSystemHotKey(HotKeyValue v) {
  const ATOM atom = GlobalAddAtomW(Wide(HotKeyRegistrationName(v)).c_str());
  if (atom == 0) return 0;
  if (!RegisterHotKey(nullptr, atom, HotKeyWindowsModifiers(v), HotKeyVirtualKey(v))) {
    GlobalDeleteAtom(atom);
    return 0;
  }
  return atom;
}

bool UnregisterSystemHotKey(std::uint32_t id) {
  const bool ok = UnregisterHotKey(nullptr, static_cast<int>(id)) != 0;
  GlobalDeleteAtom(static_cast<ATOM>(id));
  return ok;
}

HotKeyValue HotKeyFromMessage(std::intptr_t lParam) {
  const auto l = static_cast<std::uintptr_t>(lParam);
  return HotKeyFromWindows(HIWORD(l), LOWORD(l));
}

std::string GetWallpaper() { return ReadStringSetting(kDesktopKey, kWallpaperValue, ""); }

bool ShowWallpaper(const std::string& file) {
  std::wstring w = Wide(file);
  return SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, w.data(),
                               SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE) != 0;
}

std::string WindowsScreenSaverModulePath() {
  wchar_t buf[MAX_PATH + 1];
  const UINT n = GetWindowsDirectoryW(buf, MAX_PATH + 1);
  std::string folder = FromPath(std::filesystem::path(std::wstring(buf, n <= MAX_PATH ? n : 0)));
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder + "Tavrel World Clock.scr";
}

bool RegisterWindowsScreenSaver(const std::string& path) {
  std::string shortPath = path;
  if (!path.empty()) {
    wchar_t buf[MAX_PATH + 1];
    const DWORD n = GetShortPathNameW(Wide(path).c_str(), buf, MAX_PATH + 1);
    if (n > 0 && n <= MAX_PATH) shortPath = FromPath(std::filesystem::path(std::wstring(buf, n)));
  }
  if (CurrentSettingsBackend().set(kDesktopKey, kScreenSaverValue, RegValue::fromString(shortPath)).status !=
      RegStatus::Ok)
    return false;
  SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, 10, nullptr, 0);
  return true;
}

}  // namespace wc
