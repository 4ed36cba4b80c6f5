// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/CalendarWindow.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtMath>
#include <algorithm>

#include "core/DateTime.h"
#include "core/SettingsTable.h"
#include "tools/CalendarLayout.h"
#include "tools/CalendarSurface.h"

namespace wc {

namespace {

constexpr int kClientWidth = 643;
constexpr int kClientHeight = 522;
constexpr int kHeaderHeight = 46;
constexpr int kSurfaceWidth = CalendarSurface::kDesignWidth;
constexpr int kSurfaceHeight = CalendarSurface::kDesignHeight;

// The year buttons' pictures: a chevron in a disc, drawn so that they are
// sharp at every scale.
QIcon YearArrow(bool left) {
  QIcon icon;
  for (const int size : {20, 40}) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    QLinearGradient disc(0, 0, 0, s);
    disc.setColorAt(0, QColor(0x7d, 0xa7, 0xe0));
    disc.setColorAt(1, QColor(0x2f, 0x62, 0xb0));
    p.setPen(QPen(QColor(0x24, 0x4c, 0x8c), s / 20));
    p.setBrush(disc);
    p.drawEllipse(QRectF(s * 0.05, s * 0.05, s * 0.9, s * 0.9));
    QPainterPath chevron;
    const qreal dir = left ? -1 : 1;
    chevron.moveTo(s / 2 - dir * s * 0.1, s * 0.28);
    chevron.lineTo(s / 2 + dir * s * 0.14, s * 0.5);
    chevron.lineTo(s / 2 - dir * s * 0.1, s * 0.72);
    p.setPen(QPen(Qt::white, s * 0.12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(chevron);
    p.end();
    icon.addPixmap(pm);
  }
  return icon;
}

}  // namespace

CalendarWindow::CalendarWindow(QWidget* owner)
    : ToolWindow(owner, QStringLiteral("TWCCalendar"), kCalendarWindowPosition) {
  setWindowTitle(QStringLiteral("Calendar - Year at a glance"));
  setFont(CalendarFont(11, false));
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);

  pnlTop = new QWidget(this);
  pnlTop->setObjectName(QStringLiteral("pnlTop"));
  pnlTop->setFixedHeight(kHeaderHeight);
  btnLeft = new QToolButton(pnlTop);
  btnLeft->setObjectName(QStringLiteral("btnLeft"));
  btnRight = new QToolButton(pnlTop);
  btnRight->setObjectName(QStringLiteral("btnRight"));
  for (auto [button, left] : {std::pair{btnLeft, true}, std::pair{btnRight, false}}) {
    button->setAutoRaise(true);
    button->setIcon(YearArrow(left));
    button->setIconSize(QSize(20, 20));
    button->setFocusPolicy(Qt::StrongFocus);
    button->setToolTip(left ? QStringLiteral("Previous year (Page Up)")
                            : QStringLiteral("Next year (Page Down)"));
    button->setAccessibleName(left ? QStringLiteral("Previous year") : QStringLiteral("Next year"));
  }
  connect(btnLeft, &QToolButton::clicked, this, &CalendarWindow::LeftBtnClick);
  connect(btnRight, &QToolButton::clicked, this, &CalendarWindow::RightbtnClick);

