// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Hot keys through the desktop portal's global shortcuts, against a portal
// stand-in on a session bus of the test's own: the two ways portals take the
// shortcuts (when the session is made, as Plasma 5.27 does, or when they are
// bound), a portal that refuses, and a press coming back.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QElapsedTimer>
#include <QThread>
#include <vector>

#include "core/HotKey.h"
#include "platform/PortalHotKeyBackend.h"

namespace wc {
namespace {

struct Shortcut {
  QString id;
  QVariantMap properties;
};

}  // namespace
}  // namespace wc

Q_DECLARE_METATYPE(wc::Shortcut)

namespace wc {
namespace {

QDBusArgument& operator<<(QDBusArgument& a, const Shortcut& s) {
  a.beginStructure();
  a << s.id << s.properties;
  a.endStructure();
  return a;
}
const QDBusArgument& operator>>(const QDBusArgument& a, Shortcut& s) {
  a.beginStructure();
  a >> s.id >> s.properties;
  a.endStructure();
  return a;
}
using Shortcuts = QList<Shortcut>;

constexpr HotKeyValue kCtrlShiftK = kHotKeyCtrl | kHotKeyShift | 'K';
constexpr HotKeyValue kAltF9 = kHotKeyAlt | 0x78;

class FakePortal : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.GlobalShortcuts")
  Q_PROPERTY(uint version READ version)
 public:
  enum Mode { TakesOnBind, TakesOnCreate, Refuses };
  FakePortal(Mode m, const QDBusConnection& b) : mode(m), bus(b) {}
  uint version() const { return 1; }
  Mode mode;
  QDBusConnection bus;
  int creates = 0, binds = 0;
  QString session;
  // The shortcuts the last session holds: id and preferred trigger.
  std::vector<std::pair<QString, QString>> held;

 public slots:
  QDBusObjectPath CreateSession(const QVariantMap& options, const QDBusMessage& call) {
    ++creates;
    held.clear();
    session = "/org/freedesktop/portal/desktop/session/" + sender(call) + "/" +
              options.value("session_handle_token").toString();
    QVariantMap results{{"session_handle", session}};
    if (mode == TakesOnCreate)
      results.insert("shortcuts", QVariant::fromValue(take(options.value("shortcuts"))));
    return answer(call, options, mode == Refuses ? 2u : 0u, results);
  }
  // (session, shortcuts, parent window, options), read from the message:
  // the bus would hand the shortcuts to no parameter type of ours.
  QDBusObjectPath BindShortcuts(const QDBusMessage& call) {
    ++binds;
    const QVariantList args = call.arguments();
    const QVariantMap options = qdbus_cast<QVariantMap>(args.value(3));
    if (qvariant_cast<QDBusObjectPath>(args.value(0)).path() != session) return answer(call, options, 2u, {});
    return answer(call, options, 0u, {{"shortcuts", QVariant::fromValue(take(args.value(1)))}});
  }

 public:
  void press(const QString& id) {
    QDBusMessage signal = QDBusMessage::createSignal("/org/freedesktop/portal/desktop",
                                                     "org.freedesktop.portal.GlobalShortcuts", "Activated");
    signal << QVariant::fromValue(QDBusObjectPath(session)) << id << qulonglong(7) << QVariantMap();
    bus.send(signal);
  }

 private:
  static QString sender(const QDBusMessage& call) { return call.service().mid(1).replace('.', '_'); }
  Shortcuts take(const QVariant& v) {
    Shortcuts list = v.value<Shortcuts>();
    if (list.isEmpty() && v.canConvert<QDBusArgument>()) qvariant_cast<QDBusArgument>(v) >> list;
    Shortcuts granted;
    for (const Shortcut& s : list) {
      held.emplace_back(s.id, s.properties.value("preferred_trigger").toString());
      granted.append({s.id, {{"description", s.properties.value("description")}}});
    }
    return granted;
  }
  // The request object's answer, after the call returns its path.
  QDBusObjectPath answer(const QDBusMessage& call, const QVariantMap& options, uint code,
                         const QVariantMap& results) {
    const QString path = "/org/freedesktop/portal/desktop/request/" + sender(call) + "/" +
                         options.value("handle_token").toString();
    QDBusMessage signal = QDBusMessage::createSignal(path, "org.freedesktop.portal.Request", "Response");
    signal << code << results;
    bus.send(signal);
    return QDBusObjectPath(path);
  }
};

// The stand-in has a connection and a thread of its own, as a portal is
// another process: the backend's calls wait without running events.
struct Fixture {
  explicit Fixture(FakePortal::Mode mode)
      : bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("portal stand-in"))),
        portal(new FakePortal(mode, bus)) {
    qDBusRegisterMetaType<Shortcut>();
    qDBusRegisterMetaType<Shortcuts>();
    portal->moveToThread(&thread);
    thread.start();
    ok = bus.isConnected() &&
         bus.registerObject("/org/freedesktop/portal/desktop", portal,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties) &&
         bus.registerService("org.freedesktop.portal.Desktop");
  }
  ~Fixture() {
    bus.unregisterService("org.freedesktop.portal.Desktop");
    bus.unregisterObject("/org/freedesktop/portal/desktop");
    QMetaObject::invokeMethod(portal, "deleteLater");
    thread.quit();
    thread.wait();
    QDBusConnection::disconnectFromBus(QStringLiteral("portal stand-in"));
  }
  QThread thread;
  QDBusConnection bus;
  FakePortal* portal;
  bool ok = false;
};

