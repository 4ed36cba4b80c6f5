// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FuzzSupport.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/Settings.h"

namespace wc::fuzz {

namespace fs = std::filesystem;

const std::string& Folder() {
  // Never destroyed: the exit handler below still needs it.
  static const std::string& folder = *new std::string([] {
    std::error_code ec;
    const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string tmpl = (base / "wc-fuzz-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) std::abort();
    std::atexit([] {
      std::error_code e;
      fs::remove_all(Folder(), e);
    });
    // Failed settings writes are expected here, and not worth a line each.
    SetSettingsFailureHandler([](const std::string&) {});
    return tmpl + "/";
  }());
  return folder;
}

void Reset() {
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(Folder(), ec)) fs::remove_all(e.path(), ec);
}

std::string WriteInput(const std::string& name, std::string_view bytes) {
  const std::string path = Folder() + name;
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

std::string ReadBack(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

namespace {

std::string Folded(std::string_view s) {
  if (s.find_first_not_of(" \t\r\n") == std::string_view::npos) return {};
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r') {
      out += '\n';
      if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
    } else {
      out += s[i];
    }
  }
  return out;
}

}  // namespace

bool SameText(std::string_view a, std::string_view b) { return Folded(a) == Folded(b); }

void Require(bool cond, const char* what) {
  if (cond) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

}  // namespace wc::fuzz
