// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/DialCodeFile.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "core/AtomicFile.h"
#include "core/Paths.h"
#include "core/Text.h"

namespace wc {

std::string DialCodesPath() { return ProgramFolder() + "dialcodes.dat"; }

DialCodeLines ReadDialCodeLines(const std::string& path) {
  DialCodeLines out;
  const ReadResult r = ReadWholeFile(path);
  if (r.status != ReadStatus::Ok) return out;
  out.exists = true;
  out.lines = SplitLines(DecodeTextFile(r.bytes));
  return out;
}

std::string DialCodeFor(const std::vector<std::string>& lines, std::string_view countryKey) {
  for (const std::string& line : lines) {
    if (!StartsWithIgnoreCaseAscii(line, countryKey)) continue;
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    return Trim(LeftUtf16(std::string_view(line).substr(tab + 1), kDialCodeChars));
  }
  return std::string(kDefaultDialCode);
}

std::vector<DialCodeRow> DialCodeRows(const std::vector<std::string>& lines) {
  std::vector<DialCodeRow> rows;
  rows.reserve(lines.size());
  for (const std::string& line : lines) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    rows.push_back({line.substr(0, tab), LeftUtf16(std::string_view(line).substr(tab + 1), kDialCodeChars)});
  }
  return rows;
}

namespace {

std::optional<std::int32_t> CodeNumber(std::string_view code) {
  std::string digits(code);
  std::erase(digits, '+');
  return TryStrToInt(digits);
}

}  // namespace

void DialCodeSort::columnClick(std::vector<DialCodeRow>& rows, DialCodeColumn column) {
  descending_ = !descending_;
  const bool down = descending_;
  if (column == DialCodeColumn::Country) {
    std::stable_sort(rows.begin(), rows.end(), [down](const DialCodeRow& a, const DialCodeRow& b) {
      return down ? b.country < a.country : a.country < b.country;
    });
    return;
  }
  struct Keyed {
    std::optional<std::int32_t> number;
    std::size_t index;
  };
  // The numbers are read once, not at every comparison.
  std::vector<Keyed> keyed;
  keyed.reserve(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) keyed.push_back({CodeNumber(rows[i].code), i});
  std::stable_sort(keyed.begin(), keyed.end(), [&rows, down](const Keyed& a, const Keyed& b) {
    if (a.number.has_value() != b.number.has_value()) return a.number.has_value();
    if (a.number) return down ? *b.number < *a.number : *a.number < *b.number;
    const std::string& ca = rows[a.index].code;
    const std::string& cb = rows[b.index].code;
    return down ? cb < ca : ca < cb;
  });
  std::vector<DialCodeRow> sorted;
  sorted.reserve(rows.size());
  for (const Keyed& k : keyed) sorted.push_back(std::move(rows[k.index]));
  rows = std::move(sorted);
}

}  // namespace wc
