// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/MapImage.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QHelpEvent>
#include <QMenu>
#include <QPainter>
#include <QToolTip>

#include "map/LargeBuffer.h"

namespace wc {

MapImage::MapImage(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Black until the first map is drawn, as the loading label expects.
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::black);
  setPalette(pal);
  setMouseTracking(true);
  follow_.setInterval(500);
  connect(&follow_, &QTimer::timeout, this, &MapImage::followPointer);
}

void MapImage::setMapSize(int width, int height) {
  setFixedSize(width, height);
  // On a 2x screen the picture has twice the pixels, so that the map is
  // drawn as sharp as the rest of the window. It keeps its memory while the
  // size stays; a new one comes in huge pages where the system has them.
  const qreal scale = devicePixelRatioF();
  if (!ReuseImage(picture_, qRound(width * scale), qRound(height * scale))) picture_.fill(Qt::black);
  picture_.setDevicePixelRatio(scale);
  update();
}

void MapImage::setHintsEnabled(bool on) {
  hintsOn_ = on;
  if (!on) {
    follow_.stop();
    QToolTip::hideText();
  }
}

void MapImage::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, picture_);
  // Moved to a screen of another scale: the owner draws the map again.
  if (picture_.devicePixelRatio() != devicePixelRatioF()) emit scaleChanged();
}

bool MapImage::event(QEvent* e) {
  if (e->type() == QEvent::ToolTip) {
    auto* he = static_cast<QHelpEvent*>(e);
    if (hintsOn_) showHint(he->pos(), he->globalPos());
    return true;
  }
  return QWidget::event(e);
}

void MapImage::leaveEvent(QEvent* e) {
  follow_.stop();
  QToolTip::hideText();
  QWidget::leaveEvent(e);
}

void MapImage::contextMenuEvent(QContextMenuEvent* e) {
  if (popup_) popup_->popup(e->globalPos());
}

void MapImage::showHint(QPoint local, QPoint global) {
  const QString text = hint_ ? hint_(local) : QString();
  if (text.isEmpty()) {
    QToolTip::hideText();
  } else {
    QToolTip::showText(global, text, this);
  }
  follow_.start();
}

void MapImage::followPointer() {
  const QPoint global = QCursor::pos();
  const QPoint local = mapFromGlobal(global);
  if (!hintsOn_ || !rect().contains(local) || !isVisible()) {
    follow_.stop();
    return;
  }
  showHint(local, global);
}

}  // namespace wc
