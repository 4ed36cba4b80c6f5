// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>
#include <filesystem>

#include "app/FontDialog.h"
#include "app/MapImage.h"
#include "app/MenuRows.h"
#include "app/Routes.h"
#include "app/SettingsAccess.h"
#include "app/ToolIcons.h"
#include "core/AtomicFile.h"
#include "core/CityFile.h"
#include "core/CityTable.h"
#include "core/CityTime.h"
#include "core/FirstStart.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "platform/FontRecordQt.h"
#include "platform/HotKeyManager.h"
#include "platform/LocaleFormat.h"
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

}  // namespace

MainWindow::MainWindow() : QMainWindow(nullptr), map_(ProgramFolder()) {
  // The map pictures decode while the windows are made.
  map_.StartLoadingLayers();
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
  buildPopupMenu();
  buildMenus();
  buildToolBar();
  setShowUtcChecked(showUtc);
  setShowTimesChecked(desktopShowTimes);
  TrayIconN->setContextMenu(PopupMenu);

  hotKeys = new HotKeyManager(this);
  connect(hotKeys, &HotKeyManager::OnHotKeyPressed, this, &MainWindow::HotKeyManagerHotKeyPressed);
  smClock = new SkinManager(this);

  // FormCreate.
  CheckBasicFiles();

  const int position = ReadIntegerOrReport(kDesktopDateTimePosition);
  overlay().datePosition = position;
  (position == 0 ? LeftAlign1 : position == 1 ? RightAlign1 : CenterAlign1)->setChecked(true);

  overlay().mapTimeFormat = ReadTextOrReport(kMapTimeFormat);
  (overlay().mapTimeFormat == kTime12Format ? N12HRS1 : N24HRS1)->setChecked(true);

  LoadReminders(*this);

  smClock->setSkinDirectory(QString::fromStdString(ProgramFolder() + "Skins"));
  theme = ReadIntegerOrReport(kTheme);
  SetTheme();
  // The label stands on the black map background whatever the theme.
  QPalette lp = lblLoading->palette();
  lp.setColor(QPalette::WindowText, Qt::white);
  lblLoading->setPalette(lp);

  map_ready = false;

  if (!FileExists(ProgramFolder() + "dialcodes.dat")) miShowCodes->setVisible(false);
  for (const char* ini : {"askins/aclock.ini", "dskins/dclock.ini"}) {
    if (!FileExists(ProgramFolder() + ini)) {
      QMessageBox::warning(nullptr, QStringLiteral("Warning"),
                           QStringLiteral("Configuration file does not exist, please reinstall !"));
    }
  }

  layoutForMapSize(MapSizeFor(windowSize).width);

  Display->setHintProvider([this](QPoint p) {
    const std::string text = MapHintText(
        CityTable::instance().entries(), p.x(), p.y(), DegreesPerPixel(Display->width()), map_.mapView(),
        overlay().showDate, TickNow, UtcOffsetDays(),
        [this](std::string_view pattern, DateTime t) { return FormatDateTime(pattern, t, format_); });
    return QString::fromStdString(text);
  });

  const PlacementToApply placement = [] {
    try {
      return ReadPlacementSetting(kSettingsKey, kWindowPosition, true);
    } catch (const SettingsError&) {
      return PlacementToApply{};
    }
  }();
  if (placement.width || placement.height) {
    resize(placement.width.value_or(width()), placement.height.value_or(height()));
  }

  startMinimized = ReadSwitchOrReport(kMinimized);
  setPopupOnMap(ReadSwitchOrReport(kShowPopup));

  LoadAndShowClocks(*this);

  curMonitor = ReadIntegerOrReport(kCurMonitor);
  SwitchtoMonitor21->setVisible(QGuiApplication::screens().size() >= 2);
  placeOnMonitor();

  setWindowTitle(QString::fromUtf8(kCaption));
}

MainWindow::~MainWindow() { FormDestroy(); }

