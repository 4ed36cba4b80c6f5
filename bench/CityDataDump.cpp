// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// citydata-dump FILE FIRST-YEAR LAST-YEAR
// For every city of FILE, one line: the name, a TAB, and for each day of the
// years at 12:00 UTC the city's local time minus UTC in minutes, as the
// program computes it (reader + CityTime), separated by blanks.

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/CityFile.h"
#include "core/CityTime.h"
#include "core/DateTime.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s citydata.dat first-year last-year\n", argv[0]);
    return 2;
  }
  const int first = std::atoi(argv[2]);
  const int last = std::atoi(argv[3]);
  const wc::CityReadResult r = wc::ReadCityFile(argv[1]);
  if (!r.file.ok()) {
    std::fprintf(stderr, "%s\n", r.file.error.empty() ? "citydata.dat is missing" : r.file.error.c_str());
    return 1;
  }
  using namespace std::chrono;
  const sys_days from{year{first} / January / 1};
  const sys_days to{year{last} / December / 31};
  std::string line;
  for (const wc::CityItem& c : r.cities) {
    line = c.name;
    line += '\t';
    for (sys_days d = from; d <= to; d += days{1}) {
      const wc::DateTime utc = wc::ToDateTime(d) + 0.5;
      const wc::DateTime local = wc::CityTime(c.rule, utc + c.tzd);
      if (d != from) line += ' ';
      line += std::to_string(std::lround((local - utc) * 1440.0));
    }
    line += '\n';
    std::fputs(line.c_str(), stdout);
  }
  return 0;
}
