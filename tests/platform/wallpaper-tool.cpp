// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// For the end-to-end scenarios: what another program does to the desktop.
//   wallpaper-tool set FILE     puts FILE on the root window as the user's
//                               picture, as other wallpaper setters do
//   wallpaper-tool window W H   opens a plain window, prints its id and
//                               keeps it open until killed

#include <xcb/xcb.h>

#include <unistd.h>
#include <QGuiApplication>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/Wallpaper.h"
#include "platform/XcbPicture.h"

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const std::string what = argc > 1 ? argv[1] : "";
  if (what == "set" && argc == 3) {
    auto root = wc::MakeRootWindowWallpaper();
    return root && root->restore({argv[2], {}}) ? 0 : 1;
  }
  if (what == "window" && argc == 4) {
    xcb_connection_t* conn = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(conn)) return 1;
    const xcb_screen_t* s = wc::FirstScreen(conn);
    const xcb_window_t w = xcb_generate_id(conn);
    const std::uint32_t grey = 0x808080;
    xcb_create_window(conn, XCB_COPY_FROM_PARENT, w, s->root, 20, 20,
                      static_cast<std::uint16_t>(std::atoi(argv[2])),
                      static_cast<std::uint16_t>(std::atoi(argv[3])), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      s->root_visual, XCB_CW_BACK_PIXEL, &grey);
    xcb_map_window(conn, w);
    xcb_flush(conn);
    std::printf("%u\n", w);
    std::fflush(stdout);
    for (;;) pause();
  }
  std::fprintf(stderr, "usage: wallpaper-tool set FILE | window W H\n");
  return 2;
}