void MainWindow::CheckBasicFiles() {
  const std::string folder = DataFolder();
  const bool firstStart = !FileExists(SettingsFilePath());
  // The whole path: on a new account even the XDG data folder may be missing.
  std::error_code ec;
  if (!DirectoryExists(folder)) std::filesystem::create_directories(ToPath(folder), ec);
  for (const char* seed : {"citydata.dat", "reminders.dat"}) {
    CopyFileIfMissing(ProgramFolder() + seed, folder + seed);
  }
  // A new user's first map shows cities; the options dialog builds it.
  if (firstStart) {
    const XmlLoadResult r =
        StoreFirstStartCities(CityDataPath(), ProgramFolder() + "citydata.zones.tsv", LocalZoneName());
    if (!r.error.empty())
      QMessageBox::warning(nullptr, QStringLiteral("Warning"), QString::fromStdString(r.error));
  }
}

void MainWindow::FormDestroy() {
  SaveReminders(*this);
  SaveClockLists(*this);
}

// ---------------------------------------------------------------- layout ---

void MainWindow::buildToolBar() {
  auto* row = new QHBoxLayout(DateTime1);
  row->setContentsMargins(2, 2, 2, 2);
  row->setSpacing(1);
  auto addButton = [&](const char* name, const char* caption, const char* hint, ToolPicture picture,
                       bool sticky, auto handler) {
    auto* b = new QToolButton(DateTime1);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(QString::fromUtf8(caption));
    b->setAccessibleName(QString::fromUtf8(caption).replace(QStringLiteral("&&"), QStringLiteral("&")));
    b->setToolTip(QString::fromUtf8(hint));
    b->setStatusTip(QString::fromUtf8(hint));
    b->setIcon(ToolIcon(picture));
    b->setIconSize(QSize(28, 28));
    b->setAutoRaise(true);
    b->setCheckable(sticky);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    connect(b, &QToolButton::clicked, this, handler);
    row->addWidget(b);
    toolButtons_ << b;
    return b;
  };
  addButton("btnAClock", "Add Analog Clock", "Add Analog Clock on your Desktop", ToolPicture::AnalogClock,
            false, [this] { OpenAnalogClockSetup(*this); });
  addButton("btnDigClock", "Add Digital Clock", "Add Digital Clock on your Desktop",
            ToolPicture::DigitalClock, false, [this] { OpenDigitalClockSetup(*this); });
  btnWall = addButton("btnWall", "Set as Wallpaper", "Set world map with current time as wallpaper",
                      ToolPicture::Wallpaper, true, [this] {
                        ShowWorldClockasWallpaper1Click(*this);
                        btnWall->setChecked(wallpaperOn);
                      });
  btnDayNight =
      addButton("btnDayNight", "Show Day night shades", "Show or hide day night shading on the world map",
                ToolPicture::DayNight, true, [this] { toggleShading(); });
  addButton("btnOpt", "Program Options", "Open program options window to customize World Clock settings",
            ToolPicture::Options, false, [this] { OpenOptions(*this); });
  addButton("btnCal", "Calendar at a glance", "Show calendar at a glance", ToolPicture::Calendar, false,
            [this] { OpenCalendar(*this); });
  addButton("sSpeedButton1", "Online Help", "Visit website for online help", ToolPicture::Help, false,
            [] { ShellOpen("open", ProgramFolder() + "help/index.html"); });
  addButton("btnTimeZoneEdit", "City && Time Zone Manager", "Open city and time zone manager",
            ToolPicture::CityManager, false, [this] { OpenCityManager(*this); });
  btnSSaver = addButton("btnSSaver", "Set as Screensaver", "Set world map with current time as screensaver",
                        ToolPicture::ScreenSaver, true, [this] {
                          SetWorldClockMapasScreenSaver1Click(*this);
                          btnSSaver->setChecked(SetWorldClockMapasScreenSaver1->isChecked());
                        });
}

