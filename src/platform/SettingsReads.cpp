#include "platform/SettingsReads.h"

#include <QApplication>
#include <QMessageBox>

namespace wc {

namespace {

template <class T, class F>
T Guarded(F read, T fallback) {
  try {
    return read();
  } catch (const SettingsError& e) {
    ReportSettingsError(e);
    return fallback;
  }
}

}  // namespace

void ReportSettingsError(const SettingsError& e) {
  QMessageBox::warning(QApplication::activeWindow(), QStringLiteral("Warning"),
                       QStringLiteral("%1\n\nThe default is used instead.").arg(QString::fromUtf8(e.what())));
}

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

}  // namespace wc
