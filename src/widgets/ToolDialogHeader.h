// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The header the program's tool dialogs share: a picture, a bold heading and
// a two-pixel separator below them.

#include <QWidget>

class QFontMetrics;
class QLabel;
class QTableView;
class QVBoxLayout;

namespace wc {

class ToolDialogHeader : public QWidget {
  Q_OBJECT
 public:
  ToolDialogHeader(const QString& heading, QWidget* parent = nullptr);
  QLabel* headingLabel() const { return heading_; }
  // Another dialog's own picture in place of the globe.
  void setPicture(const QPixmap& picture);

 private:
  QLabel* picture_;
  QLabel* heading_;
};

// Lays a dialog out as the tool dialogs are: the header across the top and,
// below it, the body returned, with the dialogs' margins.
QVBoxLayout* LayOutUnderHeader(QWidget& dialog, ToolDialogHeader* header);

// A widget named as the dialog's design names it, so that scripts and tests
// find it.
template <class W>
W* Named(W* w, const char* name) {
  w->setObjectName(QLatin1String(name));
  return w;
}

// A read-only report list: whole rows selected one at a time, grid lines, no
// row numbers, Tab leaving the list, and rows of one fixed height, so that
// thousands of them cost nothing to lay out.
void SetUpReportRows(QTableView& view);
int ReportRowHeight(const QFontMetrics& metrics);

// Moves a dialog so that it is centred over its owner (over the screen while
// the owner is hidden), kept whole on the owner's screen.
void CentreOverOwner(QWidget& dialog, const QWidget* owner);

// The picture of the options header: a small globe with clock hands, drawn
// rather than shipped so that it is sharp at every scale.
QPixmap OptionsHeaderPicture(int size, qreal devicePixelRatio);

}  // namespace wc
