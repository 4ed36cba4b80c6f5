// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Wallpaper.h"

#include <QUrl>
#include <cstdlib>

namespace wc {

QSize WallpaperSize(QSize screen, bool fullHeight) {
  return {screen.width(), fullHeight ? screen.height() : screen.width() / 2};
}

bool IsOwnWallpaper(std::string_view file) { return file.find("wcwallpaper") != std::string_view::npos; }

DesktopFamily DesktopFamilyOf(std::string_view desktops) {
  bool gnome = false;
  while (!desktops.empty()) {
    const std::size_t colon = desktops.find(':');
    const std::string_view d = desktops.substr(0, colon);
    desktops = colon == std::string_view::npos ? std::string_view{} : desktops.substr(colon + 1);
    // The first specific desktop decides; "GNOME" often follows a
    // derivative's own name ("Budgie:GNOME", "ubuntu:GNOME").
    if (d == "X-Cinnamon" || d == "Cinnamon") return DesktopFamily::Cinnamon;
    if (d == "MATE") return DesktopFamily::Mate;
    if (d == "XFCE") return DesktopFamily::Xfce;
    if (d == "KDE") return DesktopFamily::Plasma;
    if (d == "GNOME" || d == "Budgie" || d == "Unity" || d == "Pantheon" || d == "ubuntu") gnome = true;
  }
  return gnome ? DesktopFamily::Gnome : DesktopFamily::Other;
}

std::string FileUriFromPath(const std::string& path) {
  if (path.empty()) return {};
  return QUrl::fromLocalFile(QString::fromStdString(path)).toString(QUrl::FullyEncoded).toStdString();
}

std::string PathFromFileUri(const std::string& uri) {
  const QUrl url(QString::fromStdString(uri));
  if (url.isLocalFile()) return url.toLocalFile().toStdString();
  return uri;  // a plain path, or a scheme we only carry along
}

namespace {

// No desktop to talk to (no display, no service): nothing shown, nothing
// changed, and the program goes on.
class NoWallpaper final : public WallpaperBackend {
 public:
  const char* name() const override { return "none"; }
  bool showsOwnPicture() override { return false; }
  DesktopPicture current() override { return {}; }
  bool show(const std::string&, const QImage&, const QRect&) override { return false; }
  bool restore(const DesktopPicture&) override { return false; }
  bool needsNewFileName() const override { return false; }
};

}  // namespace

std::unique_ptr<WallpaperBackend> MakeWallpaperBackend() {
  std::unique_ptr<WallpaperBackend> b;
#ifdef _WIN32
  b = MakeWindowsWallpaper();
#else
  const char* env = std::getenv("XDG_CURRENT_DESKTOP");
  switch (DesktopFamilyOf(env ? env : "")) {
    case DesktopFamily::Gnome:
      b = MakeGSettingsWallpaper(DesktopFamily::Gnome);
      break;
    case DesktopFamily::Cinnamon:
      b = MakeGSettingsWallpaper(DesktopFamily::Cinnamon);
      break;
    case DesktopFamily::Mate:
      b = MakeGSettingsWallpaper(DesktopFamily::Mate);
      break;
    case DesktopFamily::Xfce:
      b = MakeXfconfWallpaper();
      break;
    case DesktopFamily::Plasma:
      b = MakePlasmaWallpaper();
      break;
    case DesktopFamily::Other:
      break;
  }
  if (!b) b = MakeRootWindowWallpaper();
#endif
  if (!b) b = std::make_unique<NoWallpaper>();
  return b;
}

}  // namespace wc
