#pragma once
// citydata.dat: the XML city database. One root element (any name), one child
// element per city (any name), and per city the children name, offset (hours),
// lon (east positive), lat, dst, weekno, dow, month, weekno1, dow1, month1,
// each holding its value as text. Missing children read as 0 or empty; the
// later of two children with the same name wins; unknown children are ignored.
//
// Every window reads the file itself with the same procedure (ReadCityFile
// and its wrappers); the loaded city table is the program-wide copy made once
// at start-up; CityDocument is the city manager's editable copy.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "AtomicFile.h"
#include "City.h"
#include "CityNameIndex.h"
#include "Xml.h"

namespace wc {

// DataFolder() + "citydata.dat": the copy every reader reads and the manager writes.
std::string CityDataPath();

// Everything that draws on the map wants lon west positive; the file and the
// manager say east positive.
enum class LonSign { AsInFile, Negated };

struct CityReadResult {
  XmlLoadResult file;  // Missing: silently empty; Malformed: set aside, see file.error
  std::vector<TCityItem> cities;
  // The names in the order their name children were read (a city without one
  // adds none, one with two adds both), as the readers' name lists hold them.
  std::vector<std::string> names;
};

// The one reading procedure. Lists are empty unless file.ok().
CityReadResult ReadCityFile(const std::string& path, LonSign sign);

// The readers that keep full entries in the loaded-table form (the loaded
// city table, the map city selection and the clock set-up dialogs): lon
// negated, names cut to the entry's 32-character field.
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

// The entry form of a manager-style item (name cut to 32 UTF-16 units; lon copied as it is).
CityEntry ToCityEntry(const TCityItem& item);

enum class NameMatch { Exact, IgnoreCaseAscii };

// The loaded city table: all cities of citydata.dat as read at start-up, lon
// west positive. Filled once per run; later edits reach it at the next start.
class CityTable {
 public:
  // The program-wide table (created empty, filled by the options dialog).
  static CityTable& instance();

  CityTable() = default;
  // The name index points into the entries: a copy would point into another's.
  CityTable(const CityTable&) = delete;
  CityTable& operator=(const CityTable&) = delete;
  CityTable(CityTable&&) = default;
  CityTable& operator=(CityTable&&) = default;

  // Fills the table from path; once a file has been read, later calls change
  // nothing and return an Ok result. A missing file leaves the table empty
  // without a word; a malformed one leaves it empty and is reported in the
  // result (and set aside, see LoadXmlFile). After either, start-up may seed
  // a fresh copy and call load again.
  XmlLoadResult load(const std::string& path);
  bool isLoaded() const { return loaded_; }

  const std::vector<CityEntry>& entries() const { return entries_; }
  // The options dialog's list of all city names.
  const std::vector<std::string>& names() const { return names_; }
  std::size_t size() const { return entries_.size(); }

  // The first entry whose (32-character) name matches, or nullptr.
  const CityEntry* findByName(std::string_view name, NameMatch match = NameMatch::Exact) const;
  // The entries by name, letters A-Z in either case.
  const CityNameIndex& nameIndex() const { return index_; }

 private:
  bool loaded_ = false;
  std::vector<CityEntry> entries_;
  std::vector<std::string> names_;
  CityNameIndex index_;
};

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
  TCityItem city;
  std::string offsetText;
};

// The manager's in-memory copy of citydata.dat.
class CityDocument {
 public:
  // A missing file gives an empty database (root "cities") that can be saved;
  // a file that could not be read or parsed gives an empty document that
  // refuses to be saved, so the file on disk (or its set-aside copy) stays.
  XmlLoadResult load(const std::string& path);
  bool canSave() const { return canSave_; }

  pugi::xml_node root() const { return doc_.document_element(); }
  // Every city in file order, lon as in the file.
  std::vector<TCityItem> cities() const;
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

// How a change made in the manager reaches the rest of the program during a
// run. The loaded city table keeps what start-up read (its users see the
// change at the next start); every window that offers cities reads the file
// itself when it opens, so it sees the manager's last save at once. A window
// that stays open meanwhile (the clock set-up dialogs) keeps a
// CityFileListener and reads the file again when it is told.
class CityFileListener {
 public:
  explicit CityFileListener(std::function<void()> citiesSaved);
  ~CityFileListener();
  CityFileListener(const CityFileListener&) = delete;
  CityFileListener& operator=(const CityFileListener&) = delete;

 private:
  friend FileResult SaveCityDatabase(const CityDocument& doc);
  std::function<void()> citiesSaved_;
};

// The manager's save: doc to CityDataPath(), then, when that worked, every
// CityFileListener is told (in the order they were made).
FileResult SaveCityDatabase(const CityDocument& doc);

}  // namespace wc
