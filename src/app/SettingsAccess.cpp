#include "app/SettingsAccess.h"

#include <QApplication>
#include <QMessageBox>

#include "core/Settings.h"
#include "platform/FontRecordQt.h"

namespace wc {

namespace {

void Report(const SettingsError& e) {
  QMessageBox::warning(QApplication::activeWindow(), QStringLiteral("Warning"),
                       QStringLiteral("%1\n\nThe default is used instead.").arg(QString::fromUtf8(e.what())));
}

template <class T, class F>
T Guarded(F read, T fallback) {
  try {
    return read();
  } catch (const SettingsError& e) {
    Report(e);
    return fallback;
  }
}

}  // namespace

std::int32_t ReadIntegerOrReport(std::string_view name) {
  return Guarded<std::int32_t>([&] { return SettingInteger(name); }, DefaultInteger(name));
}

bool ReadSwitchOrReport(std::string_view name) { return IsSwitchOn(ReadIntegerOrReport(name)); }

std::string ReadTextOrReport(std::string_view name) {
  return Guarded<std::string>([&] { return SettingText(name); }, std::string(DefaultText(name)));
}

std::vector<std::string> ReadListOrReport(std::string_view name) {
  return Guarded<std::vector<std::string>>(
      [&] {
        std::vector<std::string> list;
        ReadStringListSetting(kSettingsKey, name, list);
        return list;
      },
      {});
}

void ReadFontOrReport(std::string_view name, MapFont& font) {
  FontRecord record;
  const bool stored = Guarded<bool>([&] { return ReadFontSetting(kSettingsKey, name, record); }, false);
  if (!stored) return;
  const ColouredFont f = FontFromRecord(record);
  font.font = f.font;
  font.color = f.color;
}

}  // namespace wc
