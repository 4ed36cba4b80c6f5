// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "X11HotKeyBackend.h"

#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>

namespace wc {

namespace {

constexpr std::uint16_t kModifierMask =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;
constexpr std::uint32_t kNumLockKeySym = 0xFF7F;

std::uint16_t ToX11Modifiers(HotKeyValue v) {
  std::uint16_t m = 0;
  if (v & kHotKeyShift) m |= XCB_MOD_MASK_SHIFT;
  if (v & kHotKeyCtrl) m |= XCB_MOD_MASK_CONTROL;
  if (v & kHotKeyAlt) m |= XCB_MOD_MASK_1;
  if (v & kHotKeyWin) m |= XCB_MOD_MASK_4;
  return m;
}

}  // namespace

std::unique_ptr<X11HotKeyBackend> X11HotKeyBackend::create() {
  auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  if (!app) return nullptr;
  auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->connection()) return nullptr;
  return std::make_unique<X11HotKeyBackend>(x11->connection(), true);
}

X11HotKeyBackend::X11HotKeyBackend(xcb_connection_t* connection, bool installFilter) : conn_(connection) {
  const xcb_setup_t* setup = xcb_get_setup(conn_);
  root_ = xcb_setup_roots_iterator(setup).data->root;
  if (installFilter && QCoreApplication::instance()) {
    QCoreApplication::instance()->installNativeEventFilter(this);
    filterInstalled_ = true;
  }
}

X11HotKeyBackend::~X11HotKeyBackend() {
  for (const auto& [v, g] : grabs_) ungrabAll(g);
  xcb_flush(conn_);
  if (filterInstalled_ && QCoreApplication::instance())
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

std::vector<std::uint8_t> X11HotKeyBackend::keycodesFor(std::uint32_t keysym) const {
  std::vector<std::uint8_t> out;
  const xcb_setup_t* setup = xcb_get_setup(conn_);
  const int count = setup->max_keycode - setup->min_keycode + 1;
  xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
      conn_, xcb_get_keyboard_mapping(conn_, setup->min_keycode, static_cast<std::uint8_t>(count)), nullptr);
  if (!reply) return out;
  const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
  const int perCode = reply->keysyms_per_keycode;
  // The first two levels of the first group: the key's own and its shifted
  // symbol, as a virtual-key code names the physical key.
  for (int i = 0; i < count; ++i)
    for (int level = 0; level < std::min(perCode, 2); ++level)
      if (syms[i * perCode + level] == keysym) {
        out.push_back(static_cast<std::uint8_t>(setup->min_keycode + i));
        break;
      }
  std::free(reply);
  return out;
}

std::uint16_t X11HotKeyBackend::numLockMask() const {
  const std::vector<std::uint8_t> numLock = keycodesFor(kNumLockKeySym);
  if (numLock.empty()) return 0;
  xcb_get_modifier_mapping_reply_t* reply =
      xcb_get_modifier_mapping_reply(conn_, xcb_get_modifier_mapping(conn_), nullptr);
  if (!reply) return 0;
  std::uint16_t mask = 0;
  const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(reply);
  for (int mod = 0; mod < 8 && !mask; ++mod)
    for (int k = 0; k < reply->keycodes_per_modifier; ++k)
      for (std::uint8_t kc : numLock)
        if (kc != 0 && codes[mod * reply->keycodes_per_modifier + k] == kc)
          mask = static_cast<std::uint16_t>(1u << mod);
  std::free(reply);
  return mask;
}

std::vector<std::uint16_t> X11HotKeyBackend::lockVariants() const {
  const std::uint16_t num = numLockMask();
  std::vector<std::uint16_t> v{0, XCB_MOD_MASK_LOCK};
  if (num) {
    v.push_back(num);
    v.push_back(static_cast<std::uint16_t>(num | XCB_MOD_MASK_LOCK));
  }
  return v;
}

