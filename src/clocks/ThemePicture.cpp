// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ThemePicture.h"

#include <QString>

#include "clocks/ClockTheme.h"

namespace wc {

QImage LoadThemePicture(const std::string& path, qreal dpr) {
  if (dpr > 1) {
    QImage img(QString::fromStdString(HiDpiFileName(path)));
    if (!img.isNull()) {
      img.setDevicePixelRatio(2);
      return img;
    }
  }
  return QImage(QString::fromStdString(path));
}

}  // namespace wc
