// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The city manager's in-memory copy of citydata.dat (the format is described
// in CityFile.h).

#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "AtomicFile.h"
#include "City.h"
#include "Xml.h"

namespace wc {

// The texts of one city as the manager writes them: name, offset, lon and lat
// as typed (trimmed on writing); the six rule numbers are written only while
// dst is on, "0" each otherwise.
struct CityTexts {
  std::string name;
  std::string offset;
  std::string lon;
  std::string lat;
  bool dst = false;
  int weekno = 0, dow = 0, month = 0, weekno1 = 0, dow1 = 0, month1 = 0;
};

// A city as the manager's table shows it: lon as in the file, and the offset
// text exactly as stored (the later of two offset children, as read).
struct ManagedCity {
  CityItem city;
  std::string offsetText;
};

class CityDocument {
 public:
  // A missing file gives an empty database (root "cities") that can be saved;
  // a file that could not be read or parsed gives an empty document that
  // refuses to be saved, so the file on disk (or its set-aside copy) stays.
  XmlLoadResult load(const std::string& path);
  bool canSave() const { return canSave_; }

  pugi::xml_node root() const { return doc_.document_element(); }
  // Every city in file order, lon as in the file.
  std::vector<CityItem> cities() const;
  std::vector<ManagedCity> managedCities() const;

  // Appends a "city" element with the eleven children in the writer's order.
  void appendCity(const CityTexts& city);
  // Sets the eleven children of the first city whose name text equals
  // oldName exactly; false when there is none.
  bool updateCity(std::string_view oldName, const CityTexts& city);
  // Removes the first city whose name text equals name exactly.
  bool deleteCity(std::string_view name);
  // The same for the city at a position of managedCities(): with two cities
  // of one name, the one the user picked, not the first of them.
  bool updateCityAt(std::size_t index, const CityTexts& city);
  bool deleteCityAt(std::size_t index);
  // Removes every element that has neither text nor child elements (the root stays).
  void deleteEmptyElements();

  // Writes the whole document atomically, UTF-8. Refused (with a message)
  // when the load failed. A database that had no file and still holds no
  // city is not written, so start-up can seed the shipped copy again.
  FileResult save(const std::string& path) const;

 private:
  pugi::xml_node findCity(std::string_view name) const;
  pugi::xml_node cityAt(std::size_t index) const;

  pugi::xml_document doc_;
  bool canSave_ = false;
  bool fromMissingFile_ = false;
  std::string loadError_;
};

}  // namespace wc
