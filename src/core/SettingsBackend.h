#pragma once
// Where the settings live: a registry-like store of typed values under key
// paths (relative to HKEY_CURRENT_USER). Each call opens and closes the store;
// nothing is cached between calls.

#include <memory>
#include <string>
#include <string_view>

#include "core/Registry.h"

namespace wc {

enum class RegStatus {
  Ok,
  // get: the key or the value does not exist, or the store cannot be opened.
  // set, remove: the key cannot be opened for writing; nothing was written.
  Unavailable,
  // The store was opened but reading or writing the value failed.
  Failed,
};

class SettingsBackend {
 public:
  virtual ~SettingsBackend() = default;
  virtual RegStatus get(std::string_view key, std::string_view name, RegValue& out) = 0;
  virtual RegStatus set(std::string_view key, std::string_view name, const RegValue& value) = 0;
  virtual RegStatus remove(std::string_view key, std::string_view name) = 0;
};

// A .reg text file. Writers take an exclusive lock on "<path>.lock", read the
// file afresh, change it and replace it atomically; readers need no lock since
// the replacement is a rename. A file that exists but cannot be read is never
// written over.
class RegFileBackend final : public SettingsBackend {
 public:
  explicit RegFileBackend(std::string path);
  const std::string& path() const { return path_; }

  RegStatus get(std::string_view key, std::string_view name, RegValue& out) override;
  RegStatus set(std::string_view key, std::string_view name, const RegValue& value) override;
  RegStatus remove(std::string_view key, std::string_view name) override;

 private:
  template <class Change>
  RegStatus modify(Change&& change);

  std::string path_;
};

#ifdef _WIN32
// The registry of the current user. root, when given, is put before every key
// path, so that tests work below a scratch key of their own.
class RegistryBackend final : public SettingsBackend {
 public:
  explicit RegistryBackend(std::string root = {});

  RegStatus get(std::string_view key, std::string_view name, RegValue& out) override;
  RegStatus set(std::string_view key, std::string_view name, const RegValue& value) override;
  RegStatus remove(std::string_view key, std::string_view name) override;

 private:
  std::string path(std::string_view key) const;

  std::string root_;
};
#endif

// The store every settings operation uses: by default the registry on
// Windows, elsewhere the file at SettingsFilePath(). Tests put their own in
// its place.
SettingsBackend& CurrentSettingsBackend();
// nullptr restores the default.
void SetSettingsBackend(std::shared_ptr<SettingsBackend> backend);
void UseSettingsFile(const std::string& path);

}  // namespace wc
