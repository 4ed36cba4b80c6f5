#include "tools/Calendar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/DateTime.h"
#include "core/SettingsTable.h"
#include "tools/CalendarLayout.h"

namespace wc {

namespace {

constexpr int kClientWidth = 643;
constexpr int kClientHeight = 522;
constexpr int kHeaderHeight = 46;
constexpr int kSurfaceWidth = 642;
constexpr int kSurfaceHeight = 438;

// The drawing's fonts in pixels: 12 and 9 points on the 96-dpi screen the
// layout was measured on, so that the text keeps to its grid at any dpi.
QFont CalendarFont(int pixels, bool bold) {
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

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

TCalendarSurface::TCalendarSurface(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PaintBox1"));
  setFixedSize(kSurfaceWidth, kSurfaceHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);
  const QLocale locale;
  for (int m = 1; m <= 12; ++m)
    monthNames_[static_cast<std::size_t>(m - 1)] = locale.standaloneMonthName(m, QLocale::LongFormat);
  for (int d = 0; d < 7; ++d) {
    const int qtDay = d == 0 ? 7 : d;  // the toolkit counts from Monday
    dayHeaders_[static_cast<std::size_t>(d)] = QString::fromStdString(
        WeekdayHeader(locale.standaloneDayName(qtDay, QLocale::ShortFormat).toStdString()));
  }
}

void TCalendarSurface::setYear(int year, std::optional<std::chrono::sys_days> today) {
  year_ = year;
  today_ = today;
  setAccessibleName(QStringLiteral("Calendar of %1").arg(year));
  update();
}

void TCalendarSurface::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  const QFont nameFont = CalendarFont(16, true);
  const QFont headerFont = CalendarFont(12, true);
  const QFont dayFont = CalendarFont(12, false);
  const QFont todayFont = CalendarFont(12, true);
  const QColor nameColour(170, 165, 216);
  const int lineHeight = QFontMetrics(dayFont).height();
  const CalendarGeometry g;
  // Wide enough for any two-digit day or weekday, centred on its column.
  const int half = g.cellWidth();
  for (int m = 1; m <= 12; ++m) {
    const MonthLayout month = LayoutMonth(year_, m, today_, g);
    p.setFont(nameFont);
    p.setPen(nameColour);
    p.drawText(QRect(month.nameLeft, month.nameTop, g.boxWidth, QFontMetrics(nameFont).height()),
               Qt::AlignLeft | Qt::AlignTop, monthName(m));
    p.setFont(headerFont);
    p.setPen(Qt::black);
    for (std::size_t i = 0; i < 7; ++i)
      p.drawText(QRect(month.headerCentreX[i] - half, month.headerTop, 2 * half, lineHeight),
                 Qt::AlignHCenter | Qt::AlignTop, dayHeader(static_cast<int>(i)));
    p.setFont(dayFont);
    for (const CalendarDay& d : month.days) {
      if (d.today) {
        p.setFont(todayFont);
        p.setPen(QColor(255, 0, 0));
      }
      p.drawText(QRect(d.centreX - half, d.top, 2 * half, lineHeight), Qt::AlignHCenter | Qt::AlignTop,
                 QString::number(d.day));
      if (d.today) {
        p.setFont(dayFont);
        p.setPen(Qt::black);
      }
    }
  }
}

TWCCalendar::TWCCalendar(QWidget* owner)
    : TToolWindow(owner, QStringLiteral("TWCCalendar"), kCalendarWindowPosition) {
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
  connect(btnLeft, &QToolButton::clicked, this, &TWCCalendar::LeftBtnClick);
  connect(btnRight, &QToolButton::clicked, this, &TWCCalendar::RightbtnClick);

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

  PaintBox1 = new TCalendarSurface(this);

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

void TWCCalendar::FormShow() {
  // Today is fixed for as long as the window is open.
  today_ = DateOf(LocalNow());
  year_ = static_cast<int>(std::chrono::year_month_day{*today_}.year());
  RefreshCal();
  lbYear->setFocus();
  lbYear->selectAll();
}

void TWCCalendar::LeftBtnClick() { stepYear(-1); }
void TWCCalendar::RightbtnClick() { stepYear(+1); }

void TWCCalendar::stepYear(int delta) {
  if (!IsCalendarYear(year_ + delta)) {
    refuseYear();
    return;
  }
  year_ += delta;
  RefreshCal();
}

void TWCCalendar::lbYearKeyUp() {
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

void TWCCalendar::refuseYear() {
  QMessageBox::information(this, QStringLiteral("Information"),
                           QStringLiteral("The calendar shows the years %1 to %2.")
                               .arg(kFirstCalendarYear)
                               .arg(kLastCalendarYear));
  RefreshCal();
}

void TWCCalendar::RefreshCal() {
  const QString text = QString::number(year_);
  if (lbYear->text() != text) lbYear->setText(text);
  PaintBox1->setYear(year_, today_);
}

bool TWCCalendar::eventFilter(QObject* watched, QEvent* e) {
  if (watched == lbYear && e->type() == QEvent::KeyRelease) lbYearKeyUp();
  return TToolWindow::eventFilter(watched, e);
}

void TWCCalendar::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_PageUp || e->key() == Qt::Key_PageDown) {
    stepYear(e->key() == Qt::Key_PageUp ? -1 : +1);
    return;
  }
  TToolWindow::keyPressEvent(e);
}

}  // namespace wc
