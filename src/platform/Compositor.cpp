#include "Compositor.h"

#include <QGuiApplication>
#include <cstdlib>
#include <string>

#ifndef _WIN32
#include <xcb/xcb.h>
#endif

namespace wc {

namespace {

#ifndef _WIN32
bool X11CompositorRunning() {
  auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  auto* x11 = app ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  xcb_connection_t* conn = x11 ? x11->connection() : nullptr;
  if (!conn) return false;
  // The screen of DISPLAY (":0.1" is screen 1).
  int screen = 0;
  if (const char* d = std::getenv("DISPLAY")) {
    const std::string display(d);
    const auto colon = display.rfind(':');
    const auto dot = display.find('.', colon == std::string::npos ? 0 : colon);
    if (dot != std::string::npos) screen = std::atoi(display.c_str() + dot + 1);
  }
  const std::string name = "_NET_WM_CM_S" + std::to_string(screen);
  xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
      conn, xcb_intern_atom(conn, 1, static_cast<std::uint16_t>(name.size()), name.c_str()), nullptr);
  if (!atom) return false;
  const xcb_atom_t a = atom->atom;
  std::free(atom);
  if (a == XCB_ATOM_NONE) return false;  // nobody ever asked for it
  xcb_get_selection_owner_reply_t* owner =
      xcb_get_selection_owner_reply(conn, xcb_get_selection_owner(conn, a), nullptr);
  if (!owner) return false;
  const bool owned = owner->owner != XCB_WINDOW_NONE;
  std::free(owner);
  return owned;
}
#endif

}  // namespace

bool DesktopComposites() {
  const QString platform = QGuiApplication::platformName();
#ifndef _WIN32
  if (platform == QLatin1String("xcb")) return X11CompositorRunning();
#endif
  if (platform.startsWith(QLatin1String("wayland")) || platform == QLatin1String("windows")) return true;
  return false;
}

}  // namespace wc
