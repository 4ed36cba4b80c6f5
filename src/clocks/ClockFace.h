// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What a desktop clock shows, decided without the toolkit: hand angles, text
// rows, time texts, the size and opacity menu values.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/CityTime.h"
#include "core/DateTime.h"
#include "core/FormatDateTime.h"

namespace wc {

// Degrees clockwise from the unrotated hand, which points at 6 o'clock.
struct HandAngles {
  double hour = 0, minute = 0, second = 0;
  int secondOfMinute = 0;  // 0..59, the second hand's place
};
HandAngles HandAnglesAt(DateTime t);

// The hour and minute of the day that the hour and minute hands show; the
// cached hands are rebuilt when it changes.
int MinuteOfDay(DateTime t);

// A theme's text row (in pixels of the 200-pixel face) on a clock of this width.
float TextRow(std::int32_t row, std::int32_t clockWidth);
// The city name's row: TextRow, except for a name above the centre, where the
// hour hand of a clock at ten past ten would meet the name's first letters:
// that sits higher by a lift for the face's size (the text is larger for the
// smaller faces), clear of the hand's tip and still below the 12.
inline constexpr float kSmallCityLift = 9;
inline constexpr float kMediumCityLift = 6;
inline constexpr float kLargeCityLift = 3;
float CityRow(std::int32_t row, std::int32_t clockWidth);

// The analog clock's time text: "HH:mm", or "hh:mm AM/PM".
std::string AnalogTimeText(DateTime t, bool hideAmPm, const FormatSettings& fs);
// The digital clock's time line: with or without seconds, 24-hour or AM/PM.
std::string DigitalTimeText(DateTime t, bool hideSeconds, bool hideAmPm, const FormatSettings& fs);
// The digital clock's date line, "ddd, dd MMM, yyyy".
std::string DigitalDateText(DateTime t, const FormatSettings& fs);

// "Small", "Medium", "Large".
struct ClockSize {
  const char* caption;
  std::int32_t width, height, rad, textSize;
};
inline constexpr std::array<ClockSize, 3> kClockSizes{{
    {"Small", 100, 100, 50, 9},
    {"Medium", 150, 150, 75, 10},
    {"Large", 200, 200, 100, 11},
}};
// The size item checked for a clock width: Large for 200, Medium for 150,
// Small for anything else.
int SizeItemFor(std::int32_t clockWidth);

// "20%" ... "100%".
inline constexpr std::array<const char*, 5> kOpacityCaptions{"20%", "40%", "60%", "80%", "100%"};
inline constexpr std::array<std::uint8_t, 5> kOpacityValues{51, 102, 153, 204, 255};
// The opacity item with exactly this value, if any.
std::optional<int> OpacityItemFor(int alpha);

// The city fields of a clock and its local time, lead included.
template <class Clock>
DateTime ClockTime(const Clock& c, DateTime utcWithLead) {
  return CityTime(c.rule, utcWithLead + c.tzd);
}
// UTC now with the desktop clocks' half-second lead.
DateTime UtcNowWithLead();

}  // namespace wc
