// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ClockFace.h"

#include <algorithm>

namespace wc {

HandAngles HandAnglesAt(DateTime t) {
  const DateTimeParts p = Decode(t);
  const double h = p.hour % 12;
  const double m = p.minute;
  const double s = p.second;
  return {(h + m / 60) / 12 * 360 + 180, m / 60 * 360 + 180, s / 60 * 360 + 180, p.second};
}

int MinuteOfDay(DateTime t) {
  const DateTimeParts p = Decode(t);
  return p.hour * 60 + p.minute;
}

float TextRow(std::int32_t row, std::int32_t clockWidth) {
  if (clockWidth == 200) return static_cast<float>(row);
  return static_cast<float>(static_cast<double>(clockWidth) * row / 200);
}

float CityRow(std::int32_t row, std::int32_t clockWidth) {
  const float r = TextRow(row, clockWidth);
  const float lift = clockWidth == 100   ? kSmallCityLift
                     : clockWidth == 150 ? kMediumCityLift
                     : clockWidth == 200 ? kLargeCityLift
                                         : 0;
  if (lift == 0 || r >= static_cast<float>(clockWidth) / 2) return r;
  return std::max(0.0f, r - lift);
}

std::string AnalogTimeText(DateTime t, bool hideAmPm, const FormatSettings& fs) {
  return FormatDateTime(hideAmPm ? kTime24Format : kTime12Format, t, fs);
}

std::string DigitalTimeText(DateTime t, bool hideSeconds, bool hideAmPm, const FormatSettings& fs) {
  std::string_view pattern;
  if (hideSeconds)
    pattern = hideAmPm ? "HH:mm" : "hh:mm AM/PM";
  else
    pattern = hideAmPm ? "HH:mm:ss" : "hh:mm:ss AM/PM";
  return FormatDateTime(pattern, t, fs);
}

std::string DigitalDateText(DateTime t, const FormatSettings& fs) {
  return FormatDateTime("ddd, dd MMM, yyyy", t, fs);
}

int SizeItemFor(std::int32_t clockWidth) {
  if (clockWidth == 200) return 2;
  if (clockWidth == 150) return 1;
  return 0;
}

std::optional<int> OpacityItemFor(int alpha) {
  for (std::size_t i = 0; i < kOpacityValues.size(); ++i) {
    if (kOpacityValues[i] == alpha) return static_cast<int>(i);
  }
  return std::nullopt;
}

DateTime UtcNowWithLead() { return LocalNow() + kDisplayLead + UtcOffsetDays(); }

}  // namespace wc
