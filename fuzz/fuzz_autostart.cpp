// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The autostart entry (~/.config/autostart/tavrel-world-clock.desktop),
// which desktop settings programs edit: any text read as an entry, and the
// input taken as the program's path, whose entry must give the path back
// exactly, however it has to be quoted.

#include <algorithm>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "core/Autostart.h"

using namespace wc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(fuzz::Bytes(data, size));
  (void)AutostartCommand(text);
  // A program's path of printable characters (an entry's values are trimmed
  // of control characters, and a line break would end the line).
  const bool printable = std::none_of(
      text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
  if (!text.empty() && printable) {
    const auto command = AutostartCommand(AutostartEntryText(text));
    fuzz::Require(command && command->size() == 1 && command->front() == text,
                  "the entry starts exactly the program it was written for");
  }
  return 0;
}
