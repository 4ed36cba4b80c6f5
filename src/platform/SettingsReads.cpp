// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/SettingsReads.h"

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QThread>
#include <QTimer>
#include <utility>

namespace wc {

namespace {

// The failures since the last box, each text once.
struct PendingFailures {
  QStringList messages;
  bool scheduled = false;

  void add(const QString& m) {
    if (!messages.contains(m)) messages << m;
    if (scheduled) return;
    // Outside the event loop (the last writes at exit) nothing would show a
    // deferred box: show it now.
    if (QThread::currentThread()->loopLevel() == 0) {
      show();
      return;
    }
    scheduled = true;
    QTimer::singleShot(0, qApp, [this] { show(); });
  }
  void show() {
    // Failures while the box is open wait for the next one.
    scheduled = true;
    const QStringList shown = std::exchange(messages, {});
    QMessageBox::warning(QApplication::activeWindow(), QStringLiteral("Warning"),
                         shown.join(QStringLiteral("\n\n")));
    scheduled = false;
    if (!messages.isEmpty()) {
      scheduled = true;
      QTimer::singleShot(0, qApp, [this] { show(); });
    }
  }
};

}  // namespace

void ShowSettingsFailures() {
  static PendingFailures pending;
  SetSettingsFailureHandler([](const std::string& message) { pending.add(QString::fromStdString(message)); });
}

void ShowSettingsProblems(const SettingsReader& read, QWidget* parent) {
  if (read.problems().empty()) return;
  QStringList lines;
  for (const std::string& p : read.problems()) lines << QString::fromStdString(p);
  QMessageBox::warning(parent ? parent : QApplication::activeWindow(), QStringLiteral("Warning"),
                       lines.join(QLatin1Char('\n')) + QStringLiteral("\n\n") +
                           (lines.size() == 1 ? QStringLiteral("The default is used instead.")
                                              : QStringLiteral("The defaults are used instead.")));
}

}  // namespace wc
