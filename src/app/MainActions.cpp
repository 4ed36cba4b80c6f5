// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/MainActions.h"

#include <QAction>
#include <QActionGroup>
#include <QHBoxLayout>
#include <QMenu>
#include <QToolButton>

#include "app/MenuRows.h"
#include "app/ToolIcons.h"

namespace wc {

namespace {

QString Text(const char* caption) { return QString::fromUtf8(caption); }

}  // namespace

MainActions::MainActions()
    : sizeGroup_(new QActionGroup(this)),
      formatGroup_(new QActionGroup(this)),
      zoneGroup_(new QActionGroup(this)),
      alignGroup_(new QActionGroup(this)) {
  for (Command& c : mapSize) c.setGroup(sizeGroup_);
  for (Command* c : {&time12, &time24}) c->setGroup(formatGroup_);
  for (Command* c : {&showLocalTime, &showUtcTime}) c->setGroup(zoneGroup_);
  for (Command& c : dateAlignment) c.setGroup(alignGroup_);
  for (Command* c : all()) connect(c, &Command::ran, this, &MainActions::refresh);
}

MainActions::~MainActions() = default;

QList<Command*> MainActions::all() {
  QList<Command*> out{&minimizeToTray,
                      &exit,
                      &addAnalogClock,
                      &hideAnalogClocks,
                      &addDigitalClock,
                      &hideDigitalClocks,
                      &mapCities,
                      &shading,
                      &windowDateFont,
                      &windowCityFont,
                      &showDate,
                      &showTips,
                      &showDateLine,
                      &time12,
                      &time24,
                      &showLocalTime,
                      &showUtcTime,
                      &wallpaper,
                      &fullHeight,
                      &removeOnExit,
                      &showTimes,
                      &wallpaperDateFont,
                      &wallpaperCityFont,
                      &screenSaver,
                      &previewScreenSaver,
                      &cityManager,
                      &allCities,
                      &timeFinder,
                      &reminders,
                      &calendar,
                      &dialCodes,
                      &options,
                      &meetingPlanner,
                      &help,
                      &about};
  for (Command& c : mapSize) out << &c;
  for (Command& c : mapView) out << &c;
  for (Command& c : dateAlignment) out << &c;
  for (Command& c : theme) out << &c;
  for (Command& c : monitor) out << &c;
  return out;
}

void MainActions::refresh() {
  for (Command* c : all()) c->refresh();
}

void MainActions::buildMenuBar(MenuRows& bar) {
  QMenu* file = bar.addMenu(QStringLiteral("&File"));
  minimizeToTray.addTo(file, Text("Minimize to system tray"), "Minimizetotray1");
  exit.addTo(file, Text("E&xit World Clock"), "Exit1");

  QMenu* clocks = bar.addMenu(QStringLiteral("&DesktopClock"));
  addAnalogClock.addTo(clocks, Text("&Add New Analog Clock "), "AddAnalogClock1");
  hideAnalogClocks.addTo(clocks, Text("Hide All Analog Clocks"), "HideAllAnalogClocks1");
  addDigitalClock.addTo(clocks, Text("Add New &Digital Clock"), "AddDigitalClock1");
  hideDigitalClocks.addTo(clocks, Text("Hide All Digital Clocks"), "HideAllDigitalClocks2");

  QMenu* world = bar.addMenu(QStringLiteral("WorldMap"));
  mapCities.addTo(world, Text("Add / Remove City on Map"), "AddRemoveCityonMap1");
  shading.addTo(world, Text("Show Day-night Shading"), "DayNightShading1");
  QMenu* sizes = world->addMenu(QStringLiteral("Change Map Size"));
  sizes->menuAction()->setObjectName(QStringLiteral("MapSize3"));
  for (int i = 0; i < kMapSizeCount; ++i) {
    mapSize[static_cast<std::size_t>(i)]
        .addTo(sizes, QString::fromLatin1(MapSizeFor(i).caption))
        ->setObjectName(QStringLiteral("MapSizeItem%1").arg(i));
  }
  QMenu* views = world->addMenu(QStringLiteral("Change Map View"));
  views->menuAction()->setObjectName(QStringLiteral("ChangeMapView1"));
  const char* viewCaptions[] = {"Centered on Europe", "Centered on America", "Centered on Australasia"};
  for (std::size_t v = 0; v < mapView.size(); ++v)
    mapView[v].addTo(views, QString::fromLatin1(viewCaptions[v]));
  windowDateFont.addTo(world, Text("Change Date Font"), "DateTimeFont1");
  windowCityFont.addTo(world, Text("Change City Font"), "MapFont1");
  showDate.addTo(world, Text("Show Date on Map"), "ShowDate1");
  showTips.addTo(world, Text("Show Time at Mouse Position"), "ShowTimeatMousePosition1");
  showDateLine.addTo(world, Text("Show Date Line"), "ShowDateLine1");
  QMenu* timeFormat = world->addMenu(QStringLiteral("Time Format"));
  timeFormat->menuAction()->setObjectName(QStringLiteral("imeFormat1"));
  time12.addTo(timeFormat, Text("12 HRS"), "N12HRS1");
  time24.addTo(timeFormat, Text("24 HRS"), "N24HRS1");
  showLocalTime.addTo(world, Text("Show Local Time"), "ShowLocalTime1");
  showUtcTime.addTo(world, Text("Show UTC Time"), "ShowUTCTime1");

  QMenu* wall = bar.addMenu(QStringLiteral("&Wallpaper"));
  wallpaper.addTo(wall, Text("Show World Map as Wallpaper"), "ShowWorldClockasWallpaper1");
  fullHeight.addTo(wall, Text("Stretch Wallpaper to full height"), "Zoomtofullheight1");
  removeOnExit.addTo(wall, Text("Remove Wallpaper on Exit"), "RemovewallpaperonExit1");
  showTimes.addTo(wall, Text("Show Time on Map"), "ShowTimeonMap1");
  QMenu* align = wall->addMenu(QStringLiteral("Date Alignment"));
  align->menuAction()->setObjectName(QStringLiteral("DateAlignment1"));
  dateAlignment[0].addTo(align, Text("Left Align"), "LeftAlign1");
  dateAlignment[1].addTo(align, Text("Right Align"), "RightAlign1");
  dateAlignment[2].addTo(align, Text("Center Align"), "CenterAlign1");
  wallpaperDateFont.addTo(wall, Text("Change Date Font"), "DateFont1");
  wallpaperCityFont.addTo(wall, Text("Change City Font"), "ChangeCityFont1");

  QMenu* saver = bar.addMenu(QStringLiteral("&Screensaver"));
  screenSaverEntry_ =
      screenSaver.addTo(saver, Text("Set World Clock as ScreenSaver"), "SetWorldClockMapasScreenSaver1");
  previewScreenSaver.addTo(saver, Text("Preview ScreenSaver"), "PreviewScreenSaver1");

  QMenu* tools = bar.addMenu(QStringLiteral("&Tools"));
  cityManager.addTo(tools, Text("City and Time Zone Manager"), "ManageCityList1");
  allCities.addTo(tools, Text("List of All Cities with Current Time"), "AllCityListwithCurrentTime1");
  timeFinder.addTo(tools, Text("Quick Time Finder"), "imeFinder1");
  reminders.addTo(tools, Text("&Manage Reminders"), "Reminders1");
  calendar.addTo(tools, Text("Calendar at a glance"), "ShowCalendar1");
  dialCodes.addTo(tools, Text("International dial codes"), "Showinternationaldialcodes1");
  QMenu* themes = tools->addMenu(QStringLiteral("Change Theme"));
  themes->menuAction()->setObjectName(QStringLiteral("ChangeTheme2"));
  const char* themeCaptions[] = {"Office 2007 Theme", "Shine Theme", "Beijing Theme",
                                 "Office 2010 Blue Theme", "Mac OS 2 Theme"};
  for (std::size_t t = 0; t < theme.size(); ++t)
    theme[t].addTo(themes, QString::fromLatin1(themeCaptions[t]));
  QMenu* monitors = tools->addMenu(QStringLiteral("Switch Monitor"));
  monitors->menuAction()->setObjectName(QStringLiteral("Multimonitor1"));
  monitor[0].addTo(monitors, Text("Switch to Monitor 1"), "SwitchtoMonitor11");
  monitor[1].addTo(monitors, Text("Switch to Monitor 2"), "SwitchtoMonitor21");
  options.addTo(tools, Text("&Options"), "ClockSettings1");
  tools->addSeparator();
  meetingPlanner.addTo(tools, Text("Meeting &Planner"), "MeetingPlanner1");

  QMenu* helpMenu = bar.addMenu(QStringLiteral("&Help"));
  help.addTo(helpMenu, Text("Online Help"), "OnlineHelp1");
  about.addTo(helpMenu, Text("&About"), "About1");
}

void MainActions::buildPopupMenu(QMenu& popup) {
  popup.setObjectName(QStringLiteral("PopupMenu"));
  wallpaper.addTo(&popup, Text("Show World Clock as wallpaper"), "ShowWorldClockaswallpaper2");
  shading.addTo(&popup, Text("Day Night Shading"), "DayNightShading2");
  mapCities.addTo(&popup, Text("Add / Remove City on Map"), "AddCityonMap1");
  cityManager.addTo(&popup, Text("City and Time Zone Manager"), "CityandTimeZoneManager1");
  addAnalogClock.addTo(&popup, Text("Add New Analog Clock"), "AddAnalogClock2");
  hideAnalogClocks.addTo(&popup, Text("Hide All Analog Clocks"), "HideAllAnalogClocks2");
  addDigitalClock.addTo(&popup, Text("Add New Digital Clock"), "AddDigitalClock2");
  hideDigitalClocks.addTo(&popup, Text("Hide All Digital Clocks"), "HideAllDigitalClocks1");
  calendar.addTo(&popup, Text("Show calendar"), "miShowCalendar");
  dialCodesPopupEntry_ = dialCodes.addTo(&popup, Text("Show international dial codes"), "miShowCodes");
  timeFinder.addTo(&popup, Text("Quick Time Finder"), "miFinder");
  meetingPlanner.addTo(&popup, Text("Meeting Planner"), "miPlanner");
  reminders.addTo(&popup, Text("Manage Reminders"), "AddaReminder1");
  options.addTo(&popup, Text("Program Options"), "miSettings");
  exit.addTo(&popup, Text("E&xit"), "miClose");
}

QList<QToolButton*> MainActions::buildToolBar(QWidget& panel) {
  auto* row = new QHBoxLayout(&panel);
  row->setContentsMargins(2, 2, 2, 2);
  row->setSpacing(1);
  QList<QToolButton*> buttons;
  auto add = [&](Command& command, const char* name, const char* caption, const char* hint,
                 ToolPicture picture) {
    // The button's own view: its caption, hint and picture.
    auto* view = new QAction(ToolIcon(picture), Text(caption), &panel);
    view->setIconText(Text(caption));
    view->setToolTip(Text(hint));
    view->setStatusTip(Text(hint));
    command.bind(view);
    auto* b = new QToolButton(&panel);
    b->setObjectName(QString::fromLatin1(name));
    b->setDefaultAction(view);
    b->setAccessibleName(Text(caption).replace(QStringLiteral("&&"), QStringLiteral("&")));
    b->setIconSize(QSize(28, 28));
    b->setAutoRaise(true);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    row->addWidget(b);
    buttons << b;
  };
  add(addAnalogClock, "btnAClock", "Add Analog Clock", "Add Analog Clock on your Desktop",
      ToolPicture::AnalogClock);
  add(addDigitalClock, "btnDigClock", "Add Digital Clock", "Add Digital Clock on your Desktop",
      ToolPicture::DigitalClock);
  add(wallpaper, "btnWall", "Set as Wallpaper", "Set world map with current time as wallpaper",
      ToolPicture::Wallpaper);
  add(shading, "btnDayNight", "Show Day night shades", "Show or hide day night shading on the world map",
      ToolPicture::DayNight);
  add(options, "btnOpt", "Program Options", "Open program options window to customize World Clock settings",
      ToolPicture::Options);
  add(calendar, "btnCal", "Calendar at a glance", "Show calendar at a glance", ToolPicture::Calendar);
  add(help, "sSpeedButton1", "Online Help", "Visit website for online help", ToolPicture::Help);
  add(cityManager, "btnTimeZoneEdit", "City && Time Zone Manager", "Open city and time zone manager",
      ToolPicture::CityManager);
  add(screenSaver, "btnSSaver", "Set as Screensaver", "Set world map with current time as screensaver",
      ToolPicture::ScreenSaver);
  return buttons;
}

}  // namespace wc
