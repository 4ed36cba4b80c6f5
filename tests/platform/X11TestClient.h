// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Another X client for tests: its own connection to the server in DISPLAY,
// with a window that can take the keyboard focus away from the program.

#include <xcb/xcb.h>

#include <cstdlib>

namespace wc::test {

struct X11TestClient {
  xcb_connection_t* conn = xcb_connect(nullptr, nullptr);
  xcb_window_t window = 0;

  X11TestClient() = default;
  X11TestClient(const X11TestClient&) = delete;
  X11TestClient& operator=(const X11TestClient&) = delete;
  ~X11TestClient() { xcb_disconnect(conn); }

  void sync() { std::free(xcb_get_input_focus_reply(conn, xcb_get_input_focus(conn), nullptr)); }
  void createWindow() {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(conn)).data;
    window = xcb_generate_id(conn);
    xcb_create_window(conn, XCB_COPY_FROM_PARENT, window, screen->root, 10, 10, 200, 100, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
    xcb_map_window(conn, window);
    sync();
  }
  void takeFocus() {
    xcb_set_input_focus(conn, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
    sync();
  }
  xcb_window_t focus() {
    auto* r = xcb_get_input_focus_reply(conn, xcb_get_input_focus(conn), nullptr);
    const xcb_window_t w = r ? r->focus : 0;
    std::free(r);
    return w;
  }
};

}  // namespace wc::test
