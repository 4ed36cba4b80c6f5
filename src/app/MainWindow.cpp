// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>

#include "app/FontDialog.h"
#include "app/MainActions.h"
#include "app/MapImage.h"
#include "app/MenuRows.h"
#include "app/Routes.h"
#include "app/ToolIcons.h"
#include "app/Wallpaper.h"
#include "clocks/DesktopClocks.h"
#include "core/AtomicFile.h"
#include "core/CityTime.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/SettingsReader.h"
#include "options/OptionsDialog.h"
#include "platform/Compositor.h"
#include "platform/FontRecordQt.h"
#include "platform/HotKeyManager.h"
#include "platform/LocaleFormat.h"
#include "platform/ScreenSaver.h"
#include "platform/SettingsReads.h"
#include "platform/Shell.h"
#include "platform/SkinManager.h"

namespace wc {

namespace {

constexpr const char* kCaption = "Tavrel World Clock Pro";
// The tool-bar panel: icons only on narrow maps, captions under them once
// each of the nine buttons has room for its caption.
constexpr int kPanelHeightIcons = 42;
constexpr int kPanelHeightCaptions = 62;
constexpr int kCaptionsFromMapWidth = 1600;
constexpr int kStartMinimizedShowMs = 1000;

// Milliseconds to the next tick, which lands just after a whole second of
// the clock so that a late tick never skips one of the fixed seconds.
int MsToNextTick() {
  const DateTimeParts now = Decode(LocalNow());
  return 1000 - now.millisecond + 20;
}

MapFont ToMapFont(const ColouredFont& f) { return MapFont{f.font, f.color}; }

// The primary screen in device pixels, which the wallpaper covers.
QRect PrimaryScreenPixels() {
  const QScreen* s = QGuiApplication::primaryScreen();
  if (!s) return {};
  const qreal dpr = s->devicePixelRatio();
  const QRect g = s->geometry();
  return {qRound(g.x() * dpr), qRound(g.y() * dpr), qRound(g.width() * dpr), qRound(g.height() * dpr)};
}
int PrimaryWorkAreaPixels() {
  const QScreen* s = QGuiApplication::primaryScreen();
  return s ? qRound(s->availableGeometry().width() * s->devicePixelRatio()) : 0;
}

void ScreenSaverModuleMissing(QWidget* parent) {
  QMessageBox::critical(
      parent, QStringLiteral("Warning"),
      QStringLiteral("Tavrel World Clock cannot find screensaver module, please reinstall!"));
}

}  // namespace

MainWindow::MainWindow(WorldMap map, CityTable cities, SettingsReader& stored)
    : QMainWindow(nullptr),
      map_(std::move(map)),
      cities_(std::move(cities)),
      actions_(std::make_unique<MainActions>()) {
  setObjectName(QStringLiteral("TWorldClock"));
  // A fixed single border with the system menu and the minimize box.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setWindowIcon(ToolIcon(ToolPicture::Globe));
  // The time under the pointer is wanted also while another window has the
  // focus: the map is glanced at more than worked in.
  setAttribute(Qt::WA_AlwaysShowToolTips);

  format_ = FormatSettingsFromLocale();
  map_.setFormatter(
      [this](std::string_view pattern, DateTime t) { return FormatDateTime(pattern, t, format_); });

  // The form as designed.
  auto* central = new QWidget(this);
  setCentralWidget(central);
  DateTime1 = new QWidget(central);
  DateTime1->setObjectName(QStringLiteral("DateTime1"));
  // The skins draw the panel as a tool bar of theirs.
  DateTime1->setAttribute(Qt::WA_StyledBackground);
  Display = new MapImage(central);
  Display->setObjectName(QStringLiteral("Display"));
  connect(
      Display, &MapImage::scaleChanged, this,
      [this] {
        if (mapWidth_ == 0) return;
        layoutForMapSize(mapWidth_);
        if (map_ready && isVisible() && !isMinimized()) drawDisplay();
      },
      Qt::QueuedConnection);
  Display->setAccessibleName(QStringLiteral("World map"));
  lblLoading = new QLabel(QStringLiteral("Loading World Map...."), this);
  lblLoading->setObjectName(QStringLiteral("lblLoading"));
  QFont lf = lblLoading->font();
  lf.setPixelSize(18);
  lf.setBold(true);
  lblLoading->setFont(lf);
  lblLoading->adjustSize();
  Timer = new QTimer(this);
  Timer->setObjectName(QStringLiteral("Timer"));
  Timer->setSingleShot(true);
  Timer->setTimerType(Qt::PreciseTimer);
  connect(Timer, &QTimer::timeout, this, &MainWindow::TimerTimer);
  tmrRem = new QTimer(this);
  tmrRem->setObjectName(QStringLiteral("tmrRem"));
  tmrRem->setInterval(10000);
  connect(tmrRem, &QTimer::timeout, this, &MainWindow::tmrRemTimer);
  tmrRem->start();
  TrayIconN = new QSystemTrayIcon(ToolIcon(ToolPicture::Globe), this);
  TrayIconN->setObjectName(QStringLiteral("TrayIconN"));
  TrayIconN->setToolTip(QString::fromUtf8(kCaption));
  connect(TrayIconN, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
    if (r == QSystemTrayIcon::Trigger || r == QSystemTrayIcon::DoubleClick) trayIconClick();
  });

