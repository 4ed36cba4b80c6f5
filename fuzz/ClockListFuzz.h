// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// aclocks.dat and dclocks.dat (the decimal separator, "." or the regional
// ",", from the input's length): read as the clocks read them (of a damaged
// file, the clocks before the damage), what each clock then shows (its local
// time, hands and texts, size and opacity items), and the list written back
// and read again.

#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "clocks/ClockFace.h"
#include "clocks/ClockList.h"
#include "clocks/ClockTheme.h"
#include "core/FormatDateTime.h"

namespace wc::fuzz {

template <class List, class Read, class Text>
int ClockListRoundTrip(const char* fileName, const std::uint8_t* data, std::size_t size, Read read,
                       Text text) {
  Reset();
  const std::string_view separator = size % 2 == 0 ? "." : ",";
  const std::string path = WriteInput(fileName, Bytes(data, size));
  List list;
  const XmlLoadStatus status = read(path, separator, list).status;
  // A damaged file gives the clocks before the damage.
  if (status != XmlLoadStatus::Ok && status != XmlLoadStatus::Malformed) return 0;

  const FormatSettings& fs = DefaultFormatSettings();
  for (const auto& c : list) {
    for (DateTime utc : {EncodeDate(2027, 1, 15) + 0.5, EncodeDate(2026, 10, 25) + 0.04}) {
      const DateTime t = ClockTime(c, utc);
      (void)HandAnglesAt(t);
      (void)MinuteOfDay(t);
      (void)AnalogTimeText(t, c.HideAMPM, fs);
      (void)DigitalTimeText(t, c.HideSeconds, c.HideAMPM, fs);
      (void)DigitalDateText(t, fs);
    }
    (void)OpacityItemFor(c.AlphaValue);
    (void)ThemeNameOf(c.ThemeFile);
    (void)DClockBitmapPath(c.ThemeFile, c.HideDate);
    if constexpr (requires { c.clockwidth; }) {
      (void)TextRow(c.TYCity, c.clockwidth);
      (void)TextRow(c.TYDate, c.clockwidth);
      (void)SizeItemFor(c.clockwidth);
    }
  }

  // Written and read back, every clock is there under its name; once read
  // back, the list is written the same every time.
  List back;
  const ClockFileResult b = read(WriteInput(std::string("again-") + fileName, text(list)), separator, back);
  Require(b.status == XmlLoadStatus::Ok && b.error.empty(), "a written list reads back whole");
  Require(back.size() == list.size(), "every clock is written");
  for (std::size_t i = 0; i < list.size(); ++i)
    Require(SameText(back[i].cityname, list[i].cityname), "a clock keeps its name");
  const std::string second = text(back);
  List third;
  read(WriteInput(std::string("third-") + fileName, second), separator, third);
  Require(text(third) == second, "the list is written the same twice");
  return 0;
}

}  // namespace wc::fuzz
