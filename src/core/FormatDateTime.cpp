// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FormatDateTime.h"

#include <cstdio>

#include "Text.h"

namespace wc {

namespace {

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool StartsWithNoCase(std::string_view s, std::size_t at, std::string_view prefix) {
  return s.size() - at >= prefix.size() && EqualsIgnoreCaseAscii(s.substr(at, prefix.size()), prefix);
}

void AppendNumber(std::string& out, int value, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", digits, value);
  out += buf;
}

// True when the pattern, outside quoted text, holds a 12-hour marker.
bool UsesTwelveHourClock(std::string_view p) {
  for (std::size_t i = 0; i < p.size(); ++i) {
    const char c = p[i];
    if (c == '"' || c == '\'') {
      const std::size_t close = p.find(c, i + 1);
      if (close == std::string_view::npos) return false;
      i = close;
    } else if ((c == 'a' || c == 'A') && (StartsWithNoCase(p, i, "am/pm") || StartsWithNoCase(p, i, "a/p") ||
                                          StartsWithNoCase(p, i, "ampm"))) {
      return true;
    }
  }
  return false;
}

class Formatter {
 public:
  Formatter(DateTime t, const FormatSettings& s) : p_(Decode(t)), s_(s) {
    year_ = static_cast<int>(p_.date.year());
    month_ = static_cast<int>(static_cast<unsigned>(p_.date.month()));
    day_ = static_cast<int>(static_cast<unsigned>(p_.date.day()));
    weekday_ = static_cast<int>(std::chrono::weekday{std::chrono::sys_days{p_.date}}.c_encoding());
  }

  void Append(std::string& out, std::string_view pattern, int depth) {
    if (depth > 3) return;  // a locale format that names itself
    const bool twelve = UsesTwelveHourClock(pattern);
    char last = '\0';
    std::size_t i = 0;
    while (i < pattern.size()) {
      const char raw = pattern[i];
      char token = Upper(raw);
      if (token >= 'A' && token <= 'Z') {
        if (token == 'M' && last == 'H') token = 'N';
        last = token;
      }
      const std::size_t count = RunLength(pattern, i, raw);
      switch (token) {
        case 'D':
          i += count;
          if (count <= 2)
            AppendNumber(out, day_, static_cast<int>(count));
          else if (count == 3)
            out += s_.shortDayNames[static_cast<std::size_t>(weekday_)];
          else if (count == 4)
            out += s_.longDayNames[static_cast<std::size_t>(weekday_)];
          else if (count == 5)
            Append(out, s_.shortDateFormat, depth + 1);
          else
            Append(out, s_.longDateFormat, depth + 1);
          break;
        case 'M':
          i += count;
          if (count <= 2)
            AppendNumber(out, month_, static_cast<int>(count));
          else if (count == 3)
            out += s_.shortMonthNames[static_cast<std::size_t>(month_ - 1)];
          else
            out += s_.longMonthNames[static_cast<std::size_t>(month_ - 1)];
          break;
        case 'Y':
          i += count;
          if (count <= 2)
            AppendNumber(out, year_ % 100, 2);
          else
            AppendNumber(out, year_, 4);
          break;
        case 'H': {
          i += count;
          int h = p_.hour;
          if (twelve) {
            h %= 12;
            if (h == 0) h = 12;
          }
          AppendNumber(out, h, count >= 2 ? 2 : 1);
          break;
        }
        case 'N':
          i += count;
          AppendNumber(out, p_.minute, count >= 2 ? 2 : 1);
          break;
        case 'S':
          i += count;
          AppendNumber(out, p_.second, count >= 2 ? 2 : 1);
          break;
        case 'Z':
          i += count;
          AppendNumber(out, p_.millisecond, count >= 3 ? 3 : 1);
          break;
        case 'T':
          i += count;
          Append(out, count == 1 ? s_.shortTimeFormat : s_.longTimeFormat, depth + 1);
          break;
        case 'C':
          i += 1;
          Append(out, s_.shortDateFormat, depth + 1);
          out += ' ';
          Append(out, s_.longTimeFormat, depth + 1);
          break;
        case 'A':
          i = AppendMarker(out, pattern, i);
          break;
        case '/':
          out += s_.dateSeparator;
          ++i;
          break;
        case ':':
          out += s_.timeSeparator;
          ++i;
          break;
        case '"':
        case '\'': {
          const std::size_t close = pattern.find(raw, i + 1);
          const std::size_t end = close == std::string_view::npos ? pattern.size() : close;
          out.append(pattern.substr(i + 1, end - i - 1));
          i = close == std::string_view::npos ? end : end + 1;
          break;
        }
        default:
          out += raw;
          ++i;
          break;
      }
    }
  }

