// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Theme descriptions, theme file names, and what a clock face shows.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "TestSupport.h"
#include "clocks/ClockFace.h"
#include "clocks/ClockTheme.h"

namespace wc {
namespace {

namespace fs = std::filesystem;

TEST(IniFile, ReadsSectionsAndKeysAsThePlatformDoes) {
  const IniFile ini = IniFile::parse(
      "\xEF\xBB\xBF; themes\r\n"
      "[Blue Steel 1]\r\n"
      "SecondImage = bs1sec \r\n"
      "TYCity=61\r\n"
      "TextColor=\"White\"\r\n"
      "TXHour=0x1F\r\n"
      "TYHour=$10\r\n"
      "TXMinute=12px\r\n"
      "\n"
      "[wooden]\n"
      "HourImage=wood\n"
      "HourImage=second value\n"
      "[WOODEN]\n"
      "MinuteImage=woodmin\n");
  EXPECT_EQ(ini.sections(), (std::vector<std::string>{"Blue Steel 1", "wooden"}));
  EXPECT_EQ(ini.readString("blue steel 1", "secondimage", "-"), "bs1sec");
  EXPECT_EQ(ini.readInteger("Blue Steel 1", "TYCity", -1), 61);
  EXPECT_EQ(ini.readString("Blue Steel 1", "TextColor", "-"), "White");
  EXPECT_EQ(ini.readInteger("Blue Steel 1", "TXHour", -1), 31);
  EXPECT_EQ(ini.readInteger("Blue Steel 1", "TYHour", -1), 16);
  EXPECT_EQ(ini.readInteger("Blue Steel 1", "TXMinute", -1), -1);
  EXPECT_EQ(ini.readString("Wooden", "HourImage", "-"), "wood");
  EXPECT_EQ(ini.readString("Wooden", "MinuteImage", "-"), "woodmin");
  EXPECT_EQ(ini.readString("Nowhere", "HourImage", "-"), "-");
}

TEST(IniFile, AThemeWithoutASectionHasTheDefaults) {
  const AClockTheme t = ReadAClockTheme(IniFile::parse("[Other]\nTYCity=5\n"), "Gray");
  EXPECT_EQ(t.SecondImage, "");
  EXPECT_EQ(t.TYCity, 0);
  EXPECT_EQ(t.TextColor, "Black");
  const DClockColors window = ReadDClockColors(IniFile::parse(""), "Gray", 0);
  const DClockColors preview = ReadDClockColors(IniFile::parse("[Gray]\nTimeColor=255\n"), "Gray", 2);
  EXPECT_EQ(window.TimeColor, 0);
  EXPECT_EQ(preview.TimeColor, 255);
  EXPECT_EQ(preview.DateColor, 2);
  EXPECT_EQ(preview.CityColor, 2);
}

TEST(ThemeFiles, NamesAndPaths) {
  EXPECT_EQ(ThemeNameOf("/opt/wc/askins/Blue Steel 1.png"), "Blue Steel 1");
  EXPECT_EQ(ThemeNameOf("C:\\Program Files\\WC\\dskins\\Dark Blue.bmp"), "Dark Blue");
  EXPECT_EQ(ThemeNameOf("/x/My.bmp Theme.bmp"), "My Theme");  // every occurrence goes
  EXPECT_EQ(ThemeFileFor("/opt/wc/", "dskins", "Fire Brick", ".bmp"), "/opt/wc/dskins/Fire Brick.bmp");
  EXPECT_EQ(DClockBitmapPath("/opt/wc/dskins/Fire Brick.bmp", false), "/opt/wc/dskins/FireBrick.bmp");
  EXPECT_EQ(DClockBitmapPath("/opt/wc/dskins/Sky Blue.bmp", true), "/opt/wc/dskins/SkyBluesmall.bmp");
  // The folder keeps its blanks; only the file name loses them.
  EXPECT_EQ(DClockBitmapPath("/my clocks/dskins/Sky Blue.bmp", false), "/my clocks/dskins/SkyBlue.bmp");
  // The twice-sized picture: the mark goes before the file's own extension only.
  EXPECT_EQ(HiDpiFileName("/opt/wc/askins/small/Blue Steel 1.png"), "/opt/wc/askins/small/Blue Steel 1@2x.png");
  EXPECT_EQ(HiDpiFileName("C:\\v1.2\\dskins\\SkyBluesmall.bmp"), "C:\\v1.2\\dskins\\SkyBluesmall@2x.bmp");
  EXPECT_EQ(HiDpiFileName("/v1.2/askins/cap"), "/v1.2/askins/cap@2x");
  const Rgb c = RgbOf(0x00FF8040);
  EXPECT_EQ(c.r, 0x40);
  EXPECT_EQ(c.g, 0x80);
  EXPECT_EQ(c.b, 0xFF);
}

TEST(ThemeFiles, AStoredPathFromElsewhereFindsItsThemeByName) {
  const std::string tmpl = test::MakeTempFolder("wc-theme-");
  const std::string program = tmpl + "/now/";
  const std::string old = tmpl + "/then/";
  fs::create_directories(program + "askins");
  fs::create_directories(program + "dskins");
  fs::create_directories(old + "askins");
  std::ofstream(program + "askins/Wooden.png") << "x";
  std::ofstream(program + "dskins/SkyBlue.bmp") << "x";
  std::ofstream(old + "askins/Mine.png") << "x";

  // Moved away: found again in the program's own folder.
  EXPECT_EQ(ResolveAClockThemeFile("C:\\Old\\askins\\Wooden.png", program), program + "askins/Wooden.png");
  EXPECT_EQ(ResolveDClockThemeFile("/gone/dskins/Sky Blue.bmp", program), program + "dskins/Sky Blue.bmp");
  // Still where it was: kept, even beside another program folder.
  EXPECT_EQ(ResolveAClockThemeFile(old + "askins/Mine.png", program), old + "askins/Mine.png");
  // Nowhere: left as it was.
  EXPECT_EQ(ResolveAClockThemeFile("/gone/askins/Nope.png", program), "/gone/askins/Nope.png");
  fs::remove_all(tmpl);
}

DateTime At(int h, int m, int s) { return EncodeDate(2027, 1, 15) + EncodeTime(h, m, s, 0); }

TEST(ClockFace, HandAngles) {
  const struct {
    int h, m, s;
    double hour, minute, second;
  } cases[] = {
      {3, 15, 30, 277.5, 270, 360},
      {12, 0, 0, 180, 180, 180},
      {0, 0, 0, 180, 180, 180},
      {23, 59, 59, 180 + 359.5, 180 + 354, 180 + 354},
  };
  for (const auto& c : cases) {
    const HandAngles a = HandAnglesAt(At(c.h, c.m, c.s));
    EXPECT_DOUBLE_EQ(a.hour, c.hour) << c.h << ":" << c.m;
    EXPECT_DOUBLE_EQ(a.minute, c.minute) << c.h << ":" << c.m;
    EXPECT_DOUBLE_EQ(a.second, c.second) << c.h << ":" << c.m;
  }
}

TEST(ClockFace, TextRowsFollowTheClockWidth) {
  EXPECT_FLOAT_EQ(TextRow(160, 200), 160);
  EXPECT_FLOAT_EQ(TextRow(160, 100), 80);
  EXPECT_FLOAT_EQ(TextRow(160, 150), 120);
  EXPECT_FLOAT_EQ(TextRow(61, 150), 45.75f);
}

TEST(ClockFace, TimeTexts) {
  const DateTime t = At(17, 5, 9);
  EXPECT_EQ(AnalogTimeText(t, true, DefaultFormatSettings()), "17:05");
  EXPECT_EQ(AnalogTimeText(t, false, DefaultFormatSettings()), "05:05 PM");
  EXPECT_EQ(DigitalTimeText(t, false, false, DefaultFormatSettings()), "05:05:09 PM");
  EXPECT_EQ(DigitalTimeText(t, false, true, DefaultFormatSettings()), "17:05:09");
  EXPECT_EQ(DigitalTimeText(t, true, false, DefaultFormatSettings()), "05:05 PM");
  EXPECT_EQ(DigitalTimeText(t, true, true, DefaultFormatSettings()), "17:05");
  EXPECT_EQ(DigitalDateText(t, DefaultFormatSettings()), "Fri, 15 Jan, 2027");
  // The regional time separator; the markers stay AM and PM.
  FormatSettings dotted = DefaultFormatSettings();
  dotted.timeSeparator = ".";
  dotted.timeAMString = "vorm.";
  dotted.timePMString = "nachm.";
  EXPECT_EQ(DigitalTimeText(t, false, false, dotted), "05.05.09 PM");
}

TEST(ClockFace, MenuValues) {
  EXPECT_EQ(SizeItemFor(200), 2);
  EXPECT_EQ(SizeItemFor(150), 1);
  for (int w : {100, 0, 175, 201}) EXPECT_EQ(SizeItemFor(w), 0) << w;
  EXPECT_EQ(OpacityItemFor(51), 0);
  EXPECT_EQ(OpacityItemFor(255), 4);
  EXPECT_EQ(OpacityItemFor(128), std::nullopt);
  EXPECT_EQ(OpacityItemFor(0), std::nullopt);
}

}  // namespace
}  // namespace wc
