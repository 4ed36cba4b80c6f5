#pragma once
// What the three city dialogs share: their tables and their size.

#include <QString>
#include <span>

class QAbstractItemModel;
class QDialog;
class QTableView;
class QWidget;

namespace wc {

template <class W>
W* Named(W* w, const char* name) {
  w->setObjectName(QString::fromLatin1(name));
  return w;
}

// The window title and the common header with its heading, named as the
// dialog names it; the header goes on top of the dialog's layout.
QWidget* DialogHeader(QDialog& dialog, const QString& title, const char* headingName);

// A read-only list table: whole rows selected one at a time, grid lines, no
// row numbers, rows of one fixed height (so that thousands of them cost
// nothing to lay out), the given column widths.
void SetUpListTable(QTableView& view, QAbstractItemModel* model, std::span<const int> columnWidths);

// The designed client size, made smaller where the screen is (a large scale
// factor on a small screen), never below what the layout needs; the dialog
// can be made larger.
void SizeDialog(QDialog& dialog, int width, int height);

}  // namespace wc
