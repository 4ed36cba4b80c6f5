// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <optional>
#include <thread>

#include "TestSupport.h"
#include "core/AtomicFile.h"
#include "core/FileLock.h"
#include "core/Paths.h"

namespace wc {
namespace {

namespace fs = std::filesystem;

class TempDir : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = test::MakeTempFolder("wc-files-"); }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
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

// Something left where a fixed temporary name would go does not block saves.
TEST_F(TempDir, AtomicWriteDoesNotDependOnAFixedTemporaryName) {
  fs::create_directory(dir_ / "a.dat.tmp");
  ASSERT_TRUE(WriteFileAtomically(Path("a.dat"), "saved"));
  ASSERT_TRUE(WriteFileAtomically(Path("a.dat"), "saved again"));
  EXPECT_EQ(ReadWholeFile(Path("a.dat")).bytes, "saved again");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}), 2);
  // A replace that fails (a folder where the file should be) leaves no temporary file either.
  fs::create_directory(dir_ / "folder.dat");
  EXPECT_FALSE(WriteFileAtomically(Path("folder.dat"), "x"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}), 3);
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

#ifndef _WIN32
// A process id that is certainly not running: a child that has exited and
// been reaped.
pid_t DeadPid() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  return child;
}

TEST_F(TempDir, StaleTemporaryFilesGoWhenTheirFileIsNextWritten) {
  const auto minutesAgo = [](int m) { return fs::file_time_type::clock::now() - std::chrono::minutes(m); };
  const std::string dead = std::to_string(DeadPid());
  const std::string live = std::to_string(getppid());
  struct Case {
    std::string name;
    int ageMinutes;
    bool beingWritten;  // its writer holds the lock
    bool removed;
  } cases[] = {
      {"a.dat.tmp-" + dead + "-a1B2c3", 0, false, true},   // its writer was killed
      {"a.dat.tmp-" + live + "-a1B2c3", 0, false, false},  // its writer may be about to lock it
      {"a.dat.tmp-" + live + "-d4E5f6", 2, false, true},
      {"a.dat.tmp-" + dead + "-g7H8i9", 5, true, false},
      // Another file's, gone with that file's next write.
      {"citydata.dat.tmp-" + dead + "-a1B2c3", 5, false, false},
      {"a.dat.tmp-Xy12Zr", 2, false, false},  // no process id: no name this program makes
      {"notes.tmp", 5, false, false},
      {"a.dat.tmp-12-short", 5, false, false},
  };
  std::vector<int> locks;
  for (const Case& c : cases) {
    std::ofstream(dir_ / c.name) << "left over";
    fs::last_write_time(dir_ / c.name, minutesAgo(c.ageMinutes));
    if (c.beingWritten) {
      locks.push_back(::open(Path(c.name).c_str(), O_RDONLY | O_CLOEXEC));
      ASSERT_EQ(flock(locks.back(), LOCK_EX | LOCK_NB), 0);
    }
  }
  ASSERT_TRUE(WriteFileAtomically(Path("a.dat"), "new"));
  for (const Case& c : cases) EXPECT_EQ(!fs::exists(dir_ / c.name), c.removed) << c.name;
  for (int fd : locks) ::close(fd);
}

// The read, or nothing when it did not return within two seconds (it is
// then left blocked, and ends with the process).
std::optional<ReadResult> ReadWithin2s(const std::string& path) {
  auto done = std::make_shared<std::promise<ReadResult>>();
  std::future<ReadResult> result = done->get_future();
  std::thread([done, path] { done->set_value(ReadWholeFile(path)); }).detach();
  if (result.wait_for(std::chrono::seconds(2)) != std::future_status::ready) return std::nullopt;
  return result.get();
}

TEST_F(TempDir, WhatIsNoRegularFileIsRefusedAtOnce) {
  ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", dir_ / "endless");
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", Path("socket").c_str());
  ASSERT_EQ(::bind(sock, reinterpret_cast<const sockaddr*>(&addr), sizeof addr), 0);
  fs::create_directory(dir_ / "folder");
  for (const char* name : {"pipe", "endless", "socket", "folder"}) {
    const std::optional<ReadResult> r = ReadWithin2s(Path(name));
    ASSERT_TRUE(r.has_value()) << name << " hangs the reader";
    EXPECT_EQ(r->status, ReadStatus::Failed) << name;
    EXPECT_THAT(r->error, ::testing::HasSubstr("\"" + Path(name) + "\"")) << name;
    EXPECT_TRUE(r->bytes.empty()) << name;
  }
  ::close(sock);
}

