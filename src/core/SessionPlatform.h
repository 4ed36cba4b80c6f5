// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Which windowing system the toolkit is asked for. Desktop clocks need
// places of their own, which Wayland gives no client: on a Wayland session
// with an X server beside it (Xwayland) the program runs as an X client,
// unless the user chose the toolkit's platform (QT_QPA_PLATFORM, -platform).

#include <string>
#include <vector>

namespace wc {

struct SessionEnvironment {
  std::string qtPlatform;      // QT_QPA_PLATFORM
  std::string waylandDisplay;  // WAYLAND_DISPLAY
  std::string sessionType;     // XDG_SESSION_TYPE
  std::string display;         // DISPLAY
};

SessionEnvironment CurrentSessionEnvironment();

bool IsWaylandSession(const SessionEnvironment& env);

// The arguments to hand the toolkit: argv with "-platform xcb" added where
// the session calls for it, else argv unchanged.
std::vector<std::string> ToolkitArguments(const SessionEnvironment& env,
                                          const std::vector<std::string>& argv);

}  // namespace wc
