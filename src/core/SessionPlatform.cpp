// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/SessionPlatform.h"

#include <cstdlib>

namespace wc {

namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

bool ChosePlatform(const std::vector<std::string>& argv) {
  for (std::size_t i = 1; i < argv.size(); ++i) {
    const std::string& a = argv[i];
    if (a == "-platform" || a == "--platform" || a.rfind("-platform=", 0) == 0 ||
        a.rfind("--platform=", 0) == 0)
      return true;
  }
  return false;
}

}  // namespace

SessionEnvironment CurrentSessionEnvironment() {
  return {Env("QT_QPA_PLATFORM"), Env("WAYLAND_DISPLAY"), Env("XDG_SESSION_TYPE"), Env("DISPLAY")};
}

bool IsWaylandSession(const SessionEnvironment& env) {
  return env.sessionType == "wayland" || !env.waylandDisplay.empty();
}

std::vector<std::string> ToolkitArguments(const SessionEnvironment& env,
                                          const std::vector<std::string>& argv) {
  std::vector<std::string> out = argv;
  // Without Xwayland there is no X server to go to; the toolkit's own
  // choice at least shows the program.
  if (!env.qtPlatform.empty() || ChosePlatform(argv) || !IsWaylandSession(env) || env.display.empty())
    return out;
  out.insert(out.begin() + (out.empty() ? 0 : 1), {"-platform", "xcb"});
  return out;
}

}  // namespace wc
