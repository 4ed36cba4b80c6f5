// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the suites need of the system, the same on Linux and under Wine.

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <system_error>

namespace wc::test {

inline void SetEnv(const char* name, const std::string& value) {
#ifdef _WIN32
  _putenv_s(name, value.c_str());
#else
  setenv(name, value.c_str(), 1);
#endif
}

inline void UnsetEnv(const char* name) {
#ifdef _WIN32
  _putenv_s(name, "");  // an empty value removes the variable there
#else
  unsetenv(name);
#endif
}

// Sets a variable for the object's lifetime and puts back what was there.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) saved_ = old;
    SetEnv(name, value);
  }
  ~ScopedEnv() {
    if (saved_)
      SetEnv(name_, *saved_);
    else
      UnsetEnv(name_);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> saved_;
};

// A name no other test run picks at the same time.
inline std::string UniqueName(const std::string& prefix) {
  static std::mt19937_64 rng{std::random_device{}()};
  return prefix + std::to_string(rng());
}

// A new, empty folder below the temporary folder, with a "/"-separated path;
// private, as a session's runtime folder must be.
inline std::string MakeTempFolder(const std::string& prefix) {
  for (;;) {
    const std::filesystem::path p = std::filesystem::temp_directory_path() / UniqueName(prefix);
    if (std::filesystem::create_directory(p)) {
      std::filesystem::permissions(p, std::filesystem::perms::owner_all);
      return p.generic_string();
    }
  }
}

// MakeTempFolder's folder, removed with everything in it when the object goes.
class TempFolder {
 public:
  explicit TempFolder(const std::string& prefix = "wc-test-") : path_(MakeTempFolder(prefix)) {}
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace wc::test
