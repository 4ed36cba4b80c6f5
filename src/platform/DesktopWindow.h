// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Windows that belong to the desktop rather than to the program: the
// desktop clocks. Window managers are asked to leave them out of the task
// bar, the pager and the window switcher, to show them on every virtual
// desktop, and not to hide or minimise them along with the main window.

class QWindow;

namespace wc {

// Call before every showing and after every change of the window's flags:
// the toolkit writes its own window type at both. Nothing off X11.
void MarkAsDesktopWindow(QWindow* w);

}  // namespace wc
