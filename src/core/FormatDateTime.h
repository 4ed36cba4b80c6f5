// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Date and time texts from format patterns.
//
// Pattern letters are case-insensitive:
//   d dd           day of month          ddd dddd   short / long weekday name
//   ddddd          short date format     dddddd     long date format
//   m mm           month, or minutes right after an hour   mmm mmmm  month names
//   yy yyyy        year                  h hh       hour (12-hour when the pattern holds AM/PM)
//   n nn           minutes               s ss       seconds        z zzz  milliseconds
//   t              short time format     tt         long time format
//   c              short date and long time
//   am/pm a/p      12-hour marker in the pattern's own case; ampm: the locale's markers
//   /              date separator        :          time separator
//   "..." '...'    literal text; every other character is copied as it is.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "DateTime.h"

namespace wc {

struct FormatSettings {
  std::array<std::string, 7> shortDayNames;  // [0] = Sunday
  std::array<std::string, 7> longDayNames;
  std::array<std::string, 12> shortMonthNames;  // [0] = January
  std::array<std::string, 12> longMonthNames;
  std::string dateSeparator;
  std::string timeSeparator;
  std::string shortDateFormat;
  std::string longDateFormat;
  std::string shortTimeFormat;
  std::string longTimeFormat;
  std::string timeAMString;
  std::string timePMString;
};

// English names and US formats; the Qt layer fills one from the user's locale.
const FormatSettings& DefaultFormatSettings();

std::string FormatDateTime(std::string_view pattern, DateTime t,
                           const FormatSettings& settings = DefaultFormatSettings());

// The two city-time forms of the program.
inline constexpr std::string_view kTime12Format = "hh:mm AM/PM";
inline constexpr std::string_view kTime24Format = "HH:mm";

// Reads a time written as "hh:mm AM/PM" (also with a one-digit hour, any case
// of the marker, or the locale's markers) back into a time of day. Nothing
// for text that is not such a time.
std::optional<DateTime> ParseTime12(std::string_view text,
                                    const FormatSettings& settings = DefaultFormatSettings());

}  // namespace wc
