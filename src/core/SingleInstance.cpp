// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/SingleInstance.h"

#include <cstdlib>

#include "core/Paths.h"

#ifdef _WIN32
#include <windows.h>

#include "core/Text.h"
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace wc {

std::string DesktopName() {
  if (const char* x = std::getenv("DISPLAY"); x && *x) {
    std::string d = x;
    // host:display.screen - the screen does not make another desktop.
    const auto colon = d.rfind(':');
    const auto dot = d.find('.', colon == std::string::npos ? 0 : colon);
    if (colon != std::string::npos && dot != std::string::npos) d.erase(dot);
    return "x11" + d;
  }
  if (const char* w = std::getenv("WAYLAND_DISPLAY"); w && *w) return std::string("wayland-") + w;
  return "console";
}

std::string DesktopLockFileName(const std::string& desktop) {
  std::string name = "tavrel-world-clock-";
  for (char c : desktop) {
    const bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
    name += safe ? c : '_';
  }
  return name + ".lock";
}

SingleInstance::SingleInstance(const std::string& desktop)
    : path_(RuntimeFolder() + DesktopLockFileName(desktop)), desktop_(desktop) {}

#ifdef _WIN32

SingleInstance::~SingleInstance() {
  if (mutex_) CloseHandle(mutex_);
}

bool SingleInstance::acquire() {
  if (mutex_) return true;
  const std::u16string name = Utf8ToUtf16("Local\\" + DesktopLockFileName(desktop_));
  HANDLE h = CreateMutexW(nullptr, FALSE, reinterpret_cast<const wchar_t*>(name.c_str()));
  // Without the mutex we cannot tell; starting beats refusing to start.
  if (!h) return true;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(h);
    return false;
  }
  mutex_ = h;
  return true;
}

#else

SingleInstance::~SingleInstance() {
  // Closing the descriptor releases the lock; the file stays, harmless and
  // reused by the next start.
  if (fd_ >= 0) close(fd_);
}

bool SingleInstance::acquire() {
  if (fd_ >= 0) return true;
  fd_ = open(path_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  // Without a lock file we cannot tell; starting beats refusing to start.
  if (fd_ < 0) return true;
  if (flock(fd_, LOCK_EX | LOCK_NB) == 0) return true;
  close(fd_);
  fd_ = -1;
  return false;
}

#endif

}  // namespace wc
