// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CityDocument.h"

#include "CityFile.h"
#include "Text.h"

namespace wc {

namespace {

void WriteCityChildren(pugi::xml_node city, const CityTexts& c) {
  const auto rule = [&](int v) { return c.dst ? std::to_string(v) : std::string("0"); };
  WriteString(city, "name", TrimView(c.name));
  WriteString(city, "offset", TrimView(c.offset));
  WriteString(city, "lon", TrimView(c.lon));
  WriteString(city, "lat", TrimView(c.lat));
  WriteString(city, "dst", c.dst ? "1" : "0");
  WriteString(city, "weekno", rule(c.weekno));
  WriteString(city, "dow", rule(c.dow));
  WriteString(city, "month", rule(c.month));
  WriteString(city, "weekno1", rule(c.weekno1));
  WriteString(city, "dow1", rule(c.dow1));
  WriteString(city, "month1", rule(c.month1));
}

constexpr const char* kNewRootName = "cities";
constexpr const char* kNewCityName = "city";

}  // namespace

XmlLoadResult CityDocument::load(const std::string& path) {
  XmlLoadResult r = LoadXmlFile(path, doc_);
  fromMissingFile_ = r.status == XmlLoadStatus::Missing;
  canSave_ = r.ok() || fromMissingFile_;
  loadError_ = r.error;
  if (fromMissingFile_) doc_.append_child(kNewRootName);
  return r;
}

std::vector<CityItem> CityDocument::cities() const { return ReadCityElements(root()); }

std::vector<ManagedCity> CityDocument::managedCities() const {
  std::vector<ManagedCity> out;
  for (pugi::xml_node city = root().first_child(); city; city = city.next_sibling()) {
    if (city.type() != pugi::node_element) continue;
    ManagedCity m;
    m.city = ReadCityElement(city);
    for (pugi::xml_node c = city.child("offset"); c; c = c.next_sibling("offset"))
      m.offsetText = NodeValue(c);
    out.push_back(std::move(m));
  }
  return out;
}

void CityDocument::appendCity(const CityTexts& c) {
  pugi::xml_node root = doc_.document_element();
  if (!root) root = doc_.append_child(kNewRootName);
  pugi::xml_node city = NodeNew(root, kNewCityName);
  // WriteString on a fresh element appends, so the children land in the writer's order.
  WriteCityChildren(city, c);
}

pugi::xml_node CityDocument::findCity(std::string_view name) const {
  for (pugi::xml_node city = root().first_child(); city; city = city.next_sibling()) {
    if (city.type() != pugi::node_element) continue;
    const pugi::xml_node n = NodeByName(city, "name");
    if (n && NodeValue(n) == name) return city;
  }
  return {};
}

pugi::xml_node CityDocument::cityAt(std::size_t index) const {
  for (pugi::xml_node city = root().first_child(); city; city = city.next_sibling()) {
    if (city.type() != pugi::node_element) continue;
    if (index-- == 0) return city;
  }
  return {};
}

namespace {
bool UpdateCityNode(pugi::xml_node city, const CityTexts& c) {
  if (!city) return false;
  WriteCityChildren(city, c);
  return true;
}
bool DeleteCityNode(pugi::xml_node city) {
  if (!city) return false;
  DeleteNode(city);
  return true;
}
}  // namespace

bool CityDocument::updateCity(std::string_view oldName, const CityTexts& c) {
  return UpdateCityNode(findCity(oldName), c);
}
bool CityDocument::deleteCity(std::string_view name) { return DeleteCityNode(findCity(name)); }
bool CityDocument::updateCityAt(std::size_t index, const CityTexts& c) {
  return UpdateCityNode(cityAt(index), c);
}
bool CityDocument::deleteCityAt(std::size_t index) { return DeleteCityNode(cityAt(index)); }

void CityDocument::deleteEmptyElements() {
  if (pugi::xml_node r = root()) DeleteEmptyNodes(r);
}

FileResult CityDocument::save(const std::string& path) const {
  if (!canSave_) {
    return {false, "The city database was not saved, because it could not be read when it was opened. " +
                       loadError_};
  }
  if (fromMissingFile_ && !root().find_child([](pugi::xml_node n) { return n.type() == pugi::node_element; }))
    return {true, {}};
  return SaveXmlFile(doc_, path);
}

}  // namespace wc