namespace {

QAction* AddEntry(QMenu* menu, const char* name, const char* caption) {
  QAction* a = menu->addAction(QString::fromUtf8(caption));
  a->setObjectName(QString::fromLatin1(name));
  return a;
}

QAction* AddCheck(QMenu* menu, const char* name, const char* caption) {
  QAction* a = AddEntry(menu, name, caption);
  a->setCheckable(true);
  return a;
}

}  // namespace

void MainWindow::buildMenus() {
  mmMain = new MenuRows(this);
  setMenuWidget(mmMain);

  QMenu* file = mmMain->addMenu(QStringLiteral("&File"));
  Minimizetotray1 = AddEntry(file, "Minimizetotray1", "Minimize to system tray");
  connect(Minimizetotray1, &QAction::triggered, this, &MainWindow::btnMinimizeClick);
  connect(AddEntry(file, "Exit1", "E&xit World Clock"), &QAction::triggered, this, &MainWindow::Exit1Click);

  QMenu* clocks = mmMain->addMenu(QStringLiteral("&DesktopClock"));
  connect(AddEntry(clocks, "AddAnalogClock1", "&Add New Analog Clock "), &QAction::triggered, this,
          [this] { OpenAnalogClockSetup(*this); });
  connect(AddEntry(clocks, "HideAllAnalogClocks1", "Hide All Analog Clocks"), &QAction::triggered, this,
          [this] { HideAllAnalogClocks(*this); });
  connect(AddEntry(clocks, "AddDigitalClock1", "Add New &Digital Clock"), &QAction::triggered, this,
          [this] { OpenDigitalClockSetup(*this); });
  connect(AddEntry(clocks, "HideAllDigitalClocks2", "Hide All Digital Clocks"), &QAction::triggered, this,
          [this] { HideAllDigitalClocks(*this); });

  QMenu* world = mmMain->addMenu(QStringLiteral("WorldMap"));
  connect(AddEntry(world, "AddRemoveCityonMap1", "Add / Remove City on Map"), &QAction::triggered, this,
          [this] { OpenMapCities(*this); });
  DayNightShading1 = AddCheck(world, "DayNightShading1", "Show Day-night Shading");
  connect(DayNightShading1, &QAction::triggered, this, [this] { toggleShading(); });
  QMenu* sizes = world->addMenu(QStringLiteral("Change Map Size"));
  sizes->menuAction()->setObjectName(QStringLiteral("MapSize3"));
  auto* sizeGroup = new QActionGroup(this);
  for (int i = 0; i < kMapSizeCount; ++i) {
    QAction* a = sizes->addAction(QString::fromLatin1(MapSizeFor(i).caption));
    a->setObjectName(QStringLiteral("MapSizeItem%1").arg(i));
    a->setCheckable(true);
    sizeGroup->addAction(a);
    mapSizeEntries_ << a;
    connect(a, &QAction::triggered, this, [this, i] { DoWindowSize(i); });
  }
  QMenu* views = world->addMenu(QStringLiteral("Change Map View"));
  views->menuAction()->setObjectName(QStringLiteral("ChangeMapView1"));
  const char* viewCaptions[] = {"Centered on Europe", "Centered on America", "Centered on Australasia"};
  for (int v = 0; v < 3; ++v) {
    connect(views->addAction(QString::fromLatin1(viewCaptions[v])), &QAction::triggered, this, [this, v] {
      map_.setMapView(v);
      applyEffect(ChooseMapView(v));
    });
  }
  connect(AddEntry(world, "DateTimeFont1", "Change Date Font"), &QAction::triggered, this,
          [this] { chooseFont(kWindowDateFontCommand, map_.windowDateFont()); });
  connect(AddEntry(world, "MapFont1", "Change City Font"), &QAction::triggered, this,
          [this] { chooseFont(kWindowCityFontCommand, display_mapfont); });
  ShowDate1 = AddCheck(world, "ShowDate1", "Show Date on Map");
  connect(ShowDate1, &QAction::triggered, this, [this](bool on) {
    overlay().showDate = on;
    applyEffect(RunToggle(kShowDateCommand, on));
  });
  ShowTimeatMousePosition1 = AddCheck(world, "ShowTimeatMousePosition1", "Show Time at Mouse Position");
  connect(ShowTimeatMousePosition1, &QAction::triggered, this, [this](bool on) {
    Display->setHintsEnabled(on);
    applyEffect(RunToggle(kShowTipsCommand, on));
  });
  ShowDateLine1 = AddCheck(world, "ShowDateLine1", "Show Date Line");
  connect(ShowDateLine1, &QAction::triggered, this, [this](bool on) {
    overlay().showDateLine = on;
    applyEffect(RunToggle(kShowDateLineCommand, on));
  });
  QMenu* timeFormat = world->addMenu(QStringLiteral("Time Format"));
  timeFormat->menuAction()->setObjectName(QStringLiteral("imeFormat1"));
  auto* formatGroup = new QActionGroup(this);
  N12HRS1 = AddCheck(timeFormat, "N12HRS1", "12 HRS");
  N24HRS1 = AddCheck(timeFormat, "N24HRS1", "24 HRS");
  for (QAction* a : {N12HRS1, N24HRS1}) {
    formatGroup->addAction(a);
    connect(a, &QAction::triggered, this, [this, a] {
      const bool h24 = a == N24HRS1;
      overlay().mapTimeFormat = std::string(h24 ? kTime24Format : kTime12Format);
      const CommandEffect e = ChooseTimeFormat(h24);
      applyEffect(e);
    });
  }
  auto* zoneGroup = new QActionGroup(this);
  ShowLocalTime1 = AddCheck(world, "ShowLocalTime1", "Show Local Time");
  ShowUTCTime1 = AddCheck(world, "ShowUTCTime1", "Show UTC Time");
  for (QAction* a : {ShowLocalTime1, ShowUTCTime1}) {
    zoneGroup->addAction(a);
    connect(a, &QAction::triggered, this, [this, a] {
      const bool utc = a == ShowUTCTime1;
      setShowUtcChecked(utc);
      applyEffect(RunToggle(kShowUtcCommand, utc));
    });
  }

  QMenu* wall = mmMain->addMenu(QStringLiteral("&Wallpaper"));
  ShowWorldClockasWallpaper1 = AddCheck(wall, "ShowWorldClockasWallpaper1", "Show World Map as Wallpaper");
  connect(ShowWorldClockasWallpaper1, &QAction::triggered, this, [this] {
    ShowWorldClockasWallpaper1Click(*this);
    setWallpaperChecked(wallpaperOn);
  });
  Zoomtofullheight1 = AddCheck(wall, "Zoomtofullheight1", "Stretch Wallpaper to full height");
  connect(Zoomtofullheight1, &QAction::triggered, this, [this] { Zoomtofullheight1Click(*this); });
  RemovewallpaperonExit1 = AddCheck(wall, "RemovewallpaperonExit1", "Remove Wallpaper on Exit");
  connect(RemovewallpaperonExit1, &QAction::triggered, this, [this] { RemovewallpaperonExit1Click(*this); });
  ShowTimeonMap1 = AddCheck(wall, "ShowTimeonMap1", "Show Time on Map");
  connect(ShowTimeonMap1, &QAction::triggered, this, [this](bool on) {
    setShowTimesChecked(on);
    applyEffect(RunToggle(kShowTimesCommand, on));
  });
  QMenu* align = wall->addMenu(QStringLiteral("Date Alignment"));
  align->menuAction()->setObjectName(QStringLiteral("DateAlignment1"));
  auto* alignGroup = new QActionGroup(this);
  LeftAlign1 = AddCheck(align, "LeftAlign1", "Left Align");
  RightAlign1 = AddCheck(align, "RightAlign1", "Right Align");
  CenterAlign1 = AddCheck(align, "CenterAlign1", "Center Align");
  int position = 0;
  for (QAction* a : {LeftAlign1, RightAlign1, CenterAlign1}) {
    alignGroup->addAction(a);
    connect(a, &QAction::triggered, this, [this, position] {
      overlay().datePosition = position;
      applyEffect(ChooseDateAlignment(position));
    });
    ++position;
  }
  connect(AddEntry(wall, "DateFont1", "Change Date Font"), &QAction::triggered, this,
          [this] { chooseFont(kWallpaperDateFontCommand, map_.wallpaperDateFont()); });
  connect(AddEntry(wall, "ChangeCityFont1", "Change City Font"), &QAction::triggered, this,
          [this] { chooseFont(kWallpaperCityFontCommand, map_.wallpaperCityFont()); });

  QMenu* saver = mmMain->addMenu(QStringLiteral("&Screensaver"));
  SetWorldClockMapasScreenSaver1 =
      AddCheck(saver, "SetWorldClockMapasScreenSaver1", "Set World Clock as ScreenSaver");
  connect(SetWorldClockMapasScreenSaver1, &QAction::triggered, this, [this] {
    // The check mark follows the switch the command keeps, not the click.
    const bool before = !SetWorldClockMapasScreenSaver1->isChecked();
    SetWorldClockMapasScreenSaver1->setChecked(before);
    SetWorldClockMapasScreenSaver1Click(*this);
    btnSSaver->setChecked(SetWorldClockMapasScreenSaver1->isChecked());
  });
  connect(AddEntry(saver, "PreviewScreenSaver1", "Preview ScreenSaver"), &QAction::triggered, this,
          [this] { PreviewScreenSaver1Click(*this); });

  QMenu* tools = mmMain->addMenu(QStringLiteral("&Tools"));
  connect(AddEntry(tools, "ManageCityList1", "City and Time Zone Manager"), &QAction::triggered, this,
          [this] { OpenCityManager(*this); });
  connect(AddEntry(tools, "AllCityListwithCurrentTime1", "List of All Cities with Current Time"),
          &QAction::triggered, this, [this] { OpenAllCitiesList(*this); });
  connect(AddEntry(tools, "imeFinder1", "Quick Time Finder"), &QAction::triggered, this,
          [this] { OpenTimeFinder(*this); });
  connect(AddEntry(tools, "Reminders1", "&Manage Reminders"), &QAction::triggered, this,
          [this] { OpenReminders(*this); });
  connect(AddEntry(tools, "ShowCalendar1", "Calendar at a glance"), &QAction::triggered, this,
          [this] { OpenCalendar(*this); });
  connect(AddEntry(tools, "Showinternationaldialcodes1", "International dial codes"), &QAction::triggered,
          this, [this] { OpenDialCodes(*this); });
  QMenu* themes = tools->addMenu(QStringLiteral("Change Theme"));
  themes->menuAction()->setObjectName(QStringLiteral("ChangeTheme2"));
  const char* themeCaptions[] = {"Office 2007 Theme", "Shine Theme", "Beijing Theme",
                                 "Office 2010 Blue Theme", "Mac OS 2 Theme"};
  for (int t = 1; t <= 5; ++t) {
    connect(themes->addAction(QString::fromLatin1(themeCaptions[t - 1])), &QAction::triggered, this,
            [this, t] {
              theme = t;
              SetTheme();
            });
  }
  QMenu* monitors = tools->addMenu(QStringLiteral("Switch Monitor"));
  monitors->menuAction()->setObjectName(QStringLiteral("Multimonitor1"));
  connect(AddEntry(monitors, "SwitchtoMonitor11", "Switch to Monitor 1"), &QAction::triggered, this,
          [this] { SwitchMonitor(0); });
  SwitchtoMonitor21 = AddEntry(monitors, "SwitchtoMonitor21", "Switch to Monitor 2");
  connect(SwitchtoMonitor21, &QAction::triggered, this, [this] { SwitchMonitor(1); });
  connect(AddEntry(tools, "ClockSettings1", "&Options"), &QAction::triggered, this,
          [this] { OpenOptions(*this); });
  tools->addSeparator();
  connect(AddEntry(tools, "MeetingPlanner1", "Meeting &Planner"), &QAction::triggered, this,
          [this] { OpenMeetingPlanner(*this); });

  QMenu* help = mmMain->addMenu(QStringLiteral("&Help"));
  connect(AddEntry(help, "OnlineHelp1", "Online Help"), &QAction::triggered, this,
          [] { ShellOpen("open", ProgramFolder() + "help/index.html"); });
  connect(AddEntry(help, "About1", "&About"), &QAction::triggered, this, [this] { OpenAbout(*this); });
}

