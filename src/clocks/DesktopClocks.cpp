// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DesktopClocks.h"

#include <QAction>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <vector>

#include "clocks/AnalogClockWindow.h"
#include "clocks/ClockFace.h"
#include "clocks/ClockTheme.h"
#include "clocks/DigitalClockWindow.h"
#include "core/Paths.h"
#include "core/ScreenPlace.h"
#include "core/Settings.h"
#include "platform/Compositor.h"

namespace wc {

DesktopClocks::DesktopClocks(QObject* parent, std::string dataFolder, bool composited)
    : QObject(parent), dataFolder_(std::move(dataFolder)), composited_(composited) {
  setObjectName(QStringLiteral("DesktopClocks"));
  auto* watch = new CompositorWatch(this);
  connect(watch, &CompositorWatch::changed, this, &DesktopClocks::setComposited);
  followScreens();
}

namespace {

ScreenRect RectOf(const QRect& r) { return {r.left(), r.top(), r.width(), r.height()}; }

std::vector<ScreenRect> WorkAreas() {
  std::vector<ScreenRect> areas;
  for (const QScreen* s : QGuiApplication::screens()) areas.push_back(RectOf(s->availableGeometry()));
  return areas;
}

}  // namespace

void DesktopClocks::followScreens() {
  // A monitor unplugged or resized comes as several changes in a row; the
  // clocks move once they are over.
  screensSettle_ = new QTimer(this);
  screensSettle_->setSingleShot(true);
  screensSettle_->setInterval(200);
  connect(screensSettle_, &QTimer::timeout, this, &DesktopClocks::bringClocksOnScreen);
  auto watchScreen = [this](QScreen* s) {
    connect(s, &QScreen::availableGeometryChanged, screensSettle_, qOverload<>(&QTimer::start));
  };
  for (QScreen* s : QGuiApplication::screens()) watchScreen(s);
  connect(qGuiApp, &QGuiApplication::screenAdded, this, [this, watchScreen](QScreen* s) {
    watchScreen(s);
    screensSettle_->start();
  });
  connect(qGuiApp, &QGuiApplication::screenRemoved, screensSettle_, qOverload<>(&QTimer::start));
}

void DesktopClocks::bringClocksOnScreen() {
  const std::vector<ScreenRect> areas = WorkAreas();
  auto bring = [&](QWidget* w) {
    if (!w) return false;
    const std::optional<ScreenRect> to = BroughtOnScreen(RectOf(w->geometry()), areas);
    if (!to) return false;
    w->move(to->left, to->top);
    if (auto* c = qobject_cast<DesktopClockWindow*>(w)) c->notePlace();
    return true;
  };
  bool movedA = false, movedD = false;
  for (const AClockInfo& r : aclocks) movedA |= bring(windowOf(r));
  for (const DClockInfo& r : dclocks) movedD |= bring(windowOf(r));
  if (movedA) aclocksChanged();
  if (movedD) dclocksChanged();
}

void DesktopClocks::placeNew(QWidget* w, QSize size) const {
  std::vector<ScreenRect> others;
  for (const AClockInfo& r : aclocks)
    if (const QWidget* o = windowOf(r); o && o != w) others.push_back(RectOf(o->geometry()));
  for (const DClockInfo& r : dclocks)
    if (const QWidget* o = windowOf(r); o && o != w) others.push_back(RectOf(o->geometry()));
  const QRect designed(w->pos(), size);
  const QScreen* screen = QGuiApplication::screenAt(designed.topLeft());
  if (!screen) screen = QGuiApplication::primaryScreen();
  const ScreenRect area = screen ? RectOf(screen->availableGeometry()) : RectOf(designed);
  const ScreenRect at = FreePlace(RectOf(designed), others, area);
  w->move(at.left, at.top);
}

void DesktopClocks::setComposited(bool composited) {
  composited_ = composited;
  for (const AClockInfo& r : aclocks)
    if (auto* w = windowOf(r)) w->setTranslucent(composited);
  for (const DClockInfo& r : dclocks)
    if (auto* w = windowOf(r)) w->setTranslucent(composited);
}

DesktopClocks::~DesktopClocks() {
  // The windows have no owner: they go with their lists.
  for (AClockInfo& r : aclocks) delete windowOf(r);
  for (DClockInfo& r : dclocks) delete windowOf(r);
}

AnalogClockWindow* DesktopClocks::windowOf(const AClockInfo& r) const {
  return static_cast<AnalogClockWindow*>(r.frmsrc);
}
DigitalClockWindow* DesktopClocks::windowOf(const DClockInfo& r) const {
  return static_cast<DigitalClockWindow*>(r.frmsrc);
}

AnalogClockWindow* DesktopClocks::newAnalogWindow() { return new AnalogClockWindow(this, composited_); }
DigitalClockWindow* DesktopClocks::newDigitalWindow() { return new DigitalClockWindow(this, composited_); }

namespace {

void ReportLoad(DesktopClocks& lists, const ClockFileResult& r) {
  if (!r.error.empty()) emit lists.problem(QString::fromStdString(r.error));
}

}  // namespace

void DesktopClocks::LoadAClockList(std::string_view decimalSeparator) {
  const ClockFileResult r = ReadAClockList(aclocksPath(), decimalSeparator, aclocks);
  // A damaged list goes back to its file, with fewer clocks, only once told.
  aCanSave_ = r.canSave && r.error.empty();
  for (AClockInfo& c : aclocks) c.ThemeFile = ResolveAClockThemeFile(c.ThemeFile, ProgramFolder());
  ReportLoad(*this, r);
  aCanSave_ = r.canSave;
}

void DesktopClocks::LoadDClockList(std::string_view decimalSeparator) {
  const ClockFileResult r = ReadDClockList(dclocksPath(), decimalSeparator, dclocks);
  // A damaged list goes back to its file, with fewer clocks, only once told.
  dCanSave_ = r.canSave && r.error.empty();
  for (DClockInfo& c : dclocks) c.ThemeFile = ResolveDClockThemeFile(c.ThemeFile, ProgramFolder());
  ReportLoad(*this, r);
  dCanSave_ = r.canSave;
}

void DesktopClocks::ShowAClocks(int show) {
  if (aclocks.empty()) return;
  for (AClockInfo& r : aclocks) {
    AnalogClockWindow* w = newAnalogWindow();
    w->assign(r);
    w->miAlwaysOnTop->setChecked(r.AlwaysTop);
    w->move(r.x, r.y);
    w->setAlwaysOnTop(r.AlwaysTop);
    w->setAlpha(r.AlphaValue);
    w->checkOpacityItem(r.AlphaValue);
    r.frmsrc = w;
    w->SetClockData();
    w->SetTheme();
    w->StartClock = true;
    w->notePlace();
    if (show == 1) w->show();
    connect(w, &DesktopClockWindow::moved, this, &DesktopClocks::aclocksChanged);
  }
  setAnalogMarks(show != 1);
  bringClocksOnScreen();
}

void DesktopClocks::ShowDClocks(int show) {
  if (dclocks.empty()) return;
  for (DClockInfo& r : dclocks) {
    DigitalClockWindow* w = newDigitalWindow();
    w->assign(r);
    w->setAlwaysOnTop(r.AlwaysTop);
    w->miAlwaysOnTop->setChecked(r.AlwaysTop);
    w->move(r.x, r.y);
    w->setAlphaValue(r.AlphaValue);
    w->checkOpacityItem(r.AlphaValue);
    r.frmsrc = w;
    w->notePlace();
    if (show == 1) w->show();
    connect(w, &DesktopClockWindow::moved, this, &DesktopClocks::dclocksChanged);
  }
  setDigitalMarks(show != 1);
  bringClocksOnScreen();
}

bool DesktopClocks::save(const std::string& path, const std::string& text, bool& canSave, bool& failing) {
  if (!canSave) return false;  // the file on disk could not be read: it is not replaced
  const FileResult r = WriteFileAtomically(path, text);
  if (r) {
    failing = false;
    return true;
  }
  // Said once, not on every change while the folder stays unwritable.
  if (!failing) emit problem(QString::fromStdString(r.error));
  failing = true;
  return false;
}

bool DesktopClocks::SaveAClockList() {
  return save(aclocksPath(), AClockListText(aclocks), aCanSave_, aFailing_);
}

bool DesktopClocks::SaveDClockList() {
  return save(dclocksPath(), DClockListText(dclocks), dCanSave_, dFailing_);
}

void DesktopClocks::aclocksChanged() { SaveAClockList(); }
void DesktopClocks::dclocksChanged() { SaveDClockList(); }

namespace {

template <class List, class Window>
auto* RecordOf(List& list, const Window* w) {
  for (auto& r : list) {
    if (r.frmsrc == static_cast<const ClockWindowLink*>(w)) return &r;
  }
  return static_cast<typename List::value_type*>(nullptr);
}

template <class List, class Window>
bool Remove(List& list, const Window* w) {
  auto* r = RecordOf(list, w);
  if (!r) return false;
  list.erase(list.begin() + (r - list.data()));
  return true;
}

}  // namespace

AClockInfo* DesktopClocks::recordOf(const AnalogClockWindow* w) { return RecordOf(aclocks, w); }
DClockInfo* DesktopClocks::recordOf(const DigitalClockWindow* w) { return RecordOf(dclocks, w); }

void DesktopClocks::removeAClock(const AnalogClockWindow* w) {
  if (Remove(aclocks, w)) aclocksChanged();
}

void DesktopClocks::removeDClock(const DigitalClockWindow* w) {
  if (Remove(dclocks, w)) dclocksChanged();
}

void DesktopClocks::addAClock(AClockInfo record) {
  if (auto* w = windowOf(record))
    connect(w, &DesktopClockWindow::moved, this, &DesktopClocks::aclocksChanged);
  aclocks.push_back(std::move(record));
  aclocksChanged();
}

void DesktopClocks::addDClock(DClockInfo record) {
  if (auto* w = windowOf(record))
    connect(w, &DesktopClockWindow::moved, this, &DesktopClocks::dclocksChanged);
  dclocks.push_back(std::move(record));
  dclocksChanged();
}

void DesktopClocks::setHideAllItems(QAction* analog1, QAction* analog2, QAction* digital1,
                                    QAction* digital2) {
  hideA1_ = analog1;
  hideA2_ = analog2;
  hideD1_ = digital1;
  hideD2_ = digital2;
  for (QAction* a : {analog1, analog2, digital1, digital2}) {
    if (a) a->setCheckable(true);
  }
  setAnalogMarks(aHidden_);
  setDigitalMarks(dHidden_);
}

void DesktopClocks::setAnalogMarks(bool hidden) {
  aHidden_ = hidden;
  for (QAction* a : {hideA1_.data(), hideA2_.data()}) {
    if (a) a->setChecked(hidden);
  }
}

void DesktopClocks::setDigitalMarks(bool hidden) {
  dHidden_ = hidden;
  for (QAction* a : {hideD1_.data(), hideD2_.data()}) {
    if (a) a->setChecked(hidden);
  }
}

void DesktopClocks::HideAllAnalogClocks1Click() { hideOrShowAll(true); }
void DesktopClocks::HideAllDigitalClocks2Click() { hideOrShowAll(false); }

void DesktopClocks::hideOrShowAll(bool analog) {
  bool& hidden = analog ? aHidden_ : dHidden_;
  auto marks = [&](bool h) { analog ? setAnalogMarks(h) : setDigitalMarks(h); };
  if (analog ? aclocks.empty() : dclocks.empty()) {
    marks(hidden);  // a click on a checkable item flipped its mark
    QMessageBox::information(nullptr, QStringLiteral("Information"),
                             QStringLiteral("Please add at least one %1 clock on the desktop first !")
                                 .arg(analog ? QStringLiteral("analog") : QStringLiteral("digital")));
    return;
  }
  const bool show = hidden;
  marks(!show);
  if (analog)
    show ? ShowAnaClocks() : HideAClocks();
  else
    show ? ShowDigClocks() : HideDClocks();
  WriteIntegerSetting(kSettingsKey, analog ? kShowAClocks : kShowDClocks, show ? 1 : 0);
}

namespace {

template <class Lists, class List>
void SetVisible(const Lists& lists, const List& list, bool visible) {
  for (const auto& r : list) {
    if (auto* w = lists.windowOf(r)) w->setVisible(visible);
  }
}

}  // namespace

void DesktopClocks::ShowAnaClocks() {
  bringClocksOnScreen();
  SetVisible(*this, aclocks, true);
}
void DesktopClocks::HideAClocks() { SetVisible(*this, aclocks, false); }
void DesktopClocks::ShowDigClocks() {
  bringClocksOnScreen();
  SetVisible(*this, dclocks, true);
}
void DesktopClocks::HideDClocks() { SetVisible(*this, dclocks, false); }

}  // namespace wc
