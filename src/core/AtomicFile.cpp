// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <windows.h>

#include <atomic>
#else
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace wc {

namespace fs = std::filesystem;

#ifndef _WIN32
namespace {

std::string SystemError(const std::string& what, const std::string& path, int err) {
  return what + " \"" + path + "\": " + std::strerror(err);
}

}  // namespace
#endif

#ifndef _WIN32
namespace {
FileStamp StampOfStat(const struct stat& st) {
  return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
          static_cast<std::uint64_t>(st.st_size),
          static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}
}  // namespace

std::optional<FileStamp> StampOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return StampOfStat(st);
}
#else
std::optional<FileStamp> StampOf(const std::string& path) {
  std::error_code ec;
  const fs::path p = ToPath(path);
  const auto size = fs::file_size(p, ec);
  if (ec) return std::nullopt;
  const auto modified = fs::last_write_time(p, ec);
  if (ec) return std::nullopt;
  return FileStamp{0, 0, size,
                   std::chrono::duration_cast<std::chrono::nanoseconds>(modified.time_since_epoch()).count()};
}
#endif

fs::path ToPath(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

std::string FromPath(const fs::path& path) {
  const std::u8string u = path.u8string();
  return std::string(u.begin(), u.end());
}

#ifndef _WIN32

namespace {

constexpr std::string_view kTempInfix = ".tmp-";
constexpr std::size_t kTempRandomChars = 6;  // mkstemp's XXXXXX
// A writer that has not touched its temporary file for this long is gone.
constexpr std::chrono::seconds kStaleAfter{60};

bool IsTempRandom(std::string_view s) {
  return s.size() == kTempRandomChars && std::all_of(s.begin(), s.end(), [](char c) {
           return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
         });
}

// The writer's process id when entry is "<name>.tmp-<pid>-XXXXXX", the
// temporary file a write to name makes. Nothing for any other entry: the
// folder may be the user's home, and a look-alike there is someone else's.
std::optional<pid_t> OurTempWriter(std::string_view entry, std::string_view name) {
  if (!entry.starts_with(name) || !entry.substr(name.size()).starts_with(kTempInfix)) return std::nullopt;
  const std::string_view rest = entry.substr(name.size() + kTempInfix.size());
  const std::size_t dash = rest.find('-');
  if (dash == std::string_view::npos || dash == 0 || dash > 9 || !IsTempRandom(rest.substr(dash + 1)))
    return std::nullopt;
  pid_t pid = 0;
  for (char c : rest.substr(0, dash)) {
    if (c < '0' || c > '9') return std::nullopt;
    pid = pid * 10 + (c - '0');
  }
  return pid;
}

bool ProcessIsGone(pid_t pid) { return pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH; }

// Removes the temporary files that earlier writes of the file name in dir
// left behind when they were killed. A writer holds an exclusive lock on its
// temporary file from creation to rename, so a file that can be locked is
// not being written; it is gone for good when its writer's process has ended
// or it is a minute old (the minute covers a writer between creating and
// locking its file).
void RemoveStaleTempFiles(const std::string& dir, std::string_view name) {
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return;
  const int dfd = ::dirfd(d);
  const std::time_t now = std::time(nullptr);  // seconds: holds past 2262, as nanoseconds do not
  while (const dirent* e = ::readdir(d)) {
    const std::optional<pid_t> writer = OurTempWriter(e->d_name, name);
    if (!writer) continue;
    const int fd = ::openat(dfd, e->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      const bool abandoned = ProcessIsGone(*writer) || now - st.st_mtim.tv_sec > kStaleAfter.count();
      struct stat named {};
      // Still the file that was checked, not one put in its place since.
      if (abandoned && ::fstatat(dfd, e->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
          named.st_ino == st.st_ino && named.st_dev == st.st_dev)
        ::unlinkat(dfd, e->d_name, 0);
    }
    ::close(fd);
  }
  ::closedir(d);
}

// Where a write to path lands: through any symbolic links to the file they
// name, so that a link (a dotfile manager's, say) stays a link.
std::string WriteTarget(const std::string& path) {
  std::string target = path;
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    const fs::path p = ToPath(target);
    if (!fs::is_symlink(fs::symlink_status(p, ec))) break;
    const fs::path next = fs::read_symlink(p, ec);
    if (ec) break;
    target = (next.is_absolute() ? next : p.parent_path() / next).string();
  }
  return target;
}

}  // namespace

FileResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const std::string target = WriteTarget(path);
  const fs::path targetPath(target);
  const std::string dir = targetPath.parent_path().string();
  RemoveStaleTempFiles(dir, targetPath.filename().string());

  std::string tmpl = target + std::string(kTempInfix) + std::to_string(::getpid()) + "-XXXXXX";
  const int fd = mkostemp(tmpl.data(), O_CLOEXEC);
  if (fd < 0) return {false, SystemError("Cannot create a temporary file beside", path, errno)};
  // Marks the file as being written until it is renamed or removed.
  while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
  }
  auto fail = [&](const char* what, int err) {
    ::unlink(tmpl.c_str());
    ::close(fd);
    return FileResult{false, SystemError(what, path, err)};
  };

  mode_t mode = 0666;
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode &= ~mask;
  }
  fchmod(fd, mode);

  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail("Cannot write", errno);
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0) return fail("Cannot write", errno);
  if (::rename(tmpl.c_str(), target.c_str()) != 0) return fail("Cannot replace", errno);
  ::close(fd);  // the data is on disk (fsync said so) and in place: nothing left to fail
  // Make the rename itself durable.
  const int dfd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
  return {true, {}};
}

#else

