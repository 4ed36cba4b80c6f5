// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The map as wallpaper against a desktop that only records: the bitmap's
// size and form, the file names desktops need, the user's picture through
// repeated refreshes and a restart, and the wallpaper commands.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "RecordingWallpaper.h"
#include "TestSupport.h"
#include "WindowTestHome.h"
#include "app/MainWindow.h"
#include "app/Wallpaper.h"
#include "core/AtomicFile.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/SettingsBackend.h"
#include "map/WorldMap.h"

namespace wc {
namespace {

using test::Desktop;
using test::RecordingWallpaper;

class WallpaperTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetSettingsBackend(nullptr);
    map_.overlaySettings().workAreaWidth = 1920;
    bool ready = false;
    map_.ComposeBaseMap(ready, kNoon);
  }

  Wallpaper make(bool newNames = false) {
    return Wallpaper(std::make_unique<RecordingWallpaper>(desktop_, newNames));
  }
  void refresh(Wallpaper& w, bool fullHeight = false) { w.Refresh(map_, true, fullHeight, kScreen, kNoon); }

  static constexpr DateTime kNoon = 46000.5;
  const QRect kScreen{0, 0, 1920, 1080};
  test::PrivateHome home_;
  WorldMap map_{WC_PROGRAM_DIR};
  std::shared_ptr<Desktop> desktop_ = std::make_shared<Desktop>();
};

TEST_F(WallpaperTest, BitmapIsA24BitPictureOfTheScreensWidth) {
  struct Case {
    bool fullHeight;
    int height;
  };
  for (const Case c : {Case{false, 960}, Case{true, 1080}}) {
    Wallpaper w = make();
    refresh(w, c.fullHeight);
    EXPECT_EQ(w.bitmapPath(), WallpaperImagePath());
    const ReadResult r = ReadWholeFile(WallpaperImagePath());
    ASSERT_EQ(r.status, ReadStatus::Ok);
    const QImage file = QImage::fromData(reinterpret_cast<const uchar*>(r.bytes.data()),
                                         static_cast<int>(r.bytes.size()), "BMP");
    EXPECT_EQ(file.size(), QSize(1920, c.height));
    EXPECT_EQ(r.bytes.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<int>(r.bytes[28]), 24) << "bits per pixel";
    // What the file holds is the picture drawn, pixel for pixel.
    EXPECT_EQ(file.convertToFormat(QImage::Format_RGB32), w.picture());
    EXPECT_EQ(desktop_->filesShown.back(), WallpaperImagePath());
  }
}

TEST_F(WallpaperTest, CaptionKeepsToTheWorkAreaInTheWallpapersPixels) {
  map_.wallpaperDateFont().color = QColor(255, 0, 255);
  // The window map's work area, in the toolkit's pixels of a 2x screen.
  map_.overlaySettings().workAreaWidth = 960;
  const auto captionLeft = [](const QImage& p) {
    for (int x = 0; x < p.width(); ++x)
      for (int y = 8; y < 40; ++y)
        if (p.pixel(x, y) == qRgb(255, 0, 255)) return x;
    return -1;
  };
  struct Case {
    int workArea;
    int left;  // the caption's first column: margin + 10, give or take the glyph's bearing
  };
  for (const Case c : {Case{1920, 10}, Case{1800, 70}, Case{0, 10}}) {
    Wallpaper w = make();
    w.Refresh(map_, true, false, kScreen, kNoon, c.workArea);
    EXPECT_NEAR(captionLeft(w.picture()), c.left, 2) << c.workArea;
    EXPECT_EQ(map_.overlaySettings().workAreaWidth, 960) << "the window map's own is kept";
  }
}

TEST_F(WallpaperTest, DesktopsThatIgnoreTheSameNameGetAnotherEachTime) {
  // The desktop still shows the bitmap of a run that ended.
  desktop_->shown = {WallpaperImagePath(), {}};
  Wallpaper w = make(true);
  for (int i = 0; i < 3; ++i) refresh(w);
  EXPECT_EQ(desktop_->filesShown,
            (std::vector<std::string>{AlternateWallpaperImagePath(), WallpaperImagePath(),
                                      AlternateWallpaperImagePath()}));
  EXPECT_TRUE(FileExists(WallpaperImagePath()));
}

TEST_F(WallpaperTest, UsersPictureComesBackAfterRepeatedRefreshesAndARestart) {
  const DesktopPicture users = desktop_->shown;
  {
    Wallpaper w = make(true);
    refresh(w);
    refresh(w);
    EXPECT_EQ(SettingText(kOldWall), users.file);
  }
  // The next run (the last one killed) finds its own picture in place.
  Wallpaper next = make(true);
  refresh(next);
  EXPECT_EQ(SettingText(kOldWall), users.file);
  next.ClearWallpaper();
  EXPECT_EQ(desktop_->shown.file, users.file);
  EXPECT_EQ(desktop_->shown.details, users.details);
  EXPECT_FALSE(FileExists(WallpaperImagePath()));
  EXPECT_FALSE(FileExists(AlternateWallpaperImagePath()));
}

TEST_F(WallpaperTest, ClearingLeavesAPictureTheUserChoseMeanwhile) {
  Wallpaper w = make();
  refresh(w);
  desktop_->shown = {"/home/user/Pictures/new.png", {}};
  w.ClearWallpaper();
  EXPECT_EQ(desktop_->shown.file, "/home/user/Pictures/new.png");
  EXPECT_EQ(desktop_->restores, 0);
}

TEST_F(WallpaperTest, APictureTheDesktopRefusesBackKeepsOurBitmapInPlace) {
  Wallpaper w = make();
  refresh(w);
  desktop_->refusesRestore = true;
  w.ClearWallpaper();
  // The desktop still points at our bitmap, which must still be there.
  EXPECT_EQ(desktop_->shown.file, WallpaperImagePath());
  EXPECT_TRUE(FileExists(WallpaperImagePath()));
  desktop_->refusesRestore = false;
  w.ClearWallpaper();
  EXPECT_EQ(desktop_->shown.file, "/home/user/Pictures/lake.jpg");
  EXPECT_FALSE(FileExists(WallpaperImagePath()));
}

TEST_F(WallpaperTest, OwnBitmapRecordedByAnEarlierVersionGivesNoPicture) {
  Wallpaper w = make();
  refresh(w);
  // An earlier version wrote its bitmap into another folder than the runtime one.
  const test::TempFolder earlier("wc-earlier-");
  WriteStringSetting(kSettingsKey, kOldWall, earlier.file("wcwallpaper.bmp"));
  w.ClearWallpaper();
  EXPECT_EQ(desktop_->shown.file, "");
  EXPECT_TRUE(desktop_->shown.details.empty());
}

TEST_F(WallpaperTest, BitmapThatCannotBeWrittenFailsTheRefreshAndKeepsTheDesktop) {
  // A folder where the bitmap should go: no file can replace it.
  std::filesystem::create_directories(WallpaperImagePath() + "/x");
  Wallpaper w = make();
  EXPECT_THROW(refresh(w), std::runtime_error);
  EXPECT_TRUE(desktop_->filesShown.empty());
  EXPECT_EQ(SettingText(kOldWall), "");
}

}  // namespace
}  // namespace wc
