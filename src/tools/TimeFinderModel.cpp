// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/TimeFinderModel.h"

#include "core/CityTable.h"
#include "core/CityTime.h"
#include "core/DisplayCities.h"
#include "core/Text.h"
#include "tools/DialCodeFile.h"

namespace wc {

namespace {

constexpr std::size_t kCountryChars = 32;

}  // namespace

SearchType SearchTypeFromSetting(int stored) { return stored == 1 ? SearchType::Country : SearchType::City; }

std::string NameSwap(std::string_view text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string_view::npos) return std::string(text) + ", " + std::string(text);
  return Trim(LeftUtf16(text.substr(comma + 1), kCountryChars)) + ", " + Trim(text.substr(0, comma));
}

std::string CountryKey(std::string_view text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string_view::npos) return {};
  return Trim(LeftUtf16(text.substr(comma + 1), kCountryChars)) + '\t';
}

TimeFinderModel::TimeFinderModel(const CityTable& table, const std::vector<std::string>& dialCodeLines)
    : table_(table), dialCodeLines_(dialCodeLines) {}

const std::vector<std::string>& TimeFinderModel::setSearchType(SearchType type) {
  type_ = type;
  items_.clear();
  swappedToCity_.clear();
  const std::vector<CityEntry>& cities = table_.entries();
  items_.reserve(cities.size());
  for (std::size_t i = 0; i < cities.size(); ++i) {
    std::string name = cities[i].name();
    if (type == SearchType::Country) {
      name = NameSwap(name);
      swappedToCity_.emplace(LowerAscii(name), i);
    }
    items_.push_back(std::move(name));
  }
  SortListOrder(items_);
  return items_;
}

std::optional<FinderResult> TimeFinderModel::lookup(std::string_view text, DateTime localNow,
                                                    double utcOffsetDays) const {
  std::string name = type_ == SearchType::Country ? NameSwap(text) : std::string(text);
  const CityEntry* city = table_.findByName(name, NameMatch::IgnoreCaseAscii);
  if (!city && type_ == SearchType::Country) {
    const auto it = swappedToCity_.find(LowerAscii(text));
    if (it == swappedToCity_.end()) return std::nullopt;
    city = &table_.entries()[it->second];
    name = city->name();
  }
  if (!city) return std::nullopt;
  FinderResult r;
  r.city = city;
  r.name = city->name();
  r.localTime = CityLocalTime(*city, localNow, utcOffsetDays);
  if (const std::string key = CountryKey(name); !key.empty()) r.code = DialCodeFor(dialCodeLines_, key);
  return r;
}

std::optional<std::string> TimeFinderModel::completion(std::string_view text) const {
  if (text.empty()) return std::nullopt;
  for (const std::string& item : items_)
    if (StartsWithIgnoreCaseAscii(item, text)) return item;
  return std::nullopt;
}

}  // namespace wc
