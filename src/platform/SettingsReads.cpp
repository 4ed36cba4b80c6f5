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

template <class T, class F>
T Guarded(F read, T fallback) {
  try {
    return read();
  } catch (const SettingsError& e) {
    ReportSettingsError(e);
    return fallback;
  }
}

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