 private:
  static std::size_t RunLength(std::string_view p, std::size_t at, char c) {
    const char u = Upper(c);
    std::size_t n = 0;
    while (at + n < p.size() && Upper(p[at + n]) == u) ++n;
    return n;
  }

  // The marker keeps the case the pattern writes it in: "AM/PM" gives "PM",
  // "am/pm" gives "pm"; "ampm" takes the locale's strings.
  std::size_t AppendMarker(std::string& out, std::string_view p, std::size_t i) const {
    const bool pm = p_.hour >= 12;
    if (StartsWithNoCase(p, i, "am/pm")) {
      out.append(p.substr(pm ? i + 3 : i, 2));
      return i + 5;
    }
    if (StartsWithNoCase(p, i, "a/p")) {
      out += p[pm ? i + 2 : i];
      return i + 3;
    }
    if (StartsWithNoCase(p, i, "ampm")) {
      out += pm ? s_.timePMString : s_.timeAMString;
      return i + 4;
    }
    out += p[i];
    return i + 1;
  }

  DateTimeParts p_;
  const FormatSettings& s_;
  int year_ = 0, month_ = 0, day_ = 0, weekday_ = 0;
};

}  // namespace

const FormatSettings& DefaultFormatSettings() {
  static const FormatSettings s{
      {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
      {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
      {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
      {"January", "February", "March", "April", "May", "June", "July", "August", "September", "October",
       "November", "December"},
      "/",
      ":",
      "M/d/yyyy",
      "dddd, MMMM d, yyyy",
      "h:mm AMPM",
      "h:mm:ss AMPM",
      "AM",
      "PM",
  };
  return s;
}

std::string FormatDateTime(std::string_view pattern, DateTime t, const FormatSettings& settings) {
  std::string out;
  Formatter(t, settings).Append(out, pattern, 0);
  return out;
}

std::optional<DateTime> ParseTime12(std::string_view text, const FormatSettings& settings) {
  std::string_view s = TrimView(text);
  auto digits = [&](int& value) {
    std::size_t n = 0;
    value = 0;
    while (n < s.size() && n < 2 && s[n] >= '0' && s[n] <= '9') value = value * 10 + (s[n++] - '0');
    s.remove_prefix(n);
    return n > 0;
  };
  int hour = 0, minute = 0;
  if (!digits(hour)) return std::nullopt;
  if (s.starts_with(settings.timeSeparator))
    s.remove_prefix(settings.timeSeparator.size());
  else if (s.starts_with(':'))
    s.remove_prefix(1);
  else
    return std::nullopt;
  const std::size_t before = s.size();
  if (!digits(minute) || before - s.size() != 2) return std::nullopt;
  s = TrimView(s);
  bool pm;
  if (EqualsIgnoreCaseAscii(s, "AM") || (!settings.timeAMString.empty() && s == settings.timeAMString))
    pm = false;
  else if (EqualsIgnoreCaseAscii(s, "PM") || (!settings.timePMString.empty() && s == settings.timePMString))
    pm = true;
  else
    return std::nullopt;
  if (hour < 1 || hour > 12 || minute > 59) return std::nullopt;
  return EncodeTime(hour % 12 + (pm ? 12 : 0), minute, 0, 0);
}

}  // namespace wc