// A name of its own per write, as on POSIX ("<file>.tmp-<pid>-XXXXXX"): a
// fixed one was shared by two writers of the same file, and anything left
// under it blocked every later save.
FileResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
  static std::atomic<std::uint64_t> serial{0};
  static constexpr char kChars[] = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  const fs::path target = ToPath(path);
  fs::path tmp;
  HANDLE h = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && h == INVALID_HANDLE_VALUE; ++attempt) {
    std::uint64_t n = GetTickCount64() * 7919 + serial.fetch_add(1) * 104729 + attempt;
    std::wstring random;
    for (int i = 0; i < 6; ++i, n /= 62) random += static_cast<wchar_t>(kChars[n % 62]);
    tmp = target;
    tmp += L".tmp-" + std::to_wstring(GetCurrentProcessId()) + L"-" + random;
    h = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS &&
        GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_ACCESS_DENIED)
      break;
  }
  if (h == INVALID_HANDLE_VALUE) return {false, "Cannot create a temporary file beside \"" + path + "\""};
  const auto fail = [&](const char* what) {
    CloseHandle(h);
    DeleteFileW(tmp.c_str());
    return FileResult{false, std::string(what) + " \"" + path + "\""};
  };
  for (std::size_t done = 0; done < bytes.size();) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(h, bytes.data() + done, chunk, &written, nullptr) || written == 0)
      return fail("Cannot write");
    done += written;
  }
  // On disk before it takes the old file's place, so a power loss leaves the
  // old content or the new, never an empty file.
  if (!FlushFileBuffers(h)) return fail("Cannot write");
  CloseHandle(h);
  if (!MoveFileExW(tmp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(tmp.c_str());
    return {false, "Cannot replace \"" + path + "\""};
  }
  return {true, {}};
}

#endif

ReadResult ReadWholeFile(const std::string& path) {
  ReadResult r;
  std::error_code ec;
  if (!fs::exists(ToPath(path), ec)) {
    r.status = ec ? ReadStatus::Failed : ReadStatus::Missing;
    if (ec) r.error = "Cannot read \"" + path + "\": " + ec.message();
    return r;
  }
#ifndef _WIN32
  // Non-blocking: opening a FIFO with no writer would wait for ever (holding
  // the settings lock, when it stands where the settings file belongs).
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    r.error = SystemError("Cannot read", path, errno);
    return r;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    r.error = SystemError("Cannot read", path, errno);
    ::close(fd);
    return r;
  }
  if (!S_ISREG(st.st_mode)) {
    // A pipe, a device or a socket may never end; a folder is no file.
    r.error = S_ISDIR(st.st_mode) ? SystemError("Cannot read", path, EISDIR)
                                  : "Cannot read \"" + path + "\": it is not a regular file";
    ::close(fd);
    return r;
  }
  r.stamp = StampOfStat(st);
  if (st.st_size > 0) r.bytes.reserve(static_cast<std::size_t>(st.st_size));
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      r.error = SystemError("Cannot read", path, errno);
      r.bytes.clear();
      ::close(fd);
      return r;
    }
    r.bytes.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
#else
  if (const auto stamp = StampOf(path)) r.stamp = *stamp;
  std::ifstream in(ToPath(path), std::ios::binary);
  if (!in) {
    r.error = "Cannot read \"" + path + "\"";
    return r;
  }
  // A read error throws from inside the stream buffer rather than setting badbit.
  bool failed = false;
  try {
    r.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  } catch (const std::exception&) {
    failed = true;
  }
  if (failed || in.bad()) {
    r.error = "Cannot read \"" + path + "\"";
    r.bytes.clear();
    return r;
  }
#endif
  r.status = ReadStatus::Ok;
  return r;
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(ToPath(path), ec);
}

bool DirectoryExists(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(ToPath(path), ec);
}

bool CreateFolder(const std::string& path) {
  std::error_code ec;
  fs::create_directory(ToPath(path), ec);
  return DirectoryExists(path);
}

bool CopyFileIfMissing(const std::string& from, const std::string& to) {
  std::error_code ec;
  return fs::copy_file(ToPath(from), ToPath(to), fs::copy_options::none, ec);
}

namespace {

// "<path>.bad-<YYYYmmdd-HHMMSS>", with a counter when taken, given to the
// file by move (rename) or copy; nothing when that failed.
template <class Give>
std::optional<std::string> GiveBadName(const std::string& path, Give give) {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
#ifdef _WIN32
  localtime_s(&tm, &now);
#else
  localtime_r(&now, &tm);
#endif
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &tm);
  const std::string base = path + ".bad-" + stamp;
  for (int i = 0; i < 100; ++i) {
    const std::string target = i == 0 ? base : base + "-" + std::to_string(i);
    std::error_code ec;
    if (fs::exists(ToPath(target), ec)) continue;
    if (!give(ToPath(path), ToPath(target), ec) || ec) return std::nullopt;
    return target;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> SetAsideBadFile(const std::string& path) {
  return GiveBadName(path, [](const fs::path& from, const fs::path& to, std::error_code& ec) {
    fs::rename(from, to, ec);
    return true;
  });
}

std::optional<std::string> KeepCopyOfBadFile(const std::string& path) {
  return GiveBadName(path, [](const fs::path& from, const fs::path& to, std::error_code& ec) {
    if (fs::copy_file(from, to, fs::copy_options::none, ec)) return true;
    // A copy cut short (a full disk) is no copy; a name taken meanwhile is not ours.
    std::error_code ignored;
    if (ec != std::errc::file_exists) fs::remove(to, ignored);
    return false;
  });
}

}  // namespace wc
