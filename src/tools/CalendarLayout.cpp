// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/CalendarLayout.h"

#include "core/DateTime.h"
#include "core/Text.h"

namespace wc {

MonthLayout LayoutMonth(int year, int month, std::optional<std::chrono::sys_days> today,
                        const CalendarGeometry& g) {
  using namespace std::chrono;
  MonthLayout m;
  m.month = month;
  const int c = (month - 1) % 4;
  const int r = (month - 1) / 4;
  const int cw = g.cellWidth();
  const int ch = g.cellHeight();
  const int baseX = g.left + c * g.boxWidth + cw / 2;
  const int baseY = g.top + r * g.boxHeight + 2;
  m.nameLeft = baseX - 8;
  m.nameTop = baseY - 20;
  for (int i = 0; i < 7; ++i) m.headerCentreX[static_cast<std::size_t>(i)] = baseX + i * cw;
  m.headerTop = baseY;

  const int last = DaysInMonth(year, month);
  if (last == 0) return m;
  const sys_days first{std::chrono::year{year} / month / 1};
  int column = static_cast<int>(weekday{first}.c_encoding());  // Sunday = 0
  int line = 0;
  m.days.reserve(static_cast<std::size_t>(last));
  for (int d = 1; d <= last; ++d) {
    const sys_days date = first + days{d - 1};
    m.days.push_back(
        {d, column, line, baseX + column * cw, baseY + ch * (line + 1), today && *today == date});
    if (++column == 7 && d < last) {
      column = 0;
      ++line;
    }
  }
  m.lines = line + 1;
  return m;
}

std::string WeekdayHeader(std::string_view shortName) { return LeftUtf16(shortName, 2); }

YearEntry ReadYearText(std::string_view text) {
  const std::optional<std::int32_t> n = TryStrToInt(text);
  if (!n || *n == 0) return {};
  if (!IsCalendarYear(*n)) return {YearEntry::Kind::OutOfRange, *n};
  return {YearEntry::Kind::Year, *n};
}

}  // namespace wc
