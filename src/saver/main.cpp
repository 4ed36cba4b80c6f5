// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// tavrel-world-clock-saver: the live world map as a screen saver. It draws
// the program's map (its stored settings and cities, the wallpaper's fonts
// and shape) full screen and draws it anew every minute.
//
// Where it draws, as xscreensaver asks of its programs:
//   -root              the root window (or the window in XSCREENSAVER_WINDOW)
//   -window-id ID      the window ID (decimal or 0x hex)
//   XSCREENSAVER_WINDOW=ID, without either option: that window
//   nothing            a full-screen window of its own that closes on a key
//                      press or a click (the program's preview)

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "core/CityTime.h"
#include "core/DateTime.h"
#include "map/WorldMap.h"
#include "platform/Wallpaper.h"
#include "platform/XcbPicture.h"
#include "saver/StoredMap.h"

namespace {

using namespace wc;

std::optional<xcb_window_t> ParseWindowId(const char* s) {
  if (!s || !*s) return std::nullopt;
  char* end = nullptr;
  const unsigned long v = std::strtoul(s, &end, 0);
  if (*end || v == 0 || v > 0xFFFFFFFFul) return std::nullopt;
  return static_cast<xcb_window_t>(v);
}

class Saver {
 public:
  Saver(xcb_connection_t* conn, xcb_window_t window, bool own) : conn_(conn), window_(window), own_(own) {
    screen_ = FirstScreen(conn_);
    gc_ = xcb_generate_id(conn_);
    const std::uint32_t black = screen_->black_pixel;
    xcb_create_gc(conn_, gc_, window_, XCB_GC_FOREGROUND, &black);
    look_ = LoadStoredMap(map_);
    dateFont_ = map_.wallpaperDateFont();
    cityFont_ = map_.wallpaperCityFont();
  }

  // Draws the map for now and shows it.
  void refresh() {
    const DateTime now = LocalNow() + kDisplayLead;
    // The caption keeps to the window, which is all the screen it has.
    map_.overlaySettings().workAreaWidth = windowSize().width();
    // The fonts were chosen for the whole screen; a smaller window (a
    // settings preview) shows the same picture smaller.
    const int screenWidth = screen_->width_in_pixels;
    map_.wallpaperDateFont() = OverlayFontFor(dateFont_, windowSize().width(), screenWidth);
    map_.wallpaperCityFont() = OverlayFontFor(cityFont_, windowSize().width(), screenWidth);
    bool ready = false;
    map_.ComposeBaseMap(ready, now);
    const QSize size = WallpaperSize(windowSize(), look_.fullHeight);
    if (size.isEmpty()) return;
    if (picture_.size() != size) picture_ = QImage(size, QImage::Format_RGB32);
    map_.DrawMapOverlay(picture_, map_.baseMap(), look_.showTimes, map_.wallpaperCityFont(), true, now);
    paint();
  }

  // The picture centred, black around it.
  void paint() {
    const QSize win = windowSize();
    const std::uint32_t depth = depth_ ? depth_ : screen_->root_depth;
    const int x = (win.width() - picture_.width()) / 2, y = (win.height() - picture_.height()) / 2;
    const xcb_rectangle_t bands[] = {
        {0, 0, static_cast<std::uint16_t>(win.width()), static_cast<std::uint16_t>(std::max(0, y))},
        {0, static_cast<std::int16_t>(y + picture_.height()), static_cast<std::uint16_t>(win.width()),
         static_cast<std::uint16_t>(std::max(0, win.height() - y - picture_.height()))}};
    xcb_poly_fill_rectangle(conn_, window_, gc_, 2, bands);
    if (!picture_.isNull()) PutPicture(conn_, window_, gc_, static_cast<std::uint8_t>(depth), picture_, x, y);
    xcb_flush(conn_);
  }

  // Whether the saver ended because its window went away without notice.
  bool windowLost() const { return windowLost_; }

  // Handles what the server sent; false once the saver should end. Waiting
  // for a reply reads events into the connection's queue without the socket
  // showing it, so the queue is emptied again after every drawing.
  bool handleEvents() {
    for (;;) {
      bool any = false, resized = false, exposed = false;
      while (xcb_generic_event_t* e = xcb_poll_for_event(conn_)) {
        any = true;
        const std::uint8_t type = e->response_type & 0x7F;
        if (type == 0) {
          // The window is gone without the notice of its end (or never was):
          // nothing more can be drawn.
          const auto* error = reinterpret_cast<const xcb_generic_error_t*>(e);
          const bool gone = (error->error_code == XCB_WINDOW || error->error_code == XCB_DRAWABLE) &&
                            error->resource_id == window_;
          std::free(e);
          if (gone) {
            windowLost_ = true;
            return false;
          }
          continue;
        }
        std::free(e);
        switch (type) {
          case XCB_KEY_PRESS:
          case XCB_BUTTON_PRESS:
            if (own_) return false;
            break;
          case XCB_EXPOSE:
            exposed = true;
            break;
          case XCB_CONFIGURE_NOTIFY:
            resized = true;
            break;
          case XCB_DESTROY_NOTIFY:
            return false;
          default:
            break;
        }
      }
      if (xcb_connection_has_error(conn_)) return false;
      if (!any) return true;
      if (resized) size_ = QSize();
      if (resized && WallpaperSize(windowSize(), look_.fullHeight) != picture_.size())
        refresh();
      else if (exposed || resized)
        paint();
    }
  }

 private:
  QSize windowSize() {
    if (size_.isEmpty()) {
      std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> g(
          xcb_get_geometry_reply(conn_, xcb_get_geometry(conn_, window_), nullptr), &std::free);
      if (g) {
        size_ = QSize(g->width, g->height);
        depth_ = g->depth;
      }
    }
    return size_;
  }

