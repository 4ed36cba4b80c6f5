// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FileLock.h"

#include <algorithm>
#include <thread>

#ifdef _WIN32
#include <windows.h>

#include "AtomicFile.h"
#else
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace wc {

namespace {

// Polls rather than blocks, so that a stopped process holding the lock cannot
// hang the caller for ever.
template <class TryLock>
bool WaitFor(TryLock&& tryLock, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  auto pause = std::chrono::microseconds(200);
  while (true) {
    const int r = tryLock();
    if (r > 0) return true;
    if (r < 0 || std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(pause);
    // Short pauses: a writer that releases the lock often takes it again at once.
    pause = std::min(pause * 2, std::chrono::microseconds(2000));
  }
}

}  // namespace

#ifdef _WIN32

std::optional<FileLock> FileLock::acquire(const std::string& path, std::chrono::milliseconds timeout,
                                          bool* busy, std::string* error) {
  if (busy) *busy = false;
  if (error) error->clear();
  HANDLE h = CreateFileW(ToPath(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    if (error) *error = "cannot open \"" + path + "\"";
    return std::nullopt;
  }
  const bool locked = WaitFor(
      [h] {
        OVERLAPPED ov{};
        if (LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &ov)) return 1;
        return GetLastError() == ERROR_LOCK_VIOLATION ? 0 : -1;
      },
      timeout);
  if (!locked) {
    if (busy) *busy = true;
    CloseHandle(h);
    return std::nullopt;
  }
  FileLock lock;
  lock.handle_ = h;
  return lock;
}

void FileLock::release() {
  if (!handle_) return;
  OVERLAPPED ov{};
  UnlockFileEx(handle_, 0, 1, 0, &ov);
  CloseHandle(handle_);
  handle_ = nullptr;
}

FileLock::FileLock(FileLock&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }

FileLock& FileLock::operator=(FileLock&& other) noexcept {
  if (this != &other) {
    release();
    handle_ = other.handle_;
    other.handle_ = nullptr;
  }
  return *this;
}

#else

std::optional<FileLock> FileLock::acquire(const std::string& path, std::chrono::milliseconds timeout,
                                          bool* busy, std::string* error) {
  if (busy) *busy = false;
  if (error) error->clear();
  // Never through a link: one planted there would have us create or lock
  // whatever file it names.
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) {
    if (error) *error = "cannot open \"" + path + "\": " + std::strerror(errno);
    return std::nullopt;
  }
  int err = 0;
  const bool locked = WaitFor(
      [fd, &err] {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return 1;
        err = errno;
        return (err == EWOULDBLOCK || err == EINTR) ? 0 : -1;
      },
      timeout);
  if (!locked) {
    if (err == EWOULDBLOCK || err == EINTR) {
      if (busy) *busy = true;
    } else if (error) {
      *error = "cannot lock \"" + path + "\": " + std::strerror(err);
    }
    ::close(fd);
    return std::nullopt;
  }
  FileLock lock;
  lock.fd_ = fd;
  return lock;
}

void FileLock::release() {
  if (fd_ < 0) return;
  ::close(fd_);  // releases the lock
  fd_ = -1;
}

FileLock::FileLock(FileLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }

FileLock& FileLock::operator=(FileLock&& other) noexcept {
  if (this != &other) {
    release();
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

#endif

FileLock::~FileLock() { release(); }

}  // namespace wc
