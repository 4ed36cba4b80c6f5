#include "CityDatabase.h"

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

void SetName(TCityItem& c, std::string_view v) { c.name = v; }
void SetName(CityEntry& c, std::string_view v) { c.setName(v); }

// Reads one city element into e (which starts zeroed). Returns the last name
// value read, or nothing when the city has no name child.
template <class Entry>
bool ReadCity(pugi::xml_node city, Entry& e, LonSign sign, std::vector<std::string>* names,
              std::string* lastName) {
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
          const std::int32_t lon = Longitude(value());
          e.lon = sign == LonSign::Negated ? -lon : lon;
        } else if (std::strcmp(n, "lat") == 0) {
          e.lat = Latitude(value());
        }
        break;
      case 'd':
        if (std::strcmp(n, "dst") == 0)
          e.dst = StrToIntDef(value(), 0);
        else if (std::strcmp(n, "dow") == 0)
          e.dayofweek = StrToIntDef(value(), 0);
        else if (std::strcmp(n, "dow1") == 0)
          e.dayofweek1 = StrToIntDef(value(), 0);
        break;
      case 'w':
        if (std::strcmp(n, "weekno") == 0)
          e.weekno = StrToIntDef(value(), 0);
        else if (std::strcmp(n, "weekno1") == 0)
          e.weekno1 = StrToIntDef(value(), 0);
        break;
      case 'm':
        if (std::strcmp(n, "month") == 0)
          e.month = StrToIntDef(value(), 0);
        else if (std::strcmp(n, "month1") == 0)
          e.month1 = StrToIntDef(value(), 0);
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
std::vector<Entry> ReadCities(pugi::xml_node root, LonSign sign, std::vector<std::string>* names) {
  std::vector<Entry> out;
  for (pugi::xml_node city = root.first_child(); city; city = city.next_sibling()) {
    if (city.type() != pugi::node_element) continue;
    Entry e{};
    ReadCity(city, e, sign, names, nullptr);
    out.push_back(std::move(e));
  }
  return out;
}

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

std::string CityDataPath() { return DataFolder() + "citydata.dat"; }

CityReadResult ReadCityFile(const std::string& path, LonSign sign) {
  CityReadResult r;
  pugi::xml_document doc;
  r.file = LoadXmlFile(path, doc);
  if (r.file.ok()) r.cities = ReadCities<TCityItem>(doc.document_element(), sign, &r.names);
  return r;
}

CityEntriesResult ReadCityEntries(const std::string& path) {
  CityEntriesResult r;
  pugi::xml_document doc;
  r.file = LoadXmlFile(path, doc);
  if (r.file.ok()) r.entries = ReadCities<CityEntry>(doc.document_element(), LonSign::Negated, &r.names);
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
    TCityItem ignored;
    ReadCity(city, ignored, LonSign::AsInFile, nullptr, &last);
    r.names.push_back(last);
  }
  return r;
}

CityEntry ToCityEntry(const TCityItem& item) {
  CityEntry e;
  e.setName(item.name);
  CopyCityData(item, e);
  return e;
}

// --- the loaded city table ---

CityTable& CityTable::instance() {
  static CityTable table;
  return table;
}

XmlLoadResult CityTable::load(const std::string& path) {
  if (loaded_) return XmlLoadResult{XmlLoadStatus::Ok, {}, {}};
  CityEntriesResult r = ReadCityEntries(path);
  // Only a file that was read fills the table for good: after a missing or
  // broken one, start-up may seed a fresh copy and load that.
  loaded_ = r.file.ok();
  entries_ = std::move(r.entries);
  names_ = std::move(r.names);
  index_ = CityNameIndex(entries_);
  return r.file;
}

const CityEntry* CityTable::findByName(std::string_view name, NameMatch match) const {
  // The entries hold their names as 32 UTF-16 units; compare in that form.
  const std::u16string key = Utf8ToUtf16(name);
  const CityEntry* found = nullptr;
  index_.visitMatches(CityNameIndex::Folded(name), [&](const CityEntry& e) {
    if (match == NameMatch::Exact && std::u16string_view(e.nameField.data()) != key) return false;
    found = &e;
    return true;
  });
  return found;
}

// --- the manager's document ---

XmlLoadResult CityDocument::load(const std::string& path) {
  XmlLoadResult r = LoadXmlFile(path, doc_);
  fromMissingFile_ = r.status == XmlLoadStatus::Missing;
  canSave_ = r.ok() || fromMissingFile_;
  loadError_ = r.error;
  if (fromMissingFile_) doc_.append_child(kNewRootName);
  return r;
}

std::vector<TCityItem> CityDocument::cities() const {
  return ReadCities<TCityItem>(root(), LonSign::AsInFile, nullptr);
}

std::vector<ManagedCity> CityDocument::managedCities() const {
  std::vector<ManagedCity> out;
  for (pugi::xml_node city = root().first_child(); city; city = city.next_sibling()) {
    if (city.type() != pugi::node_element) continue;
    ManagedCity m;
    ReadCity(city, m.city, LonSign::AsInFile, nullptr, nullptr);
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

// --- telling open windows about a save ---

namespace {
std::vector<CityFileListener*>& Listeners() {
  static std::vector<CityFileListener*> listeners;
  return listeners;
}
}  // namespace

CityFileListener::CityFileListener(std::function<void()> citiesSaved) : citiesSaved_(std::move(citiesSaved)) {
  Listeners().push_back(this);
}

CityFileListener::~CityFileListener() { std::erase(Listeners(), this); }

FileResult SaveCityDatabase(const CityDocument& doc) {
  FileResult r = doc.save(CityDataPath());
  if (!r.ok) return r;
  // A listener may close its window, and with it itself, while being told.
  const std::vector<CityFileListener*> listeners = Listeners();
  for (CityFileListener* l : listeners)
    if (std::find(Listeners().begin(), Listeners().end(), l) != Listeners().end()) l->citiesSaved_();
  return r;
}

}  // namespace wc
