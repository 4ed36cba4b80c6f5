// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CityFile.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "Paths.h"
#include "Text.h"

namespace wc {

namespace {

// The number conversions never depend on the locale, so the readers' old
// first step (forcing "." as the decimal separator) has nothing left to do.

// Numbers beyond any meaning (a hand-edited file) are brought into range or
// read as 0, so that no later computation meets them: latitude is held to
// -90..90; a longitude outside -180..180 is turned by whole turns into it
// (190 east is 170 west); an offset beyond the manager's 14 hours, where
// there is no time zone, reads as 0 like unreadable text.
std::int32_t Latitude(std::string_view text) { return std::clamp(StrToIntDef(text, 0), -90, 90); }

std::int32_t Longitude(std::string_view text) {
  const std::int64_t lon = StrToIntDef(text, 0);
  if (lon >= -180 && lon <= 180) return static_cast<std::int32_t>(lon);
  return static_cast<std::int32_t>(((lon + 180) % 360 + 360) % 360 - 180);
}

double OffsetHours(std::string_view text) {
  const double hours = StrToFloatDef(text, 0.0);
  return std::isfinite(hours) && std::abs(hours) <= kMaxCityOffsetHours ? hours : 0.0;
}

void SetName(CityItem& c, std::string_view v) { c.name = v; }
void SetName(CityEntry& c, std::string_view v) { c.setName(v); }
// The manager's records keep the file's longitude, the loaded table the map's.
void SetLongitude(CityItem& c, EastLongitude lon) { c.lon = lon; }
void SetLongitude(CityEntry& c, EastLongitude lon) { c.lon = ToWest(lon); }

// Reads one city element into e (which starts zeroed). Returns the last name
// value read, or nothing when the city has no name child.
template <class Entry>
bool ReadCity(pugi::xml_node city, Entry& e, std::vector<std::string>* names, std::string* lastName) {
  bool hadName = false;
  std::string joined;
  for (pugi::xml_node c = city.first_child(); c; c = c.next_sibling()) {
    if (c.type() != pugi::node_element) continue;
    const char* n = c.name();
    auto value = [&] { return NodeValueView(c, joined); };
    // Dispatch on the first letter before comparing whole names: this loop
    // runs for every value of the file.
    switch (n[0]) {
      case 'n':
        if (std::strcmp(n, "name") == 0) {
          const std::string_view v = value();
          if (names) names->emplace_back(v);
          if (lastName) *lastName = v;
          SetName(e, v);
          hadName = true;
        }
        break;
      case 'o':
        if (std::strcmp(n, "offset") == 0) e.tzd = OffsetHours(value()) / 24.0;
        break;
      case 'l':
        if (std::strcmp(n, "lon") == 0) {
          SetLongitude(e, {Longitude(value())});
        } else if (std::strcmp(n, "lat") == 0) {
          e.lat = Latitude(value());
        }
        break;
      case 'd':
        if (std::strcmp(n, "dst") == 0)
          e.rule.dst = StrToIntDef(value(), 0);
        else if (std::strcmp(n, "dow") == 0)
          e.rule.dayofweek = StrToIntDef(value(), 0);
        else if (std::strcmp(n, "dow1") == 0)
          e.rule.dayofweek1 = StrToIntDef(value(), 0);
        break;
      case 'w':
        if (std::strcmp(n, "weekno") == 0)
          e.rule.weekno = StrToIntDef(value(), 0);
        else if (std::strcmp(n, "weekno1") == 0)
          e.rule.weekno1 = StrToIntDef(value(), 0);
        break;
      case 'm':
        if (std::strcmp(n, "month") == 0)
          e.rule.month = StrToIntDef(value(), 0);
        else if (std::strcmp(n, "month1") == 0)
          e.rule.month1 = StrToIntDef(value(), 0);
        break;
      default:
        break;
    }
  }
  return hadName;
}

// Every element child of the root is a city, whatever its name. Text or other
// nodes directly under the root are not cities.
template <class Entry>
std::vector<Entry> ReadCities(pugi::xml_node root, std::vector<std::string>* names) {
  std::vector<Entry> out;
  for (pugi::xml_node city = root.first_child(); city; city = city.next_sibling()) {
    if (city.type() != pugi::node_element) continue;
    Entry e{};
    ReadCity(city, e, names, nullptr);
    out.push_back(std::move(e));
  }
  return out;
}

}  // namespace

std::string CityDataPath() { return DataFolder() + "citydata.dat"; }

CityReadResult ReadCityFile(const std::string& path) {
  CityReadResult r;
  pugi::xml_document doc;
  r.file = LoadXmlFile(path, doc);
  if (r.file.ok()) r.cities = ReadCities<CityItem>(doc.document_element(), &r.names);
  return r;
}

CityEntriesResult ReadCityEntries(const std::string& path) {
  CityEntriesResult r;
  pugi::xml_document doc;
  r.file = LoadXmlFile(path, doc);
  if (r.file.ok()) r.entries = ReadCities<CityEntry>(doc.document_element(), &r.names);
  return r;
}

CityNamesResult ReadCityNames(const std::string& path) {
  CityNamesResult r;
  pugi::xml_document doc;
  r.file = LoadXmlFile(path, doc);
  if (!r.file.ok()) return r;
  std::string last;
  for (pugi::xml_node city = doc.document_element().first_child(); city; city = city.next_sibling()) {
    if (city.type() != pugi::node_element) continue;
    CityItem ignored;
    ReadCity(city, ignored, nullptr, &last);
    r.names.push_back(last);
  }
  return r;
}

CityEntry ToCityEntry(const CityItem& item) {
  CityEntry e;
  e.setName(item.name);
  e.lat = item.lat;
  e.lon = ToWest(item.lon);
  e.tzd = item.tzd;
  e.rule = item.rule;
  return e;
}

CityItem ReadCityElement(pugi::xml_node city) {
  CityItem c;
  ReadCity(city, c, nullptr, nullptr);
  return c;
}

std::vector<CityItem> ReadCityElements(pugi::xml_node root) { return ReadCities<CityItem>(root, nullptr); }

}  // namespace wc
