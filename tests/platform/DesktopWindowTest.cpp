// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The hints that keep a desktop clock apart from the program's main window,
// as a window manager reads them from a real X server before the window is
// mapped.

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/DesktopWindow.h"
#include "platform/XcbPicture.h"

namespace wc {
namespace {

struct XcbApp {
  int argc = 3;
  char arg0[16] = "platform_tests";
  char arg1[16] = "-platform";
  char arg2[8] = "xcb";
  char* argv[4] = {arg0, arg1, arg2, nullptr};
  QGuiApplication app{argc, argv};
};

class X11DesktopWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY") || !*std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X server in DISPLAY";
    app_ = std::make_unique<XcbApp>();
    c_ = app_->app.nativeInterface<QNativeInterface::QX11Application>()->connection();
  }

  std::vector<std::uint32_t> property(xcb_window_t w, const char* name, xcb_atom_t type) {
    std::vector<std::uint32_t> out;
    xcb_get_property_reply_t* r =
        xcb_get_property_reply(c_, xcb_get_property(c_, 0, w, InternAtom(c_, name), type, 0, 64), nullptr);
    if (r && r->format == 32) {
      const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(r));
      out.assign(v, v + xcb_get_property_value_length(r) / 4);
    }
    std::free(r);
    return out;
  }
  std::string atomName(std::uint32_t atom) {
    xcb_get_atom_name_reply_t* r = xcb_get_atom_name_reply(c_, xcb_get_atom_name(c_, atom), nullptr);
    std::string s = r ? std::string(xcb_get_atom_name_name(r), xcb_get_atom_name_name_length(r)) : "";
    std::free(r);
    return s;
  }
  std::vector<std::string> atomNames(xcb_window_t w, const char* name) {
    std::vector<std::string> out;
    for (std::uint32_t a : property(w, name, XCB_ATOM_ATOM)) out.push_back(atomName(a));
    return out;
  }

  std::unique_ptr<XcbApp> app_;
  xcb_connection_t* c_ = nullptr;
};

// Task bars, pagers and switchers list a window unless it says otherwise,
// and managers hide or minimise a group's utility windows with its leader:
// a clock must be in no list, on every desktop, and in a group of its own.
TEST_F(X11DesktopWindow, AClockIsAUtilityWindowOfItsOwnGroupOnEveryDesktopInNoList) {
  QWindow clock;
  clock.setFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
  clock.create();
  const auto w = static_cast<xcb_window_t>(clock.winId());
  MarkAsDesktopWindow(&clock);

  EXPECT_EQ(atomNames(w, "_NET_WM_WINDOW_TYPE"), std::vector<std::string>{"_NET_WM_WINDOW_TYPE_UTILITY"});
  const std::vector<std::string> states = atomNames(w, "_NET_WM_STATE");
  for (const char* s : {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER", "_NET_WM_STATE_STICKY"})
    EXPECT_NE(std::find(states.begin(), states.end(), s), states.end()) << s;
  EXPECT_EQ(property(w, "_NET_WM_DESKTOP", XCB_ATOM_CARDINAL), std::vector<std::uint32_t>{0xFFFFFFFF});

  const std::vector<std::uint32_t> hints = property(w, "WM_HINTS", XCB_ATOM_WM_HINTS);
  ASSERT_EQ(hints.size(), 9u);
  EXPECT_TRUE(hints[0] & (1u << 6)) << "no window group";
  EXPECT_EQ(hints[8], w) << "grouped with the program (leader " << hints[8] << ")";
  // What the toolkit put in the hints stays: a clock takes no keyboard input.
  EXPECT_TRUE(hints[0] & 1u);
  EXPECT_EQ(hints[1], 0u);
  EXPECT_TRUE(property(w, "WM_TRANSIENT_FOR", XCB_ATOM_WINDOW).empty());

  // A second marking (after the flags changed) adds no state twice.
  MarkAsDesktopWindow(&clock);
  EXPECT_EQ(atomNames(w, "_NET_WM_STATE").size(), states.size());
}

}  // namespace
}  // namespace wc