void MainWindow::buildPopupMenu() {
  PopupMenu = new QMenu(this);
  PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
  ShowWorldClockaswallpaper2 =
      AddCheck(PopupMenu, "ShowWorldClockaswallpaper2", "Show World Clock as wallpaper");
  connect(ShowWorldClockaswallpaper2, &QAction::triggered, this, [this] {
    ShowWorldClockasWallpaper1Click(*this);
    setWallpaperChecked(wallpaperOn);
  });
  DayNightShading2 = AddCheck(PopupMenu, "DayNightShading2", "Day Night Shading");
  connect(DayNightShading2, &QAction::triggered, this, [this] { toggleShading(); });
  connect(AddEntry(PopupMenu, "AddCityonMap1", "Add / Remove City on Map"), &QAction::triggered, this,
          [this] { OpenMapCities(*this); });
  connect(AddEntry(PopupMenu, "CityandTimeZoneManager1", "City and Time Zone Manager"), &QAction::triggered,
          this, [this] { OpenCityManager(*this); });
  connect(AddEntry(PopupMenu, "AddAnalogClock2", "Add New Analog Clock"), &QAction::triggered, this,
          [this] { OpenAnalogClockSetup(*this); });
  connect(AddEntry(PopupMenu, "HideAllAnalogClocks2", "Hide All Analog Clocks"), &QAction::triggered, this,
          [this] { HideAllAnalogClocks(*this); });
  connect(AddEntry(PopupMenu, "AddDigitalClock2", "Add New Digital Clock"), &QAction::triggered, this,
          [this] { OpenDigitalClockSetup(*this); });
  connect(AddEntry(PopupMenu, "HideAllDigitalClocks1", "Hide All Digital Clocks"), &QAction::triggered, this,
          [this] { HideAllDigitalClocks(*this); });
  connect(AddEntry(PopupMenu, "miShowCalendar", "Show calendar"), &QAction::triggered, this,
          [this] { OpenCalendar(*this); });
  miShowCodes = AddEntry(PopupMenu, "miShowCodes", "Show international dial codes");
  connect(miShowCodes, &QAction::triggered, this, [this] { OpenDialCodes(*this); });
  connect(AddEntry(PopupMenu, "miFinder", "Quick Time Finder"), &QAction::triggered, this,
          [this] { OpenTimeFinder(*this); });
  connect(AddEntry(PopupMenu, "miPlanner", "Meeting Planner"), &QAction::triggered, this,
          [this] { OpenMeetingPlanner(*this); });
  connect(AddEntry(PopupMenu, "AddaReminder1", "Manage Reminders"), &QAction::triggered, this,
          [this] { OpenReminders(*this); });
  connect(AddEntry(PopupMenu, "miSettings", "Program Options"), &QAction::triggered, this,
          [this] { OpenOptions(*this); });
  connect(AddEntry(PopupMenu, "miClose", "E&xit"), &QAction::triggered, this, &MainWindow::btnCloseClick);
}

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
  requests_.wallpaperUpdate = wallpaperOn;
  // Started minimised, the window is seen for about a second before it goes
  // to the tray, so that the user knows it started.
  if (!Timer->isActive()) Timer->start(!init && startMinimized ? kStartMinimizedShowMs : 0);
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
  if (!CloseAllowed(closeToTray, sessionending)) {
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
  WriteIntegerSetting(kSettingsKey, kMinimized, startMinimized ? 1 : 0);
  WriteIntegerSetting(kSettingsKey, kTheme, theme);

  // FormClose.
  if (wallpaperOn && removeWallpaperOnExit) ClearWallpaper(*this);
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
  closeToTray = false;  // in memory only; the stored setting stays
  Timer->stop();
  close();
}

