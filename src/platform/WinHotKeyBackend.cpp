#include "WinHotKeyBackend.h"

#include <windows.h>

#include <QCoreApplication>

#include "core/Text.h"

namespace wc {

WinHotKeyBackend::WinHotKeyBackend() { QCoreApplication::instance()->installNativeEventFilter(this); }

WinHotKeyBackend::~WinHotKeyBackend() {
  if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
}

std::uint32_t WinHotKeyBackend::registerHotKey(HotKeyValue v, const std::string& name) {
  const std::u16string wide = Utf8ToUtf16(name);
  const ATOM atom = GlobalAddAtomW(reinterpret_cast<const wchar_t*>(wide.c_str()));
  if (atom == 0) return 0;
  // No window: the message goes to this (the user-interface) thread's queue.
  if (!RegisterHotKey(nullptr, atom, HotKeyWindowsModifiers(v), HotKeyVirtualKey(v))) {
    GlobalDeleteAtom(atom);
    return 0;
  }
  return atom;
}

bool WinHotKeyBackend::unregisterHotKey(HotKeyValue, std::uint32_t id) {
  const bool ok = UnregisterHotKey(nullptr, static_cast<int>(id)) != 0;
  GlobalDeleteAtom(static_cast<ATOM>(id));
  return ok;
}

bool WinHotKeyBackend::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "windows_generic_MSG") return false;
  const MSG* msg = static_cast<const MSG*>(message);
  if (msg->message != WM_HOTKEY || msg->hwnd != nullptr) return false;
  const HotKeyValue v = HotKeyFromWindows(HIWORD(msg->lParam), LOWORD(msg->lParam));
  if (pressed) pressed(v, static_cast<std::uint32_t>(msg->wParam));
  return true;
}

}  // namespace wc