  hotKeys_ = new HotKeyManager(this);
  connect(hotKeys_, &HotKeyManager::OnHotKeyPressed, this, &MainWindow::HotKeyManagerHotKeyPressed);
  smClock = new SkinManager(this);
  routes_ = std::make_unique<Routes>(Routes::Services{
      .mainWindow = this,
      .clocks = nullptr,
      .reminders = &reminders_,
      .cities = &cities_,
      .map = &map_,
      .format = &format_,
      .requestRedraw = [this](const TickRequests& r) { requestRedraw(r); },
  });

  // The commands, then the places that show them; the tray icon's menu is the map's.
  wireCommands();
  PopupMenu = new QMenu(this);
  actions_->buildPopupMenu(*PopupMenu);
  mmMain = new MenuRows(this);
  setMenuWidget(mmMain);
  actions_->buildMenuBar(*mmMain);
  toolButtons_ = actions_->buildToolBar(*DateTime1);
  TrayIconN->setContextMenu(PopupMenu);

  overlay().datePosition = stored.integer(kDesktopDateTimePosition);
  overlay().mapTimeFormat = stored.text(kMapTimeFormat);

  smClock->setSkinDirectory(QString::fromStdString(ProgramFolder() + "Skins"));
  theme_ = stored.integer(kTheme);
  SetTheme(theme_);
  // The label stands on the black map background whatever the theme.
  QPalette lp = lblLoading->palette();
  lp.setColor(QPalette::WindowText, Qt::white);
  lblLoading->setPalette(lp);

  map_ready = false;

  if (!FileExists(ProgramFolder() + "dialcodes.dat")) actions_->dialCodesPopupEntry()->setVisible(false);
  for (const char* ini : {"askins/aclock.ini", "dskins/dclock.ini"}) {
    if (!FileExists(ProgramFolder() + ini)) {
      QMessageBox::warning(nullptr, QStringLiteral("Warning"),
                           QStringLiteral("Configuration file does not exist, please reinstall !"));
    }
  }

  layoutForMapSize(MapSizeFor(windowSize_).width);

  Display->setHintProvider([this](QPoint p) {
    const std::string text = MapHintText(
        cities_.entries(), p.x(), p.y(), DegreesPerPixel(Display->width()), map_.mapView(),
        overlay().showDate, TickNow, UtcOffsetDays(),
        [this](std::string_view pattern, DateTime t) { return FormatDateTime(pattern, t, format_); });
    return QString::fromStdString(text);
  });

  const PlacementToApply placement = stored.placement(kWindowPosition, true);
  if (placement.width || placement.height) {
    resize(placement.width.value_or(width()), placement.height.value_or(height()));
  }

  startMinimized_ = stored.on(kMinimized);
  attachPopupMenu(stored.on(kShowPopup));
  curMonitor_ = stored.integer(kCurMonitor);
  actions_->refresh();

  setWindowTitle(QString::fromUtf8(kCaption));
}