QCoreApplication& App() {
  static int argc = 1;
  static char arg0[] = "platform_tests";
  static char* argv[] = {arg0, nullptr};
  static QCoreApplication app(argc, argv);
  return app;
}

// Presses the shortcuts in turn; what reached the backend once something
// did, or after half a second.
std::vector<HotKeyValue> Presses(PortalHotKeyBackend& backend, FakePortal& portal, const QStringList& ids) {
  std::vector<HotKeyValue> got;
  backend.pressed = [&](HotKeyValue v, std::uint32_t) { got.push_back(v); };
  for (const QString& id : ids) portal.press(id);
  QElapsedTimer t;
  t.start();
  while (got.empty() && t.elapsed() < 500) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  QCoreApplication::processEvents();
  return got;
}

TEST(PortalHotKeys, EachWayOfTakingTheShortcutsRegistersAndDelivers) {
  App();
  for (const auto mode : {FakePortal::TakesOnBind, FakePortal::TakesOnCreate}) {
    SCOPED_TRACE(mode == FakePortal::TakesOnBind ? "binding" : "with the session");
    Fixture f(mode);
    if (!f.ok) GTEST_SKIP() << "no session bus of the test's own";
    auto backend = PortalHotKeyBackend::create();
    ASSERT_NE(backend, nullptr) << "the portal stand-in answers its version";
    const std::string k = HotKeyRegistrationName(kCtrlShiftK), f9 = HotKeyRegistrationName(kAltF9);

    const std::uint32_t idK = backend->registerHotKey(kCtrlShiftK, k);
    const std::uint32_t idF9 = backend->registerHotKey(kAltF9, f9);
    EXPECT_NE(idK, 0u);
    EXPECT_NE(idF9, 0u);
    EXPECT_NE(idK, idF9);
    EXPECT_EQ(f.portal->held,
              (std::vector<std::pair<QString, QString>>{{QString::fromStdString(k), "CTRL+SHIFT+k"},
                                                        {QString::fromStdString(f9), "ALT+F9"}}))
        << "the new session holds both, each with its trigger";
    EXPECT_EQ(f.portal->binds, mode == FakePortal::TakesOnBind ? 2 : 0)
        << "a portal that took them with the session is not asked to bind (Plasma opens its settings then)";
    EXPECT_EQ(backend->registerHotKey(kCtrlShiftK, k), 0u) << "held already";

    EXPECT_EQ(Presses(*backend, *f.portal, {"SomebodyElsesShortcut", QString::fromStdString(f9)}),
              std::vector<HotKeyValue>{kAltF9});

    EXPECT_TRUE(backend->unregisterHotKey(kAltF9, idF9));
    EXPECT_EQ(f.portal->held,
              (std::vector<std::pair<QString, QString>>{{QString::fromStdString(k), "CTRL+SHIFT+k"}}));
    EXPECT_FALSE(backend->unregisterHotKey(kAltF9, idF9));
  }
}

TEST(PortalHotKeys, ARefusedCombinationFailsAndLeavesNothingBound) {
  App();
  Fixture f(FakePortal::Refuses);
  if (!f.ok) GTEST_SKIP() << "no session bus of the test's own";
  auto backend = PortalHotKeyBackend::create();
  ASSERT_NE(backend, nullptr);
  EXPECT_EQ(backend->registerHotKey(kCtrlShiftK, HotKeyRegistrationName(kCtrlShiftK)), 0u);
  EXPECT_EQ(f.portal->binds, 0);
  EXPECT_TRUE(
      Presses(*backend, *f.portal, {QString::fromStdString(HotKeyRegistrationName(kCtrlShiftK))}).empty());
}

TEST(PortalHotKeys, NoPortalNoBackend) {
  App();
  if (!QDBusConnection::sessionBus().isConnected()) GTEST_SKIP() << "no session bus of the test's own";
  EXPECT_EQ(PortalHotKeyBackend::create(), nullptr);
}

TEST(PortalTrigger, TheShortcutDescriptionsKeyNames) {
  const std::pair<HotKeyValue, const char*> cases[] = {
      {kCtrlShiftK, "CTRL+SHIFT+k"},     {kAltF9, "ALT+F9"},
      {kHotKeyWin | 0x21, "LOGO+Prior"}, {kHotKeyCtrl | kHotKeyAlt | 0x63, "CTRL+ALT+KP_3"},
      {kHotKeyCtrl | '7', "CTRL+7"},     {kHotKeyShift | 0xBA, "SHIFT+semicolon"},
      {kHotKeyCtrl | 0x07, ""},  // no key of that code
  };
  for (const auto& [v, trigger] : cases) EXPECT_EQ(PortalTrigger(v), trigger) << HotKeyText(v);
}

}  // namespace
}  // namespace wc

#include "PortalHotKeyTest.moc"
