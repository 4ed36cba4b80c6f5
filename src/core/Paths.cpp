// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Paths.h"

#include <cstdlib>
#include <filesystem>

#include "AtomicFile.h"

#ifdef _WIN32
#include <shlobj.h>
#include <windows.h>
#else
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace wc {

namespace fs = std::filesystem;

namespace {

constexpr const char* kAppFolder = "TavrelWorldClock";

std::string WithSeparator(std::string s) {
  if (!s.empty() && s.back() != '/' && s.back() != '\\')
    s += static_cast<char>(fs::path::preferred_separator);
  return s;
}

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

#ifndef _WIN32
std::string Home() {
  std::string h = Env("HOME");
  if (h.empty()) {
    if (const passwd* pw = getpwuid(getuid())) h = pw->pw_dir;
  }
  return h;
}

// The XDG base-directory rule: the variable when it holds an absolute path,
// else the default below HOME.
std::string XdgDir(const char* var, const char* fallbackBelowHome) {
  const std::string v = Env(var);
  if (!v.empty() && v.front() == '/') return v;
  return Home() + "/" + fallbackBelowHome;
}
#endif

std::string& ProgramFolderOverride() {
  static std::string s;
  return s;
}

std::string& DataFolderOverride() {
  static std::string s;
  return s;
}

}  // namespace

std::string ExecutablePath() {
#ifdef _WIN32
  std::wstring buf(32768, L'\0');
  const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
  buf.resize(n < buf.size() ? n : 0);
  return FromPath(fs::path(buf));
#else
  std::error_code ec;
  const fs::path p = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : p.string();
#endif
}

std::string DataFolder() {
  if (!DataFolderOverride().empty()) return DataFolderOverride();
#ifdef _WIN32
  wchar_t buf[MAX_PATH];
  std::string base;
  if (SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buf) == S_OK)
    base = FromPath(fs::path(buf));
  else
    base = Env("LOCALAPPDATA");
  return WithSeparator(WithSeparator(base) + kAppFolder);
#else
  return WithSeparator(WithSeparator(XdgDir("XDG_DATA_HOME", ".local/share")) + kAppFolder);
#endif
}

std::string ConfigFolder() {
#ifdef _WIN32
  return DataFolder();
#else
  return WithSeparator(WithSeparator(XdgDir("XDG_CONFIG_HOME", ".config")) + kAppFolder);
#endif
}

std::string SettingsFilePath() { return ConfigFolder() + "settings.reg"; }

std::string AutostartEntryPath() {
#ifdef _WIN32
  return std::string();  // start at login is the Run value there
#else
  return XdgDir("XDG_CONFIG_HOME", ".config") + "/autostart/tavrel-world-clock.desktop";
#endif
}

void SetProgramFolder(const std::string& folder) {
  ProgramFolderOverride() = folder.empty() ? folder : WithSeparator(folder);
}

void SetDataFolder(const std::string& folder) {
  DataFolderOverride() = folder.empty() ? folder : WithSeparator(folder);
}

std::string ProgramFolder() {
  if (!ProgramFolderOverride().empty()) return ProgramFolderOverride();
  const fs::path exeDir = ToPath(ExecutablePath()).parent_path();
  if (exeDir.empty()) return WithSeparator(FromPath(fs::current_path()));
#ifndef _WIN32
  if (!FileExists(FromPath(exeDir / "day.jpg"))) {
    const fs::path installed = exeDir.parent_path() / "share" / "tavrel-world-clock";
    if (DirectoryExists(FromPath(installed))) return WithSeparator(FromPath(installed));
  }
#endif
  return WithSeparator(FromPath(exeDir));
}

std::string RuntimeFolder() {
#ifdef _WIN32
  wchar_t buf[MAX_PATH + 1];
  const DWORD n = GetTempPathW(MAX_PATH + 1, buf);
  return WithSeparator(FromPath(fs::path(std::wstring(buf, n <= MAX_PATH ? n : 0))));
#else
  // Only a folder that is the user's own and closed to everyone else; a
  // shared one would let others plant or read what we put there.
  const std::string rt = Env("XDG_RUNTIME_DIR");
  struct stat st {};
  if (!rt.empty() && rt.front() == '/' && ::stat(rt.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
      st.st_uid == ::geteuid() && (st.st_mode & 077) == 0)
    return WithSeparator(rt);
  // No runtime folder (a bare X session, CI): a private folder of our own.
  const std::string own = DataFolder() + "run/";
  std::error_code ec;
  fs::create_directories(own, ec);
  fs::permissions(own, fs::perms::owner_all, fs::perm_options::replace, ec);
  return own;
#endif
}

std::string WallpaperImagePath() { return RuntimeFolder() + "wcwallpaper.bmp"; }

}  // namespace wc