MainWindow::~MainWindow() {
  // FormDestroy: the per-user files.
  routes_->saveReminders();
  if (clocks_) {
    clocks_->SaveAClockList();
    clocks_->SaveDClockList();
  }
}

void MainWindow::loadReminders() { routes_->loadReminders(); }

void MainWindow::loadClocks(SettingsReader& stored) {
  clocks_ = new DesktopClocks(this, DataFolder(), DesktopComposites());
  routes_->setClocks(clocks_);
  connect(clocks_, &DesktopClocks::problem, this,
          [](const QString& text) { QMessageBox::warning(nullptr, QStringLiteral("Warning"), text); });
  connect(clocks_, &DesktopClocks::hiddenChanged, actions_.get(), &MainActions::refresh);
  // The files hold the offset with the regional separator or with ".".
  const std::string separator = QLocale::system().decimalPoint().toStdString();
  clocks_->LoadAClockList(separator);
  clocks_->ShowAClocks(stored.integer(kShowAClocks));
  clocks_->LoadDClockList(separator);
  clocks_->ShowDClocks(stored.integer(kShowDClocks));
  actions_->refresh();
}

void MainWindow::applyStoredSettings(SettingsReader& stored) {
  options_ = new OptionsDialog(*this, *hotKeys_, cities_, this);
  options_->InitSettings(stored);
}

// ------------------------------------------------------------ commands ---

