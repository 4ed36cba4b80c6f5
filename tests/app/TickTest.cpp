// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Tick.h"

#include <gtest/gtest.h>

#include "core/CityTime.h"

namespace wc {
namespace {

// Wednesday 9 December 2026.
DateTime At(int h, int m, int s, int ms = 0) { return EncodeDate(2026, 12, 9) + EncodeTime(h, m, s, ms); }

// Local time 15:50:50 in a UTC+5:45 zone is 10:05:50 UTC.
constexpr double kKathmandu = -(5.0 + 45.0 / 60.0) / 24.0;
constexpr double kPlus47 = -47.0 / 1440.0;

struct Outcome {
  bool composed = false;
  bool drawn = false;
  bool wallpaper = false;
  TickRequests left{};
};

// One tick as the window runs it: a composition that was started finishes and
// leaves the base map ready.
Outcome RunTick(const TickInput& in) {
  const TickStart s = StartTick(in);
  const TickOutput o = FinishTick(in, s, in.mapReady || s.composeBaseMap);
  return {s.composeBaseMap, o.drawDisplay, o.refreshWallpaper, o.requests};
}

TEST(Tick, DecisionTable) {
  const TickRequests none;
  const TickRequests recompose{.mapRecompose = true};
  const TickRequests both{.mapRecompose = true, .displayRedraw = true};
  const TickRequests wall{.wallpaperUpdate = true};

  struct Case {
    const char* what;
    DateTime local;  // the computer's clock, before the half-second lead
    double utcOffset = 0;
    bool showUtc = false;
    bool minimized = false;
    bool wallpaperOn = false;
    bool showTimes = true;
    bool mapReady = true;
    bool busy = false;
    TickRequests requests{};
    Outcome expected{};
  } cases[] = {
      {.what = "five-minute slot recomposes, draws nothing yet",
       .local = At(10, 5, 50),
       .expected = {.composed = true}},
      {.what = "the lead brings 49.6 s to second 50",
       .local = At(10, 5, 49, 600),
       .expected = {.composed = true}},
      {.what = "second 50 outside the five-minute slot", .local = At(10, 4, 50)},
      {.what = "full minute redraws", .local = At(10, 5, 0), .expected = {.drawn = true}},
      {.what = "no redraw before the first base map", .local = At(10, 5, 0), .mapReady = false},
      {.what = "a request recomposes and redraws in the same tick",
       .local = At(10, 4, 12),
       .requests = recompose,
       .expected = {.composed = true, .drawn = true}},
      {.what = "show step: first map at once",
       .local = At(10, 4, 12),
       .mapReady = false,
       .requests = both,
       .expected = {.composed = true, .drawn = true}},
      {.what = "a slot composition leaves no redraw request behind",
       .local = At(10, 5, 50),
       .requests = TickRequests{.displayRedraw = true},
       .expected = {.composed = true}},
      {.what = "busy: the request is dropped",
       .local = At(10, 4, 12),
       .busy = true,
       .requests = both,
       .expected = {.drawn = true}},
      {.what = "busy at the slot: a pending redraw is still served",
       .local = At(10, 5, 50),
       .busy = true,
       .requests = TickRequests{.displayRedraw = true},
       .expected = {.drawn = true}},
      {.what = "minimized without wallpaper: nothing at the slot", .local = At(10, 5, 50), .minimized = true},
      {.what = "minimized without wallpaper: a request waits",
       .local = At(10, 4, 12),
       .minimized = true,
       .requests = both,
       .expected = {.left = both}},
      {.what = "minimized with wallpaper: recomposes, no window map",
       .local = At(10, 5, 50),
       .minimized = true,
       .wallpaperOn = true,
       .requests = recompose,
       .expected = {.composed = true, .left = TickRequests{.displayRedraw = true}}},
      {.what = "wallpaper at second 2 with city times",
       .local = At(10, 3, 2),
       .wallpaperOn = true,
       .expected = {.wallpaper = true}},
      {.what = "wallpaper without city times: only every fifth minute",
       .local = At(10, 3, 2),
       .wallpaperOn = true,
       .showTimes = false},
      {.what = "wallpaper without city times at a fifth minute",
       .local = At(10, 5, 2),
       .wallpaperOn = true,
       .showTimes = false,
       .expected = {.wallpaper = true}},
      {.what = "wallpaper request served at any second",
       .local = At(10, 3, 33),
       .wallpaperOn = true,
       .requests = wall,
       .expected = {.wallpaper = true}},
      {.what = "wallpaper request waits for the map",
       .local = At(10, 3, 33),
       .wallpaperOn = true,
       .mapReady = false,
       .requests = wall,
       .expected = {.left = wall}},
      {.what = "wallpaper off: its request stays",
       .local = At(10, 3, 2),
       .requests = wall,
       .expected = {.left = wall}},
      {.what = "UTC+5:45 with Show UTC follows the UTC minute",
       .local = At(15, 50, 50),
       .utcOffset = kKathmandu,
       .showUtc = true,
       .expected = {.composed = true}},
      {.what = "UTC+5:45 with Show UTC: UTC 10:06:50 is no slot",
       .local = At(15, 51, 50),
       .utcOffset = kKathmandu,
       .showUtc = true},
      // 5:45 is itself a whole number of five minutes; an offset that is not
      // shows that the slot is taken from the UTC minute.
      {.what = "UTC+0:47 with Show UTC: UTC 10:05:50 is a slot",
       .local = At(10, 52, 50),
       .utcOffset = kPlus47,
       .showUtc = true,
       .expected = {.composed = true}},
      {.what = "UTC+0:47 local time: local 10:52:50 is no slot",
       .local = At(10, 52, 50),
       .utcOffset = kPlus47},
      {.what = "UTC+0:47 local time: local 10:55:50 is a slot",
       .local = At(10, 55, 50),
       .utcOffset = kPlus47,
       .expected = {.composed = true}},
      {.what = "UTC+0:47 with Show UTC: local 10:55:50 is UTC 10:08:50",
       .local = At(10, 55, 50),
       .utcOffset = kPlus47,
       .showUtc = true},
  };
  for (const Case& c : cases) {
    TickInput in;
    in.tickNow = c.local + kDisplayLead;
    in.utcOffsetDays = c.utcOffset;
    in.settings.showUtc = c.showUtc;
    in.minimized = c.minimized;
    in.settings.wallpaperOn = c.wallpaperOn;
    in.settings.desktopShowTimes = c.showTimes;
    in.mapReady = c.mapReady;
    in.baseMapBusy = c.busy;
    in.requests = c.requests;
    const Outcome got = RunTick(in);
    EXPECT_EQ(got.composed, c.expected.composed) << c.what;
    EXPECT_EQ(got.drawn, c.expected.drawn) << c.what;
    EXPECT_EQ(got.wallpaper, c.expected.wallpaper) << c.what;
    EXPECT_EQ(got.left, c.expected.left) << c.what;
  }
}

TEST(Tick, OnlySecondFiftyOfTheFiveMinuteSlotRecomposes) {
  for (int second = 51; second <= 59; ++second) {
    TickInput in;
    in.tickNow = At(10, 5, second) + kDisplayLead;
    in.mapReady = true;
    in.settings.wallpaperOn = true;
    const Outcome got = RunTick(in);
    EXPECT_FALSE(got.composed) << "10:05:" << second;
    EXPECT_FALSE(got.drawn) << "10:05:" << second;
    EXPECT_FALSE(got.wallpaper) << "10:05:" << second;
  }
}

TEST(Tick, StartMinimizedGoesToTheTrayOnTheFirstTickOnly) {
  TickInput in;
  in.tickNow = At(10, 5, 50) + kDisplayLead;
  in.firstTick = true;
  in.startMinimized = true;
  in.requests = {.mapRecompose = true, .displayRedraw = true};  // as the show step leaves them
  TickStart s = StartTick(in);
  EXPECT_TRUE(s.minimizeToTray);
  EXPECT_TRUE(s.minimized);
  EXPECT_FALSE(s.composeBaseMap);
  EXPECT_TRUE(s.requests.mapRecompose) << "restoring must still find the request";

  in.firstTick = false;
  s = StartTick(in);
  EXPECT_FALSE(s.minimizeToTray);
  EXPECT_TRUE(s.composeBaseMap);
}

TEST(Tick, TextsAndTrayHint) {
  TickInput in;
  in.tickNow = At(14, 5, 7) + kDisplayLead;
  in.utcOffsetDays = kKathmandu;
  TickStart s = StartTick(in);
  EXPECT_EQ(s.timeText, "2:05 PM");
  ASSERT_TRUE(s.timeTextChanged);
  EXPECT_EQ(s.dateText, "Wednesday, December 9, 2026");
  EXPECT_EQ(TrayHintText(s.timeText, s.dateText), "2:05 PM Wednesday, December 9, 2026");
  EXPECT_TRUE(FinishTick(in, s, false).setTrayHint);

  // The long date is made once a minute, when the short time changes.
  in.lastTimeText = s.timeText;
  s = StartTick(in);
  EXPECT_FALSE(s.timeTextChanged);
  EXPECT_TRUE(s.dateText.empty());

  // Show UTC: 14:05 in Kathmandu is 08:20 UTC, the date too follows UTC.
  in.settings.showUtc = true;
  in.tickNow = EncodeDate(2026, 12, 10) + EncodeTime(3, 0, 0, 0) + kDisplayLead;
  s = StartTick(in);
  EXPECT_EQ(s.timeText, "9:15 PM");
  EXPECT_EQ(s.dateText, "Wednesday, December 9, 2026");

  in.settings.showBalloon = true;
  EXPECT_FALSE(FinishTick(in, s, true).setTrayHint);
}

}  // namespace
}  // namespace wc
