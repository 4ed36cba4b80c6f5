#include "FirstStart.h"

#include <cstdlib>
#include <filesystem>

#include "AtomicFile.h"
#include "CityDatabase.h"
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

std::string CityForZone(std::string_view zone, const std::vector<std::string>& databaseNames,
                        std::string_view zonesTable) {
  if (zone.empty()) return {};
  const std::string zoneCity = ZoneCity(zone);
  std::string first;
  while (!zonesTable.empty()) {
    const auto end = zonesTable.find('\n');
    std::string_view line = zonesTable.substr(0, end);
    zonesTable.remove_prefix(end == std::string_view::npos ? zonesTable.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto tab = line.find('\t');
    if (tab == std::string_view::npos || line.substr(tab + 1) != zone) continue;
    const std::string_view name = line.substr(0, tab);
    if (!Listed(databaseNames, name)) continue;
    if (Letters(CityPart(name)) == zoneCity) return std::string(name);
    if (first.empty()) first = name;
  }
  if (!first.empty()) return first;
  for (const std::string& name : databaseNames)
    if (Letters(CityPart(name)) == zoneCity) return name;
  return {};
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
    if (own && c != own && std::abs(c->lon - own->lon) < kNearLon && std::abs(c->lat - own->lat) < kNearLat)
      continue;
    out.emplace_back(name);
  }
  if (own && !Listed(out, ownCity)) out.emplace_back(ownCity);
  return out;
}

XmlLoadResult StoreFirstStartCities(const std::string& cityFile, const std::string& zonesFile,
                                    std::string_view zone) {
  CityEntriesResult db = ReadCityEntries(cityFile);
  if (!db.file.ok()) return db.file;
  const ReadResult zones = ReadWholeFile(zonesFile);
  const std::string own = CityForZone(zone, db.names, zones.status == ReadStatus::Ok ? zones.bytes : "");
  const std::vector<std::string> cities = FirstStartCities(db.entries, own);
  if (!cities.empty()) {
    try {
      WriteStringListSetting(kSettingsKey, kDisplayCities, cities);
    } catch (const SettingsError&) {
      // The map then starts empty, as it would have without this step.
    }
  }
  return db.file;
}

}  // namespace wc