void MainWindow::Exit1Click() { btnCloseClick(); }

// --------------------------------------------------------------- tick ---

TickInput MainWindow::tickInput() const {
  TickInput in;
  in.tickNow = LocalNow() + kDisplayLead;
  in.utcOffsetDays = UtcOffsetDays();
  in.firstTick = !init;
  in.startMinimized = startMinimized;
  in.minimized = inTray_ || isMinimized();
  in.mapReady = map_ready;
  in.baseMapBusy = map_.BaseMapBusy();
  in.requests = requests_;
  in.settings = {showUtc, wallpaperOn, desktopShowTimes, showBalloon};
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
    if (s.composeBaseMap) {
      map_.overlaySettings().showUtc = showUtc;
      map_.ComposeBaseMap(map_ready, TickNow);
    }
    const TickOutput o = FinishTick(in, s, map_ready);
    requests_ = o.requests;
    if (o.drawDisplay) drawDisplay();
    if (o.refreshWallpaper) RefreshWallpaper(*this, TickNow);
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
  map_.overlaySettings().showUtc = showUtc;
  QImage& picture = Display->picture();
  map_.DrawMapOverlay(picture, map_.baseMap(), desktopShowTimes, display_mapfont, false, TickNow);
  Display->setAccessibleDescription(QString::fromStdString(FormatDateTime("tt dddddd", TickNow, format_)));
  Display->repaint();
  if (!firstMapSignalled_) {
    firstMapSignalled_ = true;
    emit firstMapShown();
  }
}

