#pragma once
// System-wide key combinations. THotKeyManager keeps the list of registered
// combinations and raises OnHotKeyPressed for them; a backend per windowing
// system does the registering (X11: passive key grabs on the root window).

#include <QObject>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

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

class THotKeyManager : public QObject {
  Q_OBJECT
 public:
  explicit THotKeyManager(QObject* parent = nullptr);
  THotKeyManager(std::unique_ptr<HotKeyBackend> backend, QObject* parent);
  ~THotKeyManager() override;

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

 signals:
  void OnHotKeyPressed(quint32 hotKey, quint32 index);

 private:
  void backendPressed(HotKeyValue v, std::uint32_t id);

  std::unique_ptr<HotKeyBackend> backend_;
  std::vector<Entry> hotKeyList_;
};

// The five hot-key rows (main window, calendar, dial codes, time finder, all
// cities list): the value registered for each, 0 when none. Program-wide;
// the options dialog sets them, the main window's handler reads them.
inline constexpr int kHotKeyRowCount = 5;
std::array<HotKeyValue, kHotKeyRowCount>& HotKeyRows();
// The first row (1 ... 5) registered with v; 0 when none is.
int HotKeyRowOf(HotKeyValue v);

}  // namespace wc
