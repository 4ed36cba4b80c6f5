// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/PortalHotKeyBackend.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <array>
#include <utility>

namespace wc {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
// Long enough for a desktop that asks the user to confirm the keys.
constexpr int kAnswerMs = 30000;

struct PortalShortcut {
  QString id;
  QVariantMap properties;
};
using PortalShortcuts = QList<PortalShortcut>;

}  // namespace
}  // namespace wc

Q_DECLARE_METATYPE(wc::PortalShortcut)

namespace wc {
namespace {

QDBusArgument& operator<<(QDBusArgument& a, const PortalShortcut& s) {
  a.beginStructure();
  a << s.id << s.properties;
  a.endStructure();
  return a;
}

const QDBusArgument& operator>>(const QDBusArgument& a, PortalShortcut& s) {
  a.beginStructure();
  a >> s.id >> s.properties;
  a.endStructure();
  return a;
}

void RegisterTypes() {
  static const bool done = [] {
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<PortalShortcuts>();
    return true;
  }();
  (void)done;
}

// Waits for the Response signal of one request object.
class Answer : public QObject {
  Q_OBJECT
 public:
  bool arrived = false;
  uint code = 2;
  QVariantMap results;
 signals:
  void done();
 public slots:
  void response(uint c, const QVariantMap& r) {
    arrived = true;
    code = c;
    results = r;
    emit done();
  }
};

struct KeyName {
  std::uint32_t keysym;
  const char* name;
};
// The names the shortcut descriptions use (the X key symbols' names) for the
// keys a hot-key field records besides letters, digits and function keys.
constexpr std::array kKeyNames{
    KeyName{0xFF08, "BackSpace"},
    KeyName{0xFF09, "Tab"},
    KeyName{0xFF0B, "Clear"},
    KeyName{0xFF0D, "Return"},
    KeyName{0xFF13, "Pause"},
    KeyName{0xFFE5, "Caps_Lock"},
    KeyName{0xFF1B, "Escape"},
    KeyName{0x0020, "space"},
    KeyName{0xFF55, "Prior"},
    KeyName{0xFF56, "Next"},
    KeyName{0xFF57, "End"},
    KeyName{0xFF50, "Home"},
    KeyName{0xFF51, "Left"},
    KeyName{0xFF52, "Up"},
    KeyName{0xFF53, "Right"},
    KeyName{0xFF54, "Down"},
    KeyName{0xFF61, "Print"},
    KeyName{0xFF63, "Insert"},
    KeyName{0xFFFF, "Delete"},
    KeyName{0xFF67, "Menu"},
    KeyName{0xFFAA, "KP_Multiply"},
    KeyName{0xFFAB, "KP_Add"},
    KeyName{0xFFAD, "KP_Subtract"},
    KeyName{0xFFAE, "KP_Decimal"},
    KeyName{0xFFAF, "KP_Divide"},
    KeyName{0xFF7F, "Num_Lock"},
    KeyName{0xFF14, "Scroll_Lock"},
    KeyName{0x003B, "semicolon"},
    KeyName{0x003D, "equal"},
    KeyName{0x002C, "comma"},
    KeyName{0x002D, "minus"},
    KeyName{0x002E, "period"},
    KeyName{0x002F, "slash"},
    KeyName{0x0060, "grave"},
    KeyName{0x005B, "bracketleft"},
    KeyName{0x005C, "backslash"},
    KeyName{0x005D, "bracketright"},
    KeyName{0x0027, "apostrophe"},
    KeyName{0x1008FF12, "XF86AudioMute"},
    KeyName{0x1008FF11, "XF86AudioLowerVolume"},
    KeyName{0x1008FF13, "XF86AudioRaiseVolume"},
    KeyName{0x1008FF17, "XF86AudioNext"},
    KeyName{0x1008FF16, "XF86AudioPrev"},
    KeyName{0x1008FF15, "XF86AudioStop"},
    KeyName{0x1008FF14, "XF86AudioPlay"},
};

std::string KeySymName(std::uint32_t keysym) {
  if ((keysym >= 'a' && keysym <= 'z') || (keysym >= '0' && keysym <= '9'))
    return std::string(1, static_cast<char>(keysym));
  if (keysym >= 0xFFBE && keysym <= 0xFFD5) return "F" + std::to_string(keysym - 0xFFBE + 1);
  if (keysym >= 0xFFB0 && keysym <= 0xFFB9) return "KP_" + std::to_string(keysym - 0xFFB0);
  for (const KeyName& k : kKeyNames)
    if (k.keysym == keysym) return k.name;
  return {};
}

}  // namespace

std::string PortalTrigger(HotKeyValue v) {
  const std::string key = KeySymName(VirtualKeyToKeySym(HotKeyVirtualKey(v)));
  if (key.empty()) return {};
  std::string s;
  if (v & kHotKeyCtrl) s += "CTRL+";
  if (v & kHotKeyAlt) s += "ALT+";
  if (v & kHotKeyShift) s += "SHIFT+";
  if (v & kHotKeyWin) s += "LOGO+";
  return s + key;
}

std::unique_ptr<PortalHotKeyBackend> PortalHotKeyBackend::create() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return nullptr;
  QDBusMessage get = QDBusMessage::createMethodCall(
      kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
  get.setArguments({kInterface, QStringLiteral("version")});
  const QDBusMessage reply = bus.call(get, QDBus::Block, 5000);
  if (reply.type() != QDBusMessage::ReplyMessage) return nullptr;
  return std::make_unique<PortalHotKeyBackend>(bus);
}

PortalHotKeyBackend::PortalHotKeyBackend(const QDBusConnection& bus) : bus_(bus) {
  RegisterTypes();
  bus_.connect(kService, kPath, kInterface, QStringLiteral("Activated"), this, SLOT(activated(QDBusMessage)));
}

PortalHotKeyBackend::~PortalHotKeyBackend() {
  closeSession();
  bus_.disconnect(kService, kPath, kInterface, QStringLiteral("Activated"), this,
                  SLOT(activated(QDBusMessage)));
}

std::uint32_t PortalHotKeyBackend::registerHotKey(HotKeyValue v, const std::string& name) {
  if (bound_.count(v) || PortalTrigger(v).empty()) return 0;
  std::map<HotKeyValue, Bound> wanted = bound_;
  wanted[v] = {name, ++lastId_};
  if (bind(wanted)) return lastId_;
  bind(bound_);  // the others stay as they were
  return 0;
}

bool PortalHotKeyBackend::unregisterHotKey(HotKeyValue v, std::uint32_t) {
  if (!bound_.count(v)) return false;
  std::map<HotKeyValue, Bound> wanted = bound_;
  wanted.erase(v);
  const bool ok = bind(wanted);
  // A key the portal would not let go of is still not ours to report.
  bound_ = std::move(wanted);
  return ok;
}

void PortalHotKeyBackend::activated(const QDBusMessage& signal) {
  const QVariantList args = signal.arguments();
  if (args.size() < 2) return;
  const QString session = qvariant_cast<QDBusObjectPath>(args[0]).path();
  const QString shortcut = args[1].toString();
  if (session != session_) return;
  for (const auto& [v, b] : bound_)
    if (QString::fromStdString(b.name) == shortcut && pressed) pressed(v, b.id);
}

bool PortalHotKeyBackend::bind(const std::map<HotKeyValue, Bound>& wanted) {
  closeSession();
  if (wanted.empty()) {
    bound_.clear();
    return true;
  }
  PortalShortcuts shortcuts;
  for (const auto& [v, b] : wanted) {
    shortcuts.append({QString::fromStdString(b.name),
                      {{QStringLiteral("description"),
                        QStringLiteral("Tavrel World Clock: %1").arg(QString::fromStdString(HotKeyText(v)))},
                       {QStringLiteral("preferred_trigger"), QString::fromStdString(PortalTrigger(v))}}});
  }
  const auto grantsAll = [&](const std::optional<QVariantMap>& results) {
    if (!results) return false;
    PortalShortcuts granted;
    const QVariant listed = results->value(QStringLiteral("shortcuts"));
    if (listed.canConvert<QDBusArgument>()) qvariant_cast<QDBusArgument>(listed) >> granted;
    return std::all_of(wanted.begin(), wanted.end(), [&](const auto& w) {
      return std::any_of(granted.begin(), granted.end(), [&](const PortalShortcut& g) {
        return g.id == QString::fromStdString(w.second.name);
      });
    });
  };
  // Plasma 5.27's portal takes the shortcuts when the session is made (and
  // answers binding by opening its settings); the others bind them after.
  // One name for the session, which Plasma shows as the shortcuts' owner
  // and keeps the user's own choice of keys under; the last session is
  // closed by now.
  const auto created =
      request(QStringLiteral("CreateSession"), {},
              {{QStringLiteral("session_handle_token"), QStringLiteral("tavrel_world_clock")},
               {QStringLiteral("shortcuts"), QVariant::fromValue(shortcuts)}});
  if (!created) return false;
  session_ = created->value(QStringLiteral("session_handle")).toString();
  if (session_.isEmpty()) return false;
  const bool all =
      grantsAll(created) ||
      grantsAll(request(
          QStringLiteral("BindShortcuts"),
          {QVariant::fromValue(QDBusObjectPath(session_)), QVariant::fromValue(shortcuts), QString()}, {}));
  if (!all) {
    closeSession();
    return false;
  }
  bound_ = wanted;
  return true;
}

std::optional<QVariantMap> PortalHotKeyBackend::request(const QString& method, QVariantList args,
                                                        QVariantMap options) {
  // The answer comes on a request object named by the caller's token; it
  // is listened to before the call, so that no answer comes first.
  const QString token = QStringLiteral("tavrel%1").arg(++tokens_);
  options.insert(QStringLiteral("handle_token"), token);
  QString sender = bus_.baseService().mid(1);
  sender.replace(QLatin1Char('.'), QLatin1Char('_'));
  const QString path = QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
  Answer answer;
  const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");
  bus_.connect(kService, path, requestInterface, QStringLiteral("Response"), &answer,
               SLOT(response(uint, QVariantMap)));
  args << options;
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
  call.setArguments(args);
  const QDBusMessage reply = bus_.call(call, QDBus::Block, kAnswerMs);
  if (reply.type() == QDBusMessage::ReplyMessage && !answer.arrived) {
    QEventLoop loop;
    QTimer::singleShot(kAnswerMs, &loop, &QEventLoop::quit);
    connect(&answer, &Answer::done, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
  }
  bus_.disconnect(kService, path, requestInterface, QStringLiteral("Response"), &answer,
                  SLOT(response(uint, QVariantMap)));
  if (reply.type() != QDBusMessage::ReplyMessage || !answer.arrived || answer.code != 0) return std::nullopt;
  return answer.results;
}

void PortalHotKeyBackend::closeSession() {
  if (session_.isEmpty()) return;
  bus_.call(
      QDBusMessage::createMethodCall(kService, session_, QStringLiteral("org.freedesktop.portal.Session"),
                                     QStringLiteral("Close")),
      QDBus::Block, 5000);
  session_.clear();
}

}  // namespace wc

#include "PortalHotKeyBackend.moc"
