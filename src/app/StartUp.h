// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The program's start, one step a call (StartUp.cpp lists them in order).

#include <memory>

namespace wc {

class MainWindow;

// Everything up to the first map: the main window with its services made,
// its stored settings applied and placed on its monitor, not yet shown
// (showing it draws the first map).
std::unique_ptr<MainWindow> StartUp();

}  // namespace wc
