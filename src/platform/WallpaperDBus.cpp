// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The desktops whose wallpaper is a service on the session bus: XFCE's
// settings daemon (xfconf) and the Plasma shell's scripting call.

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

#include "platform/Wallpaper.h"

namespace wc {

namespace {

constexpr int kCallTimeoutMs = 3000;

bool ServicePresent(const char* service) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  const QString name = QString::fromLatin1(service);
  const QDBusReply<bool> r = bus.interface()->isServiceRegistered(name);
  if (r.isValid() && r.value()) return true;
  // The settings daemon is started by the bus on the first call.
  const QDBusReply<QStringList> activatable = bus.interface()->activatableServiceNames();
  return activatable.isValid() && activatable.value().contains(name);
}

// ------------------------------------------------------------- xfconf ---

constexpr const char* kChannel = "xfce4-desktop";
// Centred, in the desktop's list of image styles.
constexpr int kCentred = 1;

class XfconfWallpaper final : public WallpaperBackend {
 public:
  XfconfWallpaper()
      : xfconf_(QStringLiteral("org.xfce.Xfconf"), QStringLiteral("/org/xfce/Xfconf"),
                QStringLiteral("org.xfce.Xfconf"), QDBusConnection::sessionBus()) {
    xfconf_.setTimeout(kCallTimeoutMs);
  }

  const char* name() const override { return "xfconf"; }

  bool showsOwnPicture() override {
    const QVariantMap all = properties();
    const QStringList images = imageProperties(all);
    return !images.isEmpty() && IsOwnWallpaper(all.value(images.front()).toString().toStdString());
  }

  DesktopPicture current() override {
    DesktopPicture p;
    const QVariantMap all = properties();
    const QStringList images = imageProperties(all);
    if (!images.isEmpty()) p.file = all.value(images.front()).toString().toStdString();
    // Every monitor's and workspace's picture and style, and a bare name for
    // a style that was not set, so that putting back also unsets it.
    for (const QString& image : images) {
      p.details.push_back((image + '=' + all.value(image).toString()).toStdString());
      const QString style = styleOf(image);
      p.details.push_back(all.contains(style) ? (style + '=' + all.value(style).toString()).toStdString()
                                              : style.toStdString());
    }
    return p;
  }

  bool show(const std::string& file, const QImage&, const QRect&) override {
    QStringList images = imageProperties(properties());
    if (images.isEmpty()) {
      // A desktop never configured: one picture per monitor, first workspace.
      for (const QScreen* s : QGuiApplication::screens())
        images << QStringLiteral("/backdrop/screen0/monitor%1/workspace0/last-image").arg(s->name());
    }
    bool ok = !images.isEmpty();
    for (const QString& image : images) {
      ok = set(image, QString::fromStdString(file)) && ok;
      ok = set(styleOf(image), kCentred) && ok;
    }
    return ok;
  }

  bool restore(const DesktopPicture& saved) override {
    bool ok = true;
    if (!saved.details.empty() && !IsOwnWallpaper(saved.file)) {
      for (const std::string& line : saved.details) {
        const QString l = QString::fromStdString(line);
        const qsizetype eq = l.indexOf('=');
        if (eq < 0) {
          ok = call(QStringLiteral("ResetProperty"), {QString::fromLatin1(kChannel), l, false}) && ok;
          continue;
        }
        const QString prop = l.left(eq), value = l.mid(eq + 1);
        ok = (prop.endsWith(QLatin1String("/image-style")) ? set(prop, value.toInt()) : set(prop, value)) &&
             ok;
      }
      return ok;
    }
    const QString file = IsOwnWallpaper(saved.file) ? QString() : QString::fromStdString(saved.file);
    for (const QString& image : imageProperties(properties())) {
      ok = set(image, file) && ok;
      if (file.isEmpty()) ok = set(styleOf(image), 0) && ok;  // no picture
    }
    return ok;
  }

  bool needsNewFileName() const override { return true; }

 private:
  QVariantMap properties() {
    const QDBusReply<QVariantMap> r = xfconf_.call(
        QStringLiteral("GetAllProperties"), QString::fromLatin1(kChannel), QStringLiteral("/backdrop"));
    return r.isValid() ? r.value() : QVariantMap{};
  }
  static QStringList imageProperties(const QVariantMap& all) {
    QStringList out;
    for (auto it = all.cbegin(); it != all.cend(); ++it) {
      // "image-path" is what older versions of the desktop kept.
      if (it.key().endsWith(QLatin1String("/last-image")) || it.key().endsWith(QLatin1String("/image-path")))
        out << it.key();
    }
    return out;  // the map keeps them sorted
  }
  static QString styleOf(const QString& image) {
    return image.left(image.lastIndexOf('/')) + QStringLiteral("/image-style");
  }
  bool set(const QString& prop, const QVariant& value) {
    return call(QStringLiteral("SetProperty"),
                {QString::fromLatin1(kChannel), prop, QVariant::fromValue(QDBusVariant(value))});
  }
  bool call(const QString& method, const QVariantList& args) {
    const QDBusMessage reply = xfconf_.callWithArgumentList(QDBus::Block, method, args);
    return reply.type() == QDBusMessage::ReplyMessage;
  }

