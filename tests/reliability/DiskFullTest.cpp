// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Saves on a full disk: every failure reaches the user as one message naming
// the file, and nothing already on disk is lost.
//
// The disk is a 256 KB tmpfs mounted in a mount namespace of this process
// alone: root mounts it directly; anyone else first enters a user namespace
// in which they are root. Where neither is allowed, a file size limit
// (RLIMIT_FSIZE) makes the same writes fail, with "File too large".

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "clocks/ClockListFile.h"
#include "core/AtomicFile.h"
#include "core/CityDocument.h"
#include "core/Settings.h"
#include "core/SettingsBackend.h"
#include "reminders/ReminderStore.h"

namespace wc {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

test::TempFolder* gDisk = nullptr;
bool gTmpfs = false;  // else the file size limit stands in

bool WriteProcFile(const char* path, const std::string& text) {
  std::ofstream f(path);
  f << text;
  f.flush();
  return static_cast<bool>(f);
}

bool MountSmallDisk(const std::string& at) {
  const uid_t uid = geteuid();
  const gid_t gid = getegid();
  if (unshare(CLONE_NEWNS) != 0) {
    if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
    WriteProcFile("/proc/self/setgroups", "deny");
    if (!WriteProcFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
        !WriteProcFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
      return false;
  }
  // Nothing mounted here is seen outside this process.
  if (mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return false;
  return mount("tmpfs", at.c_str(), "tmpfs", 0, "size=256k,mode=0700") == 0;
}

// Takes every free byte of the disk (or, under the file size limit, lowers
// the limit below the size of any save); frees it again when destroyed.
class FullDisk {
 public:
  FullDisk() {
    if (!gTmpfs) {
      rlimit lim{};
      getrlimit(RLIMIT_FSIZE, &old_);
      lim.rlim_cur = 64;
      lim.rlim_max = old_.rlim_max;
      setrlimit(RLIMIT_FSIZE, &lim);
      return;
    }
    std::ofstream f(filler_, std::ios::binary);
    const std::string block(4096, 'x');
    while (f.write(block.data(), static_cast<std::streamsize>(block.size()))) f.flush();
    std::ofstream g(filler_ + "-bytes", std::ios::binary);
    while (g.put('x')) g.flush();
  }
  ~FullDisk() {
    if (!gTmpfs) {
      setrlimit(RLIMIT_FSIZE, &old_);
      return;
    }
    fs::remove(filler_);
    fs::remove(filler_ + "-bytes");
  }

 private:
  std::string filler_ = gDisk->file("filler");
  rlimit old_{};
};

std::vector<std::string> TempFiles() {
  std::vector<std::string> out;
  for (const auto& e : fs::recursive_directory_iterator(gDisk->path()))
    if (e.path().filename().string().find(".tmp-") != std::string::npos) out.push_back(e.path().string());
  return out;
}

class DiskFull : public ::testing::Test {
 protected:
  void SetUp() override {
    RecordProperty("disk", gTmpfs ? "256 KB tmpfs" : "RLIMIT_FSIZE");
    fs::create_directories(gDisk->file("config"));
    fs::create_directories(gDisk->file("data"));
    SetSettingsFailureHandler([this](const std::string& m) { reports_.push_back(m); });
  }
  void TearDown() override {
    SetSettingsFailureHandler(nullptr);
    SetSettingsBackend(nullptr);
    for (const auto& e : fs::directory_iterator(gDisk->path())) fs::remove_all(e.path());
  }
  std::vector<std::string> reports_;
};

TEST_F(DiskFull, SettingsWritesAreReportedOnceEachAndKept) {
  const std::string path = gDisk->file("config") + "/settings.reg";
  UseSettingsFile(path);
  WriteIntegerSetting(kSettingsKey, kTheme, 2);
  WriteStringSetting(kSettingsKey, kMapTimeFormat, "HH:mm");
  const std::string before = ReadWholeFile(path).bytes;
  {
    const FullDisk full;
    WriteIntegerSetting(kSettingsKey, kTheme, 5);
    WriteStringSetting(kSettingsKey, kOldWall, std::string(4000, 'w'));
    DeleteSetting(kSettingsKey, kMapTimeFormat);
    EXPECT_THROW(WriteStringListSetting(kSettingsKey, kDisplayCities, {"Oslo, Norway"}), SettingsError);
    ASSERT_EQ(reports_.size(), 3u);
    for (const std::string& r : reports_) {
      EXPECT_THAT(r, HasSubstr("\"" + path + "\""));
      EXPECT_THAT(r, HasSubstr(gTmpfs ? "No space left on device" : "File too large"));
    }
    EXPECT_EQ(ReadWholeFile(path).bytes, before);
    EXPECT_THAT(TempFiles(), ::testing::IsEmpty());
    EXPECT_EQ(SettingInteger(kTheme), 5);
  }
  WriteIntegerSetting(kSettingsKey, kSearchType, 1);
  EXPECT_EQ(reports_.size(), 3u);
  UseSettingsFile(path);
  EXPECT_EQ(SettingInteger(kTheme), 5);
  EXPECT_EQ(SettingText(kOldWall), std::string(4000, 'w'));
  EXPECT_EQ(SettingText(kMapTimeFormat), "hh:mm AM/PM");
  std::vector<std::string> cities;
  ReadStringListSetting(kSettingsKey, kDisplayCities, cities);
  EXPECT_EQ(cities, std::vector<std::string>{"Oslo, Norway"});
}

TEST_F(DiskFull, CityDocumentAndRemindersKeepTheirFiles) {
  const std::string cityPath = gDisk->file("data") + "/citydata.dat";
  const std::string remPath = gDisk->file("data") + "/reminders.dat";
  CityDocument doc;
  doc.load(cityPath);
  doc.appendCity({"Kathmandu, Nepal", "+5.75", "85", "27", false});
  ASSERT_TRUE(doc.save(cityPath));
  ReminderStore store;
  store.reset(remPath);
  store.list().push_back(std::make_unique<RemInfo>());
  ASSERT_TRUE(store.save());
  const std::string cityBefore = ReadWholeFile(cityPath).bytes, remBefore = ReadWholeFile(remPath).bytes;

  const FullDisk full;
  for (int i = 0; i < 50; ++i) doc.appendCity({"Place " + std::to_string(i), "+1", "2", "3", false});
  auto& rem = *store.list().front();
  rem.RemMsg = std::string(3000, 'm');
  struct Save {
    FileResult result;
    std::string path, before;
  } saves[] = {{doc.save(cityPath), cityPath, cityBefore}, {store.save(), remPath, remBefore}};
  for (const Save& s : saves) {
    EXPECT_FALSE(s.result.ok) << s.path;
    EXPECT_THAT(s.result.error, HasSubstr("\"" + s.path + "\""));
    EXPECT_EQ(ReadWholeFile(s.path).bytes, s.before);
  }
  EXPECT_THAT(TempFiles(), ::testing::IsEmpty());
}

TEST_F(DiskFull, ClockListsAreReportedOnceAndKeepTheirFiles) {
  ClockListFile afile(gDisk->file("data") + "/aclocks.dat");
  ClockListFile dfile(gDisk->file("data") + "/dclocks.dat");
  std::vector<std::string> problems;
  AClockList analog(1);
  DClockList digital(1);
  analog[0].cityname = "Kathmandu, Nepal";
  digital[0].cityname = "St John's, Canada";
  ASSERT_TRUE(afile.save(AClockListText(analog)).ok);
  ASSERT_TRUE(dfile.save(DClockListText(digital)).ok);
  const std::string aBefore = ReadWholeFile(afile.path()).bytes;
  const std::string dBefore = ReadWholeFile(dfile.path()).bytes;
  {
    const FullDisk full;
    for (int i = 0; i < 40; ++i) {
      analog.push_back(analog[0]);
      digital.push_back(digital[0]);
      analog.back().cityname = digital.back().cityname = "Place " + std::to_string(i);
      // Each change saves its list; a lasting failure is told once a list.
      for (const ClockListFile::SaveResult& r : {afile.save(AClockListText(analog)), dfile.save(DClockListText(digital))}) {
        EXPECT_FALSE(r.ok);
        if (r.tell) problems.push_back(*r.tell);
      }
    }
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_THAT(problems[0], HasSubstr("\"" + afile.path() + "\""));
    EXPECT_THAT(problems[1], HasSubstr("\"" + dfile.path() + "\""));
    EXPECT_EQ(ReadWholeFile(afile.path()).bytes, aBefore);
    EXPECT_EQ(ReadWholeFile(dfile.path()).bytes, dBefore);
    EXPECT_THAT(TempFiles(), ::testing::IsEmpty());
  }
  // With room again, the next save writes every clock.
  ASSERT_TRUE(afile.save(AClockListText(analog)).ok);
  AClockList back;
  ReadAClockList(afile.path(), ".", back);
  EXPECT_EQ(back.size(), 41u);
}

}  // namespace
}  // namespace wc

int main(int argc, char** argv) {
  // Before anything starts a thread: a user namespace takes only a
  // single-threaded process.
  wc::test::TempFolder disk("wc-disk-full-");
  wc::gDisk = &disk;
  wc::gTmpfs = wc::MountSmallDisk(disk.path().string());
  // Past the limit a write fails with EFBIG instead of killing the process.
  signal(SIGXFSZ, SIG_IGN);
  std::printf("full disk: %s\n", wc::gTmpfs ? "256 KB tmpfs in a private mount namespace" : "RLIMIT_FSIZE");
  ::testing::InitGoogleTest(&argc, argv);
  const int rc = RUN_ALL_TESTS();
  if (wc::gTmpfs) umount(disk.path().c_str());
  return rc;
}
