// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The desktop backends against the real services where a test can have them:
// GSettings with its key-file store, the root window of the X server in
// DISPLAY, and an xfconf stand-in on a private session bus.

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QColor>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusVariant>
#include <QImage>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>

#include "core/AtomicFile.h"
#include "platform/Wallpaper.h"
#include "platform/XcbPicture.h"

namespace wc {
namespace {

namespace fs = std::filesystem;

fs::path TempFolder(const char* name) {
  const fs::path dir = fs::temp_directory_path() / (std::string(name) + "-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

// ------------------------------------------------------------ GSettings ---

std::string KeyfileValue(const std::string& keyfile, const std::string& key) {
  std::ifstream in(keyfile);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
  }
  return {};
}

TEST(GSettingsWallpaper, GnomeKeysAreSetThenPutBackWhole) {
  // The key-file store, in a folder of the test's own; GSettings takes it the
  // first time it is used in the process.
  const fs::path dir = TempFolder("wc-gsettings");
  setenv("GSETTINGS_BACKEND", "keyfile", 1);
  setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
  const std::string keyfile = (dir / "glib-2.0/settings/keyfile").string();
  fs::create_directories(dir / "glib-2.0/settings");
  std::ofstream(keyfile) << "[org/gnome/desktop/background]\n"
                            "picture-uri='file:///home/user/Pictures/lake%20day.jpg'\n"
                            "picture-uri-dark='file:///home/user/Pictures/lake-night.jpg'\n"
                            "picture-options='spanned'\n";

  auto gnome = MakeGSettingsWallpaper(DesktopFamily::Gnome);
  ASSERT_NE(gnome, nullptr) << "gsettings-desktop-schemas is needed";
  EXPECT_TRUE(gnome->needsNewFileName());
  EXPECT_FALSE(gnome->showsOwnPicture());
  const DesktopPicture users = gnome->current();
  EXPECT_EQ(users.file, "/home/user/Pictures/lake day.jpg");

  ASSERT_TRUE(gnome->show("/run/user/1000/wcwallpaper2.bmp", {}, {}));
  EXPECT_EQ(KeyfileValue(keyfile, "picture-uri"), "'file:///run/user/1000/wcwallpaper2.bmp'");
  EXPECT_EQ(KeyfileValue(keyfile, "picture-uri-dark"), "'file:///run/user/1000/wcwallpaper2.bmp'");
  EXPECT_EQ(KeyfileValue(keyfile, "picture-options"), "'centered'");
  EXPECT_TRUE(gnome->showsOwnPicture());
  EXPECT_EQ(gnome->current().file, "/run/user/1000/wcwallpaper2.bmp");

  ASSERT_TRUE(gnome->restore(users));
  EXPECT_EQ(KeyfileValue(keyfile, "picture-uri"), "'file:///home/user/Pictures/lake%20day.jpg'");
  EXPECT_EQ(KeyfileValue(keyfile, "picture-uri-dark"), "'file:///home/user/Pictures/lake-night.jpg'");
  EXPECT_EQ(KeyfileValue(keyfile, "picture-options"), "'spanned'");

  // With only a file to go on, the file comes back in both keys.
  ASSERT_TRUE(gnome->restore({"/home/user/Pictures/old.png", {}}));
  EXPECT_EQ(KeyfileValue(keyfile, "picture-uri-dark"), "'file:///home/user/Pictures/old.png'");
  // Nothing remembered: no picture, the desktop's colour.
  ASSERT_TRUE(gnome->restore({}));
  EXPECT_EQ(KeyfileValue(keyfile, "picture-uri"), "''");
  EXPECT_EQ(KeyfileValue(keyfile, "picture-options"), "'none'");
  fs::remove_all(dir);
}

TEST(DesktopFamily, FromTheSessionsDesktopNames) {
  struct Case {
    const char* desktops;
    DesktopFamily family;
  };
  for (const Case c : {Case{"GNOME", DesktopFamily::Gnome}, Case{"ubuntu:GNOME", DesktopFamily::Gnome},
                       Case{"Budgie:GNOME", DesktopFamily::Gnome},
                       Case{"X-Cinnamon", DesktopFamily::Cinnamon}, Case{"MATE", DesktopFamily::Mate},
                       Case{"XFCE", DesktopFamily::Xfce}, Case{"KDE", DesktopFamily::Plasma},
                       Case{"LXQt", DesktopFamily::Other}, Case{"", DesktopFamily::Other}}) {
    EXPECT_EQ(DesktopFamilyOf(c.desktops), c.family) << c.desktops;
  }
}

// --------------------------------------------------------- root window ---

struct Root {
  xcb_connection_t* conn = xcb_connect(nullptr, nullptr);
  ~Root() { xcb_disconnect(conn); }
  xcb_window_t window() const { return FirstScreen(conn)->root; }
  std::optional<xcb_pixmap_t> pixmap(const char* name) const {
    auto* a = xcb_intern_atom_reply(
        conn, xcb_intern_atom(conn, 0, static_cast<std::uint16_t>(strlen(name)), name), nullptr);
    auto* r = xcb_get_property_reply(
        conn, xcb_get_property(conn, 0, window(), a->atom, XCB_ATOM_PIXMAP, 0, 1), nullptr);
    std::free(a);
    std::optional<xcb_pixmap_t> out;
    if (r && xcb_get_property_value_length(r) == 4)
      out = *static_cast<xcb_pixmap_t*>(xcb_get_property_value(r));
    std::free(r);
    return out;
  }
  bool exists(xcb_pixmap_t p) const {
    xcb_generic_error_t* e = nullptr;
    std::free(xcb_get_geometry_reply(conn, xcb_get_geometry(conn, p), &e));
    std::free(e);
    return e == nullptr;
  }
  QRgb pixel(int x, int y) const {
    const QImage all = GetPicture(conn, *pixmap("_XROOTPMAP_ID"));
    return all.pixel(x, y);
  }
};

TEST(RootWindowWallpaper, PictureCentredOnAPixmapThatOutlivesTheProgramAndTheUsersComesBack) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X server";
  Root root;
  const fs::path dir = TempFolder("wc-root");
  setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
  auto backend = MakeRootWindowWallpaper();
  ASSERT_NE(backend, nullptr);
  const int rw = FirstScreen(root.conn)->width_in_pixels, rh = FirstScreen(root.conn)->height_in_pixels;

  // The user's picture, put there as another program would.
  QImage users(rw, rh, QImage::Format_RGB32);
  users.fill(QColor(200, 40, 90));
  users.setPixel(5, 5, qRgb(1, 2, 3));
  const std::string usersFile = (dir / "users.png").string();
  ASSERT_TRUE(users.save(QString::fromStdString(usersFile)));
  ASSERT_TRUE(backend->restore({usersFile, {}}));
  const xcb_pixmap_t usersPixmap = *root.pixmap("_XROOTPMAP_ID");
  EXPECT_FALSE(backend->showsOwnPicture());
  const DesktopPicture before = backend->current();
  ASSERT_FALSE(before.file.empty());

  QImage ours(rw / 2, rw / 4, QImage::Format_RGB32);
  ours.fill(QColor(10, 120, 250));
  ASSERT_TRUE(backend->show("/x/wcwallpaper.bmp", ours, {}));
  EXPECT_TRUE(backend->showsOwnPicture());
  const auto shown = root.pixmap("_XROOTPMAP_ID");
  ASSERT_TRUE(shown);
  EXPECT_EQ(root.pixmap("ESETROOT_PMAP_ID"), shown);
  EXPECT_FALSE(root.exists(usersPixmap)) << "the picture replaced is freed";
  EXPECT_EQ(root.pixel(rw / 2, rh / 2), qRgb(10, 120, 250));
  EXPECT_EQ(root.pixel(rw / 2, 0), qRgb(0, 0, 0)) << "black around the picture";

  ASSERT_TRUE(backend->restore(before));
  EXPECT_FALSE(backend->showsOwnPicture());
  EXPECT_FALSE(root.exists(*shown));
  EXPECT_EQ(root.pixel(rw / 2, rh / 2), qRgb(200, 40, 90));
  EXPECT_EQ(root.pixel(5, 5), qRgb(1, 2, 3));

  ASSERT_TRUE(backend->restore({}));
  EXPECT_FALSE(root.pixmap("_XROOTPMAP_ID"));
  fs::remove_all(dir);
}

// A picture no property names (as xsetroot and image viewers leave it) comes
// back at switch-off, the parts other windows cover too.
TEST(RootWindowWallpaper, APictureNoPropertyNamesComesBackWhole) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X server";
  Root root;
  xcb_connection_t* conn = root.conn;
  const fs::path dir = TempFolder("wc-root-bare");
  setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
  auto backend = MakeRootWindowWallpaper();
  ASSERT_NE(backend, nullptr);
  const xcb_screen_t* s = FirstScreen(conn);
  const int rw = s->width_in_pixels, rh = s->height_in_pixels;

