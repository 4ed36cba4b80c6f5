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
  bool composed;
  bool drawn;
  bool wallpaper;
  TickRequests left;
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
  const TickRequests recompose{true, false, false};
  const TickRequests both{true, true, false};
  const TickRequests wall{false, false, true};

  struct Case {
    const char* what;
    DateTime local;  // the computer's clock, before the half-second lead
    double utcOffset;
    bool showUtc;
    bool minimized;
    bool wallpaperOn;
    bool showTimes;
    bool mapReady;
    bool busy;
    TickRequests requests;
    Outcome expected;
  } cases[] = {
      {"five-minute slot recomposes, draws nothing yet",
       At(10, 5, 50),
       0,
       false,
       false,
       false,
       true,
       true,
       false,
       none,
       {true, false, false, none}},
      {"the lead brings 49.6 s to second 50",
       At(10, 5, 49, 600),
       0,
       false,
       false,
       false,
       true,
       true,
       false,
       none,
       {true, false, false, none}},
      {"second 50 outside the five-minute slot",
       At(10, 4, 50),
       0,
       false,
       false,
       false,
       true,
       true,
       false,
       none,
       {false, false, false, none}},
      {"full minute redraws",
       At(10, 5, 0),
       0,
       false,
       false,
       false,
       true,
       true,
       false,
       none,
       {false, true, false, none}},
      {"no redraw before the first base map",
       At(10, 5, 0),
       0,
       false,
       false,
       false,
       true,
       false,
       false,
       none,
       {false, false, false, none}},
      {"a request recomposes and redraws in the same tick",
       At(10, 4, 12),
       0,
       false,
       false,
       false,
       true,
       true,
       false,
       recompose,
       {true, true, false, none}},
      {"show step: first map at once",
       At(10, 4, 12),
       0,
       false,
       false,
       false,
       true,
       false,
       false,
       both,
       {true, true, false, none}},
      {"a slot composition leaves no redraw request behind",
       At(10, 5, 50),
       0,
       false,
       false,
       false,
       true,
       true,
       false,
       TickRequests{false, true, false},
       {true, false, false, none}},
      {"busy: the request is dropped",
       At(10, 4, 12),
       0,
       false,
       false,
       false,
       true,
       true,
       true,
       both,
       {false, true, false, none}},
      {"busy at the slot: a pending redraw is still served",
       At(10, 5, 50),
       0,
       false,
       false,
       false,
       true,
       true,
       true,
       TickRequests{false, true, false},
       {false, true, false, none}},
      {"minimized without wallpaper: nothing at the slot",
       At(10, 5, 50),
       0,
       false,
       true,
       false,
       true,
       true,
       false,
       none,
       {false, false, false, none}},
      {"minimized without wallpaper: a request waits",
       At(10, 4, 12),
       0,
       false,
       true,
       false,
       true,
       true,
       false,
       both,
       {false, false, false, both}},
      {"minimized with wallpaper: recomposes, no window map",
       At(10, 5, 50),
       0,
       false,
       true,
       true,
       true,
       true,
       false,
       recompose,
       {true, false, false, TickRequests{false, true, false}}},
      {"wallpaper at second 2 with city times",
       At(10, 3, 2),
       0,
       false,
       false,
       true,
       true,
       true,
       false,
       none,
       {false, false, true, none}},
      {"wallpaper without city times: only every fifth minute",
       At(10, 3, 2),
       0,
       false,
       false,
       true,
       false,
       true,
       false,
       none,
       {false, false, false, none}},
      {"wallpaper without city times at a fifth minute",
       At(10, 5, 2),
       0,
       false,
       false,
       true,
       false,
       true,
       false,
       none,
       {false, false, true, none}},
      {"wallpaper request served at any second",
       At(10, 3, 33),
       0,
       false,
       false,
       true,
       true,
       true,
       false,
       wall,
       {false, false, true, none}},
      {"wallpaper request waits for the map",
       At(10, 3, 33),
       0,
       false,
       false,
       true,
       true,
       false,
       false,
       wall,
       {false, false, false, wall}},
      {"wallpaper off: its request stays",
       At(10, 3, 2),
       0,
       false,
       false,
       false,
       true,
       true,
       false,
       wall,
       {false, false, false, wall}},
      {"UTC+5:45 with Show UTC follows the UTC minute",
       At(15, 50, 50),
       kKathmandu,
       true,
       false,
       false,
       true,
       true,
       false,
       none,
       {true, false, false, none}},
      {"UTC+5:45 with Show UTC: UTC 10:06:50 is no slot",
       At(15, 51, 50),
       kKathmandu,
       true,
       false,
       false,
       true,
       true,
       false,
       none,
       {false, false, false, none}},
      // 5:45 is itself a whole number of five minutes; an offset that is not
      // shows that the slot is taken from the UTC minute.
      {"UTC+0:47 with Show UTC: UTC 10:05:50 is a slot",
       At(10, 52, 50),
       kPlus47,
       true,
       false,
       false,
       true,
       true,
       false,
       none,
       {true, false, false, none}},
      {"UTC+0:47 local time: local 10:52:50 is no slot",
       At(10, 52, 50),
       kPlus47,
       false,
       false,
       false,
       true,
       true,
       false,
       none,
       {false, false, false, none}},
      {"UTC+0:47 local time: local 10:55:50 is a slot",
       At(10, 55, 50),
       kPlus47,
       false,
       false,
       false,
       true,
       true,
       false,
       none,
       {true, false, false, none}},
      {"UTC+0:47 with Show UTC: local 10:55:50 is UTC 10:08:50",
       At(10, 55, 50),
       kPlus47,
       true,
       false,
       false,
       true,
       true,
       false,
       none,
       {false, false, false, none}},
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
  in.requests = {true, true, false};  // as the show step leaves them
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
