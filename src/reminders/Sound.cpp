// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Sound.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>

namespace wc {

void PlayWaveAsync(const QString& path) {
  static QPointer<QSoundEffect> current;
  if (current) {
    current->stop();
    current->deleteLater();
  }
  if (!QFileInfo(path).isFile()) return;
  // The effect outlives the window that asked for it: a pop-up closed at once
  // does not cut its chime short.
  auto* effect = new QSoundEffect(qApp);
  current = effect;
  QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect] {
    if (effect->status() == QSoundEffect::Ready && !effect->isPlaying() &&
        effect->property("started").isNull()) {
      effect->setProperty("started", true);
      effect->play();
    } else if (effect->status() == QSoundEffect::Error) {
      effect->deleteLater();
    }
  });
  QObject::connect(effect, &QSoundEffect::playingChanged, effect, [effect] {
    if (!effect->isPlaying() && !effect->property("started").isNull()) effect->deleteLater();
  });
  effect->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

}  // namespace wc
