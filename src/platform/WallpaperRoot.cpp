// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The root window's picture, for window managers without a desktop of their
// own. The picture is a pixmap the server keeps after our connection closes
// (RetainPermanent), named in _XROOTPMAP_ID and ESETROOT_PMAP_ID so that
// terminals with pseudo-transparency and the next program that sets a
// picture find it; that program frees it, as we free the one we replace.

#include <xcb/composite.h>
#include <xcb/xcb.h>

#include <QBuffer>
#include <QImageReader>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

#include "core/AtomicFile.h"
#include "core/Paths.h"
#include "platform/Wallpaper.h"
#include "platform/XcbPicture.h"

namespace wc {

namespace {

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

// Marks the pixmap the program put there, so that a later run (even after
// the last one was killed) tells its own picture from the user's.
constexpr const char* kOwnAtom = "_TAVREL_WORLD_CLOCK_PMAP";

class Connection {
 public:
  Connection() : conn_(xcb_connect(nullptr, nullptr)) {}
  ~Connection() {
    if (conn_) xcb_disconnect(conn_);
  }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  bool ok() const { return conn_ && !xcb_connection_has_error(conn_); }
  xcb_connection_t* get() const { return conn_; }
  xcb_screen_t* screen() const { return FirstScreen(conn_); }

  xcb_atom_t atom(const char* name) const {
    Reply<xcb_intern_atom_reply_t> r(
        xcb_intern_atom_reply(
            conn_, xcb_intern_atom(conn_, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr),
        &std::free);
    return r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
  }
  std::optional<xcb_pixmap_t> pixmapProperty(const char* name) const {
    Reply<xcb_get_property_reply_t> r(
        xcb_get_property_reply(
            conn_, xcb_get_property(conn_, 0, screen()->root, atom(name), XCB_ATOM_PIXMAP, 0, 1), nullptr),
        &std::free);
    if (!r || r->type != XCB_ATOM_PIXMAP || r->format != 32 || xcb_get_property_value_length(r.get()) < 4)
      return std::nullopt;
    return *static_cast<const xcb_pixmap_t*>(xcb_get_property_value(r.get()));
  }
  void setPixmapProperty(const char* name, xcb_pixmap_t p) const {
    xcb_change_property(conn_, XCB_PROP_MODE_REPLACE, screen()->root, atom(name), XCB_ATOM_PIXMAP, 32, 1, &p);
  }
  void deleteProperty(const char* name) const { xcb_delete_property(conn_, screen()->root, atom(name)); }
  void sync() const { std::free(xcb_get_input_focus_reply(conn_, xcb_get_input_focus(conn_), nullptr)); }

  // What the root window shows where no window covers it, for a picture no
  // property names (xsetroot, an image viewer's "set as background"): a
  // child with the root's own background, redirected off screen, so that
  // nothing flashes and the parts under other windows are drawn too. Null
  // without the Composite extension, and under a compositing manager, which
  // holds the redirection itself and paints the screen its own way.
  QImage rootBackground() const {
    Reply<xcb_composite_query_version_reply_t> composite(
        xcb_composite_query_version_reply(conn_, xcb_composite_query_version(conn_, 0, 2), nullptr),
        &std::free);
    if (!composite) return {};
    const xcb_screen_t* s = screen();
    const xcb_window_t probe = xcb_generate_id(conn_);
    const std::uint32_t values[] = {XCB_BACK_PIXMAP_PARENT_RELATIVE, 1};
    xcb_create_window(conn_, XCB_COPY_FROM_PARENT, probe, s->root, 0, 0, s->width_in_pixels,
                      s->height_in_pixels, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
                      XCB_CW_BACK_PIXMAP | XCB_CW_OVERRIDE_REDIRECT, values);
    QImage picture;
    if (xcb_generic_error_t* refused = xcb_request_check(
            conn_, xcb_composite_redirect_window_checked(conn_, probe, XCB_COMPOSITE_REDIRECT_MANUAL))) {
      std::free(refused);
    } else {
      xcb_map_window(conn_, probe);
      picture = GetPicture(conn_, probe);
    }
    xcb_destroy_window(conn_, probe);
    sync();
    return picture;
  }

  // Frees the picture another setter left retained, following the
  // convention that only a pixmap named in both properties may be freed.
  void freeRetainedPicture() const {
    const auto root = pixmapProperty("_XROOTPMAP_ID");
    const auto esetroot = pixmapProperty("ESETROOT_PMAP_ID");
    if (root && esetroot && *root == *esetroot) xcb_kill_client(conn_, *root);
  }

 private:
  xcb_connection_t* conn_;
};

class RootWindowWallpaper final : public WallpaperBackend {
 public:
  const char* name() const override { return "root window"; }

