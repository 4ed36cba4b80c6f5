// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// settings.reg as the user (or a dotfile manager, or a registry export) may
// leave it: parsed, every value of the table read through the typed readers,
// then one value written and everything read back.

#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "core/PlannerChoice.h"
#include "core/Registry.h"
#include "core/Settings.h"
#include "core/SettingsBackend.h"
#include "core/SettingsRecords.h"
#include "core/SettingsTable.h"

using namespace wc;

namespace {

void ReadEverySetting() {
  for (const SettingSpec& s : kSettingsTable) {
    try {
      switch (s.kind) {
        case SettingKind::Integer:
          ReadIntegerSetting(kSettingsKey, s.name, s.integerDefault);
          break;
        case SettingKind::String:
          ReadStringSetting(kSettingsKey, s.name, s.textDefault);
          break;
        case SettingKind::StringList: {
          std::vector<std::string> list;
          ReadStringListSetting(kSettingsKey, s.name, list);
          if (s.name == kPlannerCities) {
            // Whatever the planner takes from the list, it writes back as it took it.
            const std::vector<PlannerChoice> choices = ParsePlannerChoices(list);
            fuzz::Require(choices.size() <= kMaxPlannerCities, "at most ten planner cities");
            fuzz::Require(ParsePlannerChoices(FormatPlannerChoices(choices)) == choices,
                          "planner cities read back as written");
          }
          break;
        }
        case SettingKind::Font: {
          FontRecord font;
          ReadFontSetting(kSettingsKey, s.name, font);
          break;
        }
        case SettingKind::PlacementWithSize:
        case SettingKind::PlacementWithoutSize:
          ReadPlacementSetting(kSettingsKey, s.name, s.kind == SettingKind::PlacementWithSize);
          break;
      }
    } catch (const SettingsError&) {
      // A value of the wrong type: the window reports it and takes the default.
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = fuzz::Bytes(data, size);

  // The document alone: every value decodes in every form the program asks for.
  const RegDocument doc = RegDocument::parse(bytes);
  const RegDocument::ValueMap values = doc.values();
  for (const auto& [id, v] : values) {
    (void)v.toString();
    (void)v.toStringList();
    (void)FontRecord::decode(v.data);
    (void)PlacementRecord::decode(v.data);
  }
  fuzz::Require(RegDocument::parse(doc.serialize()).values() == values, "a document reads back as it was");

  // The file as the program uses it.
  fuzz::Reset();
  const std::string path = fuzz::WriteInput("settings.reg", bytes);
  UseSettingsFile(path);
  ReadEverySetting();
  const std::int32_t theme = static_cast<std::int32_t>(size);
  WriteIntegerSetting(kSettingsKey, kTheme, theme);
  WriteStringListSetting(kSettingsKey, kDisplayCities, {"Oslo, Norway", "Kathmandu, Nepal"});
  DeleteSetting(kSettingsKey, kShowTips);
  fuzz::Require(ReadIntegerSetting(kSettingsKey, kTheme, -1) == theme, "a written value reads back");

  // What the writes kept of everything else, read by a fresh reader.
  RegDocument::ValueMap expected = values;
  expected[RegDocument::valueId(kSettingsKey, kTheme)] = RegValue::fromDword(theme);
  expected[RegDocument::valueId(kSettingsKey, kDisplayCities)] =
      RegValue::fromStringList({"Oslo, Norway", "Kathmandu, Nepal"});
  expected.erase(RegDocument::valueId(kSettingsKey, kShowTips));
  fuzz::Require(RegDocument::parse(fuzz::ReadBack(path)).values() == expected,
                "a write keeps every other value");
  UseSettingsFile(path);
  ReadEverySetting();
  SetSettingsBackend(nullptr);
  return 0;
}
