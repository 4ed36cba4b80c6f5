// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Autostart.h"

#include <filesystem>
#include <system_error>

#include "AtomicFile.h"
#include "Paths.h"
#include "Settings.h"
#include "SettingsBackend.h"
#include "Text.h"

namespace wc {

namespace {

// Characters that make an Exec argument need quoting.
bool NeedsQuoting(std::string_view s) {
  if (s.empty()) return true;
  return s.find_first_of(" \t\n\"'\\><~|&;$*?#()`") != std::string_view::npos;
}

std::string QuoteExecArgument(std::string_view arg) {
  std::string out;
  if (NeedsQuoting(arg)) {
    out += '"';
    for (char c : arg) {
      if (c == '"' || c == '`' || c == '$' || c == '\\') out += '\\';
      out += c;
    }
    out += '"';
  } else {
    out = arg;
  }
  // A literal percent sign would otherwise read as a field code.
  std::string escaped;
  for (char c : out) {
    escaped += c;
    if (c == '%') escaped += '%';
  }
  return escaped;
}

// The general escapes of a string value.
std::string EscapeValue(std::string_view s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string UnescapeValue(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      out += s[i];
      continue;
    }
    switch (s[++i]) {
      case 's':
        out += ' ';
        break;
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case 'r':
        out += '\r';
        break;
      case '\\':
        out += '\\';
        break;
      default:
        out += '\\', out += s[i];
    }
  }
  return out;
}

std::optional<std::vector<std::string>> SplitExec(std::string_view s) {
  std::vector<std::string> args;
  std::string cur;
  bool inArg = false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == ' ' || c == '\t') {
      if (inArg) args.push_back(cur), cur.clear(), inArg = false;
      continue;
    }
    inArg = true;
    if (c == '"') {
      for (++i; i < s.size() && s[i] != '"'; ++i) {
        if (s[i] == '\\' && i + 1 < s.size())
          ++i;
        else if (s[i] == '%' && i + 1 < s.size() && s[i + 1] == '%')
          ++i;
        cur += s[i];
      }
      if (i == s.size()) return std::nullopt;  // unterminated quote
    } else if (c == '%' && i + 1 < s.size() && s[i + 1] == '%') {
      cur += '%';
      ++i;
    } else {
      cur += c;
    }
  }
  if (inArg) args.push_back(cur);
  return args;
}

}  // namespace

std::string AutostartEntryText(const std::string& exe) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Tavrel World Clock\n"
         "Comment=World map with the night side and the time in cities around the world\n"
         "Exec=" +
         EscapeValue(QuoteExecArgument(exe)) +
         "\n"
         "Terminal=false\n"
         "X-GNOME-Autostart-enabled=true\n";
}

std::optional<std::vector<std::string>> AutostartCommand(std::string_view text) {
  std::optional<std::string> exec;
  bool inMainGroup = false;
  bool hidden = false;
  while (!text.empty()) {
    const std::size_t eol = text.find('\n');
    std::string_view line = TrimView(text.substr(0, eol));
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      inMainGroup = line == "[Desktop Entry]";
      continue;
    }
    if (!inMainGroup) continue;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string_view key = TrimView(line.substr(0, eq));
    const std::string_view value = TrimView(line.substr(eq + 1));
    if (key == "Exec") exec = UnescapeValue(value);
    if (key == "Hidden") hidden = value == "true";
  }
  if (!exec || hidden) return std::nullopt;
  return SplitExec(*exec);
}

bool IsStartAtLoginOn(const std::string& entryPath, const std::string& exe) {
  if (exe.empty()) return false;
  const ReadResult r = ReadWholeFile(entryPath);
  if (r.status != ReadStatus::Ok) return false;
  const auto cmd = AutostartCommand(r.bytes);
  return cmd && cmd->size() == 1 && cmd->front() == exe;
}

bool SetStartAtLogin(const std::string& entryPath, bool on, const std::string& exe) {
  std::error_code ec;
  const std::filesystem::path path = ToPath(entryPath);
  if (!on) {
    std::filesystem::remove(path, ec);
    return !ec;
  }
  if (exe.empty()) return false;
  std::filesystem::create_directories(path.parent_path(), ec);
  return static_cast<bool>(WriteFileAtomically(entryPath, AutostartEntryText(exe)));
}

bool IsStartAtLoginOn(const std::string& exe) {
#ifdef _WIN32
  return !exe.empty() && ReadStringSetting(kRunKey, kRunValue, "") == exe;
#else
  return IsStartAtLoginOn(AutostartEntryPath(), exe);
#endif
}

bool SetStartAtLogin(bool on, const std::string& exe) {
#ifdef _WIN32
  if (on && exe.empty()) return false;
  const RegWriteResult r = on ? CurrentSettingsBackend().set(kRunKey, kRunValue, RegValue::fromString(exe))
                              : CurrentSettingsBackend().remove(kRunKey, kRunValue);
  return r.status == RegStatus::Ok;
#else
  return SetStartAtLogin(AutostartEntryPath(), on, exe);
#endif
}

}  // namespace wc