void MainWindow::wireCommands() {
  MainActions& a = *actions_;
  Routes& r = *routes_;
  a.minimizeToTray.onRun([this] { btnMinimizeClick(); });
  a.exit.onRun([this] { btnCloseClick(); });

  a.addAnalogClock.onRun([&r] { r.openAnalogClockSetup(); });
  a.addDigitalClock.onRun([&r] { r.openDigitalClockSetup(); });
  a.hideAnalogClocks.onRun([&r] { r.hideAllAnalogClocks(); });
  a.hideAnalogClocks.checkedWhen([this] { return clocks_ && clocks_->analogHidden(); });
  a.hideDigitalClocks.onRun([&r] { r.hideAllDigitalClocks(); });
  a.hideDigitalClocks.checkedWhen([this] { return clocks_ && clocks_->digitalHidden(); });

  a.mapCities.onRun([&r] { r.openMapCities(); });
  a.shading.onRun([this] { toggleShading(); });
  a.shading.checkedWhen([this] { return map_.nightShading(); });
  for (int i = 0; i < kMapSizeCount; ++i) {
    Command& c = a.mapSize[static_cast<std::size_t>(i)];
    c.onRun([this, i] { DoWindowSize(i); });
    c.checkedWhen([this, i] { return windowSize_ == i; });
  }
  for (int v = 0; v < static_cast<int>(a.mapView.size()); ++v) {
    a.mapView[static_cast<std::size_t>(v)].onRun([this, v] {
      map_.setMapView(v);
      applyEffect(ChooseMapView(v));
    });
  }
  a.windowDateFont.onRun([this] { chooseFont(kWindowDateFontCommand, map_.windowDateFont()); });
  a.windowCityFont.onRun([this] { chooseFont(kWindowCityFontCommand, display_mapfont); });
  a.showDate.onRun([this] {
    overlay().showDate = !overlay().showDate;
    applyEffect(RunToggle(kShowDateCommand, overlay().showDate));
  });
  a.showDate.checkedWhen([this] { return overlay().showDate; });
  a.showTips.onRun([this] {
    Display->setHintsEnabled(!Display->hintsEnabled());
    applyEffect(RunToggle(kShowTipsCommand, Display->hintsEnabled()));
  });
  a.showTips.checkedWhen([this] { return Display->hintsEnabled(); });
  a.showDateLine.onRun([this] {
    overlay().showDateLine = !overlay().showDateLine;
    applyEffect(RunToggle(kShowDateLineCommand, overlay().showDateLine));
  });
  a.showDateLine.checkedWhen([this] { return overlay().showDateLine; });
  for (const bool h24 : {false, true}) {
    Command& c = h24 ? a.time24 : a.time12;
    c.onRun([this, h24] {
      overlay().mapTimeFormat = std::string(h24 ? kTime24Format : kTime12Format);
      applyEffect(ChooseTimeFormat(h24));
    });
    c.checkedWhen([this, h24] { return (overlay().mapTimeFormat == kTime12Format) != h24; });
  }
  for (const bool utc : {false, true}) {
    Command& c = utc ? a.showUtcTime : a.showLocalTime;
    c.onRun([this, utc] { setShowUtc(utc); });
    c.checkedWhen([this, utc] { return overlay().showUtc == utc; });
  }

  const auto wallpaperSwitch = [this] { return wallpaperOn_; };
  a.wallpaper.onRun([this] {
    const bool on = !wallpaperOn_;
    WriteIntegerSetting(kSettingsKey, kDesktopWallpaper, on ? 1 : 0);
    switchWallpaper(on);
  });
  a.wallpaper.checkedWhen(wallpaperSwitch);
  a.fullHeight.onRun([this] { toggleWallpaperLookSwitch(wallpaperFullHeight_, kDesktopFullHeight); });
  a.fullHeight.checkedWhen([this] { return wallpaperFullHeight_; });
  a.fullHeight.enabledWhen(wallpaperSwitch);
  a.removeOnExit.onRun([this] { toggleWallpaperLookSwitch(removeWallpaperOnExit_, kDesktopRemoveOnExit); });
  a.removeOnExit.checkedWhen([this] { return removeWallpaperOnExit_; });
  a.removeOnExit.enabledWhen(wallpaperSwitch);
  a.showTimes.onRun([this] {
    showTimesOnMap_ = !showTimesOnMap_;
    applyEffect(RunToggle(kShowTimesCommand, showTimesOnMap_));
  });
  a.showTimes.checkedWhen([this] { return showTimesOnMap_; });
  a.showTimes.enabledWhen(wallpaperSwitch);
  for (int p = 0; p < static_cast<int>(a.dateAlignment.size()); ++p) {
    Command& c = a.dateAlignment[static_cast<std::size_t>(p)];
    c.onRun([this, p] {
      overlay().datePosition = p;
      applyEffect(ChooseDateAlignment(p));
    });
    c.checkedWhen([this, p] {
      const int position = overlay().datePosition;
      return position == p || (p == 2 && position != 0 && position != 1);
    });
  }
  a.wallpaperDateFont.onRun([this] { chooseFont(kWallpaperDateFontCommand, map_.wallpaperDateFont()); });
  a.wallpaperCityFont.onRun([this] { chooseFont(kWallpaperCityFontCommand, map_.wallpaperCityFont()); });

  a.screenSaver.onRun([this] { toggleScreenSaver(); });
  a.screenSaver.checkedWhen([this] { return screenSaverOn_; });
  a.previewScreenSaver.onRun([this] { previewScreenSaver(); });

  a.cityManager.onRun([&r] { r.openCityManager(); });
  a.allCities.onRun([&r] { r.openAllCitiesList(); });
  a.timeFinder.onRun([&r] { r.openTimeFinder(); });
  a.reminders.onRun([&r] { r.openReminders(); });
  a.calendar.onRun([&r] { r.openCalendar(); });
  a.dialCodes.onRun([&r] { r.openDialCodes(); });
  for (int t = 1; t <= static_cast<int>(a.theme.size()); ++t) {
    a.theme[static_cast<std::size_t>(t - 1)].onRun([this, t] { SetTheme(t); });
  }
  a.monitor[0].onRun([this] { SwitchMonitor(0); });
  a.monitor[1].onRun([this] { SwitchMonitor(1); });
  const bool twoScreens = QGuiApplication::screens().size() >= 2;
  a.monitor[1].shownWhen([twoScreens] { return twoScreens; });
  a.options.onRun([this] { openOptions(); });
  a.meetingPlanner.onRun([&r] { r.openMeetingPlanner(); });
  a.help.onRun([&r] { r.openHelp(); });
  a.about.onRun([&r] { r.openAbout(); });
}

void MainWindow::applyEffect(const CommandEffect& e) {
  requests_ |= e.requests;
  if (e.wallpaperLook) wallpaperLookChanged_ = true;
}