TEST_F(TempDir, SymlinkedFileIsWrittenThroughToItsTarget) {
  // dotfiles/real <- middle <- link, both links relative, as dotfile managers make them.
  fs::create_directories(dir_ / "dotfiles");
  ASSERT_TRUE(WriteFileAtomically(Path("dotfiles/real"), "old"));
  ::chmod(Path("dotfiles/real").c_str(), 0600);
  fs::create_symlink("dotfiles/real", dir_ / "middle");
  fs::create_symlink("middle", dir_ / "link");
  ASSERT_TRUE(WriteFileAtomically(Path("link"), "new"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "link"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "middle"));
  EXPECT_EQ(ReadWholeFile(Path("dotfiles/real")).bytes, "new");
  struct stat st {};
  ::stat(Path("dotfiles/real").c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "dotfiles"), fs::directory_iterator{}), 1);
}

TEST_F(TempDir, LockFileIsNeverASymlink) {
  // Someone else's link where the lock file belongs must not make us create
  // or open what it points at.
  fs::create_symlink(dir_ / "victim", dir_ / "settings.reg.lock");
  EXPECT_FALSE(FileLock::acquire(Path("settings.reg.lock"), std::chrono::milliseconds(0)).has_value());
  EXPECT_FALSE(fs::exists(dir_ / "victim"));
}

TEST_F(TempDir, RuntimeFolderIsUsedOnlyWhenPrivate) {
  ::setenv("XDG_DATA_HOME", Path("data").c_str(), 1);
  const std::string fallback = Path("data") + "/TavrelWorldClock/run/";
  struct Case {
    const char* name;
    mode_t mode;
    bool otherOwner;
    bool used;
  } cases[] = {
      {"private", 0700, false, true},
      {"readable", 0755, false, false},
      {"open", 01777, false, false},
      {"foreign", 0700, true, false},
  };
  for (const Case& c : cases) {
    if (c.otherOwner && geteuid() != 0) continue;  // only root can give a folder away
    const fs::path rt = dir_ / c.name;
    fs::create_directories(rt);
    ::chmod(rt.c_str(), c.mode);
    if (c.otherOwner) {
      ASSERT_EQ(::chown(rt.c_str(), 65534, 65534), 0);
    }
    ::setenv("XDG_RUNTIME_DIR", rt.c_str(), 1);
    EXPECT_EQ(RuntimeFolder(), c.used ? rt.string() + "/" : fallback) << c.name;
  }
  struct stat st {};
  ASSERT_EQ(::stat(fallback.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  ::unsetenv("XDG_RUNTIME_DIR");
  ::unsetenv("XDG_DATA_HOME");
}

#endif

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
  const test::TempFolder folder("wc-paths-");
  const std::string data = folder.file("xdg-data"), home = folder.file("home");
  test::ScopedEnv dataEnv("XDG_DATA_HOME", data);
  test::ScopedEnv config("XDG_CONFIG_HOME", "relative/is/ignored");
  test::ScopedEnv homeEnv("HOME", home);
  EXPECT_EQ(DataFolder(), data + "/TavrelWorldClock/");
  EXPECT_EQ(SettingsFilePath(), home + "/.config/TavrelWorldClock/settings.reg");
  test::ScopedEnv runtime("XDG_RUNTIME_DIR", folder.path().string());
  EXPECT_EQ(WallpaperImagePath(), folder.file("wcwallpaper.bmp"));
  test::UnsetEnv("XDG_RUNTIME_DIR");
  EXPECT_EQ(WallpaperImagePath(), data + "/TavrelWorldClock/run/wcwallpaper.bmp");
  EXPECT_EQ(ProgramFolder().back(), '/');
#endif
}

}  // namespace
}  // namespace wc
