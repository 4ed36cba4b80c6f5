// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// For the window tests: a home of the test's own (settings, data and the
// runtime folder in a fresh temporary folder, removed at the end), the same
// for a whole test process with the application object, and a closer of the
// message boxes the code under test opens.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QMessageBox>
#include <QTimeZone>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "core/Paths.h"

namespace wc::test {

// Settings in dir/config, data in dir/data (made), the runtime folder dir/run.
class PrivateHome {
 public:
  PrivateHome() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "wc-windows-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) ADD_FAILURE() << "no temporary folder";
    dir = tmpl;
    setenv("XDG_CONFIG_HOME", (dir + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (dir + "/data").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (dir + "/run").c_str(), 1);
    std::filesystem::create_directories(dir + "/run");
    std::filesystem::permissions(dir + "/run", std::filesystem::perms::owner_all);
    std::filesystem::create_directories(DataFolder());
  }
  ~PrivateHome() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
  PrivateHome(const PrivateHome&) = delete;
  PrivateHome& operator=(const PrivateHome&) = delete;

  // As a fresh account: no settings, an empty data folder.
  void empty() const {
    std::filesystem::remove_all(dir + "/data");
    std::filesystem::remove_all(dir + "/config");
    std::filesystem::create_directories(DataFolder());
  }

  std::string dir;
};

class WindowTestHome : public ::testing::Environment {
 public:
  void SetUp() override {
    home_ = std::make_unique<PrivateHome>();
    dir = home_->dir;
    static int argc = 1;
    static char arg0[] = "window_tests";
    static char* argv[] = {arg0, nullptr};
    app = new QApplication(argc, argv);
    prepare();
  }
  void TearDown() override {
    delete app;
    home_.reset();
  }
  // What a suite adds to the home once it exists.
  virtual void prepare() {}
  void empty() const { home_->empty(); }

  std::string dir;
  QApplication* app = nullptr;

 private:
  std::unique_ptr<PrivateHome> home_;
};

// Answers every message box the code under test opens (with the given
// button where the box has it, else as OK does), keeping what it said.
struct MessageBoxes {
  QStringList texts, titles;
  QMessageBox::StandardButton answer;
  QTimer timer;
  explicit MessageBoxes(QMessageBox::StandardButton a = QMessageBox::Ok) : answer(a) {
    QObject::connect(&timer, &QTimer::timeout, [this] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
          texts << box->text();
          titles << box->windowTitle();
          if (QAbstractButton* b = box->button(answer))
            b->click();
          else
            box->done(QMessageBox::Ok);
        }
    });
    timer.start(5);
  }
  // "Caption: text", one a box.
  QStringList seen() const {
    QStringList out;
    for (qsizetype i = 0; i < texts.size(); ++i) out << titles[i] + ": " + texts[i];
    return out;
  }
};

// A zone's wall-clock time from the system's zone database, msecs from now:
// what a city's clock must show, worked out apart from the program's rules.
inline QDateTime ZoneNow(const char* zone, qint64 msecs = 0) {
  const QTimeZone tz(zone);
  EXPECT_TRUE(tz.isValid()) << zone;
  return QDateTime::currentDateTimeUtc().addMSecs(msecs).toTimeZone(tz);
}

// True when the zone changes its offset within two days of now: the program
// switches whole days, the database at the hour, so the two may differ then.
inline bool NearZoneChange(const char* zone) {
  const QTimeZone tz(zone);
  const QDateTime now = QDateTime::currentDateTimeUtc();
  const QTimeZone::OffsetData next = tz.nextTransition(now.addDays(-2));
  return next.atUtc.isValid() && next.atUtc < now.addDays(2);
}

}  // namespace wc::test
