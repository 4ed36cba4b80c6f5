// Pictures of the options dialog under each theme, three tabs side by side:
//   options_skin_shots <output folder>
// writes <folder>/skin-<n>.png for themes 0 ... 5. The dialog is the
// real one, fed by a settings file and a city file of its own.

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "core/AtomicFile.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "options/FakeOptionsHost.h"
#include "options/TWCSettings.h"
#include "platform/SkinManager.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  QTemporaryDir home;
  setenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit().constData(), 1);
  setenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit().constData(), 1);
  std::filesystem::create_directories(wc::DataFolder());
  wc::CopyFileIfMissing(WC_PROGRAM_DIR "citydata.dat", wc::DataFolder() + "citydata.dat");
  using namespace wc;
  WriteIntegerSetting(kSettingsKey, kCloseToTray, 1);
  WriteIntegerSetting(kSettingsKey, kShowPopup, 1);
  WriteIntegerSetting(kSettingsKey, kHotKey1, static_cast<std::int32_t>(kHotKeyCtrl | kHotKeyAlt | 'W'));
  WriteIntegerSetting(kSettingsKey, kHotKey2, static_cast<std::int32_t>(kHotKeyCtrl | kHotKeyShift | 'C'));
  WriteStringListSetting(kSettingsKey, kBalloonCities,
                         {"London, United Kingdom", "Tokyo, Japan", "Sydney, Australia"});

  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("Tavrel World Clock Pro"));
  TSkinManager skins;
  skins.setSkinDirectory(QStringLiteral(WC_PROGRAM_DIR "Skins"));
  test::FakeHost host;
  THotKeyManager hotKeys(std::make_unique<test::FakeHotKeys>(), nullptr);
  TWCSettings dialog(host, hotKeys, nullptr);
  auto* tabs = dialog.findChild<QTabWidget*>(QStringLiteral("Tabs"));
  dialog.show();  // shown, so that every page is laid out before it is drawn
  for (int theme = 0; theme <= 5; ++theme) {
    skins.applyTheme(theme);
    dialog.InitSettings();
    QImage sheet(3 * dialog.width() + 40, dialog.height() + 20, QImage::Format_RGB32);
    sheet.fill(QColor(0x50, 0x58, 0x60));
    QPainter p(&sheet);
    for (int tab = 0; tab < 3; ++tab) {
      tabs->setCurrentIndex(tab);
      QApplication::processEvents();
      p.drawPixmap(10 + tab * (dialog.width() + 10), 10, dialog.grab());
    }
    p.end();
    const QString file = QDir(out).filePath(QStringLiteral("skin-%1.png").arg(theme));
    if (!sheet.save(file)) {
      std::fprintf(stderr, "could not write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
