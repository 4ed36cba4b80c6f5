#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "TestSupport.h"
#include "core/AtomicFile.h"
#include "core/Paths.h"

namespace wc {
namespace {

namespace fs = std::filesystem;

class TempDir : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = test::MakeTempFolder("wc-files-"); }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  fs::path dir_;
};

TEST_F(TempDir, AtomicWriteReplacesWholeFileAndKeepsItsMode) {
  const std::string f = Path("a.dat");
  ASSERT_TRUE(WriteFileAtomically(f, "first version, longer"));
#ifndef _WIN32
  ::chmod(f.c_str(), 0640);
#endif
  ASSERT_TRUE(WriteFileAtomically(f, "second"));
  const ReadResult r = ReadWholeFile(f);
  EXPECT_EQ(r.status, ReadStatus::Ok);
  EXPECT_EQ(r.bytes, "second");
#ifndef _WIN32
  struct stat st {};
  ::stat(f.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
#endif
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

TEST(Paths, FollowThePlatformsFolders) {
#ifdef _WIN32
  // Wine, like Windows, sets LOCALAPPDATA to the local application-data folder.
  const char* local = std::getenv("LOCALAPPDATA");
  ASSERT_NE(local, nullptr);
  EXPECT_EQ(DataFolder(), std::string(local) + "\\TavrelWorldClock\\");
  const std::string tmp = test::MakeTempFolder("wc-tmp-");
  {
    test::ScopedEnv env("TMP", tmp);
    EXPECT_EQ(fs::path(WallpaperImagePath()), fs::path(tmp) / "wcwallpaper.bmp");
  }
  fs::remove(tmp);
  // The executable's own folder, with a backslash.
  const std::string exe = ExecutablePath();
  EXPECT_TRUE(exe.ends_with("\\core_tests.exe")) << exe;
  EXPECT_EQ(ProgramFolder(), exe.substr(0, exe.rfind('\\') + 1));
#else
  test::ScopedEnv data("XDG_DATA_HOME", "/tmp/wc-xdg-data");
  test::ScopedEnv config("XDG_CONFIG_HOME", "relative/is/ignored");
  test::ScopedEnv home("HOME", "/tmp/wc-home");
  EXPECT_EQ(DataFolder(), "/tmp/wc-xdg-data/TavrelWorldClock/");
  EXPECT_EQ(SettingsFilePath(), "/tmp/wc-home/.config/TavrelWorldClock/settings.reg");
  test::ScopedEnv runtime("XDG_RUNTIME_DIR", "/tmp");
  EXPECT_EQ(WallpaperImagePath(), "/tmp/wcwallpaper.bmp");
  EXPECT_EQ(ProgramFolder().back(), '/');
#endif
}

}  // namespace
}  // namespace wc
