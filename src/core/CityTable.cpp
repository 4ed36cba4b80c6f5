// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CityTable.h"

#include "CityFile.h"
#include "Text.h"

namespace wc {

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

}  // namespace wc