void MainWindow::tmrRemTimer() { CheckRem(*this); }

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

// ----------------------------------------------------------- commands ---

void MainWindow::applyEffect(const CommandEffect& e) {
  requests_ |= e.requests;
  if (e.wallpaperLook) wallpaperLook = true;
}

void MainWindow::toggleShading() {
  // The new state is the opposite of the main-menu entry's former check,
  // whichever of the three places was used.
  const bool on = !map_.nightShading();
  setShadingChecked(on);
  applyEffect(RunToggle(kDayNightShadingCommand, on));
}

void MainWindow::chooseFont(const FontCommand& command, MapFont& font) {
  const std::optional<FontChange> change = ChooseMapFont(this, font, QStringLiteral("Font"));
  // OK without a change is no change: the stored record stays as it is.
  if (!change || !change->any()) return;
  FontRecord stored;
  bool hasStored = false;
  try {
    hasStored = ReadFontSetting(kSettingsKey, command.setting, stored);
  } catch (const SettingsError&) {
  }
  const FontRecord record =
      ApplyFontChange(hasStored ? stored : RecordFromFont(font.font, font.color), *change);
  const ColouredFont shown = FontFromRecord(record);
  font = MapFont{shown.font, shown.color};
  applyEffect(RunFontCommand(command, record));
}

