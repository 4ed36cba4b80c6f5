#include "DisplayCities.h"

#include <algorithm>

#include "Text.h"

namespace wc {

namespace {

// Bytes compare unsigned, as std::string's own order does.
unsigned char LowerAscii(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

bool IsTrimmed(char16_t c) { return c <= u' '; }

std::u16string_view TrimView16(std::u16string_view s) {
  while (!s.empty() && IsTrimmed(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsTrimmed(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

void SortListOrder(std::vector<std::string>& items) {
  // Compared in place: lowering copies of both names for each comparison cost
  // more than the rest of loading 5000 cities.
  std::stable_sort(items.begin(), items.end(), [](const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return LowerAscii(x) < LowerAscii(y); });
  });
}

std::size_t BuildDisplayCities(const std::vector<std::string>& names, std::span<const CityEntry> table,
                               std::span<TCities> slots) {
  std::fill(slots.begin(), slots.end(), TCities{});
  std::size_t filled = 0;
  for (const std::string& d : names) {
    // An empty name would match every city and take all the slots.
    if (d.empty()) continue;
    const std::u16string d16 = Utf8ToUtf16(d);
    const std::string shownName = d.substr(0, d.find(','));
    for (const CityEntry& c : table) {
      if (filled >= slots.size()) return filled;
      std::u16string_view cname(c.nameField.data());
      cname = cname.substr(0, std::min(cname.size(), CityEntry::kNameChars));
      cname = cname.substr(0, std::min(cname.size(), d16.size()));
      if (TrimView16(cname) != d16) continue;
      TCities& s = slots[filled++];
      s.name = shownName;
      CopyCityData(c, s);
    }
  }
  return filled;
}

}  // namespace wc
