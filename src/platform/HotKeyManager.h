// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// System-wide key combinations. HotKeyManager keeps the list of registered
// combinations and raises OnHotKeyPressed for them; a backend per windowing
// system does the registering (X11: passive key grabs on the root window).

#include <QObject>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/HotKey.h"
#include "platform/HotKeyBackend.h"

namespace wc {

// The five hot-key rows: main window, calendar, dial codes, time finder, all
// cities list.
inline constexpr int kHotKeyRowCount = 5;

class HotKeyManager : public QObject {
  Q_OBJECT
 public:
  explicit HotKeyManager(QObject* parent = nullptr);
  HotKeyManager(std::unique_ptr<HotKeyBackend> backend, QObject* parent);
  ~HotKeyManager() override;

  // The registration id, or 0 when the combination was refused.
  std::uint32_t AddHotKey(HotKeyValue hotKey);
  // Unregisters the first entry with that value; false when there is none or
  // the system refused.
  bool RemoveHotKey(HotKeyValue hotKey);
  // Unregisters every entry, last first.
  void ClearHotKeys();
  HotKeyReach reach() const { return backend_->reach(); }

  struct Entry {
    HotKeyValue hotKey;
    std::uint32_t id;
  };
  const std::vector<Entry>& HotKeyList() const { return hotKeyList_; }

  // The value registered for each row, 0 when none: the options dialog sets
  // them, the main window's handler reads them.
  std::array<HotKeyValue, kHotKeyRowCount>& rows() { return rows_; }
  // The first row (1 ... 5) registered with v; 0 when none is.
  int rowOf(HotKeyValue v) const;

 signals:
  void OnHotKeyPressed(quint32 hotKey, quint32 index);

 private:
  void backendPressed(HotKeyValue v, std::uint32_t id);

  std::unique_ptr<HotKeyBackend> backend_;
  std::vector<Entry> hotKeyList_;
  std::array<HotKeyValue, kHotKeyRowCount> rows_{};
};


}  // namespace wc
