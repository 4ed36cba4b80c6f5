// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Hot-key values, and registration and delivery through a real X server.

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QThread>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

#include "core/HotKey.h"
#include "platform/HotKeyManager.h"
#include "platform/X11HotKeyBackend.h"
#include "platform/X11TestClient.h"

namespace wc {
namespace {

constexpr HotKeyValue kCtrlShiftC = kHotKeyCtrl | kHotKeyShift | 'C';  // 0x6043

TEST(HotKeyValue, LayoutNamesAndWindowsFlags) {
  EXPECT_EQ(kCtrlShiftC, 24643u);
  EXPECT_EQ(HotKeyRegistrationName(kCtrlShiftC), "HotKeyManagerHotKey24643");
  EXPECT_EQ(HotKeyRegistrationName(kHotKeyCtrl | 'Q'), "HotKeyManagerHotKey16465");

  struct Case {
    HotKeyValue v;
    unsigned windowsMods;
    const char* text;
    std::uint32_t keysym;
  };
  const Case cases[] = {
      {kCtrlShiftC, 2 | 4, "Ctrl + Shift + C", 'c'},
      {kHotKeyAlt | 0x74, 1, "Alt + F5", 0xFFC2},
      {kHotKeyCtrl | kHotKeyAlt | 0x63, 1 | 2, "Ctrl + Alt + Num 3", 0xFFB3},
      {kHotKeyWin | kHotKeyShift | '7', 4 | 8, "Win + Shift + 7", '7'},
      {kHotKeyCtrl | 0xBC, 2, "Ctrl + ,", ','},
      {kHotKeyCtrl | 0x22, 2, "Ctrl + Page Down", 0xFF56},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(HotKeyWindowsModifiers(c.v), c.windowsMods);
    EXPECT_EQ(HotKeyFromWindows(HotKeyVirtualKey(c.v), c.windowsMods), c.v);
    EXPECT_EQ(HotKeyText(c.v), c.text);
    EXPECT_EQ(VirtualKeyToKeySym(HotKeyVirtualKey(c.v)), c.keysym);
  }
  EXPECT_EQ(HotKeyText(0), "None");
  EXPECT_EQ(VirtualKeyToKeySym(0xFF), 0u);
}

// A QGuiApplication on the platform the test asks for; it keeps its
// arguments alive, as the application requires.
struct TestApp {
  explicit TestApp(const char* platform) : platformArg(platform), app(argc, argv) {}
  int argc = 3;
  char arg0[16] = "platform_tests";
  char arg1[16] = "-platform";
  std::string platformArg;
  char* argv[4] = {arg0, arg1, platformArg.data(), nullptr};
  QGuiApplication app;
};

std::unique_ptr<TestApp> MakeApp(const char* platform) { return std::make_unique<TestApp>(platform); }

bool WaitUntil(const std::function<bool()>& done, int ms = 3000) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
  }
  return true;
}

using OtherClient = test::X11TestClient;

void PressKeys(const char* keys) { ASSERT_EQ(QProcess::execute("xdotool", {"key", keys}), 0) << keys; }

class X11HotKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY") || !*std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X server in DISPLAY";
    app_ = MakeApp("xcb");
  }
  std::unique_ptr<TestApp> app_;
};

TEST_F(X11HotKeys, FiresWhileAnotherClientHasTheFocusAlsoWithNumLock) {
  HotKeyManager manager;
  std::optional<std::pair<quint32, quint32>> got;
  int presses = 0;
  QObject::connect(&manager, &HotKeyManager::OnHotKeyPressed, [&](quint32 v, quint32 id) {
    got = {v, id};
    ++presses;
  });

  const std::uint32_t id = manager.AddHotKey(kCtrlShiftC);
  ASSERT_NE(id, 0u);
  // The registration id is the X atom of the registration name.
  auto* x11 = app_->app.nativeInterface<QNativeInterface::QX11Application>();
  auto* nameReply =
      xcb_get_atom_name_reply(x11->connection(), xcb_get_atom_name(x11->connection(), id), nullptr);
  ASSERT_NE(nameReply, nullptr);
  EXPECT_EQ(std::string(xcb_get_atom_name_name(nameReply), xcb_get_atom_name_name_length(nameReply)),
            "HotKeyManagerHotKey24643");
  std::free(nameReply);

  OtherClient other;
  other.createWindow();
  other.takeFocus();
  ASSERT_EQ(other.focus(), other.window);

  PressKeys("ctrl+shift+c");
  ASSERT_TRUE(WaitUntil([&] { return got.has_value(); }));
  EXPECT_EQ(got->first, kCtrlShiftC);
  EXPECT_EQ(got->second, id);

  // Another combination, and the key without its modifiers, go to the focused
  // window as usual.
  PressKeys("ctrl+shift+d");
  PressKeys("c");
  WaitUntil([] { return false; }, 200);
  EXPECT_EQ(presses, 1);

  PressKeys("Num_Lock");
  PressKeys("ctrl+shift+c");
  EXPECT_TRUE(WaitUntil([&] { return presses == 2; }));
  PressKeys("Num_Lock");
  PressKeys("Caps_Lock");
  PressKeys("ctrl+shift+c");
  EXPECT_TRUE(WaitUntil([&] { return presses == 3; }));
  PressKeys("Caps_Lock");
  EXPECT_EQ(other.focus(), other.window);
}

