// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The reminder editor's decisions, free of the toolkit.

#include <optional>
#include <string>
#include <string_view>

#include "core/FormatDateTime.h"
#include "reminders/ReminderStore.h"

namespace wc {

inline constexpr std::string_view kRemNoCityText = "Please select a city !";
inline constexpr std::string_view kRemNoMessageText = "Please enter message text";

// The message "Set Reminder" answers with, or nothing when the fields may be stored.
std::optional<std::string_view> ValidateReminder(std::string_view city, std::string_view message);

// "Set Reminder" on a record, new or edited: the fields as entered (the
// message untrimmed), the time as "hh:mm AM/PM", and pending again.
void SetReminderFields(RemInfo& r, DateTime date, DateTime time, std::string_view city,
                       std::string_view message, std::string_view sound, const FormatSettings& format);

// The "Remind On" column: "dd mmmm yyyy" in the user's month names.
std::string RemindOnText(DateTime date, const FormatSettings& format);

}  // namespace wc
