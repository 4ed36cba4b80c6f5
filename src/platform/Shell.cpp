// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace wc {

int ShellOpen(const std::string& verb, const std::string& file, const std::string& parameters, bool wait,
              const std::string& directory) {
  if (verb != "open" || file.empty()) return -1;
  const QString path = QString::fromStdString(file);
  const QFileInfo info(path);
  const bool program = info.isFile() && info.isExecutable();
  if (!program) {
    const QUrl url = info.exists() ? QUrl::fromLocalFile(info.absoluteFilePath()) : QUrl::fromUserInput(path);
    return QDesktopServices::openUrl(url) ? 0 : -1;
  }
  const QStringList args = QProcess::splitCommand(QString::fromStdString(parameters));
  const QString dir = QString::fromStdString(directory);
  if (!wait) return QProcess::startDetached(path, args, dir) ? 0 : -1;

  QProcess p;
  if (!dir.isEmpty()) p.setWorkingDirectory(dir);
  p.start(path, args);
  if (!p.waitForStarted()) return -1;
  QEventLoop loop;
  QObject::connect(&p, &QProcess::finished, &loop, &QEventLoop::quit);
  if (p.state() != QProcess::NotRunning) loop.exec();
  return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

}  // namespace wc
