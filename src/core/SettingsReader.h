// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The one way the program reads its stored settings: values of the settings
// key with their defaults from the settings table. A stored value the program
// cannot use (a hand-edited settings file) gives the default, and its message
// is kept, so that one bad value never stops the rest from being read and a
// whole load's problems are told to the user at once (ShowSettingsProblems).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Settings.h"

namespace wc {

class SettingsReader {
 public:
  std::int32_t integer(std::string_view name);
  bool on(std::string_view name);  // a switch: on only when exactly 1
  std::string text(std::string_view name);
  std::vector<std::string> list(std::string_view name);
  // Changes font only when one is stored; false otherwise.
  bool font(std::string_view name, FontRecord& font);
  PlacementToApply placement(std::string_view name, bool withSize);

  // The messages for the user, one a value, in the order read.
  const std::vector<std::string>& problems() const { return problems_; }

 private:
  void note(const SettingsError& e);

  std::vector<std::string> problems_;
};

}  // namespace wc
