// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Wallpaper.h"

#include <filesystem>
#include <stdexcept>

#include "core/AtomicFile.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/SettingsReader.h"
#include "map/Bmp.h"
#include "map/LargeBuffer.h"
#include "map/WorldMap.h"
#include "platform/SettingsReads.h"

namespace wc {

std::string AlternateWallpaperImagePath() { return RuntimeFolder() + "wcwallpaper2.bmp"; }

Wallpaper::Wallpaper(std::unique_ptr<WallpaperBackend> backend) : backend_(std::move(backend)) {}

std::string Wallpaper::nextFile() {
  const std::string first = WallpaperImagePath();
  if (!backend_->needsNewFileName()) return first;
  // After a restart the desktop may still show the last run's picture.
  const std::string shown = lastFile_.empty() ? backend_->current().file : lastFile_;
  return shown == first ? AlternateWallpaperImagePath() : first;
}

void Wallpaper::Refresh(WorldMap& map, bool showTimes, bool fullHeight, const QRect& screen,
                        DateTime localNow, int workAreaWidth) {
  const QSize size = WallpaperSize(screen.size(), fullHeight);
  if (size.isEmpty()) return;
  ReuseImage(picture_, size.width(), size.height());  // kept from refresh to refresh
  {
    // The window map measures its work area in the toolkit's pixels; the
    // wallpaper is drawn in the screen's own.
    int& workArea = map.overlaySettings().workAreaWidth;
    struct Back {
      int& to;
      int value;
      ~Back() { to = value; }
    } back{workArea, workArea};
    workArea = workAreaWidth > 0 ? workAreaWidth : screen.width();
    map.DrawMapOverlay(picture_, map.baseMap(), showTimes, map.wallpaperCityFont(), true, localNow);
  }

  const std::string file = nextFile();
  EncodeBmp24Into(picture_, bmp_);
  if (const FileResult r = WriteFileAtomically(file, bmp_); !r) throw std::runtime_error(r.error);

  // The user's picture is kept from the first refresh on: once the
  // program's own is in place it is never taken for the user's.
  if (!backend_->showsOwnPicture()) {
    const DesktopPicture before = backend_->current();
    WriteStringSetting(kSettingsKey, kOldWall, before.file);
    WriteStringListSetting(kSettingsKey, kOldWallSettings, before.details);
  }
  backend_->show(file, picture_, screen);  // a desktop that refuses is not an error
  lastFile_ = file;
}

std::string Wallpaper::GetWallpaper() { return backend_->current().file; }

void Wallpaper::ClearWallpaper() {
  // A picture the user chose meanwhile stays.
  if (!backend_->showsOwnPicture()) return;
  // An unreadable value gives no picture rather than ours.
  SettingsReader stored;
  DesktopPicture saved{stored.text(kOldWall), stored.list(kOldWallSettings)};
  ShowSettingsProblems(stored);
  if (!stored.problems().empty() || IsOwnWallpaper(saved.file)) saved = {};
  if (!backend_->restore(saved)) return;
  lastFile_.clear();
  std::error_code ec;
  for (const std::string& f : {WallpaperImagePath(), AlternateWallpaperImagePath()})
    std::filesystem::remove(ToPath(f), ec);
}

}  // namespace wc
