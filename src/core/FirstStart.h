// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A new user's first map: with nothing stored, "Display Cities" is empty and
// the map would show no city at all. The very first start (no settings file
// yet) stores a dozen well-spread major cities and the city of the user's own
// time zone instead. Nothing else changes: the value's default stays empty.

#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "City.h"
#include "Xml.h"

namespace wc {

// The tz database name of this computer's time zone ("Asia/Kathmandu"): from
// TZ when it is set, else from where /etc/localtime points, else from
// /etc/timezone. Empty when there is none to tell (a POSIX rule in TZ, and
// on Windows, whose zones have other names).
std::string LocalZoneName();

// The zone name in a TZ value or a path to a compiled zone
// (":Europe/Paris", "/usr/share/zoneinfo/posix/Europe/Paris"); empty when it
// names none.
std::string ZoneNameFrom(std::string_view tzValueOrPath);

// What the system's tz database tells about zone names beyond the cities
// table: the old and alias names it keeps as links ("US/Eastern" is
// "America/New_York", "Canada/Newfoundland" "America/St_Johns") and the
// countries each zone serves, by their names in iso3166.tab.
struct ZoneFacts {
  std::map<std::string, std::string, std::less<>> links;  // link → zone
  std::map<std::string, std::vector<std::string>, std::less<>> countries;
};

// From the texts of tzdata.zi (its "L <zone> <link>" lines), zone1970.tab
// and zone.tab ("<codes>\t<place>\t<zone>", one after the other) and
// iso3166.tab ("<code>\t<name>"); any of them may be empty.
ZoneFacts ParseZoneFacts(std::string_view tzdataZi, std::string_view zoneTabs, std::string_view iso3166Tab);
// Read from TZDIR or /usr/share/zoneinfo; empty on Windows and where the
// files are missing.
ZoneFacts SystemZoneFacts();

// The database city that stands for a zone. zonesTable holds lines
// "<city name>\t<zone>\t<population>" (citydata.zones.tsv beside the shipped
// database; a line without the population counts as 0). A link not in the
// table is taken as the zone it names. Among the cities of the zone the one
// named after the zone's own city (or the link's), also with "City" after it,
// is taken, else the largest, the first of equals. Without a line for the
// zone, a city of the database named after the zone's city, one of the zone's
// own country first where cities of that name lie in several ("St John's" is
// in Canada and in Antigua). Empty when none is found.
std::string CityForZone(std::string_view zone, const std::vector<std::string>& databaseNames,
                        std::string_view zonesTable, const ZoneFacts& facts = {});

// The user's own city: the city standing for LocalZoneName() by the zone
// table file beside the shipped database (see CityForZone); empty when the
// zone has none.
std::string OwnCityName(const std::vector<std::string>& databaseNames, const std::string& zonesFile,
                        const ZoneFacts& facts = {});

// The names a first map shows, each present in the table: the well-spread
// set, without the ones whose labels would lie on the own city's, then the
// own city (when not empty and not already there).
std::vector<std::string> FirstStartCities(std::span<const CityEntry> table, std::string_view ownCity);

// Stores FirstStartCities for the database at cityFile and the zone as
// "Display Cities". A database that cannot be read stores nothing; its load
// result is returned for the caller to report.
XmlLoadResult StoreFirstStartCities(const std::string& cityFile, const std::string& zonesFile,
                                    std::string_view zone);

}  // namespace wc
