// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FirstStart.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>

#include "AtomicFile.h"
#include "CityFile.h"
#include "Settings.h"
#include "Text.h"

namespace wc {

namespace {

// Spread over the window map so that at 800 pixels no two labels meet.
constexpr std::string_view kSpreadCities[] = {
    "Honolulu, United States",
    "Los Angeles, United States",
    "New York, United States",
    "São Paulo, Brazil",
    "London, United Kingdom",
    "Cairo, Egypt",
    "Moscow, Russia",
    "Johannesburg, South Africa",
    "Delhi, India",
    "Beijing, China",
    "Tokyo, Japan",
    "Sydney, Australia",
};

// A spread city this close to the own city would print its labels over the
// own city's, so the own city takes its place.
constexpr int kNearLon = 25;
constexpr int kNearLat = 15;

// Only letters and digits, folded: "St Johns" (from America/St_Johns) is the
// same city as "St John's".
std::string Letters(std::string_view s) {
  std::string out;
  for (const char c : FoldForSearch(s))
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || static_cast<unsigned char>(c) >= 0x80) out += c;
  return out;
}

std::string_view CityPart(std::string_view name) { return name.substr(0, name.find(',')); }

// "America/Argentina/Buenos_Aires" → "buenosaires".
std::string ZoneCity(std::string_view zone) {
  const auto slash = zone.rfind('/');
  return Letters(slash == std::string_view::npos ? zone : zone.substr(slash + 1));
}

bool Listed(const std::vector<std::string>& names, std::string_view name) {
  for (const std::string& n : names)
    if (n == name) return true;
  return false;
}

}  // namespace

std::string ZoneNameFrom(std::string_view s) {
  if (!s.empty() && s.front() == ':') s.remove_prefix(1);
  if (const auto at = s.find("zoneinfo/"); at != std::string_view::npos) s.remove_prefix(at + 9);
  for (std::string_view variant : {"posix/", "right/"})
    if (s.starts_with(variant)) s.remove_prefix(variant.size());
  // Zone names are "Area/City"; anything else (a POSIX rule such as
  // "EST5EDT", an absolute path elsewhere, "UTC") names no city.
  if (s.empty() || s.front() == '/' || s.find('/') == std::string_view::npos) return {};
  return std::string(s);
}

std::string LocalZoneName() {
#ifdef _WIN32
  return {};
#else
  if (const char* tz = std::getenv("TZ")) return ZoneNameFrom(tz);
  std::error_code ec;
  const std::filesystem::path link = std::filesystem::read_symlink("/etc/localtime", ec);
  if (!ec) return ZoneNameFrom(link.string());
  const ReadResult r = ReadWholeFile("/etc/timezone");
  return r.status == ReadStatus::Ok ? ZoneNameFrom(Trim(r.bytes)) : std::string();
#endif
}

ZoneFacts ParseZoneFacts(std::string_view tzdataZi, std::string_view zoneTabs, std::string_view iso3166Tab) {
  ZoneFacts facts;
  // Fields split on blanks (tzdata.zi) or on tabs (the .tab files).
  const auto fields = [](std::string_view line, std::string_view separators) {
    std::vector<std::string_view> out;
    while (!line.empty()) {
      const auto end = line.find_first_of(separators);
      if (end != 0) out.push_back(line.substr(0, end));
      if (end == std::string_view::npos) break;
      line.remove_prefix(end + 1);
    }
    return out;
  };
  for (const std::string& line : SplitLines(tzdataZi)) {
    const auto f = fields(line, " \t");
    if (f.size() >= 3 && f[0] == "L") facts.links.emplace(std::string(f[2]), std::string(f[1]));
  }
  std::map<std::string, std::string, std::less<>> countryNames;
  for (const std::string& line : SplitLines(iso3166Tab)) {
    const auto f = fields(line, "\t");
    if (f.size() >= 2 && !f[0].starts_with('#')) countryNames.emplace(std::string(f[0]), std::string(f[1]));
  }
  for (const std::string& line : SplitLines(zoneTabs)) {
    const auto f = fields(line, "\t");
    if (f.size() < 3 || f[0].starts_with('#')) continue;
    std::vector<std::string>& names = facts.countries[std::string(f[2])];
    for (std::string_view codes = f[0]; !codes.empty();) {
      const auto comma = codes.find(',');
      const auto name = countryNames.find(codes.substr(0, comma));
      if (name != countryNames.end() && !Listed(names, name->second)) names.push_back(name->second);
      codes.remove_prefix(comma == std::string_view::npos ? codes.size() : comma + 1);
    }
  }
  return facts;
}

ZoneFacts SystemZoneFacts() {
#ifdef _WIN32
  return {};
#else
  const char* dir = std::getenv("TZDIR");
  const std::string base = std::string(dir && *dir ? dir : "/usr/share/zoneinfo") + "/";
  const auto text = [&](const char* name) {
    const ReadResult r = ReadWholeFile(base + name);
    return r.status == ReadStatus::Ok ? r.bytes : std::string();
  };
  // zone1970.tab first: it lists every country a zone serves.
  return ParseZoneFacts(text("tzdata.zi"), text("zone1970.tab") + "\n" + text("zone.tab"),
                        text("iso3166.tab"));
#endif
}

