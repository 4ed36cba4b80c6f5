// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Compositor.h"

#include <QGuiApplication>
#include <cstdlib>
#include <string>

#ifndef _WIN32
#include <xcb/xcb.h>
#include <xcb/xfixes.h>
#endif

namespace wc {

namespace {

#ifndef _WIN32
xcb_connection_t* Connection() {
  auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  auto* x11 = app ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

int ScreenNumber() {
  // The screen of DISPLAY (":0.1" is screen 1).
  int screen = 0;
  if (const char* d = std::getenv("DISPLAY")) {
    const std::string display(d);
    const auto colon = display.rfind(':');
    const auto dot = display.find('.', colon == std::string::npos ? 0 : colon);
    if (dot != std::string::npos) screen = std::atoi(display.c_str() + dot + 1);
  }
  return screen;
}

// The selection's atom; with onlyIfExists, XCB_ATOM_NONE while nobody ever
// asked for it.
xcb_atom_t SelectionAtom(xcb_connection_t* conn, bool onlyIfExists) {
  const std::string name = "_NET_WM_CM_S" + std::to_string(ScreenNumber());
  xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
      conn, xcb_intern_atom(conn, onlyIfExists ? 1 : 0, static_cast<std::uint16_t>(name.size()), name.c_str()),
      nullptr);
  if (!atom) return XCB_ATOM_NONE;
  const xcb_atom_t a = atom->atom;
  std::free(atom);
  return a;
}

bool X11CompositorRunning() {
  xcb_connection_t* conn = Connection();
  if (!conn) return false;
  const xcb_atom_t a = SelectionAtom(conn, true);
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

CompositorWatch::CompositorWatch(QObject* parent) : QObject(parent), composites_(DesktopComposites()) {
#ifndef _WIN32
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  xcb_connection_t* conn = Connection();
  if (!conn) return;
  const xcb_query_extension_reply_t* ext = xcb_get_extension_data(conn, &xcb_xfixes_id);
  if (!ext || !ext->present) return;
  // Asked once per connection before any other request of the extension.
  std::free(xcb_xfixes_query_version_reply(
      conn, xcb_xfixes_query_version(conn, XCB_XFIXES_MAJOR_VERSION, XCB_XFIXES_MINOR_VERSION), nullptr));
  selection_ = SelectionAtom(conn, false);
  firstEvent_ = ext->first_event;
  xcb_screen_iterator_t s = xcb_setup_roots_iterator(xcb_get_setup(conn));
  for (int n = ScreenNumber(); n > 0 && s.rem > 1; --n) xcb_screen_next(&s);
  xcb_xfixes_select_selection_input(conn, s.data->root, selection_,
                                    XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                        XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                        XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
  xcb_flush(conn);
  QCoreApplication::instance()->installNativeEventFilter(this);
  watching_ = true;
  // A compositor that came between the first look and the selection.
  recheck();
#endif
}

CompositorWatch::~CompositorWatch() {
  if (watching_ && QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool CompositorWatch::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
#ifndef _WIN32
  if (eventType != "xcb_generic_event_t") return false;
  const auto* e = static_cast<const xcb_generic_event_t*>(message);
  if ((e->response_type & 0x7f) != firstEvent_ + XCB_XFIXES_SELECTION_NOTIFY) return false;
  const auto* n = static_cast<const xcb_xfixes_selection_notify_event_t*>(message);
  if (n->selection != selection_) return false;
  // Windows may be recreated on the change: not inside the X event handling.
  QMetaObject::invokeMethod(this, &CompositorWatch::recheck, Qt::QueuedConnection);
#else
  (void)eventType;
  (void)message;
#endif
  return false;  // the toolkit follows the selection too
}

void CompositorWatch::recheck() {
  const bool now = DesktopComposites();
  if (now == composites_) return;
  composites_ = now;
  emit changed(now);
}

}  // namespace wc
