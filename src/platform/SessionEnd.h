// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The end of the user's session reaches the program as the session manager's
// commit-data request or, from init systems and terminals, as SIGTERM, SIGHUP
// or SIGINT. Either way the main window must take its ordinary close path so
// that the per-user files are written; this turns all of them into one
// signal on the user-interface thread.

#include <QObject>

class QSessionManager;
class QSocketNotifier;

namespace wc {

class SessionEndWatcher : public QObject {
  Q_OBJECT
 public:
  explicit SessionEndWatcher(QObject* parent = nullptr);
  ~SessionEndWatcher() override;

 signals:
  void sessionEnding();

 private:
  void commitData(QSessionManager& manager);
  void signalArrived();

  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace wc
