// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// How the windows tell the user about the stored settings: the problems of a
// read (SettingsReader), and failed writes.

#include "core/SettingsReader.h"

class QWidget;

namespace wc {

// One message box for all of the read's problems, none when it had none.
void ShowSettingsProblems(const SettingsReader& read, QWidget* parent = nullptr);

// From now on a failed settings write is shown in a message box, once for a
// burst of failures: an "OK" that stores twenty values on a full disk says
// so once, not twenty times.
void ShowSettingsFailures();

}  // namespace wc
