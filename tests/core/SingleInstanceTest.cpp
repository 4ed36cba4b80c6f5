// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/SingleInstance.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "TestSupport.h"

namespace wc {
namespace {

TEST(SingleInstance, OneClaimPerDesktop) {
  const std::string runtime = test::MakeTempFolder("wc-runtime-");
  test::ScopedEnv env("XDG_RUNTIME_DIR", runtime);
  const std::string desktop = test::UniqueName("x11:test-");
  auto first = std::make_unique<SingleInstance>(desktop);
  ASSERT_TRUE(first->acquire());
  SingleInstance second(desktop);
  EXPECT_FALSE(second.acquire());
  SingleInstance elsewhere(desktop + "1");
  EXPECT_TRUE(elsewhere.acquire());
  first.reset();  // the claim goes with its holder
  SingleInstance third(desktop);
  EXPECT_TRUE(third.acquire());
#ifndef _WIN32
  EXPECT_EQ(third.lockPath(), runtime + "/" + DesktopLockFileName(desktop));
  // A link planted where the lock file belongs is not followed.
  const std::string planted = desktop + "2";
  std::filesystem::create_symlink(runtime + "/victim", runtime + "/" + DesktopLockFileName(planted));
  SingleInstance fourth(planted);
  fourth.acquire();
  EXPECT_FALSE(std::filesystem::exists(runtime + "/victim"));
#endif
  std::error_code ec;
  std::filesystem::remove_all(runtime, ec);
}

TEST(SingleInstance, DesktopNames) {
  test::ScopedEnv display("DISPLAY", ":0.1");
  EXPECT_EQ(DesktopName(), "x11:0");
  test::SetEnv("DISPLAY", "localhost:10.0");
  EXPECT_EQ(DesktopName(), "x11localhost:10");
  EXPECT_EQ(DesktopLockFileName("x11localhost:10"), "tavrel-world-clock-x11localhost_10.lock");
}

}  // namespace
}  // namespace wc
