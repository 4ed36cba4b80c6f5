// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The settings store on Windows: the registry of the current user.

#include <string>
#include <string_view>

#include "core/SettingsBackend.h"

namespace wc {

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

}  // namespace wc
