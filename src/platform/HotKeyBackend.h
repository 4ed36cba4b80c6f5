#pragma once
// What registers system-wide key combinations for HotKeyManager: one backend
// per windowing system.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/HotKey.h"

namespace wc {

class HotKeyBackend {
 public:
  virtual ~HotKeyBackend() = default;
  // Registers v under the given name; the registration id, or 0 when the
  // system refused (taken by another client, no key for it, no X server).
  virtual std::uint32_t registerHotKey(HotKeyValue v, const std::string& name) = 0;
  virtual bool unregisterHotKey(HotKeyValue v, std::uint32_t id) = 0;

  // Set by the manager; the backend calls it for each press of a registered
  // combination.
  std::function<void(HotKeyValue v, std::uint32_t id)> pressed;
};

// The X11 backend when the application runs on an X server, else one that
// refuses every registration (Wayland without X11, offscreen).
std::unique_ptr<HotKeyBackend> CreatePlatformHotKeyBackend();

}  // namespace wc