void MainWindow::toggleShading() {
  const bool on = !map_.nightShading();
  map_.setNightShading(on);
  applyEffect(RunToggle(kDayNightShadingCommand, on));
}

void MainWindow::setShowUtc(bool on) {
  overlay().showUtc = on;
  applyEffect(RunToggle(kShowUtcCommand, on));
}

void MainWindow::toggleWallpaperLookSwitch(bool& on, const char* setting) {
  on = !on;
  WriteIntegerSetting(kSettingsKey, setting, on ? 1 : 0);
  wallpaperLookChanged_ = true;
  requests_.wallpaperUpdate = true;
}

void MainWindow::switchWallpaper(bool on) {
  const WallpaperStep step = SwitchWallpaper(wallpaperOn_, on, wallpaperLookChanged_);
  wallpaperOn_ = on;
  if (step.putInPlace) {
    WriteCentredWallpaperStyle();
    requests_.wallpaperUpdate = true;
  }
  if (step.takeAway) clearWallpaper();
  actions_->refresh();
}

Wallpaper& MainWindow::wallpaper() {
  // The desktop's backend is chosen on first use.
  if (!wallpaper_) wallpaper_ = std::make_unique<Wallpaper>(MakeWallpaperBackend());
  return *wallpaper_;
}

void MainWindow::setWallpaperBackend(std::unique_ptr<WallpaperBackend> backend) {
  wallpaper_ = std::make_unique<Wallpaper>(std::move(backend));
}

void MainWindow::refreshWallpaper() {
  wallpaper().Refresh(map_, showTimesOnMap_, wallpaperFullHeight_, PrimaryScreenPixels(), TickNow,
                      PrimaryWorkAreaPixels());
}

void MainWindow::clearWallpaper() { wallpaper().ClearWallpaper(); }

void MainWindow::toggleScreenSaver() {
  const std::string module = ScreenSaverModulePath();
  if (!ScreenSaverModuleExists(module)) {
    ScreenSaverModuleMissing(this);
    return;
  }
  const bool on = !screenSaverOn_;
  // A switch that did not take stays where it was, and says why.
  if (const FileResult r = SetScreenSaverModule(on ? module : std::string()); !r) {
    QMessageBox::warning(
        this, QStringLiteral("Warning"),
        QStringLiteral("The screen saver could not be switched %1. %2")
            .arg(on ? QStringLiteral("on") : QStringLiteral("off"), QString::fromStdString(r.error)));
    return;
  }
  showScreenSaverState(on);
  WriteIntegerSetting(kSettingsKey, kSetScreenSave, on ? 1 : 0);
}

void MainWindow::previewScreenSaver() {
  const std::string module = ScreenSaverModulePath();
  if (!ScreenSaverModuleExists(module)) {
    ScreenSaverModuleMissing(this);
    return;
  }
  ShellOpen("open", module);
}

void MainWindow::openOptions() {
  if (options_) options_->ShowOptions();
}

void MainWindow::chooseFont(const FontCommand& command, MapFont& font) {
  const std::optional<FontChange> change = ChooseMapFont(this, font, QStringLiteral("Font"));
  // OK without a change is no change: the stored record stays as it is.
  if (!change || !change->any()) return;
  SettingsReader stored;
  FontRecord record = RecordFromFont(font.font, font.color);
  stored.font(command.setting, record);
  ShowSettingsProblems(stored, this);
  record = ApplyFontChange(record, *change);
  const ColouredFont shown = FontFromRecord(record);
  font = MapFont{shown.font, shown.color};
  applyEffect(RunFontCommand(command, record));
}

// ---------------------------------------------------------------- layout ---

