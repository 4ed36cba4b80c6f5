// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The city and time zone manager's rules, free of the toolkit: the texts of
// its table, the checks of its edit group and its search.

#include <array>
#include <string>
#include <string_view>

#include "CityDocument.h"
#include "Text.h"

namespace wc {

// The entries of the rule lists: occurrences 1..6, weekdays 1..7 (Monday
// first), months 1..12.
extern const std::array<std::string_view, 6> kOccurrenceNames;
extern const std::array<std::string_view, 7> kWeekdayNames;
extern const std::array<std::string_view, 12> kMonthNames;

// "First Sunday of April"; empty unless all three numbers name an entry.
std::string RuleText(int weekno, int dayofweek, int month);

// Reads as a decimal number with "." as the separator, whatever the locale
// ("+5.5", "-3", "51.5" pass; "5,5", "", letters fail). Blanks around it are
// allowed.
bool IsNumberText(std::string_view text);

// What the edit group holds. Each rule list gives the 0-based index of its
// selected entry, -1 when none is selected.
struct CityInput {
  std::string name, offset, lon, lat;
  bool dst = false;
  std::array<int, 6> rule{-1, -1, -1, -1, -1, -1};  // weekno, dow, month, weekno1, dow1, month1
};

// Each has its own message in the manager.
enum class CityInputProblem { None, Name, Offset, Longitude, Latitude, Rule };

// The checks of "Save City" (saving) and "Update City", in their order; the
// first that fails is returned. Only saving requires every rule list to have
// a selection while daylight saving is on. Longitude and latitude must be
// whole degrees on the map (the readers take nothing else), the offset a
// real one (at most 14 hours either way).
CityInputProblem CheckCityInput(const CityInput& in, bool saving);

// The values written for the input: the rule numbers 1-based, 0 for a list
// without a selection.
CityTexts ToCityTexts(const CityInput& in);

// The manager's search: an empty (or blank) search shows every city; else
// the search text, as typed, must occur in the name with ASCII letter case
// ignored.
bool MatchesCitySearch(std::string_view name, std::string_view search);

// The duplicate test of saving: the trimmed new name occurs within one of the
// shown names (case-sensitive, equal names included).
template <class Names>
bool NameAlreadyShown(std::string_view newName, const Names& shownNames) {
  const std::string_view name = TrimView(newName);
  for (const auto& shown : shownNames)
    if (std::string_view(shown).find(name) != std::string_view::npos) return true;
  return false;
}

}  // namespace wc