  QDBusInterface xfconf_;
};

// ------------------------------------------------------------- Plasma ---

// Plasma's fill mode for a centred picture.
constexpr int kPlasmaCentred = 6;

QString JsString(const QString& s) {
  QString out = QStringLiteral("\"");
  for (const QChar c : s) {
    if (c == '"' || c == '\\')
      out += '\\' + QString(c);
    else if (c == '\n')
      out += QStringLiteral("\\n");
    else
      out += c;
  }
  return out + '"';
}

class PlasmaWallpaper final : public WallpaperBackend {
 public:
  PlasmaWallpaper()
      : shell_(QStringLiteral("org.kde.plasmashell"), QStringLiteral("/PlasmaShell"),
               QStringLiteral("org.kde.PlasmaShell"), QDBusConnection::sessionBus()) {
    shell_.setTimeout(kCallTimeoutMs);
  }

  const char* name() const override { return "plasma"; }

  bool showsOwnPicture() override {
    const QStringList d = desktops();
    return !d.isEmpty() && IsOwnWallpaper(d.front().section('\t', 1, 1).toStdString());
  }

  // Details: one line per desktop, "plugin<TAB>image<TAB>fill mode".
  DesktopPicture current() override {
    DesktopPicture p;
    const QStringList d = desktops();
    if (!d.isEmpty()) p.file = PathFromFileUri(d.front().section('\t', 1, 1).toStdString());
    for (const QString& line : d) p.details.push_back(line.toStdString());
    return p;
  }

  bool show(const std::string& file, const QImage&, const QRect&) override {
    return run(QStringLiteral("var ds = desktops();"
                              "for (var i = 0; i < ds.length; i++) {"
                              "  var d = ds[i];"
                              "  d.wallpaperPlugin = 'org.kde.image';"
                              "  d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];"
                              "  d.writeConfig('Image', %1);"
                              "  d.writeConfig('FillMode', %2);"
                              "}")
                   .arg(JsString(QString::fromStdString(FileUriFromPath(file))))
                   .arg(kPlasmaCentred))
        .has_value();
  }

  bool restore(const DesktopPicture& saved) override {
    QString script = QStringLiteral("var ds = desktops();");
    if (!saved.details.empty() && !IsOwnWallpaper(saved.file)) {
      for (std::size_t i = 0; i < saved.details.size(); ++i) {
        const QStringList f = QString::fromStdString(saved.details[i]).split('\t');
        if (f.size() != 3) continue;
        script += QStringLiteral(
                      "if (ds.length > %1) { var d = ds[%1]; d.wallpaperPlugin = %2;"
                      "  d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];"
                      "  d.writeConfig('Image', %3);")
                      .arg(i)
                      .arg(JsString(f[0]), JsString(f[1]));
        if (!f[2].isEmpty()) script += QStringLiteral("d.writeConfig('FillMode', %1);").arg(f[2].toInt());
        script += '}';
      }
    } else {
      const std::string file = IsOwnWallpaper(saved.file) ? std::string() : saved.file;
      script += QStringLiteral(
                    "for (var i = 0; i < ds.length; i++) { var d = ds[i];"
                    "  d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];"
                    "  d.writeConfig('Image', %1); }")
                    .arg(JsString(QString::fromStdString(FileUriFromPath(file))));
    }
    return run(script).has_value();
  }

  bool needsNewFileName() const override { return true; }

 private:
  QStringList desktops() {
    const auto out =
        run(QStringLiteral("var ds = desktops();"
                           "for (var i = 0; i < ds.length; i++) {"
                           "  var d = ds[i];"
                           "  d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];"
                           "  print(d.wallpaperPlugin + '\\t' + d.readConfig('Image') + '\\t' + "
                           "d.readConfig('FillMode') + '\\n');"
                           "}"));
    if (!out) return {};
    QStringList lines = out->split('\n', Qt::SkipEmptyParts);
    lines.removeIf([](const QString& l) { return l.count('\t') != 2; });
    return lines;
  }
  std::optional<QString> run(const QString& script) {
    const QDBusReply<QString> r = shell_.call(QStringLiteral("evaluateScript"), script);
    if (!r.isValid()) return std::nullopt;
    return r.value();
  }

  QDBusInterface shell_;
};

}  // namespace

std::unique_ptr<WallpaperBackend> MakeXfconfWallpaper() {
  if (!ServicePresent("org.xfce.Xfconf")) return nullptr;
  return std::make_unique<XfconfWallpaper>();
}

std::unique_ptr<WallpaperBackend> MakePlasmaWallpaper() {
  if (!ServicePresent("org.kde.plasmashell")) return nullptr;
  return std::make_unique<PlasmaWallpaper>();
}

}  // namespace wc
