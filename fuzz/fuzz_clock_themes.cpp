// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// askins/aclock.ini and dskins/dclock.ini: every section read as an analog
// theme and as a digital one, under its own name and under the names the
// menus offer, and the text rows a theme gives on each clock size.

#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "clocks/ClockFace.h"
#include "clocks/ClockTheme.h"

using namespace wc;

namespace {

void ReadTheme(const IniFile& ini, const std::string& name) {
  const AClockTheme a = ReadAClockTheme(ini, name);
  for (const ClockSize& s : kClockSizes) {
    (void)TextRow(a.TYCity, s.width);
    (void)TextRow(a.TYDate, s.width);
  }
  const DClockColors d = ReadDClockColors(ini, name, 2);
  for (std::int32_t c : {d.TimeColor, d.DateColor, d.CityColor}) (void)RgbOf(c);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const IniFile ini = IniFile::parse(fuzz::Bytes(data, size));
  const std::vector<std::string> sections = ini.sections();
  for (std::size_t i = 0; i < sections.size(); ++i) {
    fuzz::Require(ini.hasSection(sections[i]), "every listed section is found");
    if (i < 32) ReadTheme(ini, sections[i]);
  }
  for (const char* name : kAnalogThemeNames) ReadTheme(ini, name);
  for (const char* name : kDigitalThemeNames) ReadTheme(ini, name);
  return 0;
}