  lbYear = new QLineEdit(pnlTop);
  lbYear->setObjectName(QStringLiteral("lbYear"));
  lbYear->setAccessibleName(QStringLiteral("Year"));
  lbYear->setMaxLength(4);
  lbYear->setFixedWidth(57);
  lbYear->setAlignment(Qt::AlignCenter);
  lbYear->setFont(CalendarFont(21, true));
  QPalette box = lbYear->palette();
  box.setColor(QPalette::Base, Qt::white);
  box.setColor(QPalette::Text, Qt::black);
  lbYear->setPalette(box);
  // Digits only: no letter, sign or blank reaches the box, typed or pasted.
  lbYear->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), lbYear));
  lbYear->installEventFilter(this);

  auto* top = new QHBoxLayout(pnlTop);
  top->setContentsMargins(8, 4, 8, 4);
  top->setSpacing(6);
  top->addStretch(1);
  top->addWidget(btnLeft);
  top->addWidget(lbYear);
  top->addWidget(btnRight);
  top->addStretch(1);

  PaintBox1 = new CalendarSurface(this);

  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(0, 0, 0, 0);
  root->setSpacing(0);
  root->addWidget(pnlTop);
  root->addWidget(PaintBox1, 0, Qt::AlignLeft);
  root->addStretch(1);
  auto* bottom = new QVBoxLayout;
  bottom->setContentsMargins(8, 0, 10, 8);
  root->addLayout(bottom);
  btnCancel = addCloseRow(bottom, "btnCancel");

  setTabOrder(btnLeft, lbYear);
  setTabOrder(lbYear, btnRight);
  setTabOrder(btnRight, btnCancel);

  fixClientSize(QSize(kClientWidth, kClientHeight));
}

void CalendarWindow::fitInto(QSize room) {
  // The heading and the Close row keep their size; only the months shrink,
  // and no further than text stays readable.
  constexpr qreal kSmallest = 0.6;
  const qreal byHeight = qreal(room.height() - (kClientHeight - kSurfaceHeight)) / kSurfaceHeight;
  const qreal byWidth = qreal(room.width() - (kClientWidth - kSurfaceWidth)) / kSurfaceWidth;
  const qreal scale = std::clamp(std::min(byHeight, byWidth), kSmallest, 1.0);
  PaintBox1->setScale(scale);
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  fixClientSize(QSize(kClientWidth - kSurfaceWidth + PaintBox1->width(),
                      kClientHeight - kSurfaceHeight + PaintBox1->height()));
}

void CalendarWindow::FormShow() {
  // The frame the window manager gives the owner is the one this window gets.
  const QScreen* screen = owner() ? owner()->screen() : QGuiApplication::primaryScreen();
  if (screen) {
    const QSize frame =
        owner() && owner()->isVisible() ? owner()->frameGeometry().size() - owner()->size() : QSize(0, 0);
    fitInto(screen->availableGeometry().size() - frame);
  }

  // Today is fixed for as long as the window is open.
  today_ = DateOf(LocalNow());
  year_ = static_cast<int>(std::chrono::year_month_day{*today_}.year());
  RefreshCal();
  lbYear->setFocus();
  lbYear->selectAll();
}

void CalendarWindow::LeftBtnClick() { stepYear(-1); }
void CalendarWindow::RightbtnClick() { stepYear(+1); }

void CalendarWindow::stepYear(int delta) {
  if (!IsCalendarYear(year_ + delta)) {
    refuseYear();
    return;
  }
  year_ += delta;
  RefreshCal();
}

void CalendarWindow::lbYearKeyUp() {
  const YearEntry entry = ReadYearText(lbYear->text().toStdString());
  switch (entry.kind) {
    case YearEntry::Kind::Keep:
      return;
    case YearEntry::Kind::OutOfRange:
      refuseYear();
      return;
    case YearEntry::Kind::Year:
      year_ = entry.year;
      RefreshCal();
      return;
  }
}

void CalendarWindow::refuseYear() {
  QMessageBox::information(this, QStringLiteral("Information"),
                           QStringLiteral("The calendar shows the years %1 to %2.")
                               .arg(kFirstCalendarYear)
                               .arg(kLastCalendarYear));
  RefreshCal();
}

void CalendarWindow::RefreshCal() {
  const QString text = QString::number(year_);
  if (lbYear->text() != text) lbYear->setText(text);
  PaintBox1->setYear(year_, today_);
}

bool CalendarWindow::eventFilter(QObject* watched, QEvent* e) {
  if (watched == lbYear && e->type() == QEvent::KeyRelease) lbYearKeyUp();
  return ToolWindow::eventFilter(watched, e);
}

void CalendarWindow::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_PageUp || e->key() == Qt::Key_PageDown) {
    stepYear(e->key() == Qt::Key_PageUp ? -1 : +1);
    return;
  }
  ToolWindow::keyPressEvent(e);
}

}  // namespace wc
