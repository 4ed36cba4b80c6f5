// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Display: the window's map image. It shows the last drawn map and asks its
// owner for the hover hint, which follows the pointer every 500 ms while the
// hint is shown.

#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace wc {

class MapImage : public QWidget {
  Q_OBJECT
 public:
  explicit MapImage(QWidget* parent = nullptr);

  // The picture to draw into: the widget's size times the screen's device
  // pixel ratio, which the picture carries.
  QImage& picture() { return picture_; }
  void setMapSize(int width, int height);

  // The hint text for a point of the image; empty for none.
  void setHintProvider(std::function<QString(QPoint)> provider) { hint_ = std::move(provider); }
  void setHintsEnabled(bool on);
  bool hintsEnabled() const { return hintsOn_; }

  // The context menu on a right click, or none.
  void setPopupMenu(QMenu* menu) { popup_ = menu; }
  QMenu* popupMenu() const { return popup_; }

 signals:
  // The screen's scale differs from the picture's: set the size again and redraw.
  void scaleChanged();

 protected:
  void paintEvent(QPaintEvent*) override;
  bool event(QEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;

 private:
  void showHint(QPoint local, QPoint global);
  void followPointer();

  QImage picture_;
  std::function<QString(QPoint)> hint_;
  bool hintsOn_ = true;
  QTimer follow_;
  QPointer<QMenu> popup_;
};

}  // namespace wc
