// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SlotSearch.h"

#include <algorithm>
#include <limits>

namespace wc {

namespace {

constexpr std::int64_t kNever = std::numeric_limits<int>::max();

UtcMinute CeilTo(UtcMinute u, int step) { return -FloorDiv(-u, step) * step; }

std::vector<MinuteSpan> Intersect(const std::vector<MinuteSpan>& a, const std::vector<MinuteSpan>& b) {
  std::vector<MinuteSpan> out;
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const UtcMinute begin = std::max(a[i].begin, b[j].begin);
    const UtcMinute end = std::min(a[i].end, b[j].end);
    if (begin < end) out.push_back({begin, end});
    (a[i].end < b[j].end ? i : j)++;
  }
  return out;
}

// One city's standing against slots that start later and later.
class CityStanding {
 public:
  CityStanding(std::vector<MinuteSpan> spans, int length) : spans_(std::move(spans)), length_(length) {
    std::erase_if(spans_, [length](const MinuteSpan& s) { return s.end - s.begin < length; });
  }

  struct Standing {
    std::int64_t later = kNever;    // move the slot this much later to be within hours
    std::int64_t earlier = kNever;  // or this much earlier
    bool within() const { return later == 0; }
    std::int64_t cost() const { return std::min(later, earlier); }
  };

  // Starts must not decrease from one call to the next.
  Standing at(UtcMinute start) {
    while (next_ < spans_.size() && spans_[next_].end - length_ < start) ++next_;
    Standing s;
    if (next_ < spans_.size()) s.later = std::max<std::int64_t>(0, spans_[next_].begin - start);
    if (next_ > 0) s.earlier = start - (spans_[next_ - 1].end - length_);
    if (s.later == 0) s.earlier = 0;
    return s;
  }

 private:
  std::vector<MinuteSpan> spans_;  // only those the slot fits in
  int length_;
  std::size_t next_ = 0;  // the first span a slot starting now or later can still fit in
};

}  // namespace

std::optional<SlotResult> FindNextSlot(std::span<const PlannerCity> cities, UtcMinute now, int lengthMinutes,
                                       int days) {
  if (cities.empty() || lengthMinutes <= 0) return std::nullopt;
  const UtcMinute limit = now + static_cast<UtcMinute>(days) * 1440;  // no slot starts here or later
  // A week either side is enough to tell how far a slot is from a working
  // week that has any working day at all.
  const UtcMinute from = now - 7 * 1440;
  const UtcMinute to = limit + lengthMinutes + 7 * 1440;
  std::vector<std::vector<MinuteSpan>> working;
  working.reserve(cities.size());
  for (const PlannerCity& c : cities) working.push_back(c.workingSpans(from, to));

  std::vector<MinuteSpan> common = working.front();
  for (std::size_t i = 1; i < working.size(); ++i) common = Intersect(common, working[i]);
  for (const MinuteSpan& s : common) {
    const UtcMinute start = s.begin >= now ? s.begin : CeilTo(now, kSlotStep);
    if (start >= limit) break;
    if (start + lengthMinutes <= s.end) return SlotResult{{start, start + lengthMinutes}, {}};
  }

  // No slot suits everyone: weigh every quarter hour, and every city's own
  // beginning of work (which an odd offset may put off the quarter hours).
  std::vector<UtcMinute> starts;
  for (UtcMinute u = CeilTo(now, kSlotStep); u < limit; u += kSlotStep) starts.push_back(u);
  for (const auto& spans : working) {
    for (const MinuteSpan& s : spans) {
      if (s.begin >= now && s.begin < limit) starts.push_back(s.begin);
    }
  }
  std::sort(starts.begin(), starts.end());
  starts.erase(std::unique(starts.begin(), starts.end()), starts.end());

  if (starts.empty()) return std::nullopt;

  std::vector<CityStanding> standings;
  for (const auto& spans : working) standings.emplace_back(spans, lengthMinutes);
  UtcMinute best = starts.front();
  std::size_t bestWithin = 0;
  std::int64_t bestCost = std::numeric_limits<std::int64_t>::max();
  for (UtcMinute start : starts) {
    std::size_t within = 0;
    std::int64_t cost = 0;
    for (CityStanding& s : standings) {
      const CityStanding::Standing st = s.at(start);
      within += st.within();
      cost += st.cost();
    }
    // Most cities within hours; among those, the least the others would have
    // to move, where an hour nearer their working hours is worth a day's
    // wait (so a slot weeks ahead wins only by being much better); then the
    // earliest.
    cost = cost * 24 + (start - now);
    if (within > bestWithin || (within == bestWithin && cost < bestCost)) {
      best = start;
      bestWithin = within;
      bestCost = cost;
    }
  }

  SlotResult result{{best, best + lengthMinutes}, {}};
  for (std::size_t row = 0; row < cities.size(); ++row) {
    const CityStanding::Standing st = CityStanding(working[row], lengthMinutes).at(best);
    if (st.within()) continue;
    SlotMiss miss;
    miss.row = row;
    const PlannerCity& city = cities[row];
    const auto localDay = kTDateTimeEpoch + std::chrono::days{FloorDiv(city.localAt(best), 1440)};
    const bool touchesWork = std::any_of(working[row].begin(), working[row].end(), [&](const MinuteSpan& s) {
      return s.begin < result.slot.end && result.slot.begin < s.end;
    });
    if (!touchesWork && !city.hours().isWorkingDay(IsoWeekday(localDay))) {
      miss.kind = SlotMiss::Kind::DayOff;
      miss.minutes = static_cast<int>(std::min(st.later, kNever));
    } else if (st.later <= st.earlier) {
      miss.kind = SlotMiss::Kind::BeforeHours;
      miss.minutes = static_cast<int>(st.later);
    } else {
      miss.kind = SlotMiss::Kind::AfterHours;
      miss.minutes = static_cast<int>(st.earlier);
    }
    result.misses.push_back(miss);
  }
  return result;
}

}  // namespace wc