void MainWindow::SwitchMonitor(int monitor) {
  const QList<QScreen*> screens = QGuiApplication::screens();
  if (screens.isEmpty()) return;
  if (monitor < 0 || monitor >= screens.size()) monitor = 0;  // a monitor that has gone
  const QRect m = screens[monitor]->geometry();
  const QRect f = frameGeometry();
  move(m.left() + (m.width() - f.width()) / 2, m.top() + (m.height() - f.height()) / 2);
  keepOnWorkArea();
  curMonitor = monitor;
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
    SwitchMonitor(curMonitor);
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
  windowSize = iSize;
  for (int i = 0; i < mapSizeEntries_.size(); ++i) mapSizeEntries_[i]->setChecked(i == iSize);
  // The map at its new size at once, from the base map it already has,
  // rather than black until the next tick.
  if (map_ready && isVisible() && !isMinimized()) drawDisplay();
}

void MainWindow::SetTheme() {
  smClock->applyTheme(theme);
  // A skin has its own fonts and paddings: the menus may need another row.
  if (mapWidth_ > 0) layoutForMapSize(mapWidth_);
}

void MainWindow::HotKeyManagerHotKeyPressed(quint32 hotKey, quint32) {
  switch (HotKeyRowOf(hotKey)) {
    case 1:
      btnMinimizeClick();
      break;
    case 2:
      OpenOrCloseCalendar(*this);
      break;
    case 3:
      OpenOrCloseDialCodes(*this);
      break;
    case 4:
      OpenOrCloseTimeFinder(*this);
      break;
    case 5:
      OpenAllCitiesList(*this);
      break;
    default:
      break;
  }
}

