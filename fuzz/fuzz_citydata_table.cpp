// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// citydata.dat as every reader reads it (the loaded table, the manager's
// list, the names-only readers), and what the program then computes from
// each city: its local time and the text of it, its place on the map in
// every view and size, the map's table of shown cities and the hover hint.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "core/CityFile.h"
#include "core/CityTime.h"
#include "core/DisplayCities.h"
#include "core/FormatDateTime.h"
#include "map/MapLayout.h"
#include "map/MapMath.h"

using namespace wc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Reset();
  const std::string path = fuzz::WriteInput("citydata.dat", fuzz::Bytes(data, size));
  const CityEntriesResult table = ReadCityEntries(path);
  if (!table.file.ok()) return 0;  // a malformed file is set aside and reported
  const CityReadResult manager = ReadCityFile(path);
  const CityNamesResult names = ReadCityNames(path);
  fuzz::Require(manager.cities.size() == table.entries.size() && names.names.size() == table.entries.size(),
                "every reader sees the same cities");

  const DateTime instants[] = {EncodeDate(2027, 1, 15) + 0.5, EncodeDate(2026, 3, 29) + 0.04};
  const Projection projections[] = {{2048, 1024, 0}, {800, 400, 1}, {2000, 1000, 2}};
  for (const CityEntry& e : table.entries) {
    fuzz::Require(e.lat >= -90 && e.lat <= 90 && e.lon.degrees >= -180 && e.lon.degrees <= 180,
                  "positions on the map");
    for (DateTime t : instants)
      (void)FormatDateTime("ddd d, hh:mm AM/PM dd MMMM, yyyy", CityLocalTime(e, t, -5.75 / 24));
    for (const Projection& p : projections) {
      const int x = p.LonToX(e.lon.degrees), y = p.LatToY(e.lat);
      (void)PlaceCityLabels(x, y, e.lat, e.lon.degrees, 120, 80, 14, true, p.width(), 2 * p.halfH());
    }
  }

  std::vector<Cities> slots(64);
  (void)BuildDisplayCities(table.names, table.entries, slots);
  const DateTimeFormatter format = [](std::string_view pattern, DateTime t) {
    return FormatDateTime(pattern, t);
  };
  for (int view = 0; view < 3; ++view) {
    for (const auto [px, py] :
         {std::pair{0, 0}, std::pair{400, 200}, std::pair{799, 399}, std::pair{123, 321}})
      (void)MapHintText(table.entries, px, py, DegreesPerPixel(800), view, true, instants[0], 0.25, format);
  }
  return 0;
}
