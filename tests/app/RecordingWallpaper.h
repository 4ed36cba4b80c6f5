// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A desktop that only records: it shows whatever it was last told and can be
// made to refuse the user's picture back.

#include <memory>
#include <string>
#include <vector>

#include "app/Wallpaper.h"

namespace wc::test {

struct Desktop {
  DesktopPicture shown{"/home/user/Pictures/lake.jpg", {"picture-options=zoom", "picture-uri-dark=dark.jpg"}};
  std::vector<std::string> filesShown;
  int restores = 0;
  bool refusesRestore = false;
};

class RecordingWallpaper final : public WallpaperBackend {
 public:
  RecordingWallpaper(std::shared_ptr<Desktop> d, bool newNames) : d_(std::move(d)), newNames_(newNames) {}
  const char* name() const override { return "recording"; }
  bool showsOwnPicture() override { return IsOwnWallpaper(d_->shown.file); }
  DesktopPicture current() override { return d_->shown; }
  bool show(const std::string& file, const QImage&, const QRect&) override {
    d_->shown = {file, {"picture-options=centered"}};
    d_->filesShown.push_back(file);
    return true;
  }
  bool restore(const DesktopPicture& saved) override {
    if (d_->refusesRestore) return false;
    d_->shown = saved;
    ++d_->restores;
    return true;
  }
  bool needsNewFileName() const override { return newNames_; }

 private:
  std::shared_ptr<Desktop> d_;
  bool newNames_;
};

}  // namespace wc::test
