// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Settings reads and writes on a large settings.reg (10 MB, as a user's file
// may grow with hand-made or foreign keys): a read is served from the parsed
// copy while the file is unchanged; a write still reads the file afresh
// under its lock.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "core/AtomicFile.h"
#include "core/Settings.h"
#include "core/SettingsBackend.h"

namespace {

// About 10 MB: a foreign key with many values, then the program's own.
std::string BigSettingsFile() {
  std::string text = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Other]\n";
  for (int i = 0; text.size() < 10'000'000; ++i)
    text += "\"Value " + std::to_string(i) + "\"=\"" + std::string(100, 'x') + "\"\n";
  return text + "\n[HKEY_CURRENT_USER\\Software\\ZQM\\World Clock 1.0\\Settings]\n\"Theme\"=dword:00000003\n";
}

class BigFile {
 public:
  BigFile() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "wc-settings-bench-XXXXXX").string();
    dir_ = mkdtemp(tmpl.data());
    path_ = dir_ + "/settings.reg";
    wc::WriteFileAtomically(path_, BigSettingsFile());
    wc::UseSettingsFile(path_);
  }
  ~BigFile() {
    wc::SetSettingsBackend(nullptr);
    std::filesystem::remove_all(dir_);
  }

 private:
  std::string dir_, path_;
};

void BM_ReadFrom10MbFile(benchmark::State& state) {
  const BigFile file;
  for (auto _ : state) benchmark::DoNotOptimize(wc::SettingInteger(wc::kTheme));
}
BENCHMARK(BM_ReadFrom10MbFile)->Unit(benchmark::kMicrosecond);

void BM_WriteTo10MbFile(benchmark::State& state) {
  const BigFile file;
  int theme = 0;
  for (auto _ : state) wc::WriteIntegerSetting(wc::kSettingsKey, wc::kTheme, ++theme % 6);
}
BENCHMARK(BM_WriteTo10MbFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
