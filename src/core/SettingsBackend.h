// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Where the settings live: a registry-like store of typed values under key
// paths (relative to HKEY_CURRENT_USER).

#include <memory>
#include <string>
#include <string_view>

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


// The store every settings operation uses: by default the registry on
// Windows (RegistryBackend), elsewhere the file at SettingsFilePath()
// (RegFileBackend). Tests put their own in its place.
SettingsBackend& CurrentSettingsBackend();
// nullptr restores the default.
void SetSettingsBackend(std::shared_ptr<SettingsBackend> backend);
void UseSettingsFile(const std::string& path);

}  // namespace wc
