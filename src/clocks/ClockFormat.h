// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The user's regional date and time forms, read once, for the clocks' texts.

#include "core/FormatDateTime.h"

namespace wc {

const FormatSettings& ClockFormat();

}  // namespace wc
