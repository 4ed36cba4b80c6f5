// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/LocaleFormat.h"

namespace wc {

std::string PatternFromQtFormat(const QString& f) {
  QString out;
  for (qsizetype i = 0; i < f.size(); ++i) {
    const QChar c = f[i];
    if (c == u'\'') {  // quoted text is the same in both languages
      const qsizetype end = f.indexOf(u'\'', i + 1);
      const qsizetype stop = end < 0 ? f.size() - 1 : end;
      out += f.mid(i, stop - i + 1);
      i = stop;
    } else if (c == u'A' || c == u'a') {
      // AP, ap, A, a: the locale's markers.
      if (i + 1 < f.size() && (f[i + 1] == u'P' || f[i + 1] == u'p')) ++i;
      out += QStringLiteral("AMPM");
    } else if (c == u't') {
      while (i + 1 < f.size() && f[i + 1] == u't') ++i;
      while (out.endsWith(u' ')) out.chop(1);
    } else {
      out += c;
    }
  }
  return out.trimmed().toStdString();
}

FormatSettings FormatSettingsFromLocale(const QLocale& locale) {
  FormatSettings s = DefaultFormatSettings();
  // No locale chosen (LANG unset or C): the program's own English forms
  // rather than the toolkit's technical ones ("HH:mm:ss" for a short time).
  if (locale.language() == QLocale::C) return s;
  for (int d = 1; d <= 7; ++d) {
    const std::size_t slot = d % 7;  // the toolkit counts from Monday, the patterns from Sunday
    s.shortDayNames[slot] = locale.dayName(d, QLocale::ShortFormat).toStdString();
    s.longDayNames[slot] = locale.dayName(d, QLocale::LongFormat).toStdString();
  }
  for (int m = 1; m <= 12; ++m) {
    s.shortMonthNames[m - 1] = locale.monthName(m, QLocale::ShortFormat).toStdString();
    s.longMonthNames[m - 1] = locale.monthName(m, QLocale::LongFormat).toStdString();
  }
  s.shortDateFormat = PatternFromQtFormat(locale.dateFormat(QLocale::ShortFormat));
  s.longDateFormat = PatternFromQtFormat(locale.dateFormat(QLocale::LongFormat));
  s.shortTimeFormat = PatternFromQtFormat(locale.timeFormat(QLocale::ShortFormat));
  s.longTimeFormat = PatternFromQtFormat(locale.timeFormat(QLocale::LongFormat));
  if (!locale.amText().isEmpty()) s.timeAMString = locale.amText().toStdString();
  if (!locale.pmText().isEmpty()) s.timePMString = locale.pmText().toStdString();
  // The separators are the first non-letter in the short formats.
  auto separator = [](const QString& f, const std::string& fallback) {
    for (QChar c : f)
      if (!c.isLetterOrNumber() && c != u'\'' && c != u' ') return QString(c).toStdString();
    return fallback;
  };
  s.dateSeparator = separator(locale.dateFormat(QLocale::ShortFormat), s.dateSeparator);
  s.timeSeparator = separator(locale.timeFormat(QLocale::ShortFormat), s.timeSeparator);
  return s;
}

}  // namespace wc
