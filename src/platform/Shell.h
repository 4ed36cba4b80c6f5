// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Asking the desktop to open a document, a web page or a program.

#include <string>

namespace wc {

// Runs verb ("open") on file: a program (with parameters, or when waited for)
// is started directly, anything else goes to the desktop's default handler
// (a browser for pages). With wait the call returns the program's exit code,
// letting window messages run meanwhile. -1 when nothing could be started.
int ShellOpen(const std::string& verb, const std::string& file, const std::string& parameters = {},
              bool wait = false, const std::string& directory = {});

}  // namespace wc