std::string CityForZone(std::string_view zone, const std::vector<std::string>& databaseNames,
                        std::string_view zonesTable, const ZoneFacts& facts) {
  if (zone.empty()) return {};
  // The table's lines for a zone: city names, in the table's order, and the
  // population the third field gives (0 where a line has none).
  struct ZoneCityLine {
    std::string_view name;
    unsigned long long population;
  };
  const auto citiesOf = [&](std::string_view z) {
    std::vector<ZoneCityLine> out;
    for (std::string_view rest = zonesTable; !rest.empty();) {
      const auto end = rest.find('\n');
      std::string_view line = rest.substr(0, end);
      rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      const auto tab = line.find('\t');
      if (tab == std::string_view::npos) continue;
      const std::string_view fields = line.substr(tab + 1);
      const auto tab2 = fields.find('\t');
      if (fields.substr(0, tab2) != z || !Listed(databaseNames, line.substr(0, tab))) continue;
      unsigned long long population = 0;
      if (tab2 != std::string_view::npos) {
        const std::string_view digits = fields.substr(tab2 + 1);
        std::from_chars(digits.data(), digits.data() + digits.size(), population);
      }
      out.push_back({line.substr(0, tab), population});
    }
    return out;
  };
  // "Australia/Canberra" prefers a Canberra among Sydney's cities, then Sydney.
  std::vector<std::string> wanted{ZoneCity(zone)};
  std::vector<ZoneCityLine> cities = citiesOf(zone);
  std::string_view resolved = zone;
  if (const auto link = facts.links.find(zone); cities.empty() && link != facts.links.end()) {
    resolved = link->second;
    wanted.push_back(ZoneCity(resolved));
    cities = citiesOf(resolved);
  }
  // The city bearing the zone's name, also with "City" after it (Asia/Kuwait
  // is Kuwait City), else the largest: the first in the alphabet would be a
  // suburb as often as not.
  for (const std::string& city : wanted)
    for (const ZoneCityLine& c : cities)
      if (const std::string letters = Letters(CityPart(c.name)); letters == city || letters == city + "city")
        return std::string(c.name);
  if (!cities.empty())
    return std::string(
        std::max_element(cities.begin(), cities.end(), [](const ZoneCityLine& a, const ZoneCityLine& b) {
          return a.population < b.population;
        })->name);

  std::vector<const std::string*> named;
  for (const std::string& name : databaseNames)
    if (Letters(CityPart(name)) == wanted.front()) named.push_back(&name);
  if (named.empty()) return {};
  if (const auto countries = facts.countries.find(resolved); countries != facts.countries.end())
    for (const std::string* name : named) {
      const auto comma = name->rfind(", ");
      if (comma != std::string::npos && Listed(countries->second, name->substr(comma + 2))) return *name;
    }
  return *named.front();
}

std::vector<std::string> FirstStartCities(std::span<const CityEntry> table, std::string_view ownCity) {
  const auto find = [&](std::string_view name) -> const CityEntry* {
    for (const CityEntry& e : table)
      if (e.name() == name) return &e;
    return nullptr;
  };
  const CityEntry* own = ownCity.empty() ? nullptr : find(ownCity);
  std::vector<std::string> out;
  for (std::string_view name : kSpreadCities) {
    const CityEntry* c = find(name);
    if (!c) continue;
    if (own && c != own && std::abs(c->lon.degrees - own->lon.degrees) < kNearLon && std::abs(c->lat - own->lat) < kNearLat)
      continue;
    out.emplace_back(name);
  }
  if (own && !Listed(out, ownCity)) out.emplace_back(ownCity);
  return out;
}

namespace {

std::string CityOfZone(std::string_view zone, const std::vector<std::string>& databaseNames,
                       const std::string& zonesFile, const ZoneFacts& facts) {
  const ReadResult zones = ReadWholeFile(zonesFile);
  return CityForZone(zone, databaseNames, zones.status == ReadStatus::Ok ? zones.bytes : "", facts);
}

}  // namespace

std::string OwnCityName(const std::vector<std::string>& databaseNames, const std::string& zonesFile,
                        const ZoneFacts& facts) {
  return CityOfZone(LocalZoneName(), databaseNames, zonesFile, facts);
}

XmlLoadResult StoreFirstStartCities(const std::string& cityFile, const std::string& zonesFile,
                                    std::string_view zone) {
  CityEntriesResult db = ReadCityEntries(cityFile);
  if (!db.file.ok()) return db.file;
  const std::string own = CityOfZone(zone, db.names, zonesFile, SystemZoneFacts());
  const std::vector<std::string> cities = FirstStartCities(db.entries, own);
  XmlLoadResult r = db.file;
  if (!cities.empty()) {
    try {
      WriteStringListSetting(kSettingsKey, kDisplayCities, cities);
    } catch (const SettingsError& e) {
      r.error = e.what();  // the map then starts empty, as it would have without this step
    }
  }
  return r;
}

}  // namespace wc
