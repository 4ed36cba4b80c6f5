// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The Windows services, against the system itself (under Wine on the build
// machine): the registry, global hot keys, the wallpaper and the screen saver.

#include "core/WinSystem.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>

#include "SettingsFixture.h"
#include "TestSupport.h"
#include "core/Settings.h"
#include "core/Text.h"

namespace wc {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class WinRegistry : public SettingsStoreTest {
 protected:
  // The value as the registry itself holds it, read without our code.
  RegValue raw(const char* key, const char* name) const {
    const std::wstring path = wide(root_ + "\\" + key), n = wide(name);
    DWORD type = 0, size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), n.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr,
                     &size) != ERROR_SUCCESS)
      return {0, {}};
    Bytes data(size);
    RegGetValueW(HKEY_CURRENT_USER, path.c_str(), n.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, data.data(),
                 &size);
    data.resize(size);
    return {type, data};
  }
};

TEST_F(WinRegistry, EachKindIsItsRegistryType) {
  WriteIntegerSetting(kSettingsKey, kCurMonitor, -2);
  WriteStringSetting(kSettingsKey, kOldWall, "C:\\Bilder\\Zürich.bmp");
  WriteStringListSetting(kSettingsKey, kDisplayCities, {"A", "B"});
  WritePlacementSetting(kSettingsKey, kWindowPosition, {WindowState::Normal, 10, 20, 900, 500}, true);
  EXPECT_EQ(raw(kSettingsKey, kCurMonitor), (RegValue{REG_DWORD, {0xFE, 0xFF, 0xFF, 0xFF}}));
  const RegValue text = raw(kSettingsKey, kOldWall);
  EXPECT_EQ(text.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(
      Utf16ToUtf8(std::u16string(reinterpret_cast<const char16_t*>(text.data.data()), text.data.size() / 2)),
      std::string("C:\\Bilder\\Zürich.bmp") + '\0');
  EXPECT_EQ(raw(kSettingsKey, kDisplayCities), (RegValue{REG_MULTI_SZ, {'A', 0, 0, 0, 'B', 0, 0, 0, 0, 0}}));
  EXPECT_EQ(raw(kSettingsKey, kWindowPosition).type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(raw(kSettingsKey, kWindowPosition).data.size(), 20u);

  // Key paths with a leading or trailing backslash name the same key.
  EXPECT_EQ(ReadIntegerSetting("\\Software\\ZQM\\World Clock 1.0\\Settings\\", kCurMonitor, 0), -2);
  DeleteSetting(kSettingsKey, kCurMonitor);
  EXPECT_EQ(raw(kSettingsKey, kCurMonitor).type, 0u);
}

TEST(WinHotKeys, RegisteredUnderTheirAtomAndRefusedTwice) {
  const HotKeyValue v = kHotKeyCtrl | kHotKeyShift | VK_F12;
  const std::uint32_t id = RegisterSystemHotKey(v);
  ASSERT_NE(id, 0u);
  wchar_t name[64] = {};
  const UINT n = GlobalGetAtomNameW(static_cast<ATOM>(id), name, 64);
  EXPECT_EQ(Utf16ToUtf8(std::u16string(name, name + n)), "HotKeyManagerHotKey" + std::to_string(v));

  // The same combination cannot be had twice.
  EXPECT_EQ(RegisterSystemHotKey(v), 0u);

  // WM_HOTKEY carries the modifiers in the low word and the key in the high word.
  PostThreadMessageW(GetCurrentThreadId(), WM_HOTKEY, id, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, VK_F12));
  MSG msg{};
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_HOTKEY, WM_HOTKEY, PM_REMOVE));
  EXPECT_EQ(HotKeyFromMessage(msg.lParam), v);

  EXPECT_TRUE(UnregisterSystemHotKey(id));
  EXPECT_FALSE(UnregisterSystemHotKey(id));
  const std::uint32_t again = RegisterSystemHotKey(v);  // given back
  EXPECT_NE(again, 0u);
  UnregisterSystemHotKey(again);
}

class WinDesktop : public WinRegistry {
 protected:
  void SetUp() override {
    WinRegistry::SetUp();
    wchar_t before[MAX_PATH] = {};
    SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, before, 0);
    before_ = before;
  }
  void TearDown() override {
    SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, before_.data(), SPIF_UPDATEINIFILE);
    WinRegistry::TearDown();
  }
  // What the system shows now, asked of the system.
  static std::string shown() {
    wchar_t buf[MAX_PATH] = {};
    SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, buf, 0);
    return Utf16ToUtf8(reinterpret_cast<const char16_t*>(buf));
  }
  std::wstring before_;
};

TEST_F(WinDesktop, WallpaperIsReadFromItsValueAndSetByTheSystemCall) {
  EXPECT_EQ(GetWallpaper(), "");
  WriteStringSetting(kDesktopKey, kWallpaperValue, "C:\\pics\\sea.bmp");
  EXPECT_EQ(GetWallpaper(), "C:\\pics\\sea.bmp");

  const std::string dir = test::MakeTempFolder("wc-wall-");
  const std::string picture = FromPath(fs::path(dir) / "Strand am Meer.bmp");
  EXPECT_TRUE(ShowWallpaper(picture));
  EXPECT_EQ(shown(), picture);
  EXPECT_TRUE(ShowWallpaper(""));  // no picture
  EXPECT_EQ(shown(), "");
  fs::remove_all(dir);
}

TEST_F(WinDesktop, ScreenSaverIsRegisteredByItsShortPath) {
  const char* windir = std::getenv("WINDIR");
  ASSERT_NE(windir, nullptr);
  EXPECT_EQ(fs::path(WindowsScreenSaverModulePath()), fs::path(windir) / "Tavrel World Clock.scr");

  const std::string dir = test::MakeTempFolder("wc-saver-");
  const fs::path module = fs::path(dir) / "Tavrel World Clock.scr";
  { std::ofstream(module) << "MZ"; }
  SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, 0, nullptr, 0);
  ASSERT_TRUE(RegisterWindowsScreenSaver(FromPath(module)));
  const std::string stored = ReadStringSetting(kDesktopKey, kScreenSaverValue, "?");
  EXPECT_EQ(stored.find(' '), std::string::npos) << stored;
  EXPECT_TRUE(fs::equivalent(ToPath(stored), module)) << stored;
  BOOL active = FALSE;
  SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
  EXPECT_TRUE(active);

  ASSERT_TRUE(RegisterWindowsScreenSaver(""));
  EXPECT_EQ(raw(kDesktopKey, kScreenSaverValue), RegValue::fromString(""));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace wc
