// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The Windows desktop: the user's "Wallpaper" value and the system call that
// puts a picture in place, writes the profile and tells every window.

#include "core/WinSystem.h"
#include "platform/Wallpaper.h"

namespace wc {

namespace {

class WindowsWallpaper final : public WallpaperBackend {
 public:
  const char* name() const override { return "windows"; }
  bool showsOwnPicture() override { return IsOwnWallpaper(current().file); }
  DesktopPicture current() override { return {GetWallpaper(), {}}; }
  bool show(const std::string& file, const QImage&, const QRect&) override { return ShowWallpaper(file); }
  bool restore(const DesktopPicture& saved) override {
    return ShowWallpaper(IsOwnWallpaper(saved.file) ? std::string() : saved.file);
  }
  bool needsNewFileName() const override { return false; }
};

}  // namespace

std::unique_ptr<WallpaperBackend> MakeWindowsWallpaper() { return std::make_unique<WindowsWallpaper>(); }

}  // namespace wc