void MainWindow::layoutForMapSize(int w) {
  mapWidth_ = w;
  const int h = w / 2;
  const bool captions = w >= kCaptionsFromMapWidth;
  const int panel = captions ? kPanelHeightCaptions : kPanelHeightIcons;
  for (QToolButton* b : toolButtons_) {
    b->setToolButtonStyle(captions ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
  }
  DateTime1->setGeometry(0, 0, w, panel);
  Display->move(0, panel);
  Display->setMapSize(w, h);
  centralWidget()->setFixedSize(w, panel + h);
  // The window is as tall as the panel and the map together, so no strip of
  // the map falls outside it.
  setFixedSize(w, mmMain->arrange(w) + panel + h);
  lblLoading->move((width() - lblLoading->width()) / 2, (height() - lblLoading->height()) / 2);
}

// ---------------------------------------------------------- lifecycle ---

void MainWindow::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  // FormShow.
  requests_.mapRecompose = true;
  requests_.displayRedraw = true;
  requests_.wallpaperUpdate = wallpaperOn_;
  // Started minimised, the window is seen for about a second before it goes
  // to the tray, so that the user knows it started.
  if (!Timer->isActive()) Timer->start(!init && startMinimized_ ? kStartMinimizedShowMs : 0);
  if (!shownOnce_) {
    shownOnce_ = true;
    // Its frame is known once it is on the screen.
    QTimer::singleShot(0, this, &MainWindow::keepOnWorkArea);
  }
}

void MainWindow::resizeEvent(QResizeEvent* e) {
  QMainWindow::resizeEvent(e);
  lblLoading->move((width() - lblLoading->width()) / 2, (height() - lblLoading->height()) / 2);
}

void MainWindow::changeEvent(QEvent* e) {
  QMainWindow::changeEvent(e);
  if (e->type() != QEvent::WindowStateChange) return;
  // Back from the task bar: nothing was drawn while minimized.
  const auto* sc = static_cast<QWindowStateChangeEvent*>(e);
  if ((sc->oldState() & Qt::WindowMinimized) && !(windowState() & Qt::WindowMinimized)) {
    requests_.mapRecompose = true;
    requests_.displayRedraw = true;
  }
}

