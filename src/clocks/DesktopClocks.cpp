// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DesktopClocks.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "clocks/AnalogClockWindow.h"
#include "clocks/ClockTheme.h"
#include "clocks/DigitalClockWindow.h"
#include "core/Paths.h"
#include "core/ScreenPlace.h"
#include "core/Settings.h"
#include "platform/Compositor.h"

namespace wc {

DesktopClocks::DesktopClocks(QObject* parent, std::string dataFolder, bool composited)
    : QObject(parent),
      aFile_(dataFolder + "aclocks.dat"),
      dFile_(dataFolder + "dclocks.dat"),
      composited_(composited) {
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
  auto bring = [&](DesktopClockWindow* w) {
    const std::optional<ScreenRect> to = BroughtOnScreen(RectOf(w->geometry()), areas);
    if (!to) return false;
    w->move(to->left, to->top);
    w->notePlace();
    return true;
  };
  bool movedA = false, movedD = false;
  for (AnalogClockWindow* w : analog_) movedA |= bring(w);
  for (DigitalClockWindow* w : digital_) movedD |= bring(w);
  if (movedA) aclocksChanged();
  if (movedD) dclocksChanged();
}

void DesktopClocks::placeNew(QWidget* w, QSize size) const {
  std::vector<ScreenRect> others;
  for (const AnalogClockWindow* o : analog_)
    if (o != w) others.push_back(RectOf(o->geometry()));
  for (const DigitalClockWindow* o : digital_)
    if (o != w) others.push_back(RectOf(o->geometry()));
  const QRect designed(w->pos(), size);
  const QScreen* screen = QGuiApplication::screenAt(designed.topLeft());
  if (!screen) screen = QGuiApplication::primaryScreen();
  const ScreenRect area = screen ? RectOf(screen->availableGeometry()) : RectOf(designed);
  const ScreenRect at = FreePlace(RectOf(designed), others, area);
  w->move(at.left, at.top);
}

void DesktopClocks::setComposited(bool composited) {
  composited_ = composited;
  for (AnalogClockWindow* w : analog_) w->setTranslucent(composited);
  for (DigitalClockWindow* w : digital_) w->setTranslucent(composited);
}

DesktopClocks::~DesktopClocks() {
  // The windows have no owner: they go with their lists.
  for (AnalogClockWindow* w : analog_) delete w;
  for (DigitalClockWindow* w : digital_) delete w;
}

namespace {

template <class Windows>
auto Records(const Windows& windows) {
  std::vector<std::decay_t<decltype(windows.front()->record())>> out;
  out.reserve(windows.size());
  for (const auto* w : windows) {
    out.push_back(w->record());
    out.back().x = w->x();
    out.back().y = w->y();
  }
  return out;
}

template <class Windows, class Window>
bool Remove(Windows& windows, const Window* w) {
  const auto it = std::find(windows.begin(), windows.end(), w);
  if (it == windows.end()) return false;
  windows.erase(it);
  return true;
}

template <class Windows>
void SetVisible(const Windows& windows, bool visible) {
  for (auto* w : windows) w->setVisible(visible);
}

}  // namespace

AClockList DesktopClocks::aclocks() const { return Records(analog_); }
DClockList DesktopClocks::dclocks() const { return Records(digital_); }

AnalogClockWindow* DesktopClocks::newAnalogWindow(AClockInfo record) {
  return new AnalogClockWindow(*this, std::move(record));
}
DigitalClockWindow* DesktopClocks::newDigitalWindow(DClockInfo record) {
  return new DigitalClockWindow(*this, std::move(record));
}

void DesktopClocks::LoadAClockList(std::string_view decimalSeparator) {
  AClockList list;
  const ClockFileResult r = ReadAClockList(aclocksPath(), decimalSeparator, list);
  // A damaged list goes back to its file, with fewer clocks, only once told.
  aFile_.setCanSave(r.canSave && r.error.empty());
  for (AClockInfo& c : list) {
    c.ThemeFile = ResolveAClockThemeFile(c.ThemeFile, ProgramFolder());
    AnalogClockWindow* w = newAnalogWindow(std::move(c));
    setUpLoaded(w);
    analog_.push_back(w);
  }
  if (!r.error.empty()) emit problem(QString::fromStdString(r.error));
  aFile_.setCanSave(r.canSave);
}

void DesktopClocks::LoadDClockList(std::string_view decimalSeparator) {
  DClockList list;
  const ClockFileResult r = ReadDClockList(dclocksPath(), decimalSeparator, list);
  // A damaged list goes back to its file, with fewer clocks, only once told.
  dFile_.setCanSave(r.canSave && r.error.empty());
  for (DClockInfo& c : list) {
    c.ThemeFile = ResolveDClockThemeFile(c.ThemeFile, ProgramFolder());
    DigitalClockWindow* w = newDigitalWindow(std::move(c));
    setUpLoaded(w);
    digital_.push_back(w);
  }
  if (!r.error.empty()) emit problem(QString::fromStdString(r.error));
  dFile_.setCanSave(r.canSave);
}

void DesktopClocks::setUpLoaded(AnalogClockWindow* w) {
  const AClockInfo& r = w->record();
  w->showRecord();
  w->miAlwaysOnTop->setChecked(r.AlwaysTop);
  w->move(r.x, r.y);
  w->setAlwaysOnTop(r.AlwaysTop);
  w->setAlpha(r.AlphaValue);
  w->checkOpacityItem(r.AlphaValue);
  w->SetClockData();
  w->SetTheme();
  w->StartClock = true;
  w->notePlace();
  connect(w, &DesktopClockWindow::moved, this, &DesktopClocks::aclocksChanged);
}

void DesktopClocks::setUpLoaded(DigitalClockWindow* w) {
  const DClockInfo& r = w->record();
  w->showRecord();
  w->setAlwaysOnTop(r.AlwaysTop);
  w->miAlwaysOnTop->setChecked(r.AlwaysTop);
  w->move(r.x, r.y);
  w->setAlphaValue(r.AlphaValue);
  w->checkOpacityItem(r.AlphaValue);
  w->notePlace();
  connect(w, &DesktopClockWindow::moved, this, &DesktopClocks::dclocksChanged);
}

void DesktopClocks::ShowAClocks(int show) {
  if (analog_.empty()) return;
  if (show == 1)
    ShowAnaClocks();
  else
    bringClocksOnScreen();
  setAnalogHidden(show != 1);
}

void DesktopClocks::ShowDClocks(int show) {
  if (digital_.empty()) return;
  if (show == 1)
    ShowDigClocks();
  else
    bringClocksOnScreen();
  setDigitalHidden(show != 1);
}

bool DesktopClocks::save(ClockListFile& file, const std::string& text) {
  const ClockListFile::SaveResult r = file.save(text);
  if (r.tell) emit problem(QString::fromStdString(*r.tell));
  return r.ok;
}

bool DesktopClocks::SaveAClockList() { return save(aFile_, AClockListText(aclocks())); }

bool DesktopClocks::SaveDClockList() { return save(dFile_, DClockListText(dclocks())); }

void DesktopClocks::aclocksChanged() { SaveAClockList(); }
void DesktopClocks::dclocksChanged() { SaveDClockList(); }

void DesktopClocks::removeAClock(const AnalogClockWindow* w) {
  if (Remove(analog_, w)) aclocksChanged();
}

void DesktopClocks::removeDClock(const DigitalClockWindow* w) {
  if (Remove(digital_, w)) dclocksChanged();
}

void DesktopClocks::addAClock(AnalogClockWindow* w) {
  connect(w, &DesktopClockWindow::moved, this, &DesktopClocks::aclocksChanged);
  analog_.push_back(w);
  aclocksChanged();
}

void DesktopClocks::addDClock(DigitalClockWindow* w) {
  connect(w, &DesktopClockWindow::moved, this, &DesktopClocks::dclocksChanged);
  digital_.push_back(w);
  dclocksChanged();
}

void DesktopClocks::setAnalogHidden(bool hidden) {
  aHidden_ = hidden;
  emit hiddenChanged();
}

void DesktopClocks::setDigitalHidden(bool hidden) {
  dHidden_ = hidden;
  emit hiddenChanged();
}

void DesktopClocks::HideAllAnalogClocks1Click() { hideOrShowAll(true); }
void DesktopClocks::HideAllDigitalClocks2Click() { hideOrShowAll(false); }

void DesktopClocks::hideOrShowAll(bool analog) {
  if (analog ? analog_.empty() : digital_.empty()) {
    emit hiddenChanged();  // a click on a checkable entry flipped its mark
    QMessageBox::information(nullptr, QStringLiteral("Information"),
                             QStringLiteral("Please add at least one %1 clock on the desktop first !")
                                 .arg(analog ? QStringLiteral("analog") : QStringLiteral("digital")));
    return;
  }
  const bool show = analog ? aHidden_ : dHidden_;
  if (analog) {
    setAnalogHidden(!show);
    show ? ShowAnaClocks() : HideAClocks();
  } else {
    setDigitalHidden(!show);
    show ? ShowDigClocks() : HideDClocks();
  }
  WriteIntegerSetting(kSettingsKey, analog ? kShowAClocks : kShowDClocks, show ? 1 : 0);
}

void DesktopClocks::ShowAnaClocks() {
  bringClocksOnScreen();
  SetVisible(analog_, true);
}
void DesktopClocks::HideAClocks() { SetVisible(analog_, false); }
void DesktopClocks::ShowDigClocks() {
  bringClocksOnScreen();
  SetVisible(digital_, true);
}
void DesktopClocks::HideDClocks() { SetVisible(digital_, false); }

}  // namespace wc
