// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// For the window tests: a home of the test process's own (settings and data
// in a fresh temporary folder, removed at the end) with the application
// object, and a closer of the message boxes the code under test opens.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QMessageBox>
#include <QTimeZone>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/Paths.h"

namespace wc::test {

class WindowTestHome : public ::testing::Environment {
 public:
  void SetUp() override {
    std::string tmpl = (std::filesystem::temp_directory_path() / "wc-windows-XXXXXX").string();
    ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
    dir = tmpl;
    setenv("XDG_CONFIG_HOME", (dir + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (dir + "/data").c_str(), 1);
    std::filesystem::create_directories(DataFolder());
    static int argc = 1;
    static char arg0[] = "window_tests";
    static char* argv[] = {arg0, nullptr};
    app = new QApplication(argc, argv);
    prepare();
  }
  void TearDown() override {
    delete app;
    std::filesystem::remove_all(dir);
  }
  // What a suite adds to the home once it exists.
  virtual void prepare() {}

  std::string dir;
  QApplication* app = nullptr;
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
