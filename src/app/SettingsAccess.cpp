// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/SettingsAccess.h"

#include "platform/FontRecordQt.h"

namespace wc {

void ReadFontOrReport(std::string_view name, MapFont& font) {
  FontRecord record;
  bool stored = false;
  try {
    stored = ReadFontSetting(kSettingsKey, name, record);
  } catch (const SettingsError& e) {
    ReportSettingsError(e);
  }
  if (!stored) return;
  const ColouredFont f = FontFromRecord(record);
  font.font = f.font;
  font.color = f.color;
}

}  // namespace wc
