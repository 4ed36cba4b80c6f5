// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Skins: Qt style sheets read from the skins folder and applied to the whole
// application, so every open window changes at once. Off means the desktop's
// own style and palette. Windows that draw themselves entirely (the desktop
// clocks) are not touched: the sheets style only standard widget classes.

#include <QObject>
#include <QString>

namespace wc {

class SkinManager : public QObject {
  Q_OBJECT
 public:
  explicit SkinManager(QObject* parent = nullptr);

  void setSkinDirectory(const QString& folder) { skinDirectory_ = folder; }
  QString skinDirectory() const { return skinDirectory_; }
  QString skinName() const { return skinName_; }
  bool active() const { return active_; }

  // Switches skinning on with the named skin (<folder>/<name>.qss) or off.
  // A skin file that cannot be read leaves the current look; false then.
  bool setSkin(const QString& name);
  void setActive(bool on);

  // The theme numbers: 0 off, 1..5 the five skins; any other number changes
  // nothing. Returns whether the number was one of those.
  bool applyTheme(int theme);
  static QString themeSkinName(int theme);

 private:
  bool apply();

  QString skinDirectory_;
  QString skinName_;
  QString desktopStyle_;
  bool active_ = false;
};

}  // namespace wc
