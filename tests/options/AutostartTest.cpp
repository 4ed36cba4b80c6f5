// The start-at-login entry: written for the running executable, recognised
// only when it names that executable exactly.

#include <gtest/gtest.h>

#include <filesystem>

#include "TestFolder.h"
#include "core/AtomicFile.h"
#include "core/Autostart.h"

namespace wc {
namespace {

namespace fs = std::filesystem;

class Autostart : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder_.ok()); }
  TestFolder folder_{"wc-autostart"};
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

}  // namespace
}  // namespace wc
