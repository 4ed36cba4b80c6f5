// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ReminderPopup.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "reminders/RemPictures.h"
#include "reminders/Sound.h"
#include "widgets/ToolDialogHeader.h"

namespace wc {

namespace {

QFont PopupFont(bool bold) {
  QFont f(QStringLiteral("Tahoma"));
  f.setStyleHint(QFont::SansSerif);
  f.setPixelSize(16);
  f.setBold(bold);
  return f;
}

}  // namespace

ReminderPopup::ReminderPopup()
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("frmRemShow"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Reminder"));
  setFixedSize(468, 169);

  auto* band = new QWidget(this);
  band->setObjectName(QStringLiteral("band"));
  band->setAutoFillBackground(true);
  QPalette bp = band->palette();
  bp.setColor(QPalette::Window, Qt::white);
  bp.setColor(QPalette::WindowText, Qt::black);
  band->setPalette(bp);
  lblCity = new QLabel(QStringLiteral("Reminder"), band);
  lblCity->setObjectName(QStringLiteral("lblCity"));
  lblCity->setFont(PopupFont(true));
  lblCity->setWordWrap(true);
  auto* picture = new QLabel(band);
  picture->setPixmap(BellPicture(40, devicePixelRatioF()));
  picture->setFixedSize(40, 40);
  auto* bandRow = new QHBoxLayout(band);
  bandRow->setContentsMargins(12, 6, 10, 6);
  bandRow->addWidget(lblCity, 1);
  bandRow->addWidget(picture);

  lbRem = new QPlainTextEdit(this);
  lbRem->setObjectName(QStringLiteral("lbRem"));
  lbRem->setReadOnly(true);
  lbRem->setFrameShape(QFrame::NoFrame);
  lbRem->setFont(PopupFont(false));
  lbRem->setFocusPolicy(Qt::ClickFocus);
  // The message reads as part of the window, not as a field to type in,
  // whatever the skin does to text boxes.
  lbRem->setStyleSheet(QStringLiteral("#lbRem { border: none; background: transparent; }"));
  lbRem->viewport()->setAutoFillBackground(false);

  btnClose = new QPushButton(QStringLiteral("Close"), this);
  btnClose->setObjectName(QStringLiteral("btnClose"));
  btnClose->setDefault(true);
  connect(btnClose, &QPushButton::clicked, this, &QDialog::close);

  auto* buttons = new QHBoxLayout;
  buttons->setContentsMargins(0, 0, 10, 8);
  buttons->addStretch(1);
  buttons->addWidget(btnClose);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(4);
  column->addWidget(band);
  auto* message = new QHBoxLayout;
  message->setContentsMargins(8, 0, 8, 0);
  message->addWidget(lbRem);
  column->addLayout(message, 1);
  column->addLayout(buttons);
}

void ReminderPopup::showOver(const QWidget* mainWindow) {
  CentreOverOwner(*this, mainWindow);
  show();
  raise();
  activateWindow();
}

void ReminderPopup::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  btnClose->setFocus();
  if (played_) return;
  played_ = true;
  if (!sPlay.trimmed().isEmpty()) PlayWaveAsync(sPlay);
}

}  // namespace wc