void MainWindow::closeEvent(QCloseEvent* e) {
  // FormCloseQuery.
  if (!CloseAllowed(closeToTray_, sessionending)) {
    e->ignore();
    if (!inTray_) minimizeToTray(false);
    return;
  }
  if (closing_) {
    e->accept();
    return;
  }
  closing_ = true;
  Timer->stop();
  WindowGeometry g;
  g.state = inTray_ || isMinimized() ? WindowState::Minimized : WindowState::Normal;
  const QRect frame = frameGeometry();
  g.top = frame.top();
  g.left = frame.left();
  g.width = frame.width();
  g.height = frame.height();
  WritePlacementSetting(kSettingsKey, kWindowPosition, g, true);
  WriteIntegerSetting(kSettingsKey, kMinimized, startMinimized_ ? 1 : 0);
  WriteIntegerSetting(kSettingsKey, kTheme, theme_);

  // FormClose.
  if (wallpaperOn_ && removeWallpaperOnExit_) clearWallpaper();
  Display->setHintProvider({});
  TrayIconN->hide();
  e->accept();
  QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

void MainWindow::endSession() {
  sessionending = true;
  close();
}

void MainWindow::btnCloseClick() {
  TrayIconN->hide();
  closeToTray_ = false;  // in memory only; the stored setting stays
  Timer->stop();
  close();
}

// --------------------------------------------------------------- tick ---

TickInput MainWindow::tickInput() const {
  TickInput in;
  in.tickNow = LocalNow() + kDisplayLead;
  in.utcOffsetDays = UtcOffsetDays();
  in.firstTick = !init;
  in.startMinimized = startMinimized_;
  in.minimized = inTray_ || isMinimized();
  in.mapReady = map_ready;
  in.baseMapBusy = map_.BaseMapBusy();
  in.requests = requests_;
  in.settings = {map_.overlaySettings().showUtc, wallpaperOn_, showTimesOnMap_, showBalloon_};
  in.lastTimeText = LastTimeText;
  in.format = &format_;
  return in;
}

void MainWindow::TimerTimer() {
  if (inTick_) return;  // an error box of this tick is still open
  inTick_ = true;
  const TickInput in = tickInput();
  const TickStart s = StartTick(in);
  if (s.minimizeToTray) minimizeToTray(false);
  init = true;
  TickNow = in.tickNow;
  TimeText = s.timeText;
  if (s.timeTextChanged) {
    LastTimeText = TimeText;
    DateText = s.dateText;
  }
  requests_ = s.requests;
  try {
    if (s.composeBaseMap) map_.ComposeBaseMap(map_ready, TickNow);
    const TickOutput o = FinishTick(in, s, map_ready);
    requests_ = o.requests;
    if (o.drawDisplay) drawDisplay();
    if (o.refreshWallpaper) refreshWallpaper();
    if (o.setTrayHint) TrayIconN->setToolTip(QString::fromStdString(TrayHintText(TimeText, DateText)));
  } catch (const MapFatalError& e) {
    QMessageBox::critical(this, QString::fromUtf8(kCaption) + QString::fromUtf8(kFatalErrorTitleSuffix),
                          QString::fromUtf8(e.what()));
    QCoreApplication::exit(1);
    inTick_ = false;
    return;
  } catch (const std::exception& e) {
    QMessageBox::critical(this, QString::fromUtf8(kCaption), QString::fromUtf8(e.what()));
  }
  if (!closing_) Timer->start(MsToNextTick());
  inTick_ = false;
}

void MainWindow::drawDisplay() {
  lblLoading->hide();
  QImage& picture = Display->picture();
  map_.DrawMapOverlay(picture, map_.baseMap(), showTimesOnMap_, display_mapfont, false, TickNow);
  Display->setAccessibleDescription(QString::fromStdString(FormatDateTime("tt dddddd", TickNow, format_)));
  Display->repaint();
  if (!firstMapSignalled_) {
    firstMapSignalled_ = true;
    emit firstMapShown();
  }
}

void MainWindow::tmrRemTimer() { routes_->checkReminders(); }

// ----------------------------------------------------------- the tray ---

void MainWindow::btnMinimizeClick() { minimizeOrRestore(false); }

void MainWindow::trayIconClick() { minimizeOrRestore(true); }

void MainWindow::minimizeOrRestore(bool fromTray) {
  if (inTray_ || isMinimized()) {
    restoreFromTray(fromTray);
  } else {
    minimizeToTray(fromTray);
  }
}

void MainWindow::minimizeToTray(bool fromTray) {
  if (fromTray) TrayIconN->hide();
  // Without a tray to come back from, the task bar keeps the window
  // reachable.
  if (!QSystemTrayIcon::isSystemTrayAvailable()) {
    showMinimized();
    return;
  }
  inTray_ = true;
  TrayIconN->show();
  hide();  // a hidden window has no task-bar entry
}

void MainWindow::restoreFromTray(bool fromTray) {
  if (fromTray) TrayIconN->hide();
  inTray_ = false;
  showNormal();
  raise();
  activateWindow();
  TrayIconN->hide();
  requests_.mapRecompose = true;
  requests_.displayRedraw = true;
}

// ------------------------------------------------------------ monitors ---

void MainWindow::SwitchMonitor(int monitor) {
  const QList<QScreen*> screens = QGuiApplication::screens();
  if (screens.isEmpty()) return;
  if (monitor < 0 || monitor >= screens.size()) monitor = 0;  // a monitor that has gone
  const QRect m = screens[monitor]->geometry();
  const QRect f = frameGeometry();
  move(m.left() + (m.width() - f.width()) / 2, m.top() + (m.height() - f.height()) / 2);
  keepOnWorkArea();
  curMonitor_ = monitor;
  StoreMonitor(monitor);
}

void MainWindow::keepOnWorkArea() {
  const QRect f = frameGeometry();
  QScreen* s = QGuiApplication::screenAt(f.center());
  if (!s) s = screen();
  if (!s) return;
  const QRect a = s->availableGeometry();
  const ScreenRect fitted =
      FitIntoWorkArea({f.left(), f.top(), f.width(), f.height()}, {a.left(), a.top(), a.width(), a.height()});
  if (fitted.left != f.left() || fitted.top != f.top()) move(fitted.left, fitted.top);
}

void MainWindow::placeOnMonitor() {
  const QList<QScreen*> screens = QGuiApplication::screens();
  if (screens.size() >= 2) {
    SwitchMonitor(curMonitor_);
    return;
  }
  if (QScreen* s = QGuiApplication::primaryScreen()) {
    const QRect d = s->geometry();
    const QRect f = frameGeometry();
    move(d.left() + (d.width() - f.width()) / 2, d.top() + (d.height() - f.height()) / 2);
    keepOnWorkArea();
  }
}

void MainWindow::DoWindowSize(int iSize) {
  layoutForMapSize(MapSizeFor(iSize).width);
  keepOnWorkArea();
  applyEffect(ChooseWindowSize(iSize));
  windowSize_ = iSize;
  actions_->refresh();
  // The map at its new size at once, from the base map it already has,
  // rather than black until the next tick.
  if (map_ready && isVisible() && !isMinimized()) drawDisplay();
}

void MainWindow::SetTheme(int theme) {
  theme_ = theme;
  smClock->applyTheme(theme_);
  // A skin has its own fonts and paddings: the menus may need another row.
  if (mapWidth_ > 0) layoutForMapSize(mapWidth_);
}

void MainWindow::HotKeyManagerHotKeyPressed(quint32 hotKey, quint32) {
  switch (hotKeys_->rowOf(hotKey)) {
    case 1:
      btnMinimizeClick();
      break;
    case 2:
      routes_->openOrCloseCalendar();
      break;
    case 3:
      routes_->openOrCloseDialCodes();
      break;
    case 4:
      routes_->openOrCloseTimeFinder();
      break;
    case 5:
      routes_->openAllCitiesList();
      break;
    default:
      break;
  }
}

// -------------------------------------------- what the options dialog sets ---

void MainWindow::setCloseToTray(bool on) { closeToTray_ = on; }

void MainWindow::showScreenSaverState(bool on) {
  screenSaverOn_ = on;
  actions_->screenSaverEntry()->setText(on ? QStringLiteral("Disable World Clock Screensaver")
                                           : QStringLiteral("Enable World Clock Screensaver"));
  actions_->screenSaver.refresh();
}

void MainWindow::setBackgroundColour(const QColor& colour) {
  QPalette pal = centralWidget()->palette();
  pal.setColor(QPalette::Window, colour);
  centralWidget()->setPalette(pal);
  centralWidget()->setAutoFillBackground(true);
  // Without a skin the tool bar keeps the desktop's own look, not the map's black.
  QPalette bar = DateTime1->palette();
  bar.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
  bar.setColor(QPalette::Button, QApplication::palette().color(QPalette::Button));
  bar.setColor(QPalette::ButtonText, QApplication::palette().color(QPalette::ButtonText));
  DateTime1->setPalette(bar);
  DateTime1->setAutoFillBackground(true);
}

void MainWindow::setMapFonts(const ColouredFont& date, const ColouredFont& city) {
  map_.windowDateFont() = ToMapFont(date);
  display_mapfont = ToMapFont(city);
}

void MainWindow::applyMapSwitches(const MapSwitches& s) {
  overlay().showDate = s.showDate;
  Display->setHintsEnabled(s.showTips);
  overlay().showUtc = s.showUtc;
  map_.setMapView(s.mapView);
  map_.setNightShading(s.showShadow);
  overlay().showDateLine = s.showDateLine;
  actions_->refresh();
}

int MainWindow::mapView() const { return map_.mapView(); }

std::span<Cities> MainWindow::displayCities() { return map_.displayCities(); }

void MainWindow::applyWallpaperChecks(const WallpaperChecks& c) {
  wallpaperOn_ = c.wallpaper;
  wallpaperFullHeight_ = c.fullHeight;
  showTimesOnMap_ = c.showTimes;
  removeWallpaperOnExit_ = c.removeOnExit;
  actions_->refresh();
}

void MainWindow::setWallpaperFonts(const ColouredFont& date, const ColouredFont& city) {
  map_.wallpaperDateFont() = ToMapFont(date);
  map_.wallpaperCityFont() = ToMapFont(city);
}

void MainWindow::setBalloon(bool on) {
  showBalloon_ = on;
  TrayIconN->setVisible(!on);
}

void MainWindow::attachPopupMenu(bool attached) { Display->setPopupMenu(attached ? PopupMenu : nullptr); }

}  // namespace wc
