// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HotKeyManager.h"

#include <algorithm>

#ifdef _WIN32
#include "platform/WinHotKeyBackend.h"
#else
#include "core/SessionPlatform.h"
#include "platform/PortalHotKeyBackend.h"
#include "platform/X11HotKeyBackend.h"
#endif

namespace wc {

namespace {

class RefusingBackend final : public HotKeyBackend {
 public:
  HotKeyReach reach() const override { return HotKeyReach::Nowhere; }
  std::uint32_t registerHotKey(HotKeyValue, const std::string&) override { return 0; }
  bool unregisterHotKey(HotKeyValue, std::uint32_t) override { return false; }
};

}  // namespace

std::unique_ptr<HotKeyBackend> CreatePlatformHotKeyBackend() {
#ifdef _WIN32
  return std::make_unique<WinHotKeyBackend>();
#else
  // A Wayland compositor gives an X client's grabs the keys only while an X
  // window has the focus.
  const bool wayland = IsWaylandSession(CurrentSessionEnvironment());
  if (wayland)
    if (auto portal = PortalHotKeyBackend::create()) return portal;
  if (auto x11 = X11HotKeyBackend::create()) {
    if (wayland) x11->setReach(HotKeyReach::OwnWindowsOnly);
    return x11;
  }
  return std::make_unique<RefusingBackend>();
#endif
}

HotKeyManager::HotKeyManager(QObject* parent) : HotKeyManager(CreatePlatformHotKeyBackend(), parent) {}

HotKeyManager::HotKeyManager(std::unique_ptr<HotKeyBackend> backend, QObject* parent)
    : QObject(parent), backend_(std::move(backend)) {
  backend_->pressed = [this](HotKeyValue v, std::uint32_t id) { backendPressed(v, id); };
}

HotKeyManager::~HotKeyManager() { ClearHotKeys(); }

std::uint32_t HotKeyManager::AddHotKey(HotKeyValue hotKey) {
  const std::uint32_t id = backend_->registerHotKey(hotKey, HotKeyRegistrationName(hotKey));
  if (id != 0) hotKeyList_.push_back({hotKey, id});
  return id;
}

bool HotKeyManager::RemoveHotKey(HotKeyValue hotKey) {
  const auto it = std::find_if(hotKeyList_.begin(), hotKeyList_.end(),
                               [&](const Entry& e) { return e.hotKey == hotKey; });
  if (it == hotKeyList_.end()) return false;
  const bool ok = backend_->unregisterHotKey(it->hotKey, it->id);
  hotKeyList_.erase(it);
  return ok;
}

void HotKeyManager::ClearHotKeys() {
  while (!hotKeyList_.empty()) RemoveHotKey(hotKeyList_.back().hotKey);
}

void HotKeyManager::backendPressed(HotKeyValue v, std::uint32_t id) {
  const bool known =
      std::any_of(hotKeyList_.begin(), hotKeyList_.end(), [&](const Entry& e) { return e.hotKey == v; });
  if (known) emit OnHotKeyPressed(v, id);
}

int HotKeyManager::rowOf(HotKeyValue v) const {
  if (v == 0) return 0;
  for (int i = 0; i < kHotKeyRowCount; ++i)
    if (rows_[i] == v) return i + 1;
  return 0;
}

}  // namespace wc
