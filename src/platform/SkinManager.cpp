// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SkinManager.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStyle>
#include <QStyleFactory>

namespace wc {

SkinManager::SkinManager(QObject* parent) : QObject(parent) {
  if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
    desktopStyle_ = app->style()->name();
}

QString SkinManager::themeSkinName(int theme) {
  switch (theme) {
    case 1:
      return QStringLiteral("Office2007 Blue");
    case 2:
      return QStringLiteral("Shine");
    case 3:
      return QStringLiteral("Beijing");
    case 4:
      return QStringLiteral("Office2010 Blue");
    case 5:
      return QStringLiteral("MacOS2");
    default:
      return QString();
  }
}

bool SkinManager::applyTheme(int theme) {
  if (theme == 0) {
    setActive(false);
    return true;
  }
  const QString name = themeSkinName(theme);
  if (name.isEmpty()) return false;
  setSkin(name);
  return true;
}

bool SkinManager::setSkin(const QString& name) {
  const QString previous = skinName_;
  const bool wasActive = active_;
  skinName_ = name;
  active_ = true;
  if (apply()) return true;
  skinName_ = previous;
  active_ = wasActive;
  return false;
}

void SkinManager::setActive(bool on) {
  if (on == active_) return;
  active_ = on;
  if (!apply()) active_ = false;
}

bool SkinManager::apply() {
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (!app) return false;
  if (!active_ || skinName_.isEmpty()) {
    app->setStyleSheet(QString());
    if (!desktopStyle_.isEmpty() && app->style()->name() != desktopStyle_)
      app->setStyle(QStyleFactory::create(desktopStyle_));
    return true;
  }
  QFile f(skinDirectory_ + QLatin1Char('/') + skinName_ + QStringLiteral(".qss"));
  if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
  const QString sheet = QString::fromUtf8(f.readAll());
  // Sheets are drawn over Fusion, the one style that renders every rule the
  // same way on every desktop.
  if (app->style()->name() != QLatin1String("fusion"))
    app->setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  // The sheets name their pictures "skin:…", wherever the program is installed.
  QDir::setSearchPaths(QStringLiteral("skin"), {skinDirectory_});
  app->setStyleSheet(sheet);
  return true;
}

}  // namespace wc
