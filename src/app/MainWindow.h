// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// MainWindow: the map with its tool-bar panel, the menus, the tray icon and
// the one-second tick. It owns the program's services (the loaded city table,
// the reminders, the desktop clocks, the global hot keys) and hands them to
// the windows that need them through Routes. Decisions live in Tick.h and
// Commands.h; the commands and their views in MainActions; this class keeps
// the state they show and carries them out. The options dialog reaches it
// only as its OptionsHost.

#include <QMainWindow>
#include <memory>
#include <string>

#include "app/Commands.h"
#include "app/Tick.h"
#include "core/CityTable.h"
#include "core/FormatDateTime.h"
#include "map/WorldMap.h"
#include "options/OptionsHost.h"
#include "reminders/ReminderStore.h"

class QLabel;
class QMenu;
class QSystemTrayIcon;
class QTimer;
class QToolButton;
class QWidget;

namespace wc {

class DesktopClocks;
class HotKeyManager;
class MainActions;
class MapImage;
class MenuRows;
class OptionsDialog;
class Routes;
class SettingsReader;
class SkinManager;
class Wallpaper;
class WallpaperBackend;
struct FontCommand;

class MainWindow : public QMainWindow, public OptionsHost {
  Q_OBJECT
 public:
  // Made from the map engine (its pictures already decoding) and the loaded
  // city table, which it keeps, and the stored settings its menus and look
  // start from (problems noted in stored).
  MainWindow(WorldMap map, CityTable cities, SettingsReader& stored);
  ~MainWindow() override;

  // The start-up steps after the window is made, in this order (StartUp.cpp).
  void loadClocks(SettingsReader& stored);
  void loadReminders();
  // The options dialog is made; it applies every stored setting to this
  // window and registers the stored hot keys.
  void applyStoredSettings(SettingsReader& stored);

  // ---- what the tests and the start-up measurement look at ----
  WorldMap& worldMap() { return map_; }
  // The desktop the wallpaper goes to (tests give a recording one).
  void setWallpaperBackend(std::unique_ptr<WallpaperBackend> backend);
  MapFont& displayMapFont() { return display_mapfont; }
  OverlaySettings& overlay() { return map_.overlaySettings(); }
  const FormatSettings& formatSettings() const { return format_; }
  const CityTable& cities() const { return cities_; }
  ReminderStore& reminders() { return reminders_; }
  DesktopClocks* desktopClocks() const { return clocks_; }
  HotKeyManager& hotKeys() const { return *hotKeys_; }
  OptionsDialog* optionsDialog() const { return options_; }
  MainActions& actions() const { return *actions_; }

  void requestRedraw(const TickRequests& r) { requests_ |= r; }
  const TickRequests& requests() const { return requests_; }

  int theme() const { return theme_; }
  bool closeToTray() const { return closeToTray_; }
  bool showTimesOnMap() const { return showTimesOnMap_; }

  bool isInTray() const { return inTray_; }
  QSystemTrayIcon* trayIcon() const { return TrayIconN; }
  QMenu* popupMenu() const { return PopupMenu; }
  MapImage* display() const { return Display; }
  MenuRows* mainMenu() const { return mmMain; }

  // ---- OptionsHost ----
  void setCloseToTray(bool on) override;
  void showScreenSaverState(bool on) override;
  void setBackgroundColour(const QColor& colour) override;
  void setMapFonts(const ColouredFont& date, const ColouredFont& city) override;
  void applyMapSwitches(const MapSwitches& switches) override;
  int mapView() const override;
  std::span<Cities> displayCities() override;
  void applyWallpaperChecks(const WallpaperChecks& checks) override;
  bool wallpaperOn() const override { return wallpaperOn_; }
  void switchWallpaper(bool on) override;
  void setWallpaperFonts(const ColouredFont& date, const ColouredFont& city) override;
  bool wallpaperLookChanged() const override { return wallpaperLookChanged_; }
  void clearWallpaperLookChanged() override { wallpaperLookChanged_ = false; }
  bool startMinimized() const override { return startMinimized_; }
  void setStartMinimized(bool on) override { startMinimized_ = on; }
  void setBalloon(bool on) override;
  void doWindowSize(int windowSize) override { DoWindowSize(windowSize); }
  void requestMapRecompose() override { requests_.mapRecompose = true; }
  void requestDisplayRedraw() override { requests_.displayRedraw = true; }
  void attachPopupMenu(bool attached) override;

