// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RemEdit.h"

#include "core/Text.h"

namespace wc {

std::optional<std::string_view> ValidateReminder(std::string_view city, std::string_view message) {
  if (city.empty()) return kRemNoCityText;
  if (TrimView(message).empty()) return kRemNoMessageText;
  return std::nullopt;
}

void SetReminderFields(RemInfo& r, DateTime date, DateTime time, std::string_view city,
                       std::string_view message, std::string_view sound, const FormatSettings& format) {
  r.RemDate = date;
  r.RemTime = FormatDateTime(kTime12Format, time, format);
  r.RemMsg = message;
  r.PlaySound = sound;
  r.RemCity = city;
  r.iShown = 0;
}

std::string RemindOnText(DateTime date, const FormatSettings& format) {
  return FormatDateTime("dd mmmm yyyy", date, format);
}

}  // namespace wc
