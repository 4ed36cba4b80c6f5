// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The quick time finder's model: the list of cities by name or by country,
// and the look-up of the text the user typed or picked, with the city's
// current local time and its country's dial code.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/City.h"
#include "core/DateTime.h"

namespace wc {

class CityTable;

// "Search Type": 0 by city, 1 by country.
enum class SearchType { City = 0, Country = 1 };
SearchType SearchTypeFromSetting(int stored);  // anything but 1 searches by city

// "City, Country" becomes "Country, City" and back: the text after the first
// comma (at most 32 characters) and the text before it, each trimmed, joined
// by ", ". A text without a comma gives "Text, Text".
std::string NameSwap(std::string_view text);
// "Country<TAB>" of a "City, Country" text (at most 32 characters after the
// first comma, trimmed); empty for a text without a comma.
std::string CountryKey(std::string_view text);

struct FinderResult {
  const CityEntry* city = nullptr;
  std::string name;  // as the table writes it
  DateTime localTime = 0;
  std::string code;  // empty when the text names no country
};

class TimeFinderModel {
 public:
  // Both must outlive the model; the lines are those of dialcodes.dat.
  TimeFinderModel(const CityTable& table, const std::vector<std::string>& dialCodeLines);

  // The list for a search mode: every city's name, or its name swap, in the
  // program's list order.
  const std::vector<std::string>& setSearchType(SearchType type);
  SearchType searchType() const { return type_; }
  const std::vector<std::string>& items() const { return items_; }

  // The first city whose whole name equals the text (by country: its name
  // swap), letters A-Z in any case. By country, an entry of the list always
  // finds the city it was made from, also when swapping it back does not
  // give the name ("Name" is listed as "Name, Name").
  std::optional<FinderResult> lookup(std::string_view text, DateTime localNow, double utcOffsetDays) const;

  // The first entry of the list that begins with the text, A-Z in any case.
  std::optional<std::string> completion(std::string_view text) const;

 private:
  const CityTable& table_;
  const std::vector<std::string>& dialCodeLines_;
  SearchType type_ = SearchType::City;
  std::vector<std::string> items_;
  // By country: each entry, A-Z lowered, to the first city it was made from.
  std::unordered_map<std::string, std::size_t> swappedToCity_;
};

}  // namespace wc
