// dclocks.dat: see ClockListFuzz.h.

#include "ClockListFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return wc::fuzz::ClockListRoundTrip<wc::DClockList>("dclocks.dat", data, size, wc::ReadDClockList,
                                                      wc::DClockListText);
}
