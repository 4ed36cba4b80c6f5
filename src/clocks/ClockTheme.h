// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The clock theme descriptions askins/aclock.ini and dskins/dclock.ini, and
// the theme file names the clock records carry.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace wc {

// The themes the clock windows' "&Change Theme" menus offer, in menu order.
inline constexpr std::array<const char*, 18> kAnalogThemeNames{
    "Blue Steel 1", "Blue Steel 2", "Retro Green", "Retro Red",  "Fresh",   "Stylish Red",
    "Simple Blue",  "Vibrant",      "Blue Gray",   "Black Gray", "Gray",    "Gray Orange",
    "Deep Pink",    "Forest Green", "Orange",      "Violet",     "Classic", "Wooden"};
inline constexpr std::array<const char*, 10> kDigitalThemeNames{
    "Dark Blue", "Black",    "Dark Red", "Fire Brick", "Forest Green",
    "Gray",      "Sky Blue", "Orange",   "Deep Pink",  "Violet"};

// An initialisation file as the platform reads one: [sections] with
// key=value lines; section and key names compare without regard to letter
// case, the first of two equal names wins, blanks around names and values
// are dropped, lines starting with ";" or "#" are comments.
class IniFile {
 public:
  IniFile() = default;
  // A missing or unreadable file reads as an empty one.
  static IniFile load(const std::string& path);
  static IniFile parse(std::string_view text);

  // Section names in file order.
  std::vector<std::string> sections() const;
  bool hasSection(std::string_view section) const;
  std::string readString(std::string_view section, std::string_view key, std::string_view def) const;
  // Decimal, or hexadecimal with "0x" or "$"; anything else gives def.
  std::int32_t readInteger(std::string_view section, std::string_view key, std::int32_t def) const;

 private:
  struct Section {
    std::string name;
    std::vector<std::pair<std::string, std::string>> values;
  };
  const Section* find(std::string_view section) const;
  std::vector<Section> sections_;
  // sections_ by name in lower case, so that a file of many sections is not
  // searched through at every header and look-up.
  std::unordered_map<std::string, std::size_t> index_;
};

// One analog theme's section of aclock.ini, with the keys' defaults.
struct AClockTheme {
  std::string SecondImage, RoundImage, HourImage, MinuteImage;
  std::int32_t TYCity = 0;
  std::int32_t TYDate = 0;
  std::string TextColor = "Black";
  std::int32_t txhour = 0, tyhour = 0, txminute = 0, tyminute = 0, txsecond = 0, tysecond = 0;
};
AClockTheme ReadAClockTheme(const IniFile& ini, std::string_view theme);

// One digital theme's colours from dclock.ini, in the platform's colour form
// (red + 256 green + 65536 blue). The clock window's default is 0, the set-up
// dialog's preview's 2.
struct DClockColors {
  std::int32_t TimeColor = 0, DateColor = 0, CityColor = 0;
};
DClockColors ReadDClockColors(const IniFile& ini, std::string_view theme, std::int32_t def);

// The file name of a path written with "/" or "\" separators.
std::string FileNameOf(std::string_view path);
// The folder part, with its trailing separator ("" when there is none).
std::string FolderOf(std::string_view path);
// The theme name of a ThemeFile: its file name with every occurrence of its
// extension text removed (".../askins/Blue Steel 1.png" gives "Blue Steel 1").
std::string ThemeNameOf(std::string_view themeFile);

// The ThemeFile of a theme: programFolder + sub + "/" + name + ext.
std::string ThemeFileFor(const std::string& programFolder, std::string_view sub, std::string_view name,
                         std::string_view ext);

// A stored ThemeFile whose file no longer exists (the program moved, or the
// file came from another machine) is found again by its file name in the
// program's own theme folder. Returned unchanged when it exists or when the
// program folder has no such file either. For an analog clock the ThemeFile
// is itself the large face; for a digital one its bitmap is what must exist.
std::string ResolveAClockThemeFile(const std::string& stored, const std::string& programFolder);
std::string ResolveDClockThemeFile(const std::string& stored, const std::string& programFolder);

// Digital bitmaps: the ThemeFile's folder and file name with every blank
// removed; with the date hidden, every ".bmp" replaced by "small.bmp".
std::string DClockBitmapPath(std::string_view themeFile, bool hideDate);

// The picture drawn at twice the size for screens of twice the density:
// "@2x" before the file name's extension ("Classic.png": "Classic@2x.png").
std::string HiDpiFileName(std::string_view path);

// The colour form of the platform as red, green, blue.
struct Rgb {
  int r = 0, g = 0, b = 0;
};
inline Rgb RgbOf(std::int32_t colorRef) {
  return {colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF};
}

}  // namespace wc
