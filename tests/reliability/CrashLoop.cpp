// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The crash loop: a child saves the settings file and the city document in a
// loop and is killed with SIGKILL at a random moment, again and again.
// Afterwards every file parses and holds the old or the new content byte for
// byte, and the temporary files the kills left behind are gone once the next
// save of their file ran.
//
//   crash_loop <kills>      (scripts/test: 200, scripts/fuzz: 1000)

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "TestSupport.h"
#include "core/AtomicFile.h"
#include "core/CityDocument.h"
#include "core/Settings.h"
#include "core/SettingsBackend.h"
#include "core/Xml.h"

namespace fs = std::filesystem;
using namespace wc;

namespace {

// Big enough that a save takes a while, so that kills land inside them.
constexpr int kFillerValues = 1000;
constexpr int kCities = 500;

const char* const kFirstNames[] = {"Alpha, First", "Omega, Other"};

struct Files {
  std::string settings, cities;
};

void SetTheme(int i) { WriteIntegerSetting(kSettingsKey, kTheme, 1 + i % 2); }

void RenameFirstCity(CityDocument& doc, int i) {
  doc.updateCityAt(0, {kFirstNames[i % 2], "+1", "10", "50", true, 5, 7, 3, 5, 7, 10});
}

// Writes state 0 of both files and returns the exact bytes of states 0 and
// 1, as the child will write them.
void MakeStates(const Files& f, std::string settings[2], std::string cities[2]) {
  UseSettingsFile(f.settings);
  for (int i = 0; i < kFillerValues; ++i) WriteIntegerSetting(kSettingsKey, "Filler " + std::to_string(i), i);
  CityDocument doc;
  doc.load(f.cities);
  for (int i = 0; i < kCities; ++i)
    doc.appendCity({"City " + std::to_string(i) + ", Land", "-3.5", std::to_string(i % 360 - 179),
                    std::to_string(i % 180 - 89), i % 2 == 1, 1, 7, 3, 1, 7, 10});
  for (int state : {1, 0}) {
    SetTheme(state);
    settings[state] = ReadWholeFile(f.settings).bytes;
    RenameFirstCity(doc, state);
    if (!doc.save(f.cities)) std::abort();
    cities[state] = ReadWholeFile(f.cities).bytes;
  }
}

[[noreturn]] void SaveForever(const Files& f) {
  UseSettingsFile(f.settings);
  CityDocument doc;
  doc.load(f.cities);
  for (int i = 1;; ++i) {
    SetTheme(i);
    RenameFirstCity(doc, i);
    doc.save(f.cities);
  }
}

int TempFilesIn(const std::string& folder) {
  int n = 0;
  for (const auto& e : fs::directory_iterator(folder))
    if (e.path().filename().string().find(".tmp-") != std::string::npos) ++n;
  return n;
}

bool ParsesAs(const std::string& path, const std::string states[2], bool xml, const char* what) {
  const std::string bytes = ReadWholeFile(path).bytes;
  if (xml) {
    pugi::xml_document doc;
    if (!ParseXml(bytes, doc)) {
      std::fprintf(stderr, "%s does not parse\n", what);
      return false;
    }
  }
  if (bytes != states[0] && bytes != states[1]) {
    std::fprintf(stderr, "%s is neither the old nor the new content (%zu bytes)\n", what, bytes.size());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int kills = argc > 1 ? std::atoi(argv[1]) : 200;
  const test::TempFolder dir("wc-crash-loop-");
  // Each file in a folder of its own, as settings.reg and citydata.dat are.
  const std::string settingsFolder = dir.file("config") + "/", citiesFolder = dir.file("data") + "/";
  fs::create_directories(settingsFolder);
  fs::create_directories(citiesFolder);
  const Files files{settingsFolder + "settings.reg", citiesFolder + "citydata.dat"};
  std::string settings[2], cities[2];
  MakeStates(files, settings, cities);

  std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<int> delayUs(0, 30000);
  int midWrite = 0, mostTemps = 0, failures = 0;
  for (int k = 0; k < kills && failures == 0; ++k) {
    const pid_t child = fork();
    if (child < 0) return 2;
    if (child == 0) SaveForever(files);
    std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);

    if (!ParsesAs(files.settings, settings, false, "settings.reg")) ++failures;
    if (!ParsesAs(files.cities, cities, true, "citydata.dat")) ++failures;
    // One killed save per file at most: the next save removed the rest.
    const int temps = TempFilesIn(settingsFolder) + TempFilesIn(citiesFolder);
    if (temps > 0) ++midWrite;
    mostTemps = std::max(mostTemps, temps);
    if (temps > 2) {
      std::fprintf(stderr, "%d temporary files after kill %d\n", temps, k + 1);
      ++failures;
    }
  }

  // The next save of each file (one that changes the file: writing what
  // is already there writes nothing) leaves nothing behind.
  UseSettingsFile(files.settings);
  SetTheme(SettingInteger(kTheme));  // the other one
  CityDocument doc;
  if (!doc.load(files.cities).ok()) ++failures;
  RenameFirstCity(doc, 0);
  if (!doc.save(files.cities)) ++failures;
  if (TempFilesIn(settingsFolder) + TempFilesIn(citiesFolder) != 0) {
    std::fprintf(stderr, "temporary files left after the next saves\n");
    ++failures;
  }
  std::printf(
      "%d kills, %d of them during a save (temporary file present), at most %d temporary files seen\n", kills,
      midWrite, mostTemps);
  return failures == 0 ? 0 : 1;
}