// ------------------------------------------------ state for the loader ---

void MainWindow::setShadingChecked(bool on) {
  map_.setNightShading(on);
  DayNightShading1->setChecked(on);
  DayNightShading2->setChecked(on);
  btnDayNight->setChecked(on);
}

void MainWindow::setShowDateChecked(bool on) {
  overlay().showDate = on;
  ShowDate1->setChecked(on);
}

void MainWindow::setShowTipsChecked(bool on) {
  ShowTimeatMousePosition1->setChecked(on);
  Display->setHintsEnabled(on);
}

void MainWindow::setShowDateLineChecked(bool on) {
  overlay().showDateLine = on;
  ShowDateLine1->setChecked(on);
}

void MainWindow::setWallpaperChecked(bool on) {
  wallpaperOn = on;
  ShowWorldClockasWallpaper1->setChecked(on);
  ShowWorldClockaswallpaper2->setChecked(on);
  btnWall->setChecked(on);
  Zoomtofullheight1->setEnabled(on);
  RemovewallpaperonExit1->setEnabled(on);
  ShowTimeonMap1->setEnabled(on);
}

void MainWindow::setShowUtcChecked(bool on) {
  showUtc = on;
  (on ? ShowUTCTime1 : ShowLocalTime1)->setChecked(true);
}

void MainWindow::setShowTimesChecked(bool on) {
  desktopShowTimes = on;
  ShowTimeonMap1->setChecked(on);
}

void MainWindow::setScreenSaverChecked(bool on) {
  screenSaverOn = on;
  SetWorldClockMapasScreenSaver1->setChecked(on);
  SetWorldClockMapasScreenSaver1->setText(on ? QStringLiteral("Disable World Clock Screensaver")
                                             : QStringLiteral("Enable World Clock Screensaver"));
  btnSSaver->setChecked(on);
}

void MainWindow::setFullHeightChecked(bool on) {
  wallpaperFullHeight = on;
  Zoomtofullheight1->setChecked(on);
}

void MainWindow::setRemoveOnExitChecked(bool on) {
  removeWallpaperOnExit = on;
  RemovewallpaperonExit1->setChecked(on);
}

void MainWindow::setPopupOnMap(bool on) { Display->setPopupMenu(on ? PopupMenu : nullptr); }

void MainWindow::setMapView(int view) { map_.setMapView(view); }

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

bool MainWindow::wallpaperMenuChecked() const { return ShowWorldClockasWallpaper1->isChecked(); }

}  // namespace wc
