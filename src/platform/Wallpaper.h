// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The desktop's wallpaper, one backend per desktop: the GNOME family through
// GSettings, XFCE through xfconf, KDE Plasma through its scripting call, the X
// root window pixmap elsewhere (and the system call on Windows).

#include <QImage>
#include <QRect>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace wc {

// What a desktop shows, enough to put it back: the picture file ("" for
// none) and the desktop's own values that go with it (placement, a dark
// variant, other monitors), as lines only the backend that wrote them reads.
struct DesktopPicture {
  std::string file;
  std::vector<std::string> details;
};

class WallpaperBackend {
 public:
  virtual ~WallpaperBackend() = default;
  virtual const char* name() const = 0;

  // Whether the program's own bitmap is what the desktop shows now.
  virtual bool showsOwnPicture() = 0;
  // The picture in place now. The root window has no file behind its
  // picture; its backend keeps a copy in the runtime folder and names that.
  virtual DesktopPicture current() = 0;
  // Shows the bitmap file, centred and untiled. picture holds the same
  // pixels, for backends that draw rather than name a file; screen is the
  // monitor to centre on, in device pixels.
  virtual bool show(const std::string& file, const QImage& picture, const QRect& screen) = 0;
  // Puts back what current() returned; an empty file leaves no picture.
  virtual bool restore(const DesktopPicture& saved) = 0;
  // Desktops that ignore being told the file they already show need each
  // refresh under a name other than the last one.
  virtual bool needsNewFileName() const = 0;
};

// The map picture's size on a screen, for the wallpaper and the screen
// saver alike: the screen's width, and half of it unless stretched to the
// screen's height.
QSize WallpaperSize(QSize screen, bool fullHeight);

// The program's own bitmap, by the name its files carry.
bool IsOwnWallpaper(std::string_view file);

enum class DesktopFamily { Gnome, Cinnamon, Mate, Xfce, Plasma, Other };
// From XDG_CURRENT_DESKTOP's colon-separated list.
DesktopFamily DesktopFamilyOf(std::string_view xdgCurrentDesktop);

// The backend for this session's desktop; the root window where the
// desktop's own service is missing; one that does nothing without any.
std::unique_ptr<WallpaperBackend> MakeWallpaperBackend();

// Single backends, for tests and for the choice above; null when the
// desktop's service is not there.
std::unique_ptr<WallpaperBackend> MakeGSettingsWallpaper(DesktopFamily family);
std::unique_ptr<WallpaperBackend> MakeXfconfWallpaper();
std::unique_ptr<WallpaperBackend> MakePlasmaWallpaper();
std::unique_ptr<WallpaperBackend> MakeRootWindowWallpaper();
#ifdef _WIN32
std::unique_ptr<WallpaperBackend> MakeWindowsWallpaper();
#endif

// file:// URIs and local paths, both ways (percent-encoded).
std::string FileUriFromPath(const std::string& path);
std::string PathFromFileUri(const std::string& uri);

}  // namespace wc
