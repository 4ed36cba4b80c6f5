// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RemCheck.h"

#include "core/CityTime.h"

namespace wc {

std::vector<RemFiring> CheckRem(const RemList& list, const CityNameIndex& cities, DateTime utcNow,
                                const FormatSettings& format) {
  std::vector<RemFiring> fired;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const RemInfo& r = *list[i];
    if (r.shown()) continue;
    cities.visitMatches(CityNameIndex::Folded(r.RemCity), [&](const CityEntry& c) {
      const DateTime t = CityLocalTime(c, utcNow, 0.0);
      // The date first: it rules out nearly every reminder without formatting a time.
      if (DateOf(t) != DateOf(r.RemDate)) return false;
      std::string time = FormatDateTime(kTime12Format, t, format);
      // A later city of the same name may still match.
      if (time != r.RemTime) return false;
      fired.push_back({i, "It is now " + time + " in " + r.RemCity, r.RemMsg, r.PlaySound});
      return true;
    });
  }
  return fired;
}

}  // namespace wc
