// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Windows brought back onto a monitor and new ones placed where none lies.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "core/ScreenPlace.h"

namespace wc {
namespace {

TEST(ScreenPlace, AWindowNoMonitorShowsHalfOfIsBroughtFullyOntoTheNearest) {
  // Two monitors side by side, the right one lower and under a 30-pixel panel.
  const std::vector<ScreenRect> two = {{0, 0, 1920, 1080}, {1920, 30, 1280, 994}};
  const struct {
    const char* what;
    ScreenRect window;
    std::optional<ScreenRect> expected;
  } cases[] = {
      {"inside the left one: stays", {100, 200, 200, 200}, std::nullopt},
      {"exactly half on: stays", {1820, 500, 200, 200}, std::nullopt},
      {"half off the right edge of all: stays", {3100, 500, 200, 200}, std::nullopt},
      {"where a third monitor was", {3400, 300, 200, 200}, ScreenRect{3000, 300, 200, 200}},
      {"above both, nearer the right one", {2500, -400, 150, 150}, ScreenRect{2500, 30, 150, 150}},
      {"left of everything, low", {-500, 2000, 168, 102}, ScreenRect{0, 978, 168, 102}},
      {"a third on the left, a third on the right: on neither by half", {1853, 1000, 200, 200},
       ScreenRect{1720, 880, 200, 200}},
  };
  for (const auto& c : cases) EXPECT_EQ(BroughtOnScreen(c.window, two), c.expected) << c.what;
  EXPECT_EQ(BroughtOnScreen({5000, 5000, 100, 100}, {}), std::nullopt) << "no monitor known";
}

TEST(ScreenPlace, ANewWindowStepsDownAndRightPastTheOnesAlreadyThere) {
  const ScreenRect area{0, 0, 800, 600};
  const ScreenRect designed{193, 124, 200, 200};
  const struct {
    const char* what;
    std::vector<ScreenRect> others;
    ScreenRect expected;
  } cases[] = {
      {"free", {}, designed},
      {"a clock elsewhere", {{500, 300, 100, 100}}, designed},
      {"one on the place", {{193, 124, 200, 200}}, {217, 148, 200, 200}},
      {"nearly on it", {{200, 110, 150, 150}}, {217, 148, 200, 200}},
      {"two in a row", {{193, 124, 200, 200}, {217, 148, 100, 100}}, {241, 172, 200, 200}},
      {"a gap in the row is used", {{193, 124, 200, 200}, {241, 172, 100, 100}}, {217, 148, 200, 200}},
      // The next step would leave the area: the last place that fits.
      {"no room left", {{193, 124, 1, 1}, {217, 148, 1, 1}, {241, 172, 1, 1}, {265, 196, 1, 1},
                        {289, 220, 1, 1}, {313, 244, 1, 1}, {337, 268, 1, 1}, {361, 292, 1, 1},
                        {385, 316, 1, 1}, {409, 340, 1, 1}, {433, 364, 1, 1}, {457, 388, 1, 1}},
       {457, 388, 200, 200}},
  };
  for (const auto& c : cases) EXPECT_EQ(FreePlace(designed, c.others, area), c.expected) << c.what;
}

}  // namespace
}  // namespace wc
