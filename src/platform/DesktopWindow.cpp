// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/DesktopWindow.h"

#include <QGuiApplication>
#include <QWindow>

#ifndef _WIN32
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/XcbPicture.h"
#endif

namespace wc {

#ifndef _WIN32
namespace {

// WM_HINTS: flags, input, initial state, icon pixmap, icon window, icon x
// and y, icon mask, window group.
constexpr std::uint32_t kWmHintsLength = 9;
constexpr std::uint32_t kWindowGroupHint = 1u << 6;

bool Mapped(xcb_connection_t* c, xcb_window_t w) {
  xcb_get_window_attributes_reply_t* r =
      xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr);
  if (!r) return false;
  const bool mapped = r->map_state != XCB_MAP_STATE_UNMAPPED;
  std::free(r);
  return mapped;
}

std::vector<xcb_atom_t> AtomList(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property) {
  std::vector<xcb_atom_t> out;
  xcb_get_property_reply_t* r =
      xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, XCB_ATOM_ATOM, 0, 1024), nullptr);
  if (!r) return out;
  if (r->format == 32 && r->type == XCB_ATOM_ATOM) {
    const auto* data = static_cast<const xcb_atom_t*>(xcb_get_property_value(r));
    out.assign(data, data + xcb_get_property_value_length(r) / 4);
  }
  std::free(r);
  return out;
}

void SendToRoot(xcb_connection_t* c, xcb_window_t root, xcb_window_t w, xcb_atom_t type, std::uint32_t d0,
                std::uint32_t d1, std::uint32_t d2) {
  xcb_client_message_event_t e{};
  e.response_type = XCB_CLIENT_MESSAGE;
  e.format = 32;
  e.window = w;
  e.type = type;
  e.data.data32[0] = d0;
  e.data.data32[1] = d1;
  e.data.data32[2] = d2;
  e.data.data32[3] = 1;  // a normal application
  xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                 reinterpret_cast<const char*>(&e));
}

}  // namespace
#endif

void MarkAsDesktopWindow(QWindow* w) {
#ifndef _WIN32
  auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  auto* x11 = app ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  xcb_connection_t* c = x11 ? x11->connection() : nullptr;
  if (!c || !w) return;
  const auto win = static_cast<xcb_window_t>(w->winId());
  const xcb_window_t root = FirstScreen(c)->root;

  // A utility window, as task bars, pagers and window switchers leave out.
  const xcb_atom_t utility = InternAtom(c, "_NET_WM_WINDOW_TYPE_UTILITY");
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, win, InternAtom(c, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32,
                      1, &utility);

  const xcb_atom_t netWmState = InternAtom(c, "_NET_WM_STATE");
  const xcb_atom_t states[] = {InternAtom(c, "_NET_WM_STATE_SKIP_TASKBAR"),
                               InternAtom(c, "_NET_WM_STATE_SKIP_PAGER"),
                               InternAtom(c, "_NET_WM_STATE_STICKY")};
  const xcb_atom_t netWmDesktop = InternAtom(c, "_NET_WM_DESKTOP");
  const std::uint32_t allDesktops = 0xFFFFFFFF;
  if (Mapped(c, win)) {
    // The window manager owns the state of a mapped window: it is asked.
    SendToRoot(c, root, win, netWmState, 1, states[0], states[1]);
    SendToRoot(c, root, win, netWmState, 1, states[2], 0);
    SendToRoot(c, root, win, netWmDesktop, allDesktops, 1, 0);
  } else {
    std::vector<xcb_atom_t> now = AtomList(c, win, netWmState);
    for (xcb_atom_t s : states)
      if (std::find(now.begin(), now.end(), s) == now.end()) now.push_back(s);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, win, netWmState, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(now.size()), now.data());
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, win, netWmDesktop, XCB_ATOM_CARDINAL, 32, 1, &allDesktops);
    // A window group of its own: managers minimise (xfwm4), hide (KWin) or
    // raise (mutter) the utility windows of a group with its main window.
    std::uint32_t hints[kWmHintsLength] = {};
    xcb_get_property_reply_t* r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, win, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, kWmHintsLength), nullptr);
    if (r && r->format == 32 && xcb_get_property_value_length(r) >= static_cast<int>(sizeof hints))
      std::memcpy(hints, xcb_get_property_value(r), sizeof hints);
    std::free(r);
    hints[0] |= kWindowGroupHint;
    hints[8] = win;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, win, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32,
                        kWmHintsLength, hints);
  }
  xcb_flush(c);
#else
  (void)w;
#endif
}

}  // namespace wc
