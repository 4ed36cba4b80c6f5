// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ToolDialogHeader.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace wc {

QPixmap OptionsHeaderPicture(int size, qreal dpr) {
  QPixmap pm(static_cast<int>(size * dpr), static_cast<int>(size * dpr));
  pm.setDevicePixelRatio(dpr);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r(1.5, 1.5, size - 3.0, size - 3.0);
  QRadialGradient sea(r.center() - QPointF(size * 0.15, size * 0.15), size * 0.7);
  sea.setColorAt(0, QColor(0x8f, 0xd0, 0xff));
  sea.setColorAt(1, QColor(0x1f, 0x5f, 0xb8));
  p.setPen(QPen(QColor(0x17, 0x3f, 0x7a), 1.2));
  p.setBrush(sea);
  p.drawEllipse(r);
  // Land masses, loosely: enough to read as a globe at a glance.
  p.save();
  QPainterPath clip;
  clip.addEllipse(r);
  p.setClipPath(clip);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x5c, 0xb8, 0x4e));
  const qreal s = size;
  QPainterPath land;
  land.moveTo(s * 0.18, s * 0.30);
  land.cubicTo(s * 0.30, s * 0.12, s * 0.48, s * 0.20, s * 0.44, s * 0.36);
  land.cubicTo(s * 0.40, s * 0.50, s * 0.30, s * 0.46, s * 0.32, s * 0.62);
  land.cubicTo(s * 0.30, s * 0.78, s * 0.18, s * 0.70, s * 0.14, s * 0.52);
  land.closeSubpath();
  land.moveTo(s * 0.58, s * 0.22);
  land.cubicTo(s * 0.74, s * 0.18, s * 0.88, s * 0.34, s * 0.82, s * 0.46);
  land.cubicTo(s * 0.76, s * 0.56, s * 0.66, s * 0.50, s * 0.62, s * 0.62);
  land.cubicTo(s * 0.58, s * 0.74, s * 0.50, s * 0.60, s * 0.54, s * 0.44);
  land.closeSubpath();
  p.drawPath(land);
  p.setPen(QPen(QColor(255, 255, 255, 90), 0.8));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRectF(r.center().x() - r.width() * 0.22, r.top(), r.width() * 0.44, r.height()));
  p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
  p.restore();
  // Clock hands over the globe.
  const QPointF c = r.center();
  p.setPen(QPen(QColor(255, 255, 255, 235), s * 0.075, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c, c + QPointF(0, -s * 0.30));
  p.drawLine(c, c + QPointF(s * 0.22, s * 0.08));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xd9, 0x3a, 0x2b));
  p.drawEllipse(c, s * 0.06, s * 0.06);
  return pm;
}

QVBoxLayout* LayOutUnderHeader(QWidget& dialog, ToolDialogHeader* header) {
  auto* body = new QVBoxLayout;
  body->setContentsMargins(10, 8, 10, 10);
  auto* root = new QVBoxLayout(&dialog);
  root->setContentsMargins(0, 0, 0, 0);
  root->setSpacing(0);
  root->addWidget(header);
  root->addLayout(body, 1);
  return body;
}

int ReportRowHeight(const QFontMetrics& metrics) { return metrics.height() + 6; }

void SetUpReportRows(QTableView& view) {
  view.setShowGrid(true);
  view.setSelectionBehavior(QAbstractItemView::SelectRows);
  view.setSelectionMode(QAbstractItemView::SingleSelection);
  view.setEditTriggers(QAbstractItemView::NoEditTriggers);
  view.setWordWrap(false);
  view.setTabKeyNavigation(false);
  QHeaderView* rows = view.verticalHeader();
  rows->hide();
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setDefaultSectionSize(ReportRowHeight(view.fontMetrics()));
}

void CentreOverOwner(QWidget& dialog, const QWidget* owner) {
  const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
  QPoint topLeft;
  if (owner && owner->isVisible())
    topLeft = owner->frameGeometry().center() - dialog.rect().center();
  else if (screen)
    topLeft = screen->availableGeometry().center() - dialog.rect().center();
  // Centred over a small main window near a screen edge, it stays whole.
  if (screen) {
    const QRect area = screen->availableGeometry();
    topLeft.setX(std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() - dialog.width())));
    topLeft.setY(std::clamp(topLeft.y(), area.top(), std::max(area.top(), area.bottom() - dialog.height())));
  }
  dialog.move(topLeft);
}

ToolDialogHeader::ToolDialogHeader(const QString& heading, QWidget* parent) : QWidget(parent) {
  // A skin may give the band a background of its own.
  setObjectName(QStringLiteral("ToolDialogHeader"));
  setAttribute(Qt::WA_StyledBackground);
  picture_ = new QLabel(this);
  picture_->setPixmap(OptionsHeaderPicture(40, devicePixelRatioF()));
  picture_->setFixedSize(40, 40);

  heading_ = new QLabel(heading, this);
  QFont f = heading_->font();
  f.setBold(true);
  f.setPointSizeF(f.pointSizeF() * 1.25);
  heading_->setFont(f);

  auto* separator = new QFrame(this);
  separator->setFrameShape(QFrame::HLine);
  separator->setFrameShadow(QFrame::Sunken);
  separator->setLineWidth(1);
  separator->setFixedHeight(2);

  auto* row = new QHBoxLayout;
  row->setContentsMargins(10, 8, 10, 6);
  row->setSpacing(10);
  row->addWidget(picture_);
  row->addWidget(heading_, 1);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addLayout(row);
  column->addWidget(separator);
}

void ToolDialogHeader::setPicture(const QPixmap& picture) { picture_->setPixmap(picture); }

}  // namespace wc
