// The Windows desktop: the user's "Wallpaper" value and the system call that
// puts a picture in place, writes the profile and tells every window.

#include <windows.h>

#include "core/Settings.h"
#include "core/Text.h"
#include "platform/Wallpaper.h"

namespace wc {

namespace {

bool SetDesktopWallpaper(const std::string& file) {
  std::u16string wide = Utf8ToUtf16(file);
  return SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, reinterpret_cast<wchar_t*>(wide.data()),
                               SPIF_UPDATEINIFILE | SPIF_SENDCHANGE) != 0;
}

class WindowsWallpaper final : public WallpaperBackend {
 public:
  const char* name() const override { return "windows"; }
  bool showsOwnPicture() override { return IsOwnWallpaper(current().file); }
  DesktopPicture current() override { return {ReadStringSetting(kDesktopKey, kWallpaperValue, ""), {}}; }
  bool show(const std::string& file, const QImage&, const QRect&) override {
    return SetDesktopWallpaper(file);
  }
  bool restore(const DesktopPicture& saved) override {
    return SetDesktopWallpaper(IsOwnWallpaper(saved.file) ? std::string() : saved.file);
  }
  bool needsNewFileName() const override { return false; }
};

}  // namespace

std::unique_ptr<WallpaperBackend> MakeWindowsWallpaper() { return std::make_unique<WindowsWallpaper>(); }

}  // namespace wc
