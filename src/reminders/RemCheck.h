// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One scheduling pass over the reminder list, as a function of its inputs:
// the caller marks what fires, writes the list and shows the pop-ups.

#include <string>
#include <vector>

#include "core/CityNameIndex.h"
#include "core/FormatDateTime.h"
#include "reminders/ReminderStore.h"

namespace wc {

struct RemFiring {
  std::size_t index = 0;  // position in the list
  std::string heading;    // "It is now 09:05 PM in London"
  std::string message;
  std::string sound;
};

// A pending reminder fires when, for the first city of the table whose name
// (its first 32 characters) equals RemCity ignoring the case of A-Z, the
// city's local time at utcNow formatted "hh:mm AM/PM" equals RemTime and its
// local date is RemDate's. Minute resolution; no catching up; the caller
// marks the fired ones shown, so a minute that recurs fires nothing again.
// The cities come through their name index, made once per table.
std::vector<RemFiring> CheckRem(const RemList& list, const CityNameIndex& cities, DateTime utcNow,
                                const FormatSettings& format);

}  // namespace wc
