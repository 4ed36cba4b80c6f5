// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A city's daylight-saving rule as the city database, the clock lists and the
// map's city slots keep it: whether the city keeps it, and its start and end,
// each the nth weekday of a month. CityTime (CityTime.h) applies it.

#include <cstdint>

namespace wc {

struct DstRule {
  std::int32_t dst = 0;  // 0: no daylight-saving time
  // It starts on the weekno-th dayofweek (1 = Monday ... 7 = Sunday) of month
  std::int32_t weekno = 0, dayofweek = 0, month = 0;
  // and ends on the weekno1-th dayofweek1 of month1.
  std::int32_t weekno1 = 0, dayofweek1 = 0, month1 = 0;

  bool operator==(const DstRule&) const = default;
};

}  // namespace wc
