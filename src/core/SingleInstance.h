// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One running copy per desktop. The first copy holds an exclusive lock on a
// file named for the display in the user's runtime folder (on Windows, a
// named mutex in the session's namespace); the claim goes with the process,
// so a crash never leaves a stale one behind.

#include <string>

namespace wc {

class SingleInstance {
 public:
  // desktop names the display ("X11 :0", "wayland-0"); see DesktopName().
  explicit SingleInstance(const std::string& desktop);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // False when another copy on the same desktop holds the claim.
  bool acquire();
  const std::string& lockPath() const { return path_; }

 private:
  std::string path_;
  std::string desktop_;
#ifdef _WIN32
  void* mutex_ = nullptr;
#else
  int fd_ = -1;
#endif
};

// The desktop this process shows its windows on: the X display without its
// screen number (":0.0" and ":0" are one desktop), else the Wayland display.
std::string DesktopName();

// A file-name-safe form of a desktop name.
std::string DesktopLockFileName(const std::string& desktop);

}  // namespace wc
