// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CityNameFilter.h"

#include <array>

#include "Text.h"

namespace wc {

namespace {

// Folded names keep bytes >= 0x80 only for letters outside the Latin ones
// (Cyrillic, Greek, ...), so those count as letters too.
bool WordCharacter(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b >= 0x80;
}

}  // namespace

void CityNameFilter::setNames(std::span<const std::string> names) {
  keys_.clear();
  starts_.assign(1, 0);
  starts_.reserve(names.size() + 1);
  for (const std::string& n : names) {
    keys_ += FoldForSearch(n);
    keys_ += '\0';
    starts_.push_back(keys_.size());
  }
}

std::vector<std::size_t> CityNameFilter::match(std::string_view text) const {
  const std::string key = FoldForSearch(TrimView(text));
  std::vector<std::size_t> out;
  if (key.empty()) {
    out.resize(size());
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = i;
    return out;
  }
  // A NUL would match across the names' ends.
  if (key.find('\0') != std::string::npos) return out;
  std::array<std::vector<std::size_t>, 3> ranks;
  const std::string_view all(keys_);
  // One search through the whole buffer; a hit is ranked by the name it
  // falls in, and only the rest of that name is searched for a better rank.
  std::size_t name = 0;
  for (std::size_t at = all.find(key); at != std::string_view::npos;) {
    while (starts_[name + 1] <= at) ++name;
    const std::size_t begin = starts_[name], end = starts_[name + 1] - 1;
    const std::string_view nameKey = all.substr(begin, end - begin);
    std::size_t rank = at == begin ? 0 : 2;
    for (std::size_t p = at - begin; rank == 2 && p != std::string_view::npos; p = nameKey.find(key, p + 1))
      if (!WordCharacter(nameKey[p - 1])) rank = 1;
    ranks[rank].push_back(name);
    at = all.find(key, end + 1);
  }
  out.reserve(ranks[0].size() + ranks[1].size() + ranks[2].size());
  for (const auto& r : ranks) out.insert(out.end(), r.begin(), r.end());
  return out;
}

}  // namespace wc
