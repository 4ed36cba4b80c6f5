// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/SessionEnd.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <csignal>
#endif

namespace wc {

#ifndef _WIN32
namespace {

// The signal handler may only write a byte; the notifier reads it on the
// user-interface thread.
int g_signalPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
  const char b = 1;
  [[maybe_unused]] const ssize_t n = write(g_signalPipe[1], &b, 1);
}

}  // namespace
#endif

SessionEndWatcher::SessionEndWatcher(QObject* parent) : QObject(parent) {
  // Direct: the session manager waits for the answer inside this call.
  connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &SessionEndWatcher::commitData,
          Qt::DirectConnection);
#ifndef _WIN32
  if (g_signalPipe[0] < 0 && socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0) return;
  for (int fd : g_signalPipe) fcntl(fd, F_SETFL, O_NONBLOCK);
  notifier_ = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &SessionEndWatcher::signalArrived);
  struct sigaction sa = {};
  sa.sa_handler = OnTerminationSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int sig : {SIGTERM, SIGHUP, SIGINT}) sigaction(sig, &sa, nullptr);
#endif
}

SessionEndWatcher::~SessionEndWatcher() {
#ifndef _WIN32
  struct sigaction sa = {};
  sa.sa_handler = SIG_DFL;
  for (int sig : {SIGTERM, SIGHUP, SIGINT}) sigaction(sig, &sa, nullptr);
#endif
}

void SessionEndWatcher::commitData(QSessionManager& manager) {
  // The log-off may go on; the window closes now, writing what it keeps.
  manager.release();
  emit sessionEnding();
}

void SessionEndWatcher::signalArrived() {
#ifndef _WIN32
  char buf[16];
  while (read(g_signalPipe[0], buf, sizeof buf) > 0) {
  }
#endif
  emit sessionEnding();
}

}  // namespace wc
