// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// An exclusive advisory lock held on a lock file for the lifetime of the
// object; it keeps two processes from interleaving read-modify-write cycles on
// a file that is itself replaced by rename (and so cannot carry the lock).

#include <chrono>
#include <optional>
#include <string>

namespace wc {

class FileLock {
 public:
  // Creates the lock file when missing and waits up to `timeout` for the lock.
  // On failure *busy (when given) tells a lock held elsewhere from a lock
  // file that cannot be opened, whose reason *error holds.
  static std::optional<FileLock> acquire(const std::string& path, std::chrono::milliseconds timeout,
                                         bool* busy = nullptr, std::string* error = nullptr);

  FileLock(FileLock&& other) noexcept;
  FileLock& operator=(FileLock&& other) noexcept;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  ~FileLock();

 private:
  FileLock() = default;
  void release();

#ifdef _WIN32
  void* handle_ = nullptr;
#else
  int fd_ = -1;
#endif
};

}  // namespace wc