  xcb_connection_t* conn_;
  xcb_window_t window_;
  bool own_;
  bool windowLost_ = false;
  xcb_screen_t* screen_ = nullptr;
  xcb_gcontext_t gc_ = 0;
  WorldMap map_;
  StoredMapLook look_;
  MapFont dateFont_, cityFont_;  // as stored, for the whole screen
  QImage picture_;
  QSize size_;
  std::uint8_t depth_ = 0;
};

xcb_atom_t Atom(xcb_connection_t* conn, const char* name) {
  std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> r(
      xcb_intern_atom_reply(
          conn, xcb_intern_atom(conn, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr),
      &std::free);
  return r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// A full-screen window of the saver's own, without a cursor.
xcb_window_t CreateOwnWindow(xcb_connection_t* conn) {
  const xcb_screen_t* s = FirstScreen(conn);
  const xcb_window_t w = xcb_generate_id(conn);
  const xcb_pixmap_t empty = xcb_generate_id(conn);
  xcb_create_pixmap(conn, 1, empty, s->root, 1, 1);
  const xcb_cursor_t cursor = xcb_generate_id(conn);
  xcb_create_cursor(conn, cursor, empty, empty, 0, 0, 0, 0, 0, 0, 0, 0);
  const std::uint32_t values[] = {s->black_pixel,
                                  XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_KEY_PRESS |
                                      XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_STRUCTURE_NOTIFY,
                                  cursor};
  xcb_create_window(conn, XCB_COPY_FROM_PARENT, w, s->root, 0, 0, s->width_in_pixels, s->height_in_pixels, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, s->root_visual,
                    XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK | XCB_CW_CURSOR, values);
  const std::string title = "Tavrel World Clock";
  xcb_change_property(conn, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                      static_cast<std::uint32_t>(title.size()), title.data());
  const char wmClass[] = "tavrel-world-clock-saver\0Tavrel World Clock Saver";
  xcb_change_property(conn, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, sizeof wmClass,
                      wmClass);
  const xcb_atom_t fullscreen = Atom(conn, "_NET_WM_STATE_FULLSCREEN");
  xcb_change_property(conn, XCB_PROP_MODE_REPLACE, w, Atom(conn, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, 1,
                      &fullscreen);
  xcb_map_window(conn, w);
  // Keys reach it even where no window manager hands out the focus.
  xcb_set_input_focus(conn, XCB_INPUT_FOCUS_POINTER_ROOT, w, XCB_CURRENT_TIME);
  xcb_free_pixmap(conn, empty);
  return w;
}

}  // namespace

int main(int argc, char* argv[]) {
  // The map is drawn in memory; the saver shows it through its own X
  // connection and needs no window of the toolkit.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  bool root = false;
  std::optional<xcb_window_t> given;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "-root" || a == "--root") {
      root = true;
    } else if ((a == "-window-id" || a == "--window-id") && i + 1 < argc) {
      given = ParseWindowId(argv[++i]);
      if (!given) {
        std::fprintf(stderr, "tavrel-world-clock-saver: not a window id: %s\n", argv[i]);
        return 2;
      }
    }
    // Other options of the hack protocol (-fps, -visual ...) change nothing here.
  }
  if (!given) given = ParseWindowId(std::getenv("XSCREENSAVER_WINDOW"));

  xcb_connection_t* conn = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(conn)) {
    std::fprintf(stderr, "tavrel-world-clock-saver: cannot open the display\n");
    return 1;
  }
  const bool own = !given && !root;
  const xcb_window_t window = own ? CreateOwnWindow(conn) : given ? *given : FirstScreen(conn)->root;
  if (!own) {
    // Another client's window: only the events any client may ask for. A
    // window that does not exist ends the saver as a malformed id does; its
    // errors would otherwise go unread and the saver run for ever.
    const std::uint32_t mask = XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    if (xcb_generic_error_t* error = xcb_request_check(
            conn, xcb_change_window_attributes_checked(conn, window, XCB_CW_EVENT_MASK, &mask))) {
      std::free(error);
      std::fprintf(stderr, "tavrel-world-clock-saver: no such window: 0x%x\n", window);
      xcb_disconnect(conn);
      return 2;
    }
  }

  int rc = 0;
  try {
    Saver saver(conn, window, own);
    saver.refresh();

    QSocketNotifier events(xcb_get_file_descriptor(conn), QSocketNotifier::Read);
    auto drain = [&] {
      if (!saver.handleEvents()) QCoreApplication::quit();
    };
    QObject::connect(&events, &QSocketNotifier::activated, drain);
    // The events that arrived while the first picture was drawn.
    QTimer::singleShot(0, drain);

    // Anew at the start of every minute, as the program's map is.
    QTimer minute;
    minute.setSingleShot(true);
    minute.setTimerType(Qt::PreciseTimer);
    auto arm = [&minute] {
      const DateTimeParts now = Decode(LocalNow());
      minute.start((59 - now.second) * 1000 + (1000 - now.millisecond) + 20);
    };
    QObject::connect(&minute, &QTimer::timeout, [&] {
      saver.refresh();
      drain();
      arm();
    });
    arm();
    rc = app.exec();
    if (saver.windowLost()) {
      std::fprintf(stderr, "tavrel-world-clock-saver: window 0x%x is gone\n", window);
      rc = 1;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tavrel-world-clock-saver: %s\n", e.what());
    rc = 1;
  }
  xcb_disconnect(conn);
  return rc;
}
