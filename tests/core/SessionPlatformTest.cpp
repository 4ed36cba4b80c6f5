// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "core/SessionPlatform.h"

namespace wc {
namespace {

const std::vector<std::string> kPlain{"tavrel-world-clock"};
const std::vector<std::string> kXcb{"tavrel-world-clock", "-platform", "xcb"};

TEST(ToolkitArguments, WaylandSessionsGoThroughXwaylandUnlessTheUserChose) {
  struct Case {
    const char* what;
    SessionEnvironment env;
    std::vector<std::string> argv;
    std::vector<std::string> expected;
  };
  const std::vector<std::string> chosen{"tavrel-world-clock", "-platform", "wayland"};
  const std::vector<std::string> chosenLong{"tavrel-world-clock", "--platform=wayland"};
  const Case cases[] = {
      {"Wayland display and Xwayland", {"", "wayland-0", "", ":1"}, kPlain, kXcb},
      {"session type alone", {"", "", "wayland", ":0"}, kPlain, kXcb},
      {"the user's QT_QPA_PLATFORM", {"wayland", "wayland-0", "wayland", ":1"}, kPlain, kPlain},
      {"the user's -platform", {"", "wayland-0", "wayland", ":1"}, chosen, chosen},
      {"the user's --platform=", {"", "wayland-0", "wayland", ":1"}, chosenLong, chosenLong},
      {"no Xwayland to go to", {"", "wayland-0", "wayland", ""}, kPlain, kPlain},
      {"an X11 session", {"", "", "x11", ":0"}, kPlain, kPlain},
  };
  for (const Case& c : cases) EXPECT_EQ(ToolkitArguments(c.env, c.argv), c.expected) << c.what;
}

TEST(ToolkitArguments, OtherArgumentsStayInTheirPlaces) {
  EXPECT_EQ(ToolkitArguments({"", "wayland-0", "", ":1"}, {"tavrel-world-clock", "-style", "fusion"}),
            (std::vector<std::string>{"tavrel-world-clock", "-platform", "xcb", "-style", "fusion"}));
}

}  // namespace
}  // namespace wc