  // Another program's window over the middle of the screen.
  const xcb_window_t cover = xcb_generate_id(conn);
  const std::uint32_t grey = 0x808080;
  xcb_create_window(conn, XCB_COPY_FROM_PARENT, cover, s->root, static_cast<std::int16_t>(rw / 4),
                    static_cast<std::int16_t>(rh / 4), static_cast<std::uint16_t>(rw / 2),
                    static_cast<std::uint16_t>(rh / 2), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, s->root_visual,
                    XCB_CW_BACK_PIXEL, &grey);
  xcb_map_window(conn, cover);
  // A tile of two pixels, so that a shifted copy shows.
  QImage two(2, 1, QImage::Format_RGB32);
  two.setPixel(0, 0, qRgb(200, 40, 90));
  two.setPixel(1, 0, qRgb(1, 2, 3));
  const xcb_pixmap_t tile = xcb_generate_id(conn);
  xcb_create_pixmap(conn, s->root_depth, tile, s->root, 2, 1);
  const xcb_gcontext_t gc = xcb_generate_id(conn);
  xcb_create_gc(conn, gc, tile, 0, nullptr);
  ASSERT_TRUE(PutPicture(conn, tile, gc, s->root_depth, two, 0, 0));

  const int x = (rw / 2) & ~1, y = rh / 2;  // under the window, on the tile's first pixel
  struct Case {
    const char* what;
    std::uint32_t attribute, value;
    QRgb first, second;
  } cases[] = {
      {"a tiled picture", XCB_CW_BACK_PIXMAP, tile, qRgb(200, 40, 90), qRgb(1, 2, 3)},
      {"a colour", XCB_CW_BACK_PIXEL, 0x0a78fa, qRgb(10, 120, 250), qRgb(10, 120, 250)},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(backend->restore({}));
    xcb_change_window_attributes(conn, s->root, c.attribute, &c.value);
    xcb_clear_area(conn, 0, s->root, 0, 0, 0, 0);
    std::free(xcb_get_input_focus_reply(conn, xcb_get_input_focus(conn), nullptr));
    ASSERT_FALSE(root.pixmap("_XROOTPMAP_ID")) << c.what;

    const DesktopPicture before = backend->current();
    ASSERT_FALSE(before.file.empty()) << c.what << ": nothing kept to put back";
    QImage ours(rw / 2, rh / 2, QImage::Format_RGB32);
    ours.fill(QColor(30, 160, 70));
    ASSERT_TRUE(backend->show("/x/wcwallpaper.bmp", ours, {}));
    ASSERT_TRUE(backend->restore(before));
    EXPECT_FALSE(backend->showsOwnPicture()) << c.what;
    EXPECT_EQ(root.pixel(x, y), c.first) << c.what;
    EXPECT_EQ(root.pixel(x + 1, y), c.second) << c.what;
    EXPECT_EQ(root.pixel(0, 0), c.first) << c.what;
  }
  xcb_destroy_window(conn, cover);
  xcb_free_gc(conn, gc);
  ASSERT_TRUE(backend->restore({}));
  fs::remove_all(dir);
}

// -------------------------------------------------------------- xfconf ---

// The settings daemon's calls the backend uses, over one store.
class FakeXfconf : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.xfce.Xfconf")
 public:
  QVariantMap store;

