// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/StartUp.h"

#include <QMessageBox>
#include <filesystem>

#include "app/MainWindow.h"
#include "core/AtomicFile.h"
#include "core/CityFile.h"
#include "core/CityTable.h"
#include "core/FirstStart.h"
#include "core/Paths.h"
#include "core/SettingsReader.h"
#include "map/WorldMap.h"
#include "platform/LocaleFormat.h"
#include "platform/SettingsReads.h"

namespace wc {

namespace {

void Warn(const std::string& text) {
  QMessageBox::warning(nullptr, QStringLiteral("Warning"), QString::fromStdString(text));
}

// The per-user data folder with its seeded files; a new user's first map
// shows cities.
void PrepareDataFolder() {
  const std::string folder = DataFolder();
  const bool firstStart = !FileExists(SettingsFilePath());
  // The whole path: on a new account even the XDG data folder may be missing.
  std::error_code ec;
  if (!DirectoryExists(folder)) std::filesystem::create_directories(ToPath(folder), ec);
  for (const char* seed : {"citydata.dat", "reminders.dat"}) {
    CopyFileIfMissing(ProgramFolder() + seed, folder + seed);
  }
  if (firstStart) {
    const XmlLoadResult r =
        StoreFirstStartCities(CityDataPath(), ProgramFolder() + "citydata.zones.tsv", LocalZoneName());
    if (!r.error.empty()) Warn(r.error);
  }
}

CityTable LoadCityTable() {
  CityTable table;
  const XmlLoadResult r = table.load(CityDataPath());
  if (!r.error.empty()) Warn(r.error);
  return table;
}

}  // namespace

std::unique_ptr<MainWindow> StartUp() {
  // 1. Settings: a failed write is told from here on, and what the steps
  //    below read is told about once, together, at the end.
  ShowSettingsFailures();
  SettingsReader stored;
  // 2. The map pictures decode on threads of their own while the rest starts.
  WorldMap map(ProgramFolder());
  map.StartLoadingLayers();
  // 3. The data folder.
  PrepareDataFolder();
  // 4. The city table.
  CityTable cities = LoadCityTable();
  // 5. The main window: menus, tool bar, tray icon, and the look it starts with.
  auto window = std::make_unique<MainWindow>(std::move(map), std::move(cities), stored);
  // 6. The reminders, then the desktop clocks.
  window->loadReminders();
  window->loadClocks(stored);
  // 7. The options dialog applies the other stored settings to the window:
  //    the map's switches and fonts, the wallpaper, the map cities, the hot
  //    keys and whether the tray icon shows.
  window->applyStoredSettings(stored);
  ShowSettingsProblems(stored);
  // 8. Its monitor, now that its size is final. Showing it draws the first map.
  window->placeOnMonitor();
  return window;
}

}  // namespace wc
