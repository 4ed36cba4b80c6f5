// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The start-at-login entry: written for the running executable, recognised
// only when it names that executable exactly.

#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "core/AtomicFile.h"
#include "core/Autostart.h"
#include "core/Paths.h"
#include "core/SettingsFixture.h"

namespace wc {
namespace {

namespace fs = std::filesystem;

class Autostart : public ::testing::Test {
 protected:
  test::TempFolder folder_{"wc-autostart-"};
  const fs::path& dir_ = folder_.path();
  std::string entry_ = (dir_ / "autostart" / "tavrel-world-clock.desktop").string();
};

TEST_F(Autostart, WrittenReadBackAndDeleted) {
  const std::string exes[] = {
      "/usr/bin/tavrel-world-clock",
      "/home/ann/My Apps/world clock/tavrel-world-clock",
      R"(/opt/odd "quoted" $HOME `x` back\slash 100%/tavrel-world-clock)",
  };
  for (const std::string& exe : exes) {
    SCOPED_TRACE(exe);
    EXPECT_FALSE(IsStartAtLoginOn(entry_, exe));
    ASSERT_TRUE(SetStartAtLogin(entry_, true, exe));  // creates the folder
    EXPECT_TRUE(IsStartAtLoginOn(entry_, exe));
    const auto cmd = AutostartCommand(ReadWholeFile(entry_).bytes);
    ASSERT_TRUE(cmd);
    EXPECT_EQ(*cmd, std::vector<std::string>{exe});
    ASSERT_TRUE(SetStartAtLogin(entry_, false, exe));
    EXPECT_FALSE(fs::exists(entry_));
  }
  EXPECT_TRUE(SetStartAtLogin(entry_, false, exes[0]));  // nothing to delete
}

TEST_F(Autostart, OnOnlyForExactlyThisExecutable) {
  const std::string exe = "/opt/Tavrel/tavrel-world-clock";
  ASSERT_TRUE(SetStartAtLogin(entry_, true, exe));
  EXPECT_FALSE(IsStartAtLoginOn(entry_, "/opt/tavrel/tavrel-world-clock"));  // other letter case
  EXPECT_FALSE(IsStartAtLoginOn(entry_, "/opt/Tavrel/tavrel-world-clock2"));
  EXPECT_FALSE(IsStartAtLoginOn(entry_, ""));

  struct Case {
    const char* text;
    bool on;
  };
  const Case cases[] = {
      {"[Desktop Entry]\nExec=/opt/Tavrel/tavrel-world-clock\n", true},
      {"[Desktop Entry]\nExec=/opt/Tavrel/tavrel-world-clock --minimized\n", false},
      {"[Desktop Entry]\nExec=/opt/Tavrel/tavrel-world-clock\nHidden=true\n", false},
      {"[Other]\nExec=/opt/Tavrel/tavrel-world-clock\n", false},
      {"[Desktop Entry]\nExec[de]=/opt/Tavrel/tavrel-world-clock\n", false},
      {"[Desktop Entry]\nExec=\"/opt/Tavrel/tavrel-world-clock\n", false},
      {"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ASSERT_TRUE(WriteFileAtomically(entry_, c.text));
    EXPECT_EQ(IsStartAtLoginOn(entry_, exe), c.on);
  }
}

// The program's own switch where the platform keeps it: the entry below
// XDG_CONFIG_HOME, on Windows the "Run" value of the current user.
class StartAtLogin : public SettingsStoreTest {};

TEST_F(StartAtLogin, HoldsExactlyThisExecutableWhileOn) {
#ifdef _WIN32
  const std::string exe = "C:\\Program Files\\Tavrel World Clock\\tavrel-world-clock.exe";
  const std::string copy = "D:\\Tavrel World Clock\\tavrel-world-clock.exe";
#else
  test::ScopedEnv config("XDG_CONFIG_HOME", dir_ + "/config");
  const std::string exe = "/opt/Tavrel World Clock/tavrel-world-clock";
  const std::string copy = "/home/ann/tavrel-world-clock";
#endif
  EXPECT_FALSE(IsStartAtLoginOn(exe));
  ASSERT_TRUE(SetStartAtLogin(true, exe));
  EXPECT_TRUE(IsStartAtLoginOn(exe));
  EXPECT_FALSE(IsStartAtLoginOn(copy));
#ifdef _WIN32
  RegValue run;
  ASSERT_EQ(backend_->get(kRunKey, kRunValue, run), RegStatus::Ok);
  EXPECT_EQ(run, RegValue::fromString(exe));  // REG_SZ, the full path
#else
  EXPECT_TRUE(FileExists(AutostartEntryPath()));
#endif

  ASSERT_TRUE(SetStartAtLogin(false, exe));
  EXPECT_FALSE(IsStartAtLoginOn(exe));
#ifdef _WIN32
  EXPECT_EQ(backend_->get(kRunKey, kRunValue, run), RegStatus::Unavailable);
#else
  EXPECT_FALSE(fs::exists(AutostartEntryPath()));
#endif
  EXPECT_TRUE(SetStartAtLogin(false, exe));  // already off
}

}  // namespace
}  // namespace wc
