// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What registers system-wide key combinations for HotKeyManager: one backend
// per windowing system.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/HotKey.h"

namespace wc {

// Where a registered combination is heard.
enum class HotKeyReach {
  Everywhere,      // whichever program has the focus
  OwnWindowsOnly,  // only while one of the program's windows has it (X11 grabs on Xwayland)
  Nowhere,         // nothing on this desktop delivers them
};

class HotKeyBackend {
 public:
  virtual ~HotKeyBackend() = default;
  virtual HotKeyReach reach() const { return HotKeyReach::Everywhere; }
  // Registers v under the given name; the registration id, or 0 when the
  // system refused (taken by another client, no key for it, no X server).
  virtual std::uint32_t registerHotKey(HotKeyValue v, const std::string& name) = 0;
  virtual bool unregisterHotKey(HotKeyValue v, std::uint32_t id) = 0;

  // Set by the manager; the backend calls it for each press of a registered
  // combination.
  std::function<void(HotKeyValue v, std::uint32_t id)> pressed;
};

// On a Wayland session the desktop portal's global shortcuts where the
// session offers them; else the X11 backend when the application runs on an
// X server; else one that refuses every registration (offscreen, Wayland
// with nothing to deliver them).
std::unique_ptr<HotKeyBackend> CreatePlatformHotKeyBackend();

}  // namespace wc
