// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/FormatDateTime.h"

#include <gtest/gtest.h>

namespace wc {
namespace {

// Wednesday 9 December 2026, 14:05:07.089
const DateTime kAfternoon = EncodeDate(2026, 12, 9) + EncodeTime(14, 5, 7, 89);
// Sunday 1 March 2026, 00:30:00
const DateTime kAfterMidnight = EncodeDate(2026, 3, 1) + EncodeTime(0, 30, 0, 0);

TEST(FormatDateTime, PatternsOfTheProgram) {
  struct Case {
    const char* pattern;
    DateTime t;
    const char* expected;
  } cases[] = {
      {"hh:mm AM/PM", kAfternoon, "02:05 PM"},
      {"hh:mm AM/PM", kAfterMidnight, "12:30 AM"},
      {"HH:mm:ss", kAfterMidnight, "00:30:00"},
      {"ddd d, ", kAfternoon, "Wed 9, "},
      {"dd MMMM, yyyy", kAfterMidnight, "01 March, 2026"},
      {"ddd, dd MMM, yyyy", kAfternoon, "Wed, 09 Dec, 2026"},
      {"dd mmmm yyyy", kAfternoon, "09 December 2026"},
      {"t", kAfternoon, "2:05 PM"},
      {"tt", kAfternoon, "2:05:07 PM"},
      {"dddddd", kAfternoon, "Wednesday, December 9, 2026"},
      {"ddddd", kAfternoon, "12/9/2026"},
      {"d/m/yy", kAfterMidnight, "1/3/26"},
      {"h:nn:ss.zzz", kAfternoon, "14:05:07.089"},
      {"hh 'o''clock' \"mm\" mm", kAfternoon, "14 oclock mm 05"},
      {"h:mm a/p", kAfternoon, "2:05 p"},
      {"h:mm am/pm", kAfterMidnight, "12:30 am"},
      {"dddd", kAfterMidnight, "Sunday"},
      {"mmm", kAfterMidnight, "Mar"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatDateTime(c.pattern, c.t), c.expected) << c.pattern;
  }
  // 24-hour form: no marker in the pattern, so the hour stays as it is.
  EXPECT_EQ(FormatDateTime("HH:mm", kAfternoon), "14:05");
}

TEST(FormatDateTime, TwelveHourClockAroundNoonAndMidnight) {
  const DateTime day = EncodeDate(2026, 12, 9);
  struct Case {
    int h, m;
    const char* expected;
  } cases[] = {
      {0, 0, "12:00 AM"},   {0, 59, "12:59 AM"}, {1, 0, "01:00 AM"},
      {11, 59, "11:59 AM"}, {12, 0, "12:00 PM"}, {12, 30, "12:30 PM"},
      {12, 59, "12:59 PM"}, {13, 0, "01:00 PM"}, {23, 59, "11:59 PM"},
  };
  for (const Case& c : cases) {
    const DateTime t = day + EncodeTime(c.h, c.m, 0, 0);
    EXPECT_EQ(FormatDateTime(kTime12Format, t), c.expected);
    EXPECT_EQ(ParseTime12(c.expected), EncodeTime(c.h, c.m, 0, 0)) << c.expected;
  }
}

TEST(FormatDateTime, TwoDigitYearsAndQuotedMarkers) {
  struct Case {
    const char* pattern;
    DateTime t;
    const char* expected;
  } cases[] = {
      {"yy", EncodeDate(2000, 1, 1), "00"},
      {"d/m/yy", EncodeDate(2005, 6, 7), "7/6/05"},
      {"yy", EncodeDate(2009, 12, 31), "09"},
      {"yy", EncodeDate(1999, 12, 31), "99"},
      {"yyyy", EncodeDate(2005, 6, 7), "2005"},
      // Quoted text is only copied: the hours keep the 24-hour form.
      {"HH:mm \"am/pm\"", kAfternoon, "14:05 am/pm"},
      {"h:mm 'AM/PM' a/p", kAfternoon, "2:05 AM/PM p"},
      {"h:mm 'a/p'", kAfternoon, "14:05 a/p"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDateTime(c.pattern, c.t), c.expected) << c.pattern;
}

TEST(FormatDateTime, LocaleSettingsAreUsed) {
  FormatSettings fr = DefaultFormatSettings();
  fr.longDayNames[3] = "mercredi";
  fr.longMonthNames[11] = "décembre";
  fr.longDateFormat = "dddd d mmmm yyyy";
  fr.shortTimeFormat = "HH:mm";
  fr.timeSeparator = "h";
  EXPECT_EQ(FormatDateTime("dddddd", kAfternoon, fr), "mercredi 9 décembre 2026");
  EXPECT_EQ(FormatDateTime("t", kAfternoon, fr), "14h05");
}

TEST(ParseTime12, RoundTripsTheReminderForm) {
  for (int minutes = 0; minutes < 24 * 60; minutes += 7) {
    const DateTime t = EncodeTime(minutes / 60, minutes % 60, 0, 0);
    const std::string text = FormatDateTime(kTime12Format, t);
    const auto back = ParseTime12(text);
    ASSERT_TRUE(back.has_value()) << text;
    // The time itself comes back, so a fault mirrored in both directions shows.
    EXPECT_EQ(*back, t) << text;
    EXPECT_EQ(FormatDateTime(kTime12Format, *back), text);
  }
  EXPECT_EQ(ParseTime12(" 9:05 pm "), EncodeTime(21, 5, 0, 0));
  for (const char* bad : {"", "13:00 PM", "00:10 AM", "10:60 AM", "10:5 AM", "10:05", "10-05 AM", "10:05 XM"})
    EXPECT_FALSE(ParseTime12(bad).has_value()) << bad;
}

}  // namespace
}  // namespace wc
