// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WinHotKeyBackend.h"

#include <windows.h>

#include <QCoreApplication>

#include "core/WinSystem.h"

namespace wc {

WinHotKeyBackend::WinHotKeyBackend() { QCoreApplication::instance()->installNativeEventFilter(this); }

WinHotKeyBackend::~WinHotKeyBackend() {
  if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
}

std::uint32_t WinHotKeyBackend::registerHotKey(HotKeyValue v, const std::string&) {
  return RegisterSystemHotKey(v);
}

bool WinHotKeyBackend::unregisterHotKey(HotKeyValue, std::uint32_t id) { return UnregisterSystemHotKey(id); }

bool WinHotKeyBackend::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "windows_generic_MSG") return false;
  const MSG* msg = static_cast<const MSG*>(message);
  if (msg->message != WM_HOTKEY || msg->hwnd != nullptr) return false;
  const HotKeyValue v = HotKeyFromMessage(msg->lParam);
  if (pressed) pressed(v, static_cast<std::uint32_t>(msg->wParam));
  return true;
}

}  // namespace wc
