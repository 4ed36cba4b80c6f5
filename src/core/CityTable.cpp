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
  return r.file;
}

const CityEntry* CityTable::findByName(std::string_view name, NameMatch match) const {
  // The entries hold their names as 32 UTF-16 units; compare in that form.
  std::u16string key = Utf8ToUtf16(name);
  if (key.size() > CityEntry::kNameChars) return nullptr;
  for (const CityEntry& e : entries_) {
    const std::u16string_view n(e.nameField.data());
    if (match == NameMatch::Exact ? n == key : EqualsIgnoreCaseAscii(n, key)) return &e;
  }
  return nullptr;
}

}  // namespace wc
