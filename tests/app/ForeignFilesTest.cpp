// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Other programs' files in the folders the program writes to: names that
// look like the temporary files of an atomic write, old enough and with a
// process id that no longer runs, must outlive every kind of save. The
// folder of ~/.xscreensaver is the user's home.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "app/Wallpaper.h"
#include "clocks/DesktopClocks.h"
#include "core/Autostart.h"
#include "core/CityDocument.h"
#include "core/CityFile.h"
#include "core/CityFileListener.h"
#include "core/Paths.h"
#include "core/ScreenSaverConfig.h"
#include "core/Settings.h"
#include "core/SettingsBackend.h"
#include "map/WorldMap.h"
#include "reminders/ReminderStore.h"

namespace wc {
namespace {

namespace fs = std::filesystem;

// A desktop that takes every picture and names none of its own.
class PlainDesktop final : public WallpaperBackend {
 public:
  explicit PlainDesktop(bool newNames) : newNames_(newNames) {}
  const char* name() const override { return "plain"; }
  bool showsOwnPicture() override { return IsOwnWallpaper(shown_); }
  DesktopPicture current() override { return {shown_, {}}; }
  bool show(const std::string& file, const QImage&, const QRect&) override {
    shown_ = file;
    return true;
  }
  bool restore(const DesktopPicture& saved) override {
    shown_ = saved.file;
    return true;
  }
  bool needsNewFileName() const override { return newNames_; }

 private:
  bool newNames_;
  std::string shown_;
};

pid_t DeadPid() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  return child;
}

TEST(ForeignFiles, OutliveEverySave) {
  const test::TempFolder root("wc-foreign-");
  const std::string home = root.file("home");
  test::ScopedEnv homeEnv("HOME", home);
  test::ScopedEnv config("XDG_CONFIG_HOME", home + "/.config");
  test::ScopedEnv data("XDG_DATA_HOME", home + "/.local/share");
  test::ScopedEnv runtime("XDG_RUNTIME_DIR", root.file("run"));
  fs::create_directories(root.file("run"));
  fs::permissions(root.file("run"), fs::perms::owner_all);
  SetSettingsBackend(nullptr);  // the settings file of this home

  // Each folder with the files the program writes there.
  const std::map<std::string, std::vector<std::string>> written = {
      {DataFolder(), {"citydata.dat", "reminders.dat", "aclocks.dat", "dclocks.dat"}},
      {ConfigFolder(), {"settings.reg"}},
      {fs::path(AutostartEntryPath()).parent_path().string() + "/", {"tavrel-world-clock.desktop"}},
      {home + "/", {".xscreensaver"}},
      {RuntimeFolder(), {"wcwallpaper.bmp", "wcwallpaper2.bmp"}},
  };
  const std::string dead = std::to_string(DeadPid());
  std::vector<std::string> planted;
  for (const auto& [folder, files] : written) {
    fs::create_directories(folder);
    std::vector<std::string> names = {"thesis.tmp-backup", "photos.tmp-2024ab", "x.tmp-" + dead + "-abcdef"};
    for (const std::string& f : files) {
      for (const std::string& n :
           {f + ".tmp-a1B2c3", f + "x.tmp-" + dead + "-a1B2c3", "x" + f + ".tmp-" + dead + "-a1B2c3",
            f.substr(0, f.size() - 1) + ".tmp-" + dead + "-a1B2c3", f + ".tmp-" + dead + "-a1B2c3d",
            f + ".tmp-" + dead + "x-a1B2c3", f + ".tmp-" + dead + "-a1B2c"})
        names.push_back(n);
    }
    for (const std::string& n : names) {
      const std::string path = folder + n;
      std::ofstream(path) << "someone else's " << n;
      fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::minutes(5));
      planted.push_back(path);
    }
  }
  const auto untouched = [&](const char* save) {
    for (const std::string& p : planted) {
      std::ifstream in(p);
      const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      EXPECT_EQ(text, "someone else's " + fs::path(p).filename().string()) << p << " after " << save;
    }
  };

  WriteIntegerSetting(kSettingsKey, "Theme", 2);
  untouched("a setting");

  ReminderStore reminders;
  reminders.reset(RemindersPath());
  reminders.list().push_back(std::make_unique<RemInfo>());
  ASSERT_TRUE(reminders.save());
  untouched("the reminders");

  {
    DesktopClocks clocks(nullptr, DataFolder(), false);
    ASSERT_TRUE(clocks.SaveAClockList());
    ASSERT_TRUE(clocks.SaveDClockList());
  }
  untouched("the clock lists");

  CityDocument cities;
  cities.load(CityDataPath());
  cities.appendCity({.name = "Kathmandu, Nepal", .offset = "+5.75", .lon = "85", .lat = "27"});
  ASSERT_TRUE(SaveCityDatabase(cities));
  untouched("the city database");

  const std::string exe = "/opt/tavrel/tavrel-world-clock";
  ASSERT_TRUE(SetStartAtLogin(AutostartEntryPath(), true, exe));
  ASSERT_TRUE(SetStartAtLogin(AutostartEntryPath(), false, exe));
  untouched("the start-at-login entry");

  ASSERT_TRUE(SetSaverProgram(XScreenSaverSettingsPath(), "/opt/tavrel/tavrel-world-clock-saver"));
  ASSERT_TRUE(SetSaverProgram(XScreenSaverSettingsPath(), ""));
  untouched("the screen-saver registration");

  WorldMap map(WC_PROGRAM_DIR);
  bool ready = false;
  map.ComposeBaseMap(ready, 46000.5);
  for (bool newNames : {false, true}) {
    Wallpaper wallpaper(std::make_unique<PlainDesktop>(newNames));
    for (int i = 0; i < 2; ++i) wallpaper.Refresh(map, true, false, QRect(0, 0, 640, 480), 46000.5);
    wallpaper.ClearWallpaper();
  }
  untouched("the wallpaper");

  SetSettingsBackend(nullptr);
}

}  // namespace
}  // namespace wc
