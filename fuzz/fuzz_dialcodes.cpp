// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// dialcodes.dat as the time finder and the dial codes window read it: its
// lines (valid UTF-8 whatever the bytes) and rows, the code looked up by
// country, both columns sorted both ways, and the finder's look-up of every
// country the file names.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "core/CityTable.h"
#include "core/Text.h"
#include "tools/DialCodeFile.h"
#include "tools/TimeFinderModel.h"

using namespace wc;

namespace {

const CityTable& CityTableSample() {
  static const CityTable* table = [] {
    auto* t = new CityTable;
    t->load(std::string(WC_SOURCE_DIR) + "/fuzz/seeds/citydata/three.dat");
    return t;
  }();
  return *table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzz::WriteInput("dialcodes.dat", fuzz::Bytes(data, size));
  const DialCodeLines file = ReadDialCodeLines(path);
  if (!file.exists) return 0;
  // Invalid UTF-8 would come back from the round trip with U+FFFD in it.
  for (const std::string& line : file.lines)
    fuzz::Require(Utf16ToUtf8(Utf8ToUtf16(line)) == line, "every line is decoded to UTF-8");

  std::vector<DialCodeRow> rows = DialCodeRows(file.lines);
  const std::size_t count = rows.size();
  DialCodeSort sort;
  for (DialCodeColumn c :
       {DialCodeColumn::Code, DialCodeColumn::Code, DialCodeColumn::Country, DialCodeColumn::Country}) {
    sort.columnClick(rows, c);
    fuzz::Require(rows.size() == count, "sorting keeps every row");
  }

  TimeFinderModel finder(CityTableSample(), file.lines);
  for (SearchType type : {SearchType::City, SearchType::Country}) {
    finder.setSearchType(type);
    for (const std::string& item : finder.items()) (void)finder.lookup(item, 45000.5, 0.1);
  }
  for (std::size_t i = 0; i < rows.size() && i < 64; ++i) {
    const std::string code = DialCodeFor(file.lines, rows[i].country + "\t");
    fuzz::Require(Utf8ToUtf16(code).size() <= kDialCodeChars, "a code keeps to its seven characters");
    (void)finder.lookup("Somewhere, " + rows[i].country, 45000.5, -0.2);
    (void)finder.completion(rows[i].country);
  }
  return 0;
}
