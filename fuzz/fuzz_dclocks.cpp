// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// dclocks.dat: see ClockListFuzz.h.

#include "ClockListFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return wc::fuzz::ClockListRoundTrip<wc::DClockList>("dclocks.dat", data, size, wc::ReadDClockList,
                                                      wc::DClockListText);
}