bool X11HotKeyBackend::grab(std::uint8_t keycode, std::uint16_t modifiers) {
  const xcb_void_cookie_t cookie =
      xcb_grab_key_checked(conn_, 0, root_, modifiers, keycode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
  xcb_generic_error_t* error = xcb_request_check(conn_, cookie);
  if (!error) return true;
  std::free(error);  // BadAccess: another client holds it
  return false;
}

void X11HotKeyBackend::ungrab(std::uint8_t keycode, std::uint16_t modifiers) {
  xcb_ungrab_key(conn_, keycode, root_, modifiers);
}

bool X11HotKeyBackend::grabAll(HotKeyValue v, Grab& g) {
  g.keycodes.clear();
  g.locks = lockVariants();
  g.modifiers = ToX11Modifiers(v);
  const std::uint32_t keysym = VirtualKeyToKeySym(HotKeyVirtualKey(v));
  if (keysym == 0) return false;
  const std::vector<std::uint8_t> keycodes = keycodesFor(keysym);
  if (keycodes.empty()) return false;
  std::vector<std::pair<std::uint8_t, std::uint16_t>> done;
  for (std::uint8_t kc : keycodes)
    for (std::uint16_t lock : g.locks) {
      const auto mods = static_cast<std::uint16_t>(g.modifiers | lock);
      if (!grab(kc, mods)) {
        for (const auto& [k, m] : done) ungrab(k, m);
        xcb_flush(conn_);
        return false;
      }
      done.emplace_back(kc, mods);
    }
  g.keycodes = keycodes;
  return true;
}

bool X11HotKeyBackend::ungrabAll(const Grab& g) {
  bool ok = true;
  for (std::uint8_t kc : g.keycodes)
    for (std::uint16_t lock : g.locks) {
      const xcb_void_cookie_t c =
          xcb_ungrab_key_checked(conn_, kc, root_, static_cast<std::uint16_t>(g.modifiers | lock));
      if (xcb_generic_error_t* e = xcb_request_check(conn_, c)) {
        std::free(e);
        ok = false;
      }
    }
  return ok;
}

std::uint32_t X11HotKeyBackend::registerHotKey(HotKeyValue v, const std::string& name) {
  // A combination we hold already is refused as another client's would be:
  // the server would let us grab it twice, silently.
  if (grabs_.count(v)) return 0;
  Grab g;
  if (!grabAll(v, g)) return 0;
  xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
      conn_, xcb_intern_atom(conn_, 0, static_cast<std::uint16_t>(name.size()), name.data()), nullptr);
  g.id = atom ? atom->atom : 0;
  std::free(atom);
  if (g.id == 0) {
    ungrabAll(g);
    return 0;
  }
  grabs_[v] = g;
  return g.id;
}

bool X11HotKeyBackend::unregisterHotKey(HotKeyValue v, std::uint32_t) {
  const auto it = grabs_.find(v);
  if (it == grabs_.end()) return false;
  const bool ok = ungrabAll(it->second);
  grabs_.erase(it);
  return ok;
}

bool X11HotKeyBackend::handleEvent(const void* message) {
  const auto* ev = static_cast<const xcb_generic_event_t*>(message);
  if ((ev->response_type & 0x7F) == XCB_MAPPING_NOTIFY) {
    const auto* m = static_cast<const xcb_mapping_notify_event_t*>(message);
    if (m->request == XCB_MAPPING_KEYBOARD || m->request == XCB_MAPPING_MODIFIER) {
      // Keys moved: release the old ones, take the new ones. A combination
      // whose new key another client holds stays registered but inactive.
      for (auto& [v, g] : grabs_) {
        ungrabAll(g);
        grabAll(v, g);
      }
    }
    return false;  // the toolkit needs it too
  }
  if ((ev->response_type & 0x7F) != XCB_KEY_PRESS) return false;
  const auto* key = static_cast<const xcb_key_press_event_t*>(message);
  if (key->event != root_) return false;
  const std::uint16_t mods = key->state & kModifierMask;
  for (const auto& [v, g] : grabs_) {
    if (g.modifiers != mods) continue;
    for (std::uint8_t kc : g.keycodes)
      if (kc == key->detail) {
        if (pressed) pressed(v, g.id);
        return true;
      }
  }
  return false;
}

bool X11HotKeyBackend::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "xcb_generic_event_t") return false;
  return handleEvent(message);
}

}  // namespace wc
