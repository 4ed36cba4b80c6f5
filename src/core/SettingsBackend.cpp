// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SettingsBackend.h"

#include <utility>

#include "Paths.h"
#include "RegFileBackend.h"
#ifdef _WIN32
#include "RegistryBackend.h"
#endif

namespace wc {

namespace {

std::shared_ptr<SettingsBackend>& BackendSlot() {
  static std::shared_ptr<SettingsBackend> backend;
  return backend;
}

}  // namespace

SettingsBackend& CurrentSettingsBackend() {
  auto& backend = BackendSlot();
#ifdef _WIN32
  if (!backend) backend = std::make_shared<RegistryBackend>();
#else
  if (!backend) backend = std::make_shared<RegFileBackend>(SettingsFilePath());
#endif
  return *backend;
}

void SetSettingsBackend(std::shared_ptr<SettingsBackend> backend) { BackendSlot() = std::move(backend); }

void UseSettingsFile(const std::string& path) { SetSettingsBackend(std::make_shared<RegFileBackend>(path)); }

}  // namespace wc
