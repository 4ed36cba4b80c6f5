// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Hot keys on Windows: RegisterHotKey for the thread, under a global atom
// named after the combination; WM_HOTKEY arrives through the application's
// event dispatcher.

#include <QAbstractNativeEventFilter>

#include "platform/HotKeyBackend.h"

namespace wc {

class WinHotKeyBackend final : public HotKeyBackend, public QAbstractNativeEventFilter {
 public:
  WinHotKeyBackend();
  ~WinHotKeyBackend() override;

  std::uint32_t registerHotKey(HotKeyValue v, const std::string& name) override;
  bool unregisterHotKey(HotKeyValue v, std::uint32_t id) override;
  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
};

}  // namespace wc