TEST_F(X11HotKeys, ACombinationAnotherClientHoldsIsRefused) {
  constexpr HotKeyValue ctrlAltK = kHotKeyCtrl | kHotKeyAlt | 'K';
  HotKeyManager manager;
  {
    OtherClient other;
    X11HotKeyBackend otherGrabs(other.conn, false);
    ASSERT_NE(otherGrabs.registerHotKey(ctrlAltK, "held elsewhere"), 0u);

    EXPECT_EQ(manager.AddHotKey(ctrlAltK), 0u);
    EXPECT_TRUE(manager.HotKeyList().empty());
    EXPECT_FALSE(manager.RemoveHotKey(ctrlAltK));
  }
  // Released by the other client: now it is ours.
  EXPECT_NE(manager.AddHotKey(ctrlAltK), 0u);
}

TEST_F(X11HotKeys, RemoveAndClearReleaseTheGrabs) {
  constexpr HotKeyValue a = kHotKeyCtrl | kHotKeyAlt | 0x70;  // Ctrl+Alt+F1
  constexpr HotKeyValue b = kHotKeyAlt | kHotKeyShift | 'B';
  OtherClient other;
  X11HotKeyBackend otherGrabs(other.conn, false);
  {
    HotKeyManager manager;
    const std::uint32_t idA = manager.AddHotKey(a);
    ASSERT_NE(idA, 0u);
    ASSERT_NE(manager.AddHotKey(b), 0u);
    // The same combination twice is refused, as a second registration is.
    EXPECT_EQ(manager.AddHotKey(a), 0u);
    EXPECT_EQ(otherGrabs.registerHotKey(a, "x"), 0u);

    EXPECT_TRUE(manager.RemoveHotKey(a));
    EXPECT_FALSE(manager.RemoveHotKey(a));
    ASSERT_EQ(manager.HotKeyList().size(), 1u);
    EXPECT_NE(otherGrabs.registerHotKey(a, "x"), 0u);
    otherGrabs.unregisterHotKey(a, 0);
    EXPECT_EQ(otherGrabs.registerHotKey(b, "x"), 0u);
  }
  // Destroying the manager clears its list.
  EXPECT_NE(otherGrabs.registerHotKey(b, "x"), 0u);
  // A code with no key on X11 cannot be registered.
  HotKeyManager manager;
  EXPECT_EQ(manager.AddHotKey(kHotKeyCtrl | 0xFF), 0u);
}

// Puts keysyms on a keycode (all columns), as a layout switch does.
void MapKey(xcb_connection_t* c, std::uint8_t keycode, std::uint32_t lower, std::uint32_t upper) {
  const xcb_setup_t* setup = xcb_get_setup(c);
  auto* reply =
      xcb_get_keyboard_mapping_reply(c, xcb_get_keyboard_mapping(c, setup->min_keycode, 1), nullptr);
  const std::uint8_t per = reply->keysyms_per_keycode;
  std::free(reply);
  std::vector<xcb_keysym_t> syms(per, 0);
  for (std::uint8_t i = 0; i < per; ++i) syms[i] = (i % 2 == 0) ? lower : upper;
  xcb_change_keyboard_mapping(c, 1, keycode, per, syms.data());
  std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

TEST_F(X11HotKeys, FollowsTheKeyToItsNewPlaceAfterAMappingChange) {
  constexpr HotKeyValue ctrlAltJ = kHotKeyCtrl | kHotKeyAlt | 'J';
  OtherClient other;
  // The key that types j now, and a free keycode to move it to.
  X11HotKeyBackend probe(other.conn, false);
  const xcb_setup_t* setup = xcb_get_setup(other.conn);
  const int count = setup->max_keycode - setup->min_keycode + 1;
  auto* map = xcb_get_keyboard_mapping_reply(
      other.conn, xcb_get_keyboard_mapping(other.conn, setup->min_keycode, static_cast<std::uint8_t>(count)),
      nullptr);
  ASSERT_NE(map, nullptr);
  const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map);
  std::uint8_t jKey = 0, freeKey = 0;
  for (int i = 0; i < count; ++i) {
    bool empty = true;
    for (int l = 0; l < map->keysyms_per_keycode; ++l)
      empty = empty && syms[i * map->keysyms_per_keycode + l] == 0;
    if (syms[i * map->keysyms_per_keycode] == 'j' && !jKey)
      jKey = static_cast<std::uint8_t>(setup->min_keycode + i);
    if (empty && setup->min_keycode + i > 200) freeKey = static_cast<std::uint8_t>(setup->min_keycode + i);
  }
  std::free(map);
  ASSERT_NE(jKey, 0);
  ASSERT_NE(freeKey, 0);

  HotKeyManager manager;
  int presses = 0;
  QObject::connect(&manager, &HotKeyManager::OnHotKeyPressed, [&] { ++presses; });
  ASSERT_NE(manager.AddHotKey(ctrlAltJ), 0u);
  MapKey(other.conn, freeKey, 'j', 'J');
  MapKey(other.conn, jKey, 0, 0);
  WaitUntil([] { return false; }, 300);  // the mapping change reaches the program
  PressKeys("ctrl+alt+j");
  const bool fired = WaitUntil([&] { return presses == 1; });
  MapKey(other.conn, jKey, 'j', 'J');
  MapKey(other.conn, freeKey, 0, 0);
  EXPECT_TRUE(fired);
}

TEST(HotKeysWithoutX11, EveryRegistrationFails) {
  auto app = MakeApp("offscreen");
  HotKeyManager manager;
  EXPECT_EQ(manager.AddHotKey(kCtrlShiftC), 0u);
  EXPECT_TRUE(manager.HotKeyList().empty());
}

}  // namespace
}  // namespace wc
