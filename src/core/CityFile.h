// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// citydata.dat: the XML city database. One root element (any name), one child
// element per city (any name), and per city the children name, offset (hours),
// lon (east positive), lat, dst, weekno, dow, month, weekno1, dow1, month1,
// each holding its value as text. Missing children read as 0 or empty; the
// later of two children with the same name wins; unknown children are ignored.
//
// Every window reads the file itself with the same procedure (ReadCityFile
// and its wrappers); CityTable is the program-wide copy made once at
// start-up; CityDocument is the city manager's editable copy.

#include <string>
#include <vector>

#include <pugixml.hpp>

#include "City.h"
#include "Xml.h"

namespace wc {

// DataFolder() + "citydata.dat": the copy every reader reads and the manager writes.
std::string CityDataPath();

struct CityReadResult {
  XmlLoadResult file;            // Missing: silently empty; Malformed: set aside, see file.error
  std::vector<CityItem> cities;  // lon as in the file
  // The names in the order their name children were read (a city without one
  // adds none, one with two adds both), as the readers' name lists hold them.
  std::vector<std::string> names;
};

// The one reading procedure. Lists are empty unless file.ok().
CityReadResult ReadCityFile(const std::string& path);

// The readers that keep full entries in the loaded-table form (the loaded
// city table, the map city selection and the clock set-up dialogs): lon in
// the map's convention, names cut to the entry's 32-character field.
struct CityEntriesResult {
  XmlLoadResult file;
  std::vector<CityEntry> entries;
  std::vector<std::string> names;  // as CityReadResult::names, not cut
};
CityEntriesResult ReadCityEntries(const std::string& path);

// The names-only readers (the reminder editor): one name per city element, in
// file order. A city element without a name child repeats the previous city's
// name (an empty one for the first), as those readers always have.
struct CityNamesResult {
  XmlLoadResult file;
  std::vector<std::string> names;
};
CityNamesResult ReadCityNames(const std::string& path);

// The same procedure on a parsed document (the manager's): one city element,
// and every city element under the root.
CityItem ReadCityElement(pugi::xml_node city);
std::vector<CityItem> ReadCityElements(pugi::xml_node root);

// The entry form of a manager-style item (name cut to 32 UTF-16 units).
CityEntry ToCityEntry(const CityItem& item);

}  // namespace wc
