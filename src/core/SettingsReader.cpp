// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SettingsReader.h"

#include <algorithm>

namespace wc {

void SettingsReader::note(const SettingsError& e) {
  if (std::find(problems_.begin(), problems_.end(), e.what()) == problems_.end()) problems_.emplace_back(e.what());
}

std::int32_t SettingsReader::integer(std::string_view name) {
  try {
    return SettingInteger(name);
  } catch (const SettingsError& e) {
    note(e);
    return DefaultInteger(name);
  }
}

bool SettingsReader::on(std::string_view name) { return IsSwitchOn(integer(name)); }

std::string SettingsReader::text(std::string_view name) {
  try {
    return SettingText(name);
  } catch (const SettingsError& e) {
    note(e);
    return std::string(DefaultText(name));
  }
}

std::vector<std::string> SettingsReader::list(std::string_view name) {
  std::vector<std::string> out;
  try {
    ReadStringListSetting(kSettingsKey, name, out);
  } catch (const SettingsError& e) {
    note(e);
    out.clear();
  }
  return out;
}

bool SettingsReader::font(std::string_view name, FontRecord& font) {
  try {
    return ReadFontSetting(kSettingsKey, name, font);
  } catch (const SettingsError& e) {
    note(e);
    return false;
  }
}

PlacementToApply SettingsReader::placement(std::string_view name, bool withSize) {
  return ReadPlacementSetting(kSettingsKey, name, withSize);
}

}  // namespace wc
