// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cities/CityDialogs.h"

#include <QDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QTableView>
#include <algorithm>

namespace wc {

ToolDialogHeader* DialogHeader(QDialog& dialog, const QString& title, const char* headingName) {
  dialog.setWindowTitle(title);
  auto* header = new ToolDialogHeader(title, &dialog);
  header->headingLabel()->setObjectName(QString::fromLatin1(headingName));
  return header;
}

void SetUpListTable(QTableView& view, QAbstractItemModel* model, std::span<const int> columnWidths) {
  view.setModel(model);
  SetUpReportRows(view);
  QHeaderView* h = view.horizontalHeader();
  h->setHighlightSections(false);
  h->setSectionsClickable(false);
  h->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  // The designed widths, or more where the caption needs it in this font.
  for (int c = 0; c < static_cast<int>(columnWidths.size()); ++c) {
    const QString caption = model->headerData(c, Qt::Horizontal).toString();
    h->resizeSection(c, std::max(columnWidths[c], h->fontMetrics().horizontalAdvance(caption) + 16));
  }
  h->setStretchLastSection(true);
}

void SizeDialog(QDialog& dialog, int width, int height) {
  QScreen* screen =
      dialog.parentWidget() ? dialog.parentWidget()->screen() : QGuiApplication::primaryScreen();
  QSize size(width, height);
  if (screen) {
    // Room for the window frame as well.
    const QSize room = screen->availableGeometry().size() - QSize(16, 48);
    size = size.boundedTo(room);
  }
  dialog.resize(size);
}

}  // namespace wc
