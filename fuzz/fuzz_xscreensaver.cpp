// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// ~/.xscreensaver, which the screen saver's own settings program writes: our
// entry registered and removed again. Registering twice must give what
// registering once gave (each time the option is turned on would otherwise
// change the file again), and removing twice what removing once gave. The
// "selected:" line is left out of the comparison: an index past the end of
// the list, which names no program, moves with every re-registration. A file
// whose line breaks are all CR LF keeps them so.

#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "core/ScreenSaverConfig.h"

using namespace wc;

namespace {

std::string WithoutSelected(const std::string& text) {
  std::string out;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end + 1;
    const std::size_t first = text.find_first_not_of(" \t", start);
    if (first >= end || text.compare(first, 9, "selected:") != 0) out.append(text, start, end - start);
    start = end;
  }
  return out;
}

// Every line break is CR LF.
bool AllCrLf(const std::string& text) {
  for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
    if (at == 0 || text[at - 1] != '\r') return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(fuzz::Bytes(data, size));
  const bool crlf = text.find('\n') != std::string::npos && AllCrLf(text);
  for (const std::string exe : {std::string("/usr/bin/") + kSaverProgramName,
                                std::string("/home/o'neil/my apps/") + kSaverProgramName}) {
    const std::string once = WithSaverProgram(text, exe);
    fuzz::Require(WithoutSelected(WithSaverProgram(once, exe)) == WithoutSelected(once),
                  "registering again changes nothing");
    const std::string removed = WithSaverProgram(once, "");
    fuzz::Require(WithSaverProgram(removed, "") == removed, "removing again changes nothing");
    fuzz::Require(!crlf || (AllCrLf(once) && AllCrLf(removed)), "a CR LF file stays CR LF");
  }
  return 0;
}
