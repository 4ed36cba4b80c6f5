// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The two desktop clock lists and their per-user files aclocks.dat and
// dclocks.dat. One field table per record kind drives both the writer (its
// order is the file's element order) and the reader (any order, unknown
// elements ignored, the later of two equal names wins).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/AtomicFile.h"
#include "core/DateTime.h"
#include "core/DstRule.h"
#include "core/Xml.h"

namespace wc {

// What an analog and a digital clock share: the theme picture, the city
// with its offset and daylight-saving rule, what is hidden, and the window's
// place, band and opacity.
struct ClockRecord {
  std::string ThemeFile;
  std::string cityname;  // identifies the clock within its list
  std::string shortcityname;
  bool HideDate = false;
  bool HideSeconds = false;
  bool HideAMPM = false;
  DateTime tzd = 0.0;
  DstRule rule;
  std::int32_t x = 0;  // as read; the desktop clocks write the live window's place
  std::int32_t y = 0;
  bool AlwaysTop = false;
  std::uint8_t AlphaValue = 0;
};

// One analog clock: its theme's images and text rows as stored, and its size.
struct AClockInfo : ClockRecord {
  std::string SecondImage;
  std::string RoundImage;  // empty: no cap
  std::string HourImage;
  std::string MinuteImage;
  std::string TextColor;
  std::int32_t TYCity = 0;
  std::int32_t TYDate = 0;
  std::int32_t TextSize = 0;
  std::int32_t clockwidth = 0;
  std::int32_t clockheight = 0;
  std::int32_t clockrad = 0;
};

// One digital clock; its colours and text sizes come from its theme.
struct DClockInfo : ClockRecord {};

using AClockList = std::vector<AClockInfo>;
using DClockList = std::vector<DClockInfo>;

// The whole file's bytes, records in list order.
std::string AClockListText(const AClockList& list);
std::string DClockListText(const DClockList& list);

struct ClockFileResult {
  XmlLoadStatus status = XmlLoadStatus::Missing;
  // One message for the user, naming the file. Malformed: the clocks before
  // the damage were read, and the message says how many. Ok with an error:
  // well-formed, but some clocks had a value that does not convert; they
  // were left out. Either way a copy of the file is kept under the set-aside
  // name, and the file is replaced only by a save after the message was shown.
  std::string error;
  // False when the file on disk must not be replaced: it could not be read,
  // or a damaged file could not be copied.
  bool canSave = true;
};

// Reads the file, appending to list. decimalSeparator is the regional one:
// tzd is read with "." or with it.
ClockFileResult ReadAClockList(const std::string& path, std::string_view decimalSeparator, AClockList& list);
ClockFileResult ReadDClockList(const std::string& path, std::string_view decimalSeparator, DClockList& list);

// The records from the bytes of a file (tests, and the readers above). Returns
// the first conversion problem, empty when there was none.
std::string ParseAClockList(const pugi::xml_node root, std::string_view decimalSeparator, AClockList& list);
std::string ParseDClockList(const pugi::xml_node root, std::string_view decimalSeparator, DClockList& list);

// First record with exactly this cityname, or nullptr.
template <class List>
auto* FindClock(List& list, std::string_view cityname) {
  using Record = decltype(&*list.begin());  // const for a const list
  for (auto& r : list) {
    if (r.cityname == cityname) return Record{&r};
  }
  return Record{nullptr};
}

// Removes the first record with exactly this cityname; false when none.
template <class List>
bool RemoveClock(List& list, std::string_view cityname) {
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (it->cityname == cityname) {
      list.erase(it);
      return true;
    }
  }
  return false;
}

}  // namespace wc
