// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Hot keys through the desktop portal's global shortcuts, which Wayland
// desktops offer where an X client's key grabs hear keys only while an X
// window has the focus. A portal session binds its shortcuts once, so every
// change binds the whole set again in a new session. The desktop may let
// the user confirm or change the keys; a combination counts as registered
// once the portal lists it.

#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/HotKeyBackend.h"

class QDBusMessage;

namespace wc {

class PortalHotKeyBackend final : public QObject, public HotKeyBackend {
  Q_OBJECT
 public:
  // Nothing when the session bus has no portal with global shortcuts.
  static std::unique_ptr<PortalHotKeyBackend> create();
  explicit PortalHotKeyBackend(const QDBusConnection& bus);
  ~PortalHotKeyBackend() override;

  std::uint32_t registerHotKey(HotKeyValue v, const std::string& name) override;
  bool unregisterHotKey(HotKeyValue v, std::uint32_t id) override;

 public slots:
  // The portal's Activated signal (session, shortcut, time, options); slots
  // the bus calls must be public.
  void activated(const QDBusMessage& signal);

 private:
  struct Bound {
    std::string name;
    std::uint32_t id;
  };
  // A new session holding exactly these shortcuts; false (and no session)
  // when the portal refused one of them.
  bool bind(const std::map<HotKeyValue, Bound>& wanted);
  // Calls a method of the portal that answers through a request object and
  // waits for the answer: its results, or nothing when it failed, was
  // cancelled or did not come.
  std::optional<QVariantMap> request(const QString& method, QVariantList args, QVariantMap options);
  void closeSession();

  QDBusConnection bus_;
  QString session_;
  std::map<HotKeyValue, Bound> bound_;
  std::uint32_t lastId_ = 0;
  unsigned tokens_ = 0;
};

// The combination as the portal's shortcut description writes it
// ("CTRL+SHIFT+k"); empty for a key it has no name for.
std::string PortalTrigger(HotKeyValue v);

}  // namespace wc
