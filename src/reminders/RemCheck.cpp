// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RemCheck.h"

#include "core/CityTime.h"
#include "core/Text.h"

namespace wc {

namespace {

// The city's (32-unit) name equals the folded name, ignoring the case of A-Z.
// Compared in the field's own UTF-16, so the pass converts no city name: it
// runs every ten seconds all day, over the whole table for every reminder.
bool SameName(const CityEntry& c, std::u16string_view folded) {
  std::size_t i = 0;
  for (; i < folded.size(); ++i) {
    if (i >= CityEntry::kNameChars || LowerAscii(c.nameField[i]) != folded[i]) return false;
  }
  return i >= CityEntry::kNameChars || c.nameField[i] == 0;
}

}  // namespace

std::vector<RemFiring> CheckRem(const RemList& list, std::span<const CityEntry> cities, DateTime utcNow,
                                const FormatSettings& format) {
  std::vector<RemFiring> fired;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const RemInfo& r = *list[i];
    if (r.shown()) continue;
    std::u16string city = Utf8ToUtf16(r.RemCity);
    for (char16_t& ch : city) ch = LowerAscii(ch);
    for (const CityEntry& c : cities) {
      if (!SameName(c, city)) continue;
      const DateTime t = CityLocalTime(c, utcNow, 0.0);
      std::string time = FormatDateTime(kTime12Format, t, format);
      // A later city of the same name may still match.
      if (time != r.RemTime || DateOf(t) != DateOf(r.RemDate)) continue;
      fired.push_back({i, "It is now " + time + " in " + r.RemCity, r.RemMsg, r.PlaySound});
      break;
    }
  }
  return fired;
}

}  // namespace wc
