// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Commands.h"

#include <gtest/gtest.h>

#include "core/FormatDateTime.h"
#include "core/Settings.h"
#include "core/SettingsFixture.h"

namespace wc {
namespace {

class Commands : public SettingsStoreTest {};

constexpr TickRequests kMapAndWallpaper{true, false, true};

TEST_F(Commands, TogglesStoreOneOrZeroAndAskForTheirRedraws) {
  struct Case {
    const ToggleCommand& command;
    const char* setting;
    TickRequests requests;
    bool wallpaperLook = false;
  } cases[] = {
      {kDayNightShadingCommand, "Show Shadow", kMapAndWallpaper},
      {kShowDateCommand, "Show Date", kMapAndWallpaper},
      {kShowDateLineCommand, "Show Date Line", kMapAndWallpaper},
      {kShowTipsCommand, "Show Tips", {}},
      // The caption and the city times are redrawn over the same base map.
      {kShowUtcCommand, "Show UTC", {false, true, true}},
      {kShowTimesCommand, "Desktop Show Times", {false, true, true}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.setting);
    const CommandEffect on = RunToggle(c.command, true);
    EXPECT_EQ(ReadIntegerSetting(kSettingsKey, c.setting, -1), 1);
    EXPECT_TRUE(SettingSwitch(c.setting));
    EXPECT_EQ(on.requests, c.requests);
    EXPECT_EQ(on.wallpaperLook, c.wallpaperLook);
    RunToggle(c.command, false);
    EXPECT_EQ(ReadIntegerSetting(kSettingsKey, c.setting, -1), 0);
    EXPECT_FALSE(SettingSwitch(c.setting));
  }
}

TEST_F(Commands, ChoicesStoreTheirValues) {
  EXPECT_EQ(ChooseMapView(2).requests, kMapAndWallpaper);
  EXPECT_EQ(SettingInteger(kMapView), 2);

  CommandEffect e = ChooseTimeFormat(true);
  EXPECT_EQ(SettingText(kMapTimeFormat), "HH:mm");
  EXPECT_EQ(e.requests, kMapAndWallpaper);
  EXPECT_TRUE(e.wallpaperLook);
  ChooseTimeFormat(false);
  EXPECT_EQ(SettingText(kMapTimeFormat), "hh:mm AM/PM");

  e = ChooseDateAlignment(1);
  EXPECT_EQ(SettingInteger(kDesktopDateTimePosition), 1);
  EXPECT_TRUE(e.wallpaperLook);

  // The size is stored as given, even outside the nine sizes.
  e = ChooseWindowSize(11);
  EXPECT_EQ(SettingInteger(kWindowSize), 11);
  EXPECT_EQ(e.requests, (TickRequests{true, true, false}));
  EXPECT_FALSE(e.wallpaperLook);

  StoreMonitor(1);
  EXPECT_EQ(SettingInteger(kCurMonitor), 1);
}

TEST_F(Commands, FontCommandsStoreTheNinetySixByteValue) {
  FontRecord font;
  font.colour = 0x0000FF;  // red
  font.height = -15;
  font.weight = 700;
  font.italic = 1;
  font.setFace("Liberation Sans");

  struct Case {
    const FontCommand& command;
    const char* setting;
    TickRequests requests;
    bool wallpaperLook;
  } cases[] = {
      {kWindowDateFontCommand, "Date/Time Font", kMapAndWallpaper, false},
      {kWindowCityFontCommand, "City Times Font", {true, false, false}, false},
      {kWallpaperDateFontCommand, "Desktop Date/Time Font", kMapAndWallpaper, true},
      {kWallpaperCityFontCommand, "Desktop City Times Font", {false, false, true}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.setting);
    const CommandEffect e = RunFontCommand(c.command, font);
    EXPECT_EQ(e.requests, c.requests);
    EXPECT_EQ(e.wallpaperLook, c.wallpaperLook);
    EXPECT_EQ(stored(c.setting).data.size(), 96u);
    FontRecord back;
    ASSERT_TRUE(ReadFontSetting(kSettingsKey, c.setting, back));
    EXPECT_EQ(back, font);
  }
}

TEST(WorkArea, TheWindowIsMovedInJustAsFarAsItTakes) {
  // A work area right of another monitor, under a 30-pixel panel.
  const ScreenRect area{1920, 30, 1920, 1050};
  struct Case {
    const char* what;
    ScreenRect window, expected;
  } cases[] = {
      {"inside: stays", {2000, 100, 800, 470}, {2000, 100, 800, 470}},
      {"past the right edge", {3500, 100, 800, 470}, {3040, 100, 800, 470}},
      {"past the bottom", {2000, 900, 800, 470}, {2000, 610, 800, 470}},
      {"above the area", {2000, 0, 800, 470}, {2000, 30, 800, 470}},
      {"left of the area", {1800, 100, 800, 470}, {1920, 100, 800, 470}},
      {"wider than the area: its left edge", {2500, 50, 2010, 1070}, {1920, 30, 2010, 1070}},
      {"exactly as large", {2100, 60, 1920, 1050}, {1920, 30, 1920, 1050}},
  };
  for (const Case& c : cases) EXPECT_EQ(FitIntoWorkArea(c.window, area), c.expected) << c.what;
}

// The one decision behind the wallpaper switch in the menus and "OK".
TEST(WallpaperSwitch, PutInPlaceWhenTurnedOnOrItsLookChangedTakenAwayWhenTurnedOff) {
  struct Case {
    bool wasOn, on, lookChanged;
    WallpaperStep step;
  } cases[] = {
      {.wasOn = false, .on = true, .lookChanged = false, .step = {.putInPlace = true}},
      {.wasOn = false, .on = true, .lookChanged = true, .step = {.putInPlace = true}},
      {.wasOn = true, .on = true, .lookChanged = false, .step = {}},
      {.wasOn = true, .on = true, .lookChanged = true, .step = {.putInPlace = true}},
      {.wasOn = true, .on = false, .lookChanged = true, .step = {.takeAway = true}},
      {.wasOn = false, .on = false, .lookChanged = true, .step = {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SwitchWallpaper(c.wasOn, c.on, c.lookChanged), c.step)
        << c.wasOn << " -> " << c.on << ", look changed " << c.lookChanged;
  }
}

TEST(CloseQuery, CloseToTrayGivesWayOnlyToTheEndOfTheSession) {
  EXPECT_TRUE(CloseAllowed(false, false));
  EXPECT_FALSE(CloseAllowed(true, false));
  EXPECT_TRUE(CloseAllowed(true, true));
  EXPECT_TRUE(CloseAllowed(false, true));
}

}  // namespace
}  // namespace wc
