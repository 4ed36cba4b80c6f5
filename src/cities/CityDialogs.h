// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the three city dialogs share: their header, tables and size.

#include <QString>
#include <span>

#include "widgets/ToolDialogHeader.h"

class QAbstractItemModel;
class QDialog;
class QTableView;

namespace wc {

// The window title and the common header with its heading, named as the
// dialog names it; the header goes on top of the dialog's layout.
ToolDialogHeader* DialogHeader(QDialog& dialog, const QString& title, const char* headingName);

// A report list (SetUpReportRows) of the model, with the given column widths
// and the last column taking the rest.
void SetUpListTable(QTableView& view, QAbstractItemModel* model, std::span<const int> columnWidths);

// The designed client size, made smaller where the screen is (a large scale
// factor on a small screen), never below what the layout needs; the dialog
// can be made larger.
void SizeDialog(QDialog& dialog, int width, int height);

}  // namespace wc
