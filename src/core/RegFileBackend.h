// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The settings store on Linux: a .reg text file.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/AtomicFile.h"
#include "core/Registry.h"
#include "core/SettingsBackend.h"

namespace wc {

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

}  // namespace wc