 public slots:
  QVariantMap GetAllProperties(const QString& channel, const QString& base) {
    QVariantMap out;
    if (channel != "xfce4-desktop") return out;
    for (auto it = store.cbegin(); it != store.cend(); ++it)
      if (it.key().startsWith(base)) out.insert(it.key(), it.value());
    return out;
  }
  void SetProperty(const QString& channel, const QString& prop, const QDBusVariant& value) {
    if (channel == "xfce4-desktop") store.insert(prop, value.variant());
  }
  void ResetProperty(const QString& channel, const QString& prop, bool) {
    if (channel == "xfce4-desktop") store.remove(prop);
  }
};

TEST(XfconfWallpaper, EveryMonitorAndWorkspaceIsSetAndPutBack) {
  int argc = 1;
  char arg0[] = "platform_tests";
  char* argv[] = {arg0, nullptr};
  QCoreApplication app(argc, argv);
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) GTEST_SKIP() << "no session bus";
  FakeXfconf xfconf;
  const QString m1 = "/backdrop/screen0/monitorHDMI-1/workspace0/",
                m2 = "/backdrop/screen0/monitorDP-2/workspace1/";
  xfconf.store = {{m1 + "last-image", "/home/user/a.jpg"},
                  {m1 + "image-style", 5},
                  {m2 + "last-image", "/home/user/b.jpg"},
                  {"/backdrop/screen0/monitorHDMI-1/workspace0/color-style", 0}};
  const QVariantMap users = xfconf.store;
  ASSERT_TRUE(bus.registerObject("/org/xfce/Xfconf", &xfconf, QDBusConnection::ExportAllSlots));
  ASSERT_TRUE(bus.registerService("org.xfce.Xfconf"));

  auto backend = MakeXfconfWallpaper();
  ASSERT_NE(backend, nullptr);
  const DesktopPicture before = backend->current();
  ASSERT_TRUE(backend->show("/run/wcwallpaper.bmp", {}, {}));
  EXPECT_EQ(xfconf.store.value(m1 + "last-image"), "/run/wcwallpaper.bmp");
  EXPECT_EQ(xfconf.store.value(m2 + "last-image"), "/run/wcwallpaper.bmp");
  EXPECT_EQ(xfconf.store.value(m1 + "image-style").toInt(), 1);
  EXPECT_EQ(xfconf.store.value(m2 + "image-style").toInt(), 1);
  EXPECT_TRUE(backend->showsOwnPicture());

  ASSERT_TRUE(backend->restore(before));
  EXPECT_EQ(xfconf.store, users) << "pictures, styles, and the style that was not set is unset again";
  bus.unregisterService("org.xfce.Xfconf");
  bus.unregisterObject("/org/xfce/Xfconf");
}

}  // namespace
}  // namespace wc

#include "WallpaperBackendTest.moc"
