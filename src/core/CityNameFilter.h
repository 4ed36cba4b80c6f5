// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The one rule for finding a city by what a user types in a box of ours:
// letter case and accents do not count (FoldForSearch: "sao" finds
// "São Paulo"), blanks around the text neither, and the text may stand
// anywhere in the name, the country included.
//
// Best matches come first, in three ranks, each in the list's own order:
//   1. the name begins with the text ("par" finds "Paris, France"),
//   2. a later word of the name begins with it: a word begins after any
//      character that is neither a letter nor a digit, so "york" finds "New
//      York" and "hert" "'s-Hertogenbosch",
//   3. the text stands inside a word ("ork" finds "New York").
// A user who types the start of a name, the usual way, sees it at the top
// whatever the alphabet puts before it.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace wc {

class CityNameFilter {
 public:
  CityNameFilter() = default;
  explicit CityNameFilter(std::span<const std::string> names) { setNames(names); }

  void setNames(std::span<const std::string> names);
  std::size_t size() const { return starts_.size() - 1; }

  // Positions in the names given, best first; every position in order when
  // the text is empty or only blanks.
  std::vector<std::size_t> match(std::string_view text) const;

 private:
  // Every folded name in one buffer, each followed by a NUL, so one pass
  // over a few hundred kilobytes serves a keystroke.
  std::string keys_;
  std::vector<std::size_t> starts_{0};
};

}  // namespace wc
