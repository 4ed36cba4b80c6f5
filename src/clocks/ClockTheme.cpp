// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ClockTheme.h"

#include "core/AtomicFile.h"
#include "core/Text.h"

namespace wc {

IniFile IniFile::load(const std::string& path) {
  const ReadResult r = ReadWholeFile(path);
  if (r.status != ReadStatus::Ok) return {};
  return parse(r.bytes);
}

IniFile IniFile::parse(std::string_view text) {
  IniFile ini;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  Section* current = nullptr;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = TrimView(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      const std::size_t close = line.find(']');
      const std::string name =
          Trim(line.substr(1, close == std::string_view::npos ? line.size() : close - 1));
      // A repeated section adds its keys to the first one, as the platform reads it.
      const auto [it, added] = ini.index_.try_emplace(LowerAscii(name), ini.sections_.size());
      if (added) ini.sections_.push_back(Section{name, {}});
      current = &ini.sections_[it->second];
      continue;
    }
    const std::size_t eq = line.find('=');
    if (!current || eq == std::string_view::npos) continue;
    std::string key = Trim(line.substr(0, eq));
    std::string_view value = TrimView(line.substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    current->values.emplace_back(std::move(key), std::string(value));
  }
  return ini;
}

std::vector<std::string> IniFile::sections() const {
  std::vector<std::string> names;
  names.reserve(sections_.size());
  for (const Section& s : sections_) names.push_back(s.name);
  return names;
}

const IniFile::Section* IniFile::find(std::string_view section) const {
  const auto it = index_.find(LowerAscii(section));
  return it == index_.end() ? nullptr : &sections_[it->second];
}

bool IniFile::hasSection(std::string_view section) const { return find(section) != nullptr; }

std::string IniFile::readString(std::string_view section, std::string_view key, std::string_view def) const {
  if (const Section* s = find(section)) {
    for (const auto& [k, v] : s->values) {
      if (EqualsIgnoreCaseAscii(k, key)) return v;
    }
  }
  return std::string(def);
}

std::int32_t IniFile::readInteger(std::string_view section, std::string_view key, std::int32_t def) const {
  const std::string text = readString(section, key, "");
  std::string_view t = TrimView(text);
  std::string_view hex;
  if (t.substr(0, 1) == "$") hex = t.substr(1);
  if (t.substr(0, 2) == "0x" || t.substr(0, 2) == "0X") hex = t.substr(2);
  if (!hex.empty()) {
    std::uint32_t v = 0;
    if (hex.size() > 8) return def;
    for (const char c : hex) {
      int d = 0;
      if (c >= '0' && c <= '9')
        d = c - '0';
      else if (c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
      else if (c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
      else
        return def;
      v = v * 16 + static_cast<std::uint32_t>(d);
    }
    return static_cast<std::int32_t>(v);
  }
  return StrToIntDef(t, def);
}

AClockTheme ReadAClockTheme(const IniFile& ini, std::string_view theme) {
  AClockTheme t;
  t.SecondImage = ini.readString(theme, "SecondImage", "");
  t.RoundImage = ini.readString(theme, "RoundImage", "");
  t.HourImage = ini.readString(theme, "HourImage", "");
  t.MinuteImage = ini.readString(theme, "MinuteImage", "");
  t.TYCity = ini.readInteger(theme, "TYCity", 0);
  t.TYDate = ini.readInteger(theme, "TYDate", 0);
  t.TextColor = ini.readString(theme, "TextColor", "Black");
  t.txhour = ini.readInteger(theme, "TXHour", 0);
  t.tyhour = ini.readInteger(theme, "TYHour", 0);
  t.txminute = ini.readInteger(theme, "TXMinute", 0);
  t.tyminute = ini.readInteger(theme, "TYMinute", 0);
  t.txsecond = ini.readInteger(theme, "TXSecond", 0);
  t.tysecond = ini.readInteger(theme, "TYSecond", 0);
  return t;
}

DClockColors ReadDClockColors(const IniFile& ini, std::string_view theme, std::int32_t def) {
  return {ini.readInteger(theme, "TimeColor", def), ini.readInteger(theme, "DateColor", def),
          ini.readInteger(theme, "CityColor", def)};
}

namespace {

std::size_t NameStart(std::string_view path) {
  const std::size_t sep = path.find_last_of("/\\");
  return sep == std::string_view::npos ? 0 : sep + 1;
}

std::string ReplaceAll(std::string s, std::string_view from, std::string_view to) {
  if (from.empty()) return s;
  for (std::size_t i = s.find(from); i != std::string::npos; i = s.find(from, i + to.size()))
    s.replace(i, from.size(), to);
  return s;
}

std::string Resolve(const std::string& stored, const std::string& programFolder, std::string_view sub,
                    std::string (*probe)(std::string_view)) {
  if (stored.empty() || FileExists(probe(stored))) return stored;
  const std::string here = programFolder + std::string(sub) + "/" + FileNameOf(stored);
  return FileExists(probe(here)) ? here : stored;
}

std::string Itself(std::string_view path) { return std::string(path); }
std::string LargeBitmap(std::string_view path) { return DClockBitmapPath(path, false); }

}  // namespace

std::string ResolveAClockThemeFile(const std::string& stored, const std::string& programFolder) {
  return Resolve(stored, programFolder, "askins", Itself);
}

std::string ResolveDClockThemeFile(const std::string& stored, const std::string& programFolder) {
  return Resolve(stored, programFolder, "dskins", LargeBitmap);
}

std::string FileNameOf(std::string_view path) { return std::string(path.substr(NameStart(path))); }

std::string HiDpiFileName(std::string_view path) {
  const std::size_t start = NameStart(path);
  std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || dot < start) dot = path.size();
  return std::string(path.substr(0, dot)) + "@2x" + std::string(path.substr(dot));
}

std::string FolderOf(std::string_view path) { return std::string(path.substr(0, NameStart(path))); }

std::string ThemeNameOf(std::string_view themeFile) {
  const std::string name = FileNameOf(themeFile);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return name;
  return ReplaceAll(name, name.substr(dot), "");
}

std::string ThemeFileFor(const std::string& programFolder, std::string_view sub, std::string_view name,
                         std::string_view ext) {
  return programFolder + std::string(sub) + "/" + std::string(name) + std::string(ext);
}

std::string DClockBitmapPath(std::string_view themeFile, bool hideDate) {
  std::string path = FolderOf(themeFile) + ReplaceAll(FileNameOf(themeFile), " ", "");
  if (hideDate) path = ReplaceAll(path, ".bmp", "small.bmp");
  return path;
}

}  // namespace wc
