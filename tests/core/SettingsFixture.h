// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The platform's settings store for each test, nothing of which exists until
// something is written: a .reg file in a fresh folder, on Windows the
// registry below a scratch key of the test's own.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#ifdef _WIN32
#include <windows.h>

#include "core/Text.h"
#endif

#include "TestSupport.h"
#include "core/AtomicFile.h"
#include "core/RegFileBackend.h"
#include "core/SettingsBackend.h"
#ifdef _WIN32
#include "core/RegistryBackend.h"
#endif
#include "core/SettingsTable.h"

namespace wc {

class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = test::MakeTempFolder("wc-settings-");
    path_ = dir_ + "/TavrelWorldClock/settings.reg";
#ifdef _WIN32
    root_ = "Software\\TavrelWorldClockTests\\" + test::UniqueName("run-");
    backend_ = std::make_shared<RegistryBackend>(root_);
#else
    backend_ = std::make_shared<RegFileBackend>(path_);
#endif
    useStore();
  }
  void TearDown() override {
    SetSettingsBackend(nullptr);
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
#ifdef _WIN32
    RegDeleteTreeW(HKEY_CURRENT_USER, wide(root_).c_str());
#endif
  }

  // The test's store becomes the one every settings operation uses.
  void useStore() { SetSettingsBackend(backend_); }
  bool storeExists() const {
#ifdef _WIN32
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, wide(root_).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
      return false;
    RegCloseKey(key);
    return true;
#else
    return std::filesystem::exists(std::filesystem::path(path_).parent_path());
#endif
  }
  // The raw stored value of the settings key, bypassing the typed operations.
  RegValue stored(std::string_view name) const {
    RegValue v;
    EXPECT_EQ(backend_->get(kSettingsKey, name, v), RegStatus::Ok) << name;
    return v;
  }
  void store(std::string_view name, const RegValue& v) const {
    ASSERT_EQ(backend_->set(kSettingsKey, name, v).status, RegStatus::Ok);
  }

  std::string dir_;
  std::string path_;
  std::shared_ptr<SettingsBackend> backend_;
#ifdef _WIN32
  static std::wstring wide(const std::string& s) {
    const std::u16string u = Utf8ToUtf16(s);
    return std::wstring(u.begin(), u.end());
  }
  std::string root_;
#endif
};

// The .reg file itself, on every platform.
class SettingsFileTest : public SettingsStoreTest {
 protected:
  void SetUp() override {
    SettingsStoreTest::SetUp();
    backend_ = std::make_shared<RegFileBackend>(path_);
    useStore();
  }

  std::string fileText() const { return ReadWholeFile(path_).bytes; }
  void writeFileText(const std::string& text) const {
    std::filesystem::create_directories(std::filesystem::path(path_).parent_path());
    ASSERT_TRUE(WriteFileAtomically(path_, text));
  }
};

}  // namespace wc
