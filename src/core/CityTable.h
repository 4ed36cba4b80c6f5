// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The loaded city table: all cities of citydata.dat as read at start-up, lon
// west positive. Filled once per run; later edits reach it at the next start.

#include <string>
#include <string_view>
#include <vector>

#include "City.h"
#include "CityNameIndex.h"
#include "Xml.h"

namespace wc {

enum class NameMatch { Exact, IgnoreCaseAscii };

class CityTable {
 public:
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

}  // namespace wc
