// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// MainWindow, the main window: the map with its tool-bar panel, the menus,
// the tray icon and the one-second tick. Decisions live in Tick.h and
// Commands.h; this class carries them out.

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <string>

#include "app/Commands.h"
#include "app/Tick.h"
#include "core/FormatDateTime.h"
#include "map/WorldMap.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QSystemTrayIcon;
class QTimer;
class QToolButton;
class QWidget;

namespace wc {

class MapImage;
class MenuRows;
class HotKeyManager;
class SkinManager;
class OptionsDialog;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  MainWindow();  // FormCreate
  ~MainWindow() override;

  // ---- state the start-up loader and the later windows work with ----
  WorldMap& worldMap() { return map_; }
  MapFont& displayMapFont() { return display_mapfont; }
  OverlaySettings& overlay() { return map_.overlaySettings(); }
  const FormatSettings& formatSettings() const { return format_; }

  void requestRedraw(const TickRequests& r) { requests_ |= r; }
  const TickRequests& requests() const { return requests_; }

  bool closeToTray = false;      // the options dialog's "Minimize to system tray when Closed"
  bool startMinimized = false;   // the program-wide start-minimized flag
  bool showUtc = false;          // "Show UTC"
  bool showBalloon = false;      // "Show Balloon"
  bool wallpaperOn = false;      // "Desktop Wallpaper"
  bool desktopShowTimes = true;  // "Desktop Show Times"
  bool removeWallpaperOnExit = true;
  bool wallpaperFullHeight = false;  // "Desktop Full Height"
  bool screenSaverOn = false;        // "SetScreenSave"
  bool wallpaperLook = false;        // the options dialog's wallpaper-look flag
  int theme = 1;                     // "Theme"
  int curMonitor = 0;                // "CurMonitor"
  int windowSize = 3;                // "Window Size" as last applied

  // Check marks and button states the loader sets.
  void setShadingChecked(bool on);
  void setShowDateChecked(bool on);
  void setShowTipsChecked(bool on);
  void setShowDateLineChecked(bool on);
  void setShowUtcChecked(bool on);    // "Show Local Time" / "Show UTC Time"
  void setShowTimesChecked(bool on);  // "Show Time on Map"
  void setWallpaperChecked(bool on);
  void setScreenSaverChecked(bool on);
  void setFullHeightChecked(bool on);
  void setRemoveOnExitChecked(bool on);
  void setPopupOnMap(bool on);  // "ShowPopup"
  void setMapView(int view);
  void setBackgroundColour(const QColor& colour);  // behind the map and its loading label
  bool wallpaperMenuChecked() const;               // "Show World Map as Wallpaper"

  // Components of the window: the global hot keys and the skins.
  HotKeyManager* hotKeys = nullptr;
  SkinManager* smClock = nullptr;
  // The options dialog, created right after the window (program-wide).
  OptionsDialog* WCSettings = nullptr;

  bool isInTray() const { return inTray_; }
  QSystemTrayIcon* trayIcon() const { return TrayIconN; }
  QMenu* popupMenu() const { return PopupMenu; }
  MapImage* display() const { return Display; }
  MenuRows* mainMenu() const { return mmMain; }

 public slots:
  void TimerTimer();
  void tmrRemTimer();
  void btnMinimizeClick();  // minimize to the tray, or restore
  void trayIconClick();
  void btnCloseClick();
  void Exit1Click();
  void SwitchMonitor(int monitor);
  void DoWindowSize(int iSize);
  void SetTheme();
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
  void CheckBasicFiles();
  void FormDestroy();
  void buildMenus();
  void buildToolBar();
  void buildPopupMenu();
  void layoutForMapSize(int width);
  void minimizeOrRestore(bool fromTray);
  void minimizeToTray(bool fromTray);
  void restoreFromTray(bool fromTray);
  void applyEffect(const CommandEffect& e);
  void toggleShading();
  void chooseFont(const FontCommand& command, MapFont& font);
  void drawDisplay();
  TickInput tickInput() const;

  WorldMap map_;
  MapFont display_mapfont;
  FormatSettings format_;
  TickRequests requests_;
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

  // Main-menu entries and tool buttons the commands keep in step.
  QAction* Minimizetotray1 = nullptr;
  QAction* DayNightShading1 = nullptr;
  QAction* DayNightShading2 = nullptr;
  QAction* ShowDate1 = nullptr;
  QAction* ShowTimeatMousePosition1 = nullptr;
  QAction* ShowDateLine1 = nullptr;
  QAction* N12HRS1 = nullptr;
  QAction* N24HRS1 = nullptr;
  QAction* LeftAlign1 = nullptr;
  QAction* RightAlign1 = nullptr;
  QAction* CenterAlign1 = nullptr;
  QAction* ShowWorldClockasWallpaper1 = nullptr;
  QAction* ShowWorldClockaswallpaper2 = nullptr;
  QAction* Zoomtofullheight1 = nullptr;
  QAction* RemovewallpaperonExit1 = nullptr;
  QAction* ShowTimeonMap1 = nullptr;
  QAction* ShowLocalTime1 = nullptr;
  QAction* ShowUTCTime1 = nullptr;
  QAction* SetWorldClockMapasScreenSaver1 = nullptr;
  QAction* SwitchtoMonitor21 = nullptr;
  QAction* miShowCodes = nullptr;
  QList<QAction*> mapSizeEntries_;
  QToolButton* btnWall = nullptr;
  QToolButton* btnDayNight = nullptr;
  QToolButton* btnSSaver = nullptr;
};

}  // namespace wc
