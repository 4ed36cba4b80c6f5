// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The map as the desktop wallpaper: drawn at the screen's width from the
// composed base map into a picture kept from one refresh to the next,
// written as a 24-bit wcwallpaper.bmp in the runtime folder and shown through
// the desktop's backend. The user's own picture is remembered ("OldWall")
// only while it is not the program's, so switching off gives it back.

#include <QImage>
#include <QRect>
#include <memory>
#include <string>

#include "core/DateTime.h"
#include "platform/Wallpaper.h"

namespace wc {

class WorldMap;

class Wallpaper {
 public:
  explicit Wallpaper(std::unique_ptr<WallpaperBackend> backend);

  // RefreshWallpaper for the screen rectangle in device pixels, the caption
  // kept inside a work area that wide (0: the whole screen). Throws
  // std::runtime_error (the previous wallpaper staying) when the bitmap
  // cannot be written.
  void Refresh(WorldMap& map, bool showTimes, bool fullHeight, const QRect& screen, DateTime localNow,
               int workAreaWidth = 0);
  // The desktop's picture file now.
  std::string GetWallpaper();
  // Puts the user's picture back while the program's own is shown.
  void ClearWallpaper();

  const QImage& picture() const { return picture_; }
  // The bitmap of the last refresh.
  const std::string& bitmapPath() const { return lastFile_; }
  WallpaperBackend& backend() { return *backend_; }

 private:
  std::string nextFile();

  std::unique_ptr<WallpaperBackend> backend_;
  QImage picture_;
  std::string bmp_;
  std::string lastFile_;
};

// The other file name for desktops that want a new one each time.
std::string AlternateWallpaperImagePath();

}  // namespace wc
