#include "RemCheck.h"

#include "core/CityTime.h"
#include "core/Text.h"

namespace wc {

std::vector<RemFiring> CheckRem(const TRemList& list, std::span<const CityEntry> cities, TDateTime utcNow,
                                const FormatSettings& format) {
  std::vector<RemFiring> fired;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const TRemInfo& r = *list[i];
    if (r.shown()) continue;
    for (const CityEntry& c : cities) {
      if (!EqualsIgnoreCaseAscii(c.name(), r.RemCity)) continue;
      const TDateTime t = CityLocalTime(c, utcNow, 0.0);
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
