// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WorkingHours.h"

#include <cstdio>

#include "Text.h"

namespace wc {

HourClass WorkingHours::classAt(int isoWeekday, int minuteOfDay) const {
  const bool workingDay = isWorkingDay(isoWeekday);
  if (workingDay && start <= minuteOfDay && minuteOfDay < end) return HourClass::Working;
  if (minuteOfDay < kAwakeFrom || minuteOfDay >= kAwakeUntil) return HourClass::Night;
  return workingDay ? HourClass::EarlyLate : HourClass::DayOff;
}

std::string FormatWorkingHours(const WorkingHours& hours) {
  char span[32];
  std::snprintf(span, sizeof span, "%02d:%02d-%02d:%02d", hours.start / 60, hours.start % 60, hours.end / 60,
                hours.end % 60);
  std::string out = span;
  out += ' ';
  for (int d = 1; d <= 7; ++d) {
    if (hours.isWorkingDay(d)) out += static_cast<char>('0' + d);
  }
  return out;
}

namespace {

// "hh:mm" with two digits each; 24:00 is the only hour 24 allowed.
std::optional<int> ParseClock(std::string_view s) {
  if (s.size() != 5 || s[2] != ':') return std::nullopt;
  for (std::size_t i : {0u, 1u, 3u, 4u}) {
    if (s[i] < '0' || s[i] > '9') return std::nullopt;
  }
  const int h = (s[0] - '0') * 10 + (s[1] - '0');
  const int m = (s[3] - '0') * 10 + (s[4] - '0');
  if (m > 59 || h > 24 || (h == 24 && m != 0)) return std::nullopt;
  return h * 60 + m;
}

}  // namespace

std::optional<WorkingHours> ParseWorkingHours(std::string_view text) {
  text = TrimView(text);
  const std::size_t dash = text.find('-');
  if (dash == std::string_view::npos) return std::nullopt;
  const std::size_t blank = text.find(' ', dash);
  const auto from = ParseClock(text.substr(0, dash));
  const auto to =
      ParseClock(text.substr(dash + 1, blank == std::string_view::npos ? blank : blank - dash - 1));
  if (!from || !to) return std::nullopt;
  WorkingHours h;
  h.start = *from;
  h.end = *to;
  h.days = 0;
  if (blank != std::string_view::npos) {
    for (char c : TrimView(text.substr(blank))) {
      if (c < '1' || c > '7') return std::nullopt;
      h.days |= static_cast<std::uint8_t>(1u << (c - '1'));
    }
  }
  if (!h.valid()) return std::nullopt;
  return h;
}

}  // namespace wc
