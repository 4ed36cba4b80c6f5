// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Settings.h"

#include <cstdio>
#include <utility>

#include "ByteOrder.h"
#include "Paths.h"
#include "SettingsBackend.h"

namespace wc {

namespace {

// An unreadable value reads as missing except where an error is the rule.
std::optional<RegValue> Fetch(std::string_view key, std::string_view name) {
  RegValue v;
  if (CurrentSettingsBackend().get(key, name, v) != RegStatus::Ok) return std::nullopt;
  return v;
}

[[noreturn]] void ThrowInvalidType(std::string_view name) {
  throw SettingsError("Invalid data type for '" + std::string(name) + "'");
}

SettingsFailureHandler& FailureHandler() {
  static SettingsFailureHandler handler;
  return handler;
}

void Report(const RegWriteResult& r) {
  if (r.status == RegStatus::Ok) return;
  const std::string message = r.error.empty() ? "The settings were not saved." : r.error;
  if (FailureHandler()) {
    FailureHandler()(message);
  } else {
    std::fprintf(stderr, "%s\n", message.c_str());
  }
}

}  // namespace

std::string ReadStringSetting(std::string_view key, std::string_view name, std::string_view defaultText) {
  const auto v = Fetch(key, name);
  if (!v) return std::string(defaultText);
  if (v->type != kRegSz && v->type != kRegExpandSz) ThrowInvalidType(name);
  return v->toString();
}

std::int32_t ReadIntegerSetting(std::string_view key, std::string_view name, std::int32_t defaultValue) {
  const auto v = Fetch(key, name);
  if (!v) return defaultValue;
  if (v->type != kRegDword || v->data.size() != 4) ThrowInvalidType(name);
  return GetLe32Signed(v->data.data());
}

bool ReadSwitchSetting(std::string_view key, std::string_view name, bool defaultOn) {
  return IsSwitchOn(ReadIntegerSetting(key, name, defaultOn ? 1 : 0));
}

bool ReadFontSetting(std::string_view key, std::string_view name, FontRecord& font) {
  const auto v = Fetch(key, name);
  if (!v) return false;
  if (v->type != kRegBinary || v->data.size() > FontRecord::kSize) ThrowInvalidType(name);
  const auto decoded = FontRecord::decode(v->data);
  if (!decoded) return false;
  font = *decoded;
  return true;
}

void ReadStringListSetting(std::string_view key, std::string_view name, std::vector<std::string>& list) {
  list.clear();
  RegValue v;
  switch (CurrentSettingsBackend().get(key, name, v)) {
    case RegStatus::Unavailable:
      return;
    case RegStatus::Failed:
      throw SettingsError("Error reading strings from registry");
    case RegStatus::Ok:
      break;
  }
  if (v.type != kRegMultiSz) throw SettingsError("Incorrect registry value type");
  list = v.toStringList();
}

PlacementToApply ReadPlacementSetting(std::string_view key, std::string_view name, bool withSize) {
  PlacementToApply apply;
  const auto v = Fetch(key, name);
  if (!v || v->type != kRegBinary) return apply;
  const auto p = PlacementRecord::decode(v->data);
  if (!p) return apply;
  if (withSize) {
    if (p->width > 40) apply.width = p->width;
    apply.height = p->height;
  }
  apply.maximize = p->state == static_cast<std::uint8_t>(WindowState::Maximized);
  return apply;
}

void SetSettingsFailureHandler(SettingsFailureHandler handler) { FailureHandler() = std::move(handler); }

void WriteStringSetting(std::string_view key, std::string_view name, std::string_view text) {
  Report(CurrentSettingsBackend().set(key, name, RegValue::fromString(text)));
}

void WriteIntegerSetting(std::string_view key, std::string_view name, std::int32_t value) {
  Report(CurrentSettingsBackend().set(key, name, RegValue::fromDword(value)));
}

void WriteFontSetting(std::string_view key, std::string_view name, const FontRecord& font) {
  Report(CurrentSettingsBackend().set(key, name, RegValue::fromBinary(font.encode())));
}

void WriteStringListSetting(std::string_view key, std::string_view name,
                            const std::vector<std::string>& list) {
  const RegWriteResult r = CurrentSettingsBackend().set(key, name, RegValue::fromStringList(list));
  if (r.status != RegStatus::Ok)
    throw SettingsError("Error writing strings to registry" + (r.error.empty() ? "" : "\n" + r.error));
}

void WritePlacementSetting(std::string_view key, std::string_view name, const WindowGeometry& window,
                           bool withSize) {
  PlacementRecord record;
  if (const auto old = Fetch(key, name); old && old->type == kRegBinary) {
    record = PlacementRecord::decode(old->data).value_or(PlacementRecord{});
  }
  record.state = static_cast<std::uint8_t>(window.state);
  if (window.state == WindowState::Normal) {
    record.top = window.top;
    record.left = window.left;
    if (withSize) {
      record.width = window.width;
      record.height = window.height;
    }
  }
  Report(CurrentSettingsBackend().set(key, name, RegValue::fromBinary(record.encode())));
}

void DeleteSetting(std::string_view key, std::string_view name) {
  Report(CurrentSettingsBackend().remove(key, name));
}

void WriteCentredWallpaperStyle() {
  for (const char* key : {kDesktopKey, kDesktopGeneralKey}) {
    WriteStringSetting(key, kTileWallpaperValue, "0");
    WriteStringSetting(key, kWallpaperStyleValue, "0");
  }
}

std::int32_t SettingInteger(std::string_view name) {
  return ReadIntegerSetting(kSettingsKey, name, DefaultInteger(name));
}

bool SettingSwitch(std::string_view name) { return IsSwitchOn(SettingInteger(name)); }

std::string SettingText(std::string_view name) {
  return ReadStringSetting(kSettingsKey, name, DefaultText(name));
}

std::string DataFolderPath() { return DataFolder(); }

}  // namespace wc
