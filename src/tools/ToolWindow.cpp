// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/ToolWindow.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLayout>
#include <QPushButton>

#include "core/Settings.h"
#include "widgets/ToolDialogHeader.h"

namespace wc {

ToolWindow::ToolWindow(QWidget* owner, const QString& role, const char* placementSetting)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      owner_(owner),
      placementSetting_(placementSetting) {
  setObjectName(role);
  setWindowRole(role);
  setModal(true);
}

QPushButton* ToolWindow::addCloseRow(QBoxLayout* layout, const char* objectName) {
  auto* button = new QPushButton(QStringLiteral("Close"), this);
  button->setObjectName(QLatin1String(objectName));
  connect(button, &QPushButton::clicked, this, &QDialog::accept);
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(button);
  layout->addLayout(row);
  return button;
}

void ToolWindow::fixClientSize(QSize designed) {
  if (layout()) layout()->activate();
  setFixedSize(designed.expandedTo(minimumSizeHint()));
}

int ToolWindow::showModal() {
  FormShow();
  // No button is the default: Enter belongs to the field that has the focus.
  for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);
  // Of a placement stored without size only the maximized state applies.
  if (ReadPlacementSetting(kSettingsKey, placementSetting_, false).maximize)
    setWindowState(windowState() | Qt::WindowMaximized);
  CentreOverOwner(*this, owner_);
  show();
  raise();
  activateWindow();
  return exec();
}

void ToolWindow::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    if (auto* button = qobject_cast<QAbstractButton*>(focusWidget())) button->animateClick();
    e->accept();
    return;
  }
  QDialog::keyPressEvent(e);
}

void ToolWindow::done(int result) {
  if (isVisible()) {
    WindowGeometry g;
    g.state = isMaximized() ? WindowState::Maximized : WindowState::Normal;
    const QRect frame = frameGeometry();
    g.top = frame.top();
    g.left = frame.left();
    WritePlacementSetting(kSettingsKey, placementSetting_, g, false);
    FormClose();
  }
  QDialog::done(result);
}

}  // namespace wc
