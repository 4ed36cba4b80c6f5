// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Settings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <memory>

#include "SettingsFixture.h"

namespace wc {
namespace {

using Bytes = std::vector<std::uint8_t>;

RegValue Binary(Bytes b) { return {kRegBinary, std::move(b)}; }

Bytes First(Bytes b, std::size_t n) {
  b.resize(n);
  return b;
}

class Settings : public SettingsStoreTest {};

TEST_F(Settings, FreshAccountReadsEveryDefaultAndCreatesNothing) {
  for (const SettingSpec& s : kSettingsTable) {
    SCOPED_TRACE(std::string(s.name));
    switch (s.kind) {
      case SettingKind::Integer:
        EXPECT_EQ(ReadIntegerSetting(kSettingsKey, s.name, s.hasDefault ? s.integerDefault : -7),
                  s.hasDefault ? s.integerDefault : -7);
        break;
      case SettingKind::String:
        EXPECT_EQ(ReadStringSetting(kSettingsKey, s.name, s.textDefault), s.textDefault);
        break;
      case SettingKind::StringList: {
        std::vector<std::string> list{"left over"};
        ReadStringListSetting(kSettingsKey, s.name, list);
        EXPECT_TRUE(list.empty());
        break;
      }
      case SettingKind::Font: {
        FontRecord font;
        font.setFace("Arial");
        const FontRecord design = font;
        EXPECT_FALSE(ReadFontSetting(kSettingsKey, s.name, font));
        EXPECT_EQ(font, design);
        break;
      }
      case SettingKind::PlacementWithSize:
      case SettingKind::PlacementWithoutSize: {
        const PlacementToApply p =
            ReadPlacementSetting(kSettingsKey, s.name, s.kind == SettingKind::PlacementWithSize);
        EXPECT_FALSE(p.width || p.height || p.maximize);
        break;
      }
    }
  }
  // The main window of a fresh account: 800 x 400 map, theme 1, local time,
  // Europe-centred, shading, tips and city times on.
  EXPECT_EQ(MapWidthForWindowSize(SettingInteger(kWindowSize)), 800);
  EXPECT_EQ(SettingInteger(kTheme), 1);
  EXPECT_FALSE(SettingSwitch(kShowUtc));
  EXPECT_EQ(SettingInteger(kMapView), 0);
  EXPECT_TRUE(SettingSwitch(kShowShadow));
  EXPECT_TRUE(SettingSwitch(kShowTips));
  EXPECT_TRUE(SettingSwitch(kDesktopShowTimes));
  EXPECT_EQ(SettingText(kMapTimeFormat), "hh:mm AM/PM");
  EXPECT_FALSE(storeExists());
}

TEST_F(Settings, ValuesRoundTrip) {
  for (std::int32_t v : {INT_MIN, -1, 0, 1, INT_MAX}) {
    WriteIntegerSetting(kSettingsKey, kCurMonitor, v);
    EXPECT_EQ(SettingInteger(kCurMonitor), v);
  }
  // Texts the quoted form cannot carry (line breaks) are stored as hex(1).
  for (const char* text : {"", "C:\\", "say \"hi\"", "Zürich · 東京 🌍", "two\r\nlines"}) {
    WriteStringSetting(kSettingsKey, kOldWall, text);
    EXPECT_EQ(SettingText(kOldWall), text);
  }
  // Value names and key paths match without regard to case; the stored
  // spelling stays.
  EXPECT_EQ(ReadStringSetting("software\\zqm\\WORLD CLOCK 1.0\\settings\\", "OLDWALL", "x"), "two\r\nlines");
  WriteIntegerSetting("SOFTWARE\\ZQM\\World Clock 1.0\\Settings", "theme", 4);
  EXPECT_EQ(SettingInteger(kTheme), 4);

  DeleteSetting(kSettingsKey, kTheme);
  EXPECT_EQ(SettingInteger(kTheme), 1);
}

TEST_F(Settings, CentredWallpaperStyleIsFourZeroTexts) {
  WriteCentredWallpaperStyle();
  for (const char* key : {kDesktopKey, kDesktopGeneralKey}) {
    for (const char* name : {kTileWallpaperValue, kWallpaperStyleValue}) {
      RegValue v;
      ASSERT_EQ(backend_->get(key, name, v), RegStatus::Ok) << key << name;
      EXPECT_EQ(v, RegValue::fromString("0")) << key << name;
    }
  }
}

TEST_F(Settings, SwitchesAreOnOnlyForExactlyOne) {
  const std::pair<std::int32_t, bool> cases[] = {{0, false}, {1, true}, {2, false}, {-1, false}};
  for (const auto& [stored, on] : cases) {
    WriteIntegerSetting(kSettingsKey, kShowUtc, stored);
    EXPECT_EQ(SettingSwitch(kShowUtc), on) << stored;
  }
}

TEST_F(Settings, StringListsKeepTheirOrderAndByteLayout) {
  std::vector<std::string> list{"stale"};
  WriteStringListSetting(kSettingsKey, kDisplayCities, {});
  EXPECT_EQ(stored(kDisplayCities).data, Bytes({0, 0}));
  ReadStringListSetting(kSettingsKey, kDisplayCities, list);
  EXPECT_TRUE(list.empty());

  WriteStringListSetting(kSettingsKey, kDisplayCities, {"A", "B"});
  EXPECT_EQ(stored(kDisplayCities), (RegValue{kRegMultiSz, {'A', 0, 0, 0, 'B', 0, 0, 0, 0, 0}}));

  const std::vector<std::string> cities{"São Paulo", "東京", "Zürich"};
  WriteStringListSetting(kSettingsKey, kDisplayCities, cities);
  ReadStringListSetting(kSettingsKey, kDisplayCities, list);
  EXPECT_EQ(list, cities);

  // Reading stops at the first empty text.
  store(kBalloonCities, {kRegMultiSz, {'A', 0, 0, 0, 0, 0, 'B', 0, 0, 0, 0, 0}});
  ReadStringListSetting(kSettingsKey, kBalloonCities, list);
  EXPECT_EQ(list, std::vector<std::string>{"A"});
}

TEST_F(Settings, PlacementKeepsTheLastNormalPosition) {
  WritePlacementSetting(kSettingsKey, kWindowPosition, {WindowState::Normal, 10, 20, 900, 500}, true);
  EXPECT_EQ(stored(kWindowPosition).data,
            Bytes({0, 0, 0, 0, 10, 0, 0, 0, 20, 0, 0, 0, 0x84, 3, 0, 0, 0xF4, 1, 0, 0}));

  WritePlacementSetting(kSettingsKey, kWindowPosition, {WindowState::Minimized, -32000, -32000, 160, 28},
                        true);
  EXPECT_EQ(stored(kWindowPosition).data,
            Bytes({1, 0, 0, 0, 10, 0, 0, 0, 20, 0, 0, 0, 0x84, 3, 0, 0, 0xF4, 1, 0, 0}));

  WritePlacementSetting(kSettingsKey, kWindowPosition, {WindowState::Maximized, 0, 0, 1920, 1080}, true);
  PlacementToApply p = ReadPlacementSetting(kSettingsKey, kWindowPosition, true);
  EXPECT_EQ(p.width, 900);
  EXPECT_EQ(p.height, 500);
  EXPECT_TRUE(p.maximize);

  // Without the size flag only top and left are written, and nothing but the
  // state is read.
  WritePlacementSetting(kSettingsKey, kFinderWindowPosition, {WindowState::Normal, 7, 8, 640, 480}, false);
  EXPECT_EQ(stored(kFinderWindowPosition).data,
            Bytes({0, 0, 0, 0, 7, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  p = ReadPlacementSetting(kSettingsKey, kFinderWindowPosition, false);
  EXPECT_FALSE(p.width || p.height || p.maximize);

  // A stored value of another type or too long is replaced by a record with
  // zero in every field the window does not set.
  for (const RegValue& bad : {RegValue::fromString("x"), Binary(Bytes(21, 0xFF))}) {
    store(kCalendarWindowPosition, bad);
    WritePlacementSetting(kSettingsKey, kCalendarWindowPosition, {WindowState::Minimized, 1, 2, 3, 4}, false);
    EXPECT_EQ(stored(kCalendarWindowPosition).data,
              Bytes({1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  }
}

TEST_F(Settings, PlacementReadRules) {
  auto record = [](std::uint8_t state, std::int32_t width, std::int32_t height) {
    PlacementRecord r;
    r.state = state;
    r.top = 100;
    r.left = 200;
    r.width = width;
    r.height = height;
    const auto b = r.encode();
    return Bytes(b.begin(), b.end());
  };
  struct Case {
    const char* what;
    RegValue stored;
    bool withSize;
    std::optional<std::int32_t> width, height;
    bool maximize;
  } cases[] = {
      {"width 30 is not applied, the height is", Binary(record(0, 30, 300)), true, {}, 300, false},
      {"width 40 is not applied either", Binary(record(0, 40, 300)), true, {}, 300, false},
      {"width 41 is applied", Binary(record(0, 41, 300)), true, 41, 300, false},
      {"maximized", Binary(record(2, 800, 400)), true, 800, 400, true},
      {"maximized, without size", Binary(record(2, 800, 400)), false, {}, {}, true},
      {"short: the rest counts as zero", Binary(First(record(0, 900, 400), 16)), true, 900, 0, false},
      {"too long", Binary(Bytes(21, 2)), true, {}, {}, false},
      {"not binary", RegValue::fromDword(2), true, {}, {}, false},
  };
  for (const Case& c : cases) {
    store(kWindowPosition, c.stored);
    const PlacementToApply p = ReadPlacementSetting(kSettingsKey, kWindowPosition, c.withSize);
    EXPECT_EQ(p.width, c.width) << c.what;
    EXPECT_EQ(p.height, c.height) << c.what;
    EXPECT_EQ(p.maximize, c.maximize) << c.what;
  }
}

TEST(FontRecord, EncodesTheFixedLayout) {
  FontRecord f;
  f.colour = 0x00FF8040;
  f.height = -16;
  f.width = 2;
  f.escapement = 3;
  f.orientation = 4;
  f.weight = 700;
  f.italic = 1;
  f.underline = 2;
  f.strikeOut = 3;
  f.charSet = 4;
  f.outPrecision = 5;
  f.clipPrecision = 6;
  f.quality = 7;
  f.pitchAndFamily = 8;
  f.setFace("Arial");
  const auto b = f.encode();
  const Bytes head(b.begin(), b.begin() + 42);
  EXPECT_EQ(head, Bytes({0x40, 0x80, 0xFF, 0, 0xF0, 0xFF, 0xFF, 0xFF, 2,   0, 0,   0, 3,   0,
                         0,    0,    4,    0, 0,    0,    0xBC, 2,    0,   0, 1,   2, 3,   4,
                         5,    6,    7,    8, 'A',  0,    'r',  0,    'i', 0, 'a', 0, 'l', 0}));
  EXPECT_TRUE(std::all_of(b.begin() + 42, b.end(), [](std::uint8_t x) { return x == 0; }));
  EXPECT_EQ(FontRecord::decode(b), f);
  EXPECT_EQ(FontRecord::decode(std::span(b).first(95)), std::nullopt);

  f.setFace(std::string(40, 'x'));
  EXPECT_EQ(f.face(), std::string(31, 'x'));
}

TEST_F(Settings, FontIsReadOnlyFromExactly96BinaryBytes) {
  FontRecord stored;
  stored.colour = 0xFF;
  stored.height = -20;
  stored.weight = 400;
  stored.setFace("Liberation Sans");
  WriteFontSetting(kSettingsKey, kCityTimesFont, stored);

  FontRecord font;
  EXPECT_TRUE(ReadFontSetting(kSettingsKey, kCityTimesFont, font));
  EXPECT_EQ(font, stored);

  store(kCityTimesFont, Binary(Bytes(95, 1)));
  FontRecord untouched;
  untouched.setFace("Design");
  font = untouched;
  EXPECT_FALSE(ReadFontSetting(kSettingsKey, kCityTimesFont, font));
  EXPECT_EQ(font, untouched);
}

class FailingBackend : public SettingsBackend {
 public:
  RegStatus get(std::string_view, std::string_view, RegValue&) override { return RegStatus::Failed; }
  RegWriteResult set(std::string_view, std::string_view, const RegValue&) override {
    return {RegStatus::Failed, "Cannot write \"x\"."};
  }
  RegWriteResult remove(std::string_view, std::string_view) override {
    return {RegStatus::Failed, "Cannot write \"x\"."};
  }
};

TEST_F(Settings, ErrorsCarryTheirTexts) {
  std::vector<std::string> list;
  FontRecord font;
  struct Case {
    std::function<void()> op;
    const char* text;
  } cases[] = {
      {[&] {
         store(kTheme, RegValue::fromString("1"));
         ReadIntegerSetting(kSettingsKey, kTheme, 1);
       },
       "Invalid data type for 'Theme'"},
      {[&] {
         store(kMapTimeFormat, RegValue::fromDword(1));
         ReadStringSetting(kSettingsKey, kMapTimeFormat, "");
       },
       "Invalid data type for 'MapTimeFormat'"},
      {[&] {
         store(kDateTimeFont, Binary(Bytes(97, 0)));
         ReadFontSetting(kSettingsKey, kDateTimeFont, font);
       },
       "Invalid data type for 'Date/Time Font'"},
      {[&] {
         store(kDateTimeFont, RegValue::fromString("Arial"));
         ReadFontSetting(kSettingsKey, kDateTimeFont, font);
       },
       "Invalid data type for 'Date/Time Font'"},
      {[&] {
         store(kDisplayCities, RegValue::fromString("London"));
         ReadStringListSetting(kSettingsKey, kDisplayCities, list);
       },
       "Incorrect registry value type"},
      {[&] {
         SetSettingsBackend(std::make_shared<FailingBackend>());
         ReadStringListSetting(kSettingsKey, kDisplayCities, list);
       },
       "Error reading strings from registry"},
      {[&] {
         SetSettingsBackend(std::make_shared<FailingBackend>());
         WriteStringListSetting(kSettingsKey, kDisplayCities, {"A"});
       },
       "Error writing strings to registry"},
  };
  for (const Case& c : cases) {
    useStore();
    try {
      c.op();
      ADD_FAILURE() << "no error for " << c.text;
    } catch (const SettingsError& e) {
      EXPECT_THAT(e.what(), ::testing::StartsWith(c.text));
    }
  }
  // Other failed writes go to the failure handler, one message each.
  std::vector<std::string> reports;
  SetSettingsFailureHandler([&](const std::string& m) { reports.push_back(m); });
  SetSettingsBackend(std::make_shared<FailingBackend>());
  EXPECT_NO_THROW(WriteIntegerSetting(kSettingsKey, kTheme, 1));
  EXPECT_NO_THROW(DeleteSetting(kSettingsKey, kTheme));
  SetSettingsFailureHandler(nullptr);
  EXPECT_EQ(reports, (std::vector<std::string>{"Cannot write \"x\".", "Cannot write \"x\"."}));
  EXPECT_EQ(ReadIntegerSetting(kSettingsKey, kTheme, 3), 3);
}

}  // namespace
}  // namespace wc
