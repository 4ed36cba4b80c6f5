// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The user's locale in the form the date/time pattern language wants.

#include <QLocale>
#include <QString>

#include "core/FormatDateTime.h"

namespace wc {

FormatSettings FormatSettingsFromLocale(const QLocale& locale = QLocale::system());

// A date or time format of the toolkit rewritten in the program's pattern
// language ("h:mm AP" becomes "h:mm AMPM"; time-zone fields are dropped).
std::string PatternFromQtFormat(const QString& qtFormat);

}  // namespace wc
