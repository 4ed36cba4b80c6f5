// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/DialCodesWindow.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "core/SettingsTable.h"
#include "widgets/ToolDialogHeader.h"

namespace wc {

// The rows as the list shows them; it reads them where they are, so that
// thousands of rows cost no copies.
class DialCodeTableModel : public QAbstractTableModel {
 public:
  DialCodeTableModel(const std::vector<DialCodeRow>& rows, QObject* parent)
      : QAbstractTableModel(parent), rows_(rows) {}

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
  }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 2; }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    const DialCodeRow& r = rows_[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
      return QString::fromStdString(index.column() == 0 ? r.country : r.code);
    if (role == Qt::TextAlignmentRole && index.column() == 1)
      return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    return {};
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal) return {};
    // Both captions centred, as the header centres them: at the right the
    // sort mark would cover the end of "Code".
    if (role == Qt::DisplayRole) return section == 0 ? QStringLiteral("Country") : QStringLiteral("Code");
    return {};
  }

  void sorted() {
    beginResetModel();
    endResetModel();
  }

 private:
  const std::vector<DialCodeRow>& rows_;
};

DialCodesWindow::DialCodesWindow(QWidget* owner)
    : ToolWindow(owner, QStringLiteral("TWCDialCodes"), kDialcodesWindowPosition),
      rows_(DialCodeRows(ReadDialCodeLines(DialCodesPath()).lines)) {
  setWindowTitle(QString());

  auto* header = new ToolDialogHeader(QStringLiteral("International Dial Codes"), this);
  Label1 = header->headingLabel();
  Label1->setObjectName(QStringLiteral("Label1"));

  model_ = new DialCodeTableModel(rows_, this);
  lvDialCodes = new QTableView(this);
  lvDialCodes->setObjectName(QStringLiteral("lvDialCodes"));
  lvDialCodes->setAccessibleName(QStringLiteral("International dial codes"));
  lvDialCodes->setModel(model_);
  SetUpReportRows(*lvDialCodes);
  lvDialCodes->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QPalette white = lvDialCodes->palette();
  white.setColor(QPalette::Base, Qt::white);
  white.setColor(QPalette::Text, Qt::black);
  lvDialCodes->setPalette(white);
  QHeaderView* columns = lvDialCodes->horizontalHeader();
  columns->setSectionsClickable(true);
  columns->setSortIndicatorShown(false);
  columns->setHighlightSections(false);
  columns->setSectionResizeMode(QHeaderView::Fixed);
  columns->resizeSection(0, 200);
  columns->resizeSection(1, 80);
  connect(columns, &QHeaderView::sectionClicked, this, &DialCodesWindow::lvDialCodesColumnClick);

  QVBoxLayout* body = LayOutUnderHeader(*this, header);
  body->setSpacing(8);
  body->addWidget(lvDialCodes, 1);
  btnClose = addCloseRow(body, "btnClose");
  setTabOrder(lvDialCodes, btnClose);

  fixClientSize(QSize(399, 298));
}

void DialCodesWindow::showEvent(QShowEvent* e) {
  ToolWindow::showEvent(e);
  // Rows a little taller rather than a half row cut off at the bottom.
  const int space = lvDialCodes->viewport()->height();
  const int natural = ReportRowHeight(lvDialCodes->fontMetrics());
  const int rows = std::max(1, space / natural);
  lvDialCodes->verticalHeader()->setDefaultSectionSize(space / rows);
}

void DialCodesWindow::lvDialCodesColumnClick(int column) {
  sort_.columnClick(rows_, column == 0 ? DialCodeColumn::Country : DialCodeColumn::Code);
  model_->sorted();
  QHeaderView* columns = lvDialCodes->horizontalHeader();
  columns->setSortIndicatorShown(true);
  columns->setSortIndicator(column, sort_.descending() ? Qt::DescendingOrder : Qt::AscendingOrder);
}

}  // namespace wc
