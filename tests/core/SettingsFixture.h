#pragma once
// A settings file of its own for each test, in a fresh folder that does not
// exist until something is written.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/AtomicFile.h"
#include "core/SettingsBackend.h"
#include "core/SettingsTable.h"

namespace wc {

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string tmpl = (std::filesystem::temp_directory_path() / "wc-settings-XXXXXX").string();
    ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
    dir_ = tmpl;
    path_ = dir_ + "/TavrelWorldClock/settings.reg";
    UseSettingsFile(path_);
  }
  void TearDown() override {
    SetSettingsBackend(nullptr);
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

  std::string fileText() const { return ReadWholeFile(path_).bytes; }
  void writeFileText(const std::string& text) const {
    std::filesystem::create_directories(std::filesystem::path(path_).parent_path());
    ASSERT_TRUE(WriteFileAtomically(path_, text));
  }
  // The raw stored value of the settings key, bypassing the typed operations.
  RegValue stored(std::string_view name) const {
    RegValue v;
    EXPECT_EQ(RegFileBackend(path_).get(kSettingsKey, name, v), RegStatus::Ok) << name;
    return v;
  }
  void store(std::string_view name, const RegValue& v) const {
    ASSERT_EQ(RegFileBackend(path_).set(kSettingsKey, name, v).status, RegStatus::Ok);
  }

  std::string dir_;
  std::string path_;
};

}  // namespace wc
