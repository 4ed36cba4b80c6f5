// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Where the settings live: a registry-like store of typed values under key
// paths (relative to HKEY_CURRENT_USER).

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/AtomicFile.h"
#include "core/Registry.h"

namespace wc {

enum class RegStatus {
  Ok,
  // get: the key or the value does not exist, or the store cannot be opened.
  // set, remove: the store cannot be opened for writing; nothing was written.
  Unavailable,
  // The store was opened but reading or writing the value failed.
  Failed,
};

struct RegWriteResult {
  RegStatus status = RegStatus::Ok;
  // When not Ok: one message for the user that names the store's file and
  // says whether the change is kept.
  std::string error;
};

class SettingsBackend {
 public:
  virtual ~SettingsBackend() = default;
  virtual RegStatus get(std::string_view key, std::string_view name, RegValue& out) = 0;
  virtual RegWriteResult set(std::string_view key, std::string_view name, const RegValue& value) = 0;
  virtual RegWriteResult remove(std::string_view key, std::string_view name) = 0;
};

// A .reg text file. Writers take an exclusive lock on "<path>.lock", change
// the file as it is on disk and replace it atomically; readers need no lock
// since the replacement is a rename. A file that exists but cannot be read is
// never written over.
//
// Reads are served from a parsed copy, read again only when the file's stamp
// (inode, size, modification time) changes. A change that cannot be written
// (a full disk, a lock held too long, an unreadable file) is kept: reads in
// this process see it, and every later write tries it again, in order.
class RegFileBackend final : public SettingsBackend {
 public:
  // An honest writer holds the lock for milliseconds; a stuck one costs a
  // message, not a frozen program.
  static constexpr std::chrono::milliseconds kLockWait{2000};

  explicit RegFileBackend(std::string path, std::chrono::milliseconds lockWait = kLockWait);
  const std::string& path() const { return path_; }

  RegStatus get(std::string_view key, std::string_view name, RegValue& out) override;
  RegWriteResult set(std::string_view key, std::string_view name, const RegValue& value) override;
  RegWriteResult remove(std::string_view key, std::string_view name) override;

  struct Change {
    std::string key, name;
    std::optional<RegValue> value;  // nothing: remove
  };

 private:
  // The file as it is now, parsed; nothing when it exists but cannot be read
  // (then error says why).
  const RegDocument* current(std::string& error);
  RegWriteResult write(Change change);

  std::string path_;
  std::chrono::milliseconds lockWait_;
  std::optional<FileStamp> stamp_;  // of the parsed copy; nothing: no file
  RegDocument parsed_;
  RegDocument::ValueMap parsedValues_;  // parsed_'s values, for look-ups by name
  bool parsedValid_ = false;
  std::vector<Change> pending_;
  std::chrono::steady_clock::time_point lastLockTimeout_{};
};

#ifdef _WIN32
// The registry of the current user. root, when given, is put before every key
// path, so that tests work below a scratch key of their own.
class RegistryBackend final : public SettingsBackend {
 public:
  explicit RegistryBackend(std::string root = {});

  RegStatus get(std::string_view key, std::string_view name, RegValue& out) override;
  RegWriteResult set(std::string_view key, std::string_view name, const RegValue& value) override;
  RegWriteResult remove(std::string_view key, std::string_view name) override;

 private:
  std::string path(std::string_view key) const;
  RegWriteResult failure(RegStatus status, std::string_view key, std::string_view name) const;

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
