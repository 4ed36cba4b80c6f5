#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "core/AtomicFile.h"
#include "core/Paths.h"

namespace wc {
namespace {

namespace fs = std::filesystem;

class TempDir : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("wc-files-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  fs::path dir_;
};

TEST_F(TempDir, AtomicWriteReplacesWholeFileAndKeepsItsMode) {
  const std::string f = Path("a.dat");
  ASSERT_TRUE(WriteFileAtomically(f, "first version, longer"));
  ::chmod(f.c_str(), 0640);
  ASSERT_TRUE(WriteFileAtomically(f, "second"));
  const ReadResult r = ReadWholeFile(f);
  EXPECT_EQ(r.status, ReadStatus::Ok);
  EXPECT_EQ(r.bytes, "second");
  struct stat st {};
  ::stat(f.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  // No temporary file is left behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}), 1);
}

TEST_F(TempDir, FailedWriteReportsTheFileAndLeavesNothing) {
  const auto r = WriteFileAtomically(Path("missing-folder/a.dat"), "x");
  EXPECT_FALSE(r);
  EXPECT_NE(r.error.find("missing-folder/a.dat"), std::string::npos) << r.error;
  EXPECT_EQ(ReadWholeFile(Path("nothing.dat")).status, ReadStatus::Missing);
}

TEST_F(TempDir, BadFileIsSetAsideUnderAFreshName) {
  const std::string f = Path("citydata.dat");
  ASSERT_TRUE(WriteFileAtomically(f, "<broken"));
  const auto first = SetAsideBadFile(f);
  ASSERT_TRUE(first.has_value());
  EXPECT_NE(first->find("citydata.dat.bad-"), std::string::npos);
  ASSERT_TRUE(WriteFileAtomically(f, "<broken again"));
  const auto second = SetAsideBadFile(f);
  ASSERT_TRUE(second.has_value());
  EXPECT_NE(*first, *second);
  EXPECT_FALSE(FileExists(f));
  EXPECT_EQ(ReadWholeFile(*first).bytes, "<broken");
}

TEST_F(TempDir, CopyNeverOverwrites) {
  ASSERT_TRUE(WriteFileAtomically(Path("seed"), "seed"));
  ASSERT_TRUE(WriteFileAtomically(Path("mine"), "mine"));
  EXPECT_FALSE(CopyFileIfMissing(Path("seed"), Path("mine")));
  EXPECT_EQ(ReadWholeFile(Path("mine")).bytes, "mine");
  EXPECT_TRUE(CopyFileIfMissing(Path("seed"), Path("new")));
  EXPECT_EQ(ReadWholeFile(Path("new")).bytes, "seed");
}

TEST(Paths, FollowTheXdgVariables) {
  ::setenv("XDG_DATA_HOME", "/tmp/wc-xdg-data", 1);
  ::setenv("XDG_CONFIG_HOME", "relative/is/ignored", 1);
  ::setenv("HOME", "/tmp/wc-home", 1);
  EXPECT_EQ(DataFolder(), "/tmp/wc-xdg-data/TavrelWorldClock/");
  EXPECT_EQ(SettingsFilePath(), "/tmp/wc-home/.config/TavrelWorldClock/settings.reg");
  ::setenv("XDG_RUNTIME_DIR", "/tmp", 1);
  EXPECT_EQ(WallpaperImagePath(), "/tmp/wcwallpaper.bmp");
  EXPECT_EQ(ProgramFolder().back(), '/');
}

}  // namespace
}  // namespace wc
