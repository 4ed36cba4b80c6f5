// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Hot keys on X11: passive grabs of a key with its modifiers on the root
// window, through the application's own xcb connection. Each combination is
// grabbed four times (with and without NumLock and CapsLock), so the lock
// keys do not switch it off. A grab another client holds is refused by the
// server (BadAccess) and the registration fails. After a keyboard mapping
// change the combinations are grabbed again on their new keys.

#include <QAbstractNativeEventFilter>
#include <map>
#include <memory>
#include <vector>

#include "platform/HotKeyBackend.h"

struct xcb_connection_t;

namespace wc {

class X11HotKeyBackend final : public HotKeyBackend, public QAbstractNativeEventFilter {
 public:
  // Nothing when the application does not run on an X server.
  static std::unique_ptr<X11HotKeyBackend> create();
  // For a connection of one's own (tests, helper clients); events are
  // delivered through handleEvent.
  X11HotKeyBackend(xcb_connection_t* connection, bool installFilter);
  ~X11HotKeyBackend() override;

  HotKeyReach reach() const override { return reach_; }
  void setReach(HotKeyReach r) { reach_ = r; }
  std::uint32_t registerHotKey(HotKeyValue v, const std::string& name) override;
  bool unregisterHotKey(HotKeyValue v, std::uint32_t id) override;

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
  // True when the event was a press of one of our combinations.
  bool handleEvent(const void* xcbEvent);

 private:
  struct Grab {
    std::vector<std::uint8_t> keycodes;
    std::vector<std::uint16_t> locks;  // the lock-key states grabbed with it
    std::uint16_t modifiers = 0;
    std::uint32_t id = 0;
  };

  std::vector<std::uint8_t> keycodesFor(std::uint32_t keysym) const;
  std::uint16_t numLockMask() const;
  bool grab(std::uint8_t keycode, std::uint16_t modifiers);
  void ungrab(std::uint8_t keycode, std::uint16_t modifiers);
  std::vector<std::uint16_t> lockVariants() const;
  // Grabs every key and lock state of v into g; nothing stays grabbed when
  // one of them is refused.
  bool grabAll(HotKeyValue v, Grab& g);
  // False when the server refused to release one of them.
  bool ungrabAll(const Grab& g);

  xcb_connection_t* conn_;
  std::uint32_t root_ = 0;
  bool filterInstalled_ = false;
  HotKeyReach reach_ = HotKeyReach::Everywhere;
  std::map<HotKeyValue, Grab> grabs_;
};

}  // namespace wc
