// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ClockFormat.h"

#include "platform/LocaleFormat.h"

namespace wc {

const FormatSettings& ClockFormat() {
  static const FormatSettings settings = FormatSettingsFromLocale();
  return settings;
}

}  // namespace wc