  bool showsOwnPicture() override {
    Connection c;
    if (!c.ok()) return false;
    const auto root = c.pixmapProperty("_XROOTPMAP_ID");
    const auto own = c.pixmapProperty(kOwnAtom);
    return root && own && *root == *own;
  }

  DesktopPicture current() override {
    Connection c;
    if (!c.ok()) return {};
    const auto root = c.pixmapProperty("_XROOTPMAP_ID");
    if (const auto own = c.pixmapProperty(kOwnAtom); root && own && *own == *root)
      return {WallpaperImagePath(), {}};
    // The picture has no file: keep a copy to put back, of the root's own
    // background where no property names a picture.
    const QImage picture = root ? GetPicture(c.get(), *root) : c.rootBackground();
    if (picture.isNull()) return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG")) return {};
    const std::string path = RuntimeFolder() + "previous-desktop.png";
    if (!WriteFileAtomically(path, std::string_view(png.constData(), static_cast<std::size_t>(png.size()))))
      return {};
    return {path, {}};
  }

  bool show(const std::string&, const QImage& picture, const QRect& screen) override {
    return put(picture, screen, true);
  }

  bool restore(const DesktopPicture& saved) override {
    if (!saved.file.empty() && !IsOwnWallpaper(saved.file)) {
      QImageReader reader(QString::fromStdString(saved.file));
      const QImage picture = reader.read();
      if (!picture.isNull()) return put(picture.convertToFormat(QImage::Format_RGB32), {}, false);
    }
    Connection c;
    if (!c.ok()) return false;
    c.freeRetainedPicture();
    for (const char* p : {"_XROOTPMAP_ID", "ESETROOT_PMAP_ID", kOwnAtom}) c.deleteProperty(p);
    // None on the root window brings back the server's own background.
    const std::uint32_t none = XCB_BACK_PIXMAP_NONE;
    xcb_change_window_attributes(c.get(), c.screen()->root, XCB_CW_BACK_PIXMAP, &none);
    xcb_clear_area(c.get(), 0, c.screen()->root, 0, 0, 0, 0);
    c.sync();
    return true;
  }

  bool needsNewFileName() const override { return false; }

 private:
  // The picture centred on the screen rectangle (the whole root when
  // empty), black around it.
  static bool put(const QImage& picture, QRect screen, bool own) {
    // A connection of its own, so that the pixmap outlives it and nothing
    // else the program holds on the server.
    Connection c;
    if (!c.ok() || picture.isNull()) return false;
    xcb_connection_t* conn = c.get();
    const xcb_screen_t* s = c.screen();
    const int rw = s->width_in_pixels, rh = s->height_in_pixels;
    if (screen.isEmpty()) screen = QRect(0, 0, rw, rh);
    const xcb_pixmap_t pixmap = xcb_generate_id(conn);
    xcb_create_pixmap(conn, s->root_depth, pixmap, s->root, static_cast<std::uint16_t>(rw),
                      static_cast<std::uint16_t>(rh));
    const xcb_gcontext_t gc = xcb_generate_id(conn);
    const std::uint32_t black = s->black_pixel;
    xcb_create_gc(conn, gc, pixmap, XCB_GC_FOREGROUND, &black);
    const xcb_rectangle_t all{0, 0, static_cast<std::uint16_t>(rw), static_cast<std::uint16_t>(rh)};
    xcb_poly_fill_rectangle(conn, pixmap, gc, 1, &all);
    const int x = screen.x() + (screen.width() - picture.width()) / 2;
    const int y = screen.y() + (screen.height() - picture.height()) / 2;
    if (!PutPicture(conn, pixmap, gc, s->root_depth, picture, x, y)) {
      xcb_free_pixmap(conn, pixmap);
      return false;
    }
    xcb_free_gc(conn, gc);

    c.freeRetainedPicture();
    c.setPixmapProperty("_XROOTPMAP_ID", pixmap);
    c.setPixmapProperty("ESETROOT_PMAP_ID", pixmap);
    if (own)
      c.setPixmapProperty(kOwnAtom, pixmap);
    else
      c.deleteProperty(kOwnAtom);
    xcb_change_window_attributes(conn, s->root, XCB_CW_BACK_PIXMAP, &pixmap);
    xcb_clear_area(conn, 0, s->root, 0, 0, 0, 0);
    xcb_set_close_down_mode(conn, XCB_CLOSE_DOWN_RETAIN_PERMANENT);
    c.sync();
    return true;
  }
};

}  // namespace

std::unique_ptr<WallpaperBackend> MakeRootWindowWallpaper() {
  Connection c;
  if (!c.ok()) return nullptr;
  return std::make_unique<RootWindowWallpaper>();
}

}  // namespace wc
