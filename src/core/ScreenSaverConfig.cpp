// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ScreenSaverConfig.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

namespace wc {

namespace {

constexpr char kEntryName[] = "\"Tavrel World Clock\"";

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t nl = text.find('\n', start);
    if (nl == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, nl - start));
    start = nl + 1;
  }
  return lines;
}

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  return s;
}

bool Continues(std::string_view line) { return !line.empty() && line.back() == '\\'; }

// Ends an entry: the list's separator "\n" before the line continuation.
bool EndsEntry(std::string_view line) {
  line = TrimRight(line);
  return line.size() >= 3 && line.substr(line.size() - 3) == "\\n\\";
}

// Quoted for the shell that runs the list's commands, when it needs to be.
std::string ShellWord(const std::string& s) {
  if (!s.empty() &&
      s.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/._-+,:=@") ==
          std::string::npos)
    return s;
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

bool IsOurs(std::string_view line) { return line.find(kSaverProgramName) != std::string_view::npos; }

// "selected: N" of the file, with its line.
struct Selected {
  std::size_t line;
  long value;
};
// A line that continues the one before (a program of the list) is no setting.
std::optional<Selected> FindSelected(const std::vector<std::string>& lines) {
  bool continued = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view l = TrimLeft(lines[i]);
    if (!continued && l.substr(0, 9) == "selected:")
      return Selected{i, std::strtol(std::string(l.substr(9)).c_str(), nullptr, 10)};
    continued = Continues(TrimRight(l));
  }
  return std::nullopt;
}

}  // namespace

std::string XScreenSaverSettingsPath() {
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "") + "/.xscreensaver";
}

std::string WithSaverProgram(std::string_view text, const std::string& exe) {
  const std::string entry = "\t\t" + std::string(kEntryName) + "\t" + ShellWord(exe) + " -root \\n\\";
  if (text.empty()) {
    if (exe.empty()) return {};
    return "# XScreenSaver Preferences File\n"
           "mode:\t\tone\n"
           "selected:\t0\n"
           "programs:\t\\\n" +
           entry + "\n\n";
  }

  std::vector<std::string> lines = SplitLines(text);
  const bool endsWithNewline = text.back() == '\n';
  // A file with CR LF line breaks keeps them on the lines made here. A file
  // of one line that ends in CR becomes one: the break added after it is CR LF,
  // and the next registration must read the file as this one wrote it.
  const std::size_t firstBreak = text.find('\n');
  const bool crlf = firstBreak != std::string_view::npos ? firstBreak > 0 && text[firstBreak - 1] == '\r'
                                                         : text.back() == '\r';
  const std::string cr = crlf ? "\r" : "";
  std::size_t header = lines.size();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (TrimLeft(lines[i]).substr(0, 9) == "programs:") {
      header = i;
      break;
    }
  }

  long removedIndex = -1, appendedIndex = -1;
  if (header == lines.size()) {
    if (exe.empty()) return std::string(text);
    if (!lines.empty() && !TrimRight(lines.back()).empty()) lines.push_back(cr);
    lines.push_back("programs:\t\\" + cr);
    lines.push_back(entry + cr);
    lines.push_back(cr);
    appendedIndex = 0;
  } else {
    // The list runs on while its lines end in a backslash; count entries by
    // their separators to know each one's index. A long command is wrapped
    // over lines that end in a backslash alone: an entry is every line up to
    // its separator (or the list's end), and goes as a whole.
    long index = 0;
    std::size_t i = header;
    std::size_t entryStart = header + 1;
    // Our entry ended the list: the list now ends before line i.
    bool endedAtRemoval = false;
    for (;;) {
      const bool continues = Continues(TrimRight(lines[i]));
      const bool endOfList = !continues || i + 1 >= lines.size();
      if (i > header && (EndsEntry(lines[i]) || endOfList)) {
        const auto first = lines.begin() + static_cast<std::ptrdiff_t>(entryStart);
        const auto end = lines.begin() + static_cast<std::ptrdiff_t>(i + 1);
        if (std::any_of(first, end, [](const std::string& l) { return IsOurs(l); })) {
          if (removedIndex < 0) removedIndex = index;
          // A continuation on the line before keeps the list going as before.
          endedAtRemoval = !continues;
          lines.erase(first, end);
          i = entryStart;
          if (i >= lines.size() || endedAtRemoval) break;
          continue;
        }
        if (EndsEntry(lines[i])) ++index;
        entryStart = i + 1;
      }
      if (endOfList) break;
      ++i;
    }
    const auto blank = [&](std::size_t n) { return TrimLeft(TrimRight(lines[n])).empty(); };
    // The line before continues the list: without an empty line the setting
    // after it would be read as one of the programs.
    if (endedAtRemoval && exe.empty() && i < lines.size() && !blank(i))
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(i), cr);
    // i is the list's last line: empty, or an entry without a continuation
    // (or, when endedAtRemoval, the line after the list).
    if (!exe.empty()) {
      std::size_t at = i;
      if (!endedAtRemoval && i < lines.size() && !blank(i)) {
        // The last entry ends the list without a separator: give it one.
        std::string_view last = TrimRight(lines[i]);
        if (Continues(last)) last.remove_suffix(1);
        lines[i] = std::string(TrimRight(last)) + " \\n\\" + cr;
        ++index;
        at = i + 1;
      } else if (at > header && Continues(TrimRight(lines[at - 1])) && at - 1 > header &&
                 !EndsEntry(lines[at - 1])) {
        std::string_view prev = TrimRight(lines[at - 1]);
        prev.remove_suffix(1);
        lines[at - 1] = std::string(TrimRight(prev)) + " \\n\\" + cr;
        ++index;
      }
      if (at > lines.size()) at = lines.size();
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), entry + cr);
      // An empty line ends the list after it.
      if (at + 1 >= lines.size() || !blank(at + 1))
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at + 1), cr);
      appendedIndex = index;
    }
  }

  if (auto sel = FindSelected(lines)) {
    long s = sel->value;
    if (removedIndex >= 0 && s == removedIndex)
      s = exe.empty() ? -1 : appendedIndex;
    else if (removedIndex >= 0 && s > removedIndex)
      --s;
    if (s != sel->value) {
      const std::string& l = lines[sel->line];
      lines[sel->line] = l.substr(0, l.find("selected:")) + "selected:\t" + std::to_string(s) +
                         (l.ends_with('\r') ? "\r" : "");
    }
  }

  // Only our own empty line, ending the list, can end the file: without its
  // line break it would be lost and the next registration add it again.
  const bool lineBreakAtEnd = endsWithNewline || (!lines.empty() && lines.back() == cr);
  std::string out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    out += lines[i];
    if (i + 1 < lines.size() || lineBreakAtEnd) out += lines[i].ends_with('\r') ? "\n" : cr + "\n";
  }
  return out;
}

FileResult SetSaverProgram(const std::string& settingsPath, const std::string& exe) {
  const ReadResult r = ReadWholeFile(settingsPath);
  if (r.status == ReadStatus::Failed) return {false, r.error + "; it was left as it is."};
  const std::string before = r.status == ReadStatus::Ok ? r.bytes : std::string();
  const std::string after = WithSaverProgram(before, exe);
  if (after == before) return {true, {}};
  return WriteFileAtomically(settingsPath, after);
}

}  // namespace wc