 public slots:
  void TimerTimer();
  void tmrRemTimer();
  void btnMinimizeClick();  // minimize to the tray, or restore
  void trayIconClick();
  void btnCloseClick();
  void SwitchMonitor(int monitor);
  void DoWindowSize(int iSize);
  void SetTheme(int theme);
  // A registered hot key was pressed: the first row holding it acts.
  void HotKeyManagerHotKeyPressed(quint32 hotKey, quint32 index);
  // The session ends (log-off, SIGTERM): the close goes through even in
  // close-to-tray mode, and the files are written.
  void endSession();
  // Places the window on its monitor once its size is final.
  void placeOnMonitor();
  // Moves the window into the work area of the monitor it is on.
  void keepOnWorkArea();

 signals:
  // Emitted once the first map is on screen (start-up measurement).
  void firstMapShown();

 protected:
  void showEvent(QShowEvent* e) override;      // FormShow
  void resizeEvent(QResizeEvent* e) override;  // FormResize
  void closeEvent(QCloseEvent* e) override;    // FormCloseQuery, FormClose
  void changeEvent(QEvent* e) override;

 private:
  void wireCommands();
  void layoutForMapSize(int width);
  void minimizeOrRestore(bool fromTray);
  void minimizeToTray(bool fromTray);
  void restoreFromTray(bool fromTray);
  void applyEffect(const CommandEffect& e);
  void toggleShading();
  void setShowUtc(bool on);
  void chooseFont(const FontCommand& command, MapFont& font);
  void toggleWallpaperLookSwitch(bool& on, const char* setting);
  void toggleScreenSaver();
  void previewScreenSaver();
  Wallpaper& wallpaper();
  void refreshWallpaper();
  void clearWallpaper();
  void openOptions();
  void drawDisplay();
  TickInput tickInput() const;

  WorldMap map_;
  MapFont display_mapfont;
  FormatSettings format_;
  TickRequests requests_;

  // The services the window owns and hands on.
  CityTable cities_;
  ReminderStore reminders_;
  DesktopClocks* clocks_ = nullptr;
  HotKeyManager* hotKeys_ = nullptr;
  SkinManager* smClock = nullptr;
  OptionsDialog* options_ = nullptr;
  std::unique_ptr<Routes> routes_;
  std::unique_ptr<MainActions> actions_;
  std::unique_ptr<Wallpaper> wallpaper_;  // made on first use

  // The stored settings the window holds (the map's own are in map_).
  bool closeToTray_ = false;     // "Minimize to system tray when Closed"
  bool startMinimized_ = false;  // "Minimized"
  bool showBalloon_ = false;     // "Show Balloon"
  bool wallpaperOn_ = false;     // "Desktop Wallpaper"
  bool showTimesOnMap_ = true;   // "Desktop Show Times"
  bool removeWallpaperOnExit_ = true;
  bool wallpaperFullHeight_ = false;  // "Desktop Full Height"
  bool screenSaverOn_ = false;        // "SetScreenSave"
  // The wallpaper's look changed since it was last put in place: the next
  // switch or "OK" draws it anew.
  bool wallpaperLookChanged_ = false;
  int theme_ = 1;       // "Theme"
  int curMonitor_ = 0;  // "CurMonitor"
  int windowSize_ = 3;  // "Window Size" as last applied

  bool init = false;
  bool sessionending = false;
  bool map_ready = false;
  bool inTray_ = false;
  bool firstMapSignalled_ = false;
  bool closing_ = false;
  bool inTick_ = false;
  bool shownOnce_ = false;
  int mapWidth_ = 0;  // as last laid out
  DateTime TickNow = 0;
  std::string TimeText, LastTimeText, DateText;

  MenuRows* mmMain = nullptr;
  QWidget* DateTime1 = nullptr;
  MapImage* Display = nullptr;
  QLabel* lblLoading = nullptr;
  QTimer* Timer = nullptr;
  QTimer* tmrRem = nullptr;
  QSystemTrayIcon* TrayIconN = nullptr;
  QMenu* PopupMenu = nullptr;
  QList<QToolButton*> toolButtons_;
};

}  // namespace wc
