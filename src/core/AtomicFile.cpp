#include "AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>

#ifndef _WIN32
#include <fcntl.h>
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

fs::path ToPath(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

std::string FromPath(const fs::path& path) {
  const std::u8string u = path.u8string();
  return std::string(u.begin(), u.end());
}

#ifndef _WIN32

FileResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
  std::string tmpl = path + ".tmp-XXXXXX";
  const int fd = mkstemp(tmpl.data());
  if (fd < 0) return {false, SystemError("Cannot create a temporary file beside", path, errno)};

  mode_t mode = 0666;
  struct stat st {};
  if (stat(path.c_str(), &st) == 0) {
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
      const int err = errno;
      ::close(fd);
      ::unlink(tmpl.c_str());
      return {false, SystemError("Cannot write", path, err)};
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    const int err = errno;
    ::unlink(tmpl.c_str());
    return {false, SystemError("Cannot write", path, err)};
  }
  if (::rename(tmpl.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(tmpl.c_str());
    return {false, SystemError("Cannot replace", path, err)};
  }
  // Make the rename itself durable.
  const std::string dir = fs::path(path).parent_path().string();
  const int dfd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
  return {true, {}};
}

#else

FileResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const fs::path target = ToPath(path);
  fs::path tmp = target;
  tmp += ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) return {false, "Cannot create a temporary file beside \"" + path + "\""};
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) return {false, "Cannot write \"" + path + "\""};
  }
  std::error_code ec;
  fs::rename(tmp, target, ec);  // MoveFileEx with MOVEFILE_REPLACE_EXISTING
  if (ec) {
    fs::remove(tmp, ec);
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
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    r.error = SystemError("Cannot read", path, errno);
    return r;
  }
  struct stat st {};
  if (::fstat(fd, &st) == 0 && st.st_size > 0) r.bytes.reserve(static_cast<std::size_t>(st.st_size));
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      // A directory or an I/O error where the file should be.
      r.error = SystemError("Cannot read", path, errno);
      r.bytes.clear();
      ::close(fd);
      return r;
    }
    r.bytes.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
#else
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

std::optional<std::string> SetAsideBadFile(const std::string& path) {
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
    fs::rename(ToPath(path), ToPath(target), ec);
    if (ec) return std::nullopt;
    return target;
  }
  return std::nullopt;
}

}  // namespace wc
