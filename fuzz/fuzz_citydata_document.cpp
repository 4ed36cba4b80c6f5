// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// citydata.dat in the city manager: loaded as a document, edited the way
// the manager edits it, saved and loaded again. Whatever the file held, the
// save must read back as the same cities.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "core/CityDocument.h"
#include "core/CityFile.h"

using namespace wc;

namespace {

bool Same(const ManagedCity& a, const ManagedCity& b) {
  const CityItem &x = a.city, &y = b.city;
  return a.offsetText == b.offsetText && x.name == y.name && x.lat == y.lat && x.lon == y.lon &&
         std::memcmp(&x.tzd, &y.tzd, sizeof x.tzd) == 0 && x.rule == y.rule;
}

bool Same(const std::vector<ManagedCity>& a, const std::vector<ManagedCity>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (!Same(a[i], b[i])) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Reset();
  const std::string path = fuzz::WriteInput("citydata.dat", fuzz::Bytes(data, size));
  CityDocument doc;
  if (!doc.load(path).ok()) {
    fuzz::Require(!doc.canSave() || doc.save(path).ok, "a broken file is never saved over");
    return 0;
  }
  std::vector<ManagedCity> cities = doc.managedCities();
  // The manager's edits: change the first city, add one, delete the second,
  // then drop the empty elements.
  if (!cities.empty()) {
    const CityItem& c = cities[0].city;
    doc.updateCityAt(0, {c.name + " & <edited>", cities[0].offsetText, std::to_string(c.lon.degrees),
                         std::to_string(c.lat), c.rule.dst != 0, 2, 7, 3, 1, 7, 11});
  }
  doc.appendCity({"Kathmandu, Nepal", "+5.75", "85", "27", false});
  if (cities.size() > 1) doc.deleteCityAt(1);
  doc.deleteEmptyElements();
  cities = doc.managedCities();

  const std::string saved = fuzz::Folder() + "saved.dat";
  fuzz::Require(doc.save(saved).ok, "a loaded document saves");
  CityDocument again;
  fuzz::Require(again.load(saved).ok(), "a saved document loads");
  fuzz::Require(Same(again.managedCities(), cities), "a saved document reads back as the same cities");
  fuzz::Require(ReadCityEntries(saved).entries.size() == cities.size(),
                "the table reads what the manager saved");
  return 0;
}
