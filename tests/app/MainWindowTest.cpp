// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window under the offscreen platform: what the menus, tool bar and
// pop-up menu read, the commands' effects on each other and on the stored
// settings, the start-up loader's defaults, and the close paths.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QEventLoop>
#include <QFontDialog>
#include <QFontInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "RecordingWallpaper.h"
#include "TestSupport.h"
#include "WindowTestHome.h"
#include "app/MainWindow.h"
#include "app/StartUp.h"
#include "app/MapImage.h"
#include "app/MenuRow.h"
#include "app/MenuRows.h"
#include "app/ToolIcons.h"
#include "app/Wallpaper.h"
#include "core/AtomicFile.h"
#include "core/CityTable.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/SettingsBackend.h"
#include "core/SettingsReader.h"
#include "options/OptionsDialog.h"
#include "platform/FontRecordQt.h"
#include "platform/LocaleFormat.h"
#include "platform/SettingsReads.h"

namespace wc {
namespace {

std::string Dump(const QList<QAction*>& actions, int depth = 0) {
  std::string out;
  for (QAction* a : actions) {
    if (!a->isVisible()) continue;
    out += std::string(depth * 2, ' ') + (a->isSeparator() ? "-" : a->text().toStdString()) + "\n";
    if (a->menu()) out += Dump(a->menu()->actions(), depth + 1);
  }
  return out;
}

class Window : public ::testing::Test {
 protected:
  void SetUp() override {
    SetSettingsBackend(nullptr);
    // The shipped files, with stand-ins for the clock theme descriptions so
    // that no start-up warning waits for a click.
    program_ = home_.dir + "/program/";
    std::filesystem::create_directories(program_ + "askins");
    std::filesystem::create_directories(program_ + "dskins");
    std::ofstream(program_ + "askins/aclock.ini").put('\n');
    std::ofstream(program_ + "dskins/dclock.ini").put('\n');
    for (const char* f : {"citydata.dat", "dialcodes.dat", "day.jpg", "night.jpg", "dot.ico", "sun1.ico"}) {
      std::error_code ec;
      std::filesystem::create_symlink(std::string(WC_PROGRAM_DIR) + f, program_ + f, ec);
    }
    SetProgramFolder(program_);
  }
  void TearDown() override { window_.reset(); }
  // The window as the program starts it, or (not loaded) only made, its
  // stored settings not yet applied.
  MainWindow& open(bool load = true) {
    if (load) {
      window_ = StartUp();
    } else {
      SettingsReader stored;
      window_ = std::make_unique<MainWindow>(WorldMap(ProgramFolder()), CityTable(), stored);
    }
    return *window_;
  }
  template <class T>
  T* child(const char* name) {
    T* c = window_->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
  }

  test::PrivateHome home_;
  std::string program_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(Window, MenusToolBarAndPopUpMenuReadAsDesigned) {
  MainWindow& w = open(false);
  EXPECT_EQ(w.windowTitle(), "Tavrel World Clock Pro");
  EXPECT_EQ(Dump(w.mainMenu()->entries()),
            "&File\n"
            "  Minimize to system tray\n"
            "  E&xit World Clock\n"
            "&DesktopClock\n"
            "  &Add New Analog Clock \n"
            "  Hide All Analog Clocks\n"
            "  Add New &Digital Clock\n"
            "  Hide All Digital Clocks\n"
            "WorldMap\n"
            "  Add / Remove City on Map\n"
            "  Show Day-night Shading\n"
            "  Change Map Size\n"
            "    400 x 200\n    480 x 240\n    600 x 300\n    800 x 400\n    1000 x 500\n"
            "    1200 x 600\n    1600 x 800\n    1800 x 900\n    2000 x 1000\n"
            "  Change Map View\n"
            "    Centered on Europe\n    Centered on America\n    Centered on Australasia\n"
            "  Change Date Font\n"
            "  Change City Font\n"
            "  Show Date on Map\n"
            "  Show Time at Mouse Position\n"
            "  Show Date Line\n"
            "  Time Format\n"
            "    12 HRS\n    24 HRS\n"
            "  Show Local Time\n"
            "  Show UTC Time\n"
            "&Wallpaper\n"
            "  Show World Map as Wallpaper\n"
            "  Stretch Wallpaper to full height\n"
            "  Remove Wallpaper on Exit\n"
            "  Show Time on Map\n"
            "  Date Alignment\n"
            "    Left Align\n    Right Align\n    Center Align\n"
            "  Change Date Font\n"
            "  Change City Font\n"
            "&Screensaver\n"
            "  Set World Clock as ScreenSaver\n"
            "  Preview ScreenSaver\n"
            "&Tools\n"
            "  City and Time Zone Manager\n"
            "  List of All Cities with Current Time\n"
            "  Quick Time Finder\n"
            "  &Manage Reminders\n"
            "  Calendar at a glance\n"
            "  International dial codes\n"
            "  Change Theme\n"
            "    Office 2007 Theme\n    Shine Theme\n    Beijing Theme\n    Office 2010 Blue Theme\n"
            "    Mac OS 2 Theme\n"
            "  Switch Monitor\n"
            "    Switch to Monitor 1\n"
            "  &Options\n"
            "  -\n"
            "  Meeting &Planner\n"
            "&Help\n"
            "  Online Help\n"
            "  &About\n");

  std::string buttons;
  for (QToolButton* b : w.findChildren<QToolButton*>()) {
    if (b->parent()->objectName() != "DateTime1") continue;
    buttons += b->objectName().toStdString() + " | " + b->text().toStdString() + " | " +
               b->toolTip().toStdString() + "\n";
  }
  EXPECT_EQ(buttons,
            "btnAClock | Add Analog Clock | Add Analog Clock on your Desktop\n"
            "btnDigClock | Add Digital Clock | Add Digital Clock on your Desktop\n"
            "btnWall | Set as Wallpaper | Set world map with current time as wallpaper\n"
            "btnDayNight | Show Day night shades | Show or hide day night shading on the world map\n"
            "btnOpt | Program Options | Open program options window to customize World Clock settings\n"
            "btnCal | Calendar at a glance | Show calendar at a glance\n"
            "sSpeedButton1 | Online Help | Visit website for online help\n"
            "btnTimeZoneEdit | City && Time Zone Manager | Open city and time zone manager\n"
            "btnSSaver | Set as Screensaver | Set world map with current time as screensaver\n");

  EXPECT_EQ(Dump(w.popupMenu()->actions()),
            "Show World Clock as wallpaper\n"
            "Day Night Shading\n"
            "Add / Remove City on Map\n"
            "City and Time Zone Manager\n"
            "Add New Analog Clock\n"
            "Hide All Analog Clocks\n"
            "Add New Digital Clock\n"
            "Hide All Digital Clocks\n"
            "Show calendar\n"
            "Show international dial codes\n"
            "Quick Time Finder\n"
            "Meeting Planner\n"
            "Manage Reminders\n"
            "Program Options\n"
            "E&xit\n");
}

TEST_F(Window, SeedsTheDataFolderAndHidesTheDialCodesEntryWithoutItsFile) {
  std::filesystem::remove(program_ + "dialcodes.dat");
  MainWindow& w = open();
  EXPECT_TRUE(std::filesystem::exists(DataFolder() + "citydata.dat"));
  EXPECT_FALSE(child<QAction>("miShowCodes")->isVisible());
  (void)w;
}

TEST_F(Window, FreshAccountStartsWithTheDefaults) {
  MainWindow& w = open();
  EXPECT_EQ(w.display()->size(), QSize(800, 400));
  EXPECT_TRUE(child<QAction>("MapSizeItem3")->isChecked());
  EXPECT_TRUE(child<QAction>("DayNightShading1")->isChecked());
  EXPECT_TRUE(child<QToolButton>("btnDayNight")->isChecked());
  EXPECT_TRUE(child<QAction>("ShowTimeatMousePosition1")->isChecked());
  EXPECT_TRUE(w.display()->hintsEnabled());
  EXPECT_TRUE(child<QAction>("N12HRS1")->isChecked());
  EXPECT_TRUE(child<QAction>("LeftAlign1")->isChecked());
  EXPECT_EQ(w.theme(), 1);
  EXPECT_FALSE(w.overlay().showUtc);
  EXPECT_TRUE(w.showTimesOnMap());
  EXPECT_EQ(w.worldMap().mapView(), 0);
  EXPECT_EQ(w.display()->popupMenu(), nullptr);
  EXPECT_EQ(child<QAction>("SetWorldClockMapasScreenSaver1")->text(), "Enable World Clock Screensaver");
}

TEST_F(Window, StoredValuesAreApplied) {
  WriteIntegerSetting(kSettingsKey, kShowUtc, 2);  // not exactly 1: off
  WriteIntegerSetting(kSettingsKey, kShowShadow, 0);
  WriteIntegerSetting(kSettingsKey, kWindowSize, 1);
  WriteIntegerSetting(kSettingsKey, kShowPopup, 1);
  WriteStringSetting(kSettingsKey, kMapTimeFormat, "HH:mm");
  WriteIntegerSetting(kSettingsKey, kDesktopDateTimePosition, 7);
  MainWindow& w = open();
  EXPECT_FALSE(w.overlay().showUtc);
  EXPECT_FALSE(child<QAction>("DayNightShading2")->isChecked());
  EXPECT_EQ(w.display()->size(), QSize(480, 240));
  EXPECT_EQ(w.display()->popupMenu(), w.popupMenu());
  EXPECT_TRUE(child<QAction>("N24HRS1")->isChecked());
  EXPECT_TRUE(child<QAction>("CenterAlign1")->isChecked());
}

TEST_F(Window, ShadingEntriesAndButtonStayInStep) {
  MainWindow& w = open();
  auto* main = child<QAction>("DayNightShading1");
  auto* popup = child<QAction>("DayNightShading2");
  auto* button = child<QToolButton>("btnDayNight");
  popup->trigger();
  EXPECT_FALSE(main->isChecked());
  EXPECT_FALSE(popup->isChecked());
  EXPECT_FALSE(button->isChecked());
  EXPECT_EQ(SettingInteger(kShowShadow), 0);
  EXPECT_TRUE(w.requests().mapRecompose);
  EXPECT_TRUE(w.requests().wallpaperUpdate);
  button->click();
  EXPECT_TRUE(main->isChecked() && popup->isChecked() && button->isChecked());
  EXPECT_EQ(SettingInteger(kShowShadow), 1);
  main->trigger();
  EXPECT_FALSE(main->isChecked() || popup->isChecked() || button->isChecked());
}

TEST_F(Window, MapSizeCommands) {
  MainWindow& w = open();
  child<QAction>("MapSizeItem6")->trigger();
  EXPECT_EQ(w.display()->size(), QSize(1600, 800));
  EXPECT_EQ(w.width(), 1600);
  EXPECT_GE(w.height(), 800 + w.mainMenu()->height() + 40) << "the panel and the whole map fit";
  EXPECT_EQ(SettingInteger(kWindowSize), 6);
  EXPECT_TRUE(w.requests().mapRecompose && w.requests().displayRedraw);
  // Any other value gives the smallest map, and is stored as given.
  w.DoWindowSize(42);
  EXPECT_EQ(w.display()->size(), QSize(400, 200));
  EXPECT_EQ(SettingInteger(kWindowSize), 42);
  for (int i = 0; i < 9; ++i)
    EXPECT_FALSE(child<QAction>(("MapSizeItem" + std::to_string(i)).c_str())->isChecked());
}

// Share of the picture's pixels that are not black, in percent.
int LitPercent(const QImage& image) {
  int lit = 0, all = 0;
  for (int y = 0; y < image.height(); y += 4)
    for (int x = 0; x < image.width(); x += 4, ++all)
      if (qGray(image.pixel(x, y)) > 24) ++lit;
  return all ? lit * 100 / all : 0;
}

TEST_F(Window, ASizeChangeShowsTheMapAtOnceAndKeepsTheWindowOnItsWorkArea) {
  MainWindow& w = open();
  w.show();
  w.TimerTimer();  // the first tick composes and draws
  ASSERT_GE(LitPercent(w.display()->picture()), 30);
  const QRect area = w.screen()->availableGeometry();
  for (int size : {5, 0, 8, 2}) {
    SCOPED_TRACE(size);
    w.DoWindowSize(size);
    EXPECT_EQ(w.display()->picture().width(), MapWidthForWindowSize(size));
    EXPECT_GE(LitPercent(w.display()->picture()), 30) << "black until the next tick";
    const QRect f = w.frameGeometry();
    if (f.width() > area.width()) {
      EXPECT_EQ(f.left(), area.left());
    } else {
      EXPECT_GE(f.left(), area.left());
      EXPECT_LE(f.right(), area.right());
    }
    if (f.height() > area.height()) {
      EXPECT_EQ(f.top(), area.top());
    } else {
      EXPECT_GE(f.top(), area.top());
      EXPECT_LE(f.bottom(), area.bottom());
    }
  }
}

TEST_F(Window, StartedMinimizedItIsShownForAboutASecondFirst) {
  WriteIntegerSetting(kSettingsKey, kMinimized, 1);
  MainWindow& w = open();
  w.show();
  EXPECT_TRUE(w.isVisible());
  EXPECT_FALSE(w.isMinimized());
  auto* timer = child<QTimer>("Timer");
  EXPECT_GE(timer->remainingTime(), 900) << "the first tick would send it away at once";
  w.TimerTimer();
  EXPECT_TRUE(w.isMinimized() || w.isInTray());
}

TEST_F(Window, EveryMenuIsInSightAtEverySizeUnderEverySkin) {
  std::filesystem::create_symlink(std::string(WC_PROGRAM_DIR) + "Skins", program_ + "Skins");
  MainWindow& w = open();
  w.show();
  for (int theme = 0; theme <= 5; ++theme) {
    w.SetTheme(theme);
    for (int size : {0, 1, 2, 3}) {
      SCOPED_TRACE(testing::Message() << "theme " << theme << ", size " << size);
      w.DoWindowSize(size);
      QApplication::processEvents();
      int shown = 0;
      for (MenuRow* row : w.mainMenu()->rows()) {
        if (!row->isVisible()) continue;
        EXPECT_EQ(row->width(), w.width());
        auto* more = row->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
        EXPECT_TRUE(!more || !more->isVisible()) << "an overflow button";
        for (QAction* a : row->actions()) {
          const QRect r = row->actionGeometry(a);
          EXPECT_TRUE(r.isValid() && row->rect().contains(r)) << a->text().toStdString();
          ++shown;
        }
      }
      EXPECT_EQ(shown, 7);
    }
  }
  w.SetTheme(0);
}

TEST_F(Window, MenusWrappedOntoTwoRowsAreOneBandWithOneLineUnderEverySkin) {
  std::filesystem::create_symlink(std::string(WC_PROGRAM_DIR) + "Skins", program_ + "Skins");
  MainWindow& w = open();
  w.show();
  for (int theme = 1; theme <= 5; ++theme) {
    SCOPED_TRACE(theme);
    w.SetTheme(theme);
    w.DoWindowSize(1);
    QApplication::processEvents();
    const std::vector<MenuRow*>& rows = w.mainMenu()->rows();
    ASSERT_TRUE(rows.size() >= 2 && rows[1]->isVisible()) << "the skins wrap the menus at this size";
    const QImage band = w.mainMenu()->grab().toImage();
    // Right of the entries: the band's foot line, and where the rows meet.
    const int x = band.width() - 3;
    const QRgb foot = band.pixel(x, band.height() - 1);
    EXPECT_NE(band.pixel(x, rows[1]->y() - 1), foot) << "a line between the rows";
    EXPECT_NE(band.pixel(x, band.height() - 2), foot) << "the foot line drawn twice";
  }
  w.SetTheme(0);
}

TEST_F(Window, TheToolBarPanelFollowsTheSkin) {
  std::filesystem::create_symlink(std::string(WC_PROGRAM_DIR) + "Skins", program_ + "Skins");
  MainWindow& w = open();
  w.show();
  auto* panel = child<QWidget>("DateTime1");
  // The panel's own margin, left of the first button, halfway down.
  auto colourOf = [&](int theme) {
    w.SetTheme(theme);
    QApplication::processEvents();
    return panel->grab().toImage().pixelColor(1, panel->height() / 2);
  };
  const QColor desktop = colourOf(0);
  EXPECT_EQ(desktop, QApplication::palette().color(QPalette::Window)) << "the desktop's own look";
  const QColor shine = colourOf(2);
  EXPECT_LT(qGray(shine.rgb()), 80) << "graphite, not " << shine.name().toStdString();
  const QColor beijing = colourOf(3);
  EXPECT_GT(beijing.red(), beijing.blue() + 40) << "gold, not " << beijing.name().toStdString();
  const QColor office2010 = colourOf(4);
  EXPECT_EQ(office2010, QColor(Qt::white));
  colourOf(0);
}

TEST_F(Window, ChoiceCommandsUpdateTheMapSettings) {
  MainWindow& w = open();
  child<QAction>("N24HRS1")->trigger();
  EXPECT_EQ(w.overlay().mapTimeFormat, "HH:mm");
  EXPECT_EQ(SettingText(kMapTimeFormat), "HH:mm");
  EXPECT_FALSE(child<QAction>("N12HRS1")->isChecked());
  EXPECT_TRUE(w.wallpaperLookChanged());
  child<QAction>("RightAlign1")->trigger();
  EXPECT_EQ(w.overlay().datePosition, 1);
  EXPECT_EQ(SettingInteger(kDesktopDateTimePosition), 1);
  child<QAction>("ShowTimeatMousePosition1")->trigger();
  EXPECT_FALSE(w.display()->hintsEnabled());
  EXPECT_EQ(SettingInteger(kShowTips), 0);
}

TEST_F(Window, LocalOrUtcTimeAndTimesOnTheMapAreSwitchedStoredAndRedrawn) {
  WriteIntegerSetting(kSettingsKey, kShowUtc, 1);
  MainWindow& w = open();
  auto* local = child<QAction>("ShowLocalTime1");
  auto* utc = child<QAction>("ShowUTCTime1");
  EXPECT_TRUE(w.overlay().showUtc);
  EXPECT_TRUE(utc->isChecked());
  EXPECT_FALSE(local->isChecked());
  w.requestRedraw({});
  local->trigger();
  EXPECT_FALSE(w.overlay().showUtc);
  EXPECT_TRUE(local->isChecked());
  EXPECT_FALSE(utc->isChecked());
  EXPECT_EQ(SettingInteger(kShowUtc), 0);
  EXPECT_TRUE(w.requests().displayRedraw && w.requests().wallpaperUpdate);
  utc->trigger();
  EXPECT_TRUE(w.overlay().showUtc);
  EXPECT_EQ(SettingInteger(kShowUtc), 1);

  // Enabled like the other wallpaper switches, only while the map is the wallpaper.
  auto* times = child<QAction>("ShowTimeonMap1");
  EXPECT_TRUE(times->isChecked());
  EXPECT_FALSE(times->isEnabled());
  w.applyWallpaperChecks({.wallpaper = true});
  EXPECT_TRUE(times->isEnabled());
  times->trigger();
  EXPECT_FALSE(w.showTimesOnMap());
  EXPECT_FALSE(times->isChecked());
  EXPECT_EQ(SettingInteger(kDesktopShowTimes), 0);
  EXPECT_TRUE(w.wallpaperLookChanged());
  times->trigger();
  EXPECT_TRUE(w.showTimesOnMap());
  EXPECT_EQ(SettingInteger(kDesktopShowTimes), 1);
}

// The caption follows "Show UTC" at the very next drawing of the map, not at
// the next recomposition five minutes on.
TEST_F(Window, TheCaptionFollowsShowUtcAtTheNextDrawing) {
  MainWindow& w = open();
  w.show();
  constexpr double kOffset = -5.75 / 24;  // local + offset = UTC, whatever the test's zone
  w.worldMap().setUtcOffsetSource([] { return kOffset; });
  std::vector<DateTime> captions;
  w.worldMap().setFormatter([&captions](std::string_view pattern, DateTime t) {
    if (pattern.ends_with("yyyy")) captions.push_back(t);
    return std::string("text");
  });
  w.TimerTimer();  // the first tick composes and draws
  ASSERT_FALSE(captions.empty());
  const DateTime local = captions.back();
  EXPECT_GT(local, 40000);  // a local instant of this century

  child<QAction>("ShowUTCTime1")->trigger();
  captions.clear();
  w.TimerTimer();
  ASSERT_FALSE(captions.empty()) << "the command asks for a redraw";
  EXPECT_NEAR(captions.front(), local + kOffset, 2.0 / 86400);

  child<QAction>("ShowLocalTime1")->trigger();
  captions.clear();
  w.TimerTimer();
  ASSERT_FALSE(captions.empty());
  EXPECT_NEAR(captions.front(), local, 2.0 / 86400);
}

// Answers the font dialog that the next command opens.
void AnswerFontDialog(bool accept, QColor colour = {}) {
  QTimer::singleShot(0, [accept, colour] {
    auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    if (accept) {
      auto* combo = dlg->findChild<QComboBox*>(QStringLiteral("cbColour"));
      combo->setCurrentIndex(combo->findData(colour));
      dlg->accept();
    } else {
      dlg->reject();
    }
  });
}

TEST_F(Window, FontCommands) {
  MainWindow& w = open();
  const TickRequests before = w.requests();
  const MapFont cityBefore = w.displayMapFont();
  AnswerFontDialog(false);
  child<QAction>("MapFont1")->trigger();
  EXPECT_EQ(w.displayMapFont().font, cityBefore.font);
  EXPECT_EQ(w.displayMapFont().color, cityBefore.color);
  FontRecord stored;
  EXPECT_FALSE(ReadFontSetting(kSettingsKey, kCityTimesFont, stored)) << "a cancelled dialog stores nothing";
  EXPECT_EQ(w.requests(), before);

  AnswerFontDialog(true, QColor(Qt::red));
  child<QAction>("DateFont1")->trigger();  // the wallpaper's date font
  ASSERT_TRUE(ReadFontSetting(kSettingsKey, kDesktopDateTimeFont, stored));
  EXPECT_EQ(stored.colour, 0x0000FFu);
  EXPECT_EQ(w.worldMap().wallpaperDateFont().color, QColor(Qt::red));
  EXPECT_TRUE(w.requests().mapRecompose && w.requests().wallpaperUpdate);
  EXPECT_TRUE(w.wallpaperLookChanged());
}

// Confirms the next font dialog as it opens, reporting the face it shows.
void ConfirmFontDialogUntouched(QString& shownFace) {
  QTimer::singleShot(0, [&shownFace] {
    auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    shownFace = dlg->findChild<QFontDialog*>()->currentFont().family();
    dlg->accept();
  });
}

TEST_F(Window, FontDialogsShowTheFaceDrawnAndOkWithoutAChangeKeepsTheStoredFont) {
  // A face this machine lacks, with fields the toolkit has no notion of.
  FontRecord arial = RecordFromFont(QFont(QStringLiteral("Arial")), QColor(0x12, 0x34, 0x56));
  arial.height = -15;
  arial.quality = 5;
  arial.outPrecision = 3;
  arial.pitchAndFamily = 0x22;
  WriteFontSetting(kSettingsKey, kDateTimeFont, arial);
  WriteFontSetting(kSettingsKey, kDesktopCityTimesFont, arial);
  // The other two stay unstored: the design font.
  MainWindow& w = open();
  const std::string settingsFile = std::string(getenv("XDG_CONFIG_HOME")) + "/TavrelWorldClock/settings.reg";
  const std::string before = ReadWholeFile(settingsFile).bytes;
  const QString drawnWith = QFontInfo(QFont(QStringLiteral("Arial"))).family();
  ASSERT_NE(drawnWith, "Arial") << "this machine has Arial itself";

  const std::pair<const char*, MapFont*> commands[] = {
      {"DateTimeFont1", &w.worldMap().windowDateFont()},
      {"MapFont1", &w.displayMapFont()},
      {"DateFont1", &w.worldMap().wallpaperDateFont()},
      {"ChangeCityFont1", &w.worldMap().wallpaperCityFont()},
  };
  for (const auto& [name, font] : commands) {
    SCOPED_TRACE(name);
    const MapFont held = *font;
    w.requestRedraw({});
    const TickRequests requests = w.requests();
    QString shown;
    ConfirmFontDialogUntouched(shown);
    child<QAction>(name)->trigger();
    EXPECT_EQ(shown, drawnWith);
    EXPECT_EQ(ReadWholeFile(settingsFile).bytes, before);
    EXPECT_EQ(font->font.family(), held.font.family());
    EXPECT_EQ(font->font.pixelSize(), held.font.pixelSize());
    EXPECT_EQ(font->color, held.color);
    EXPECT_EQ(w.requests(), requests);
  }

  // Only the colour changed: the rest of the record stays as it was.
  AnswerFontDialog(true, QColor(Qt::red));
  child<QAction>("DateTimeFont1")->trigger();
  FontRecord stored;
  ASSERT_TRUE(ReadFontSetting(kSettingsKey, kDateTimeFont, stored));
  FontRecord expected = arial;
  expected.colour = 0x0000FF;
  EXPECT_EQ(stored, expected);
  EXPECT_EQ(w.worldMap().windowDateFont().color, QColor(Qt::red));
  EXPECT_EQ(w.worldMap().windowDateFont().font.family(), "Arial");
}

TEST_F(Window, CloseToTrayRefusesTheCloseBoxButNotTheEndOfTheSession) {
  MainWindow& w = open();
  w.setCloseToTray(true);
  w.show();
  EXPECT_FALSE(w.close());
  EXPECT_EQ(ReadIntegerSetting(kSettingsKey, kTheme, -1), -1) << "nothing stored on a refused close";
  w.endSession();
  EXPECT_EQ(ReadIntegerSetting(kSettingsKey, kTheme, -1), 1);
  EXPECT_EQ(ReadIntegerSetting(kSettingsKey, kMinimized, -1), 0);
  // Sent to the task bar (no tray here) before, so the placement is stored
  // as minimized.
  RegValue placement;
  ASSERT_EQ(CurrentSettingsBackend().get(kSettingsKey, kWindowPosition, placement), RegStatus::Ok);
  ASSERT_EQ(placement.data.size(), 20u);
  EXPECT_EQ(placement.data[0], 1);
}

TEST_F(Window, ExitEndsItInCloseToTrayModeAndKeepsTheStoredSwitch) {
  WriteIntegerSetting(kSettingsKey, kCloseToTray, 1);
  MainWindow& w = open();
  EXPECT_TRUE(w.closeToTray());
  w.show();
  child<QAction>("Exit1")->trigger();
  EXPECT_FALSE(w.isVisible());
  EXPECT_FALSE(w.closeToTray());
  EXPECT_EQ(SettingInteger(kCloseToTray), 1);
  EXPECT_EQ(ReadIntegerSetting(kSettingsKey, kTheme, -1), 1);
}

TEST_F(Window, TheWallpaperSwitchesAreStored) {
  auto desktop = std::make_shared<test::Desktop>();
  open().setWallpaperBackend(std::make_unique<test::RecordingWallpaper>(desktop, false));
  const struct {
    const char* item;
    const char* setting;
    int first;  // the stored value after the first click
  } switches[] = {{"ShowWorldClockasWallpaper1", kDesktopWallpaper, 1},
                  {"Zoomtofullheight1", kDesktopFullHeight, 1},
                  {"RemovewallpaperonExit1", kDesktopRemoveOnExit, 0}};
  for (const auto& s : switches) {
    SCOPED_TRACE(s.item);
    child<QAction>(s.item)->trigger();
    EXPECT_EQ(SettingInteger(s.setting), s.first);
    EXPECT_EQ(child<QAction>(s.item)->isChecked(), s.first == 1);
  }
  // Back, the wallpaper last: the other two are enabled only while it is on.
  for (auto s = std::rbegin(switches); s != std::rend(switches); ++s) {
    child<QAction>(s->item)->trigger();
    EXPECT_EQ(SettingInteger(s->setting), 1 - s->first) << s->item;
  }
}

TEST_F(Window, TheWallpaperGoesAtExitOnlyWhenAskedTo) {
  for (const bool remove : {false, true}) {
    SCOPED_TRACE(remove);
    auto desktop = std::make_shared<test::Desktop>();
    desktop->shown = {WallpaperImagePath(), {}};  // the map is the wallpaper
    WriteIntegerSetting(kSettingsKey, kDesktopWallpaper, 1);
    WriteIntegerSetting(kSettingsKey, kDesktopRemoveOnExit, remove ? 1 : 0);
    WriteStringSetting(kSettingsKey, kOldWall, "/home/user/Pictures/lake.jpg");
    MainWindow& w = open();
    w.setWallpaperBackend(std::make_unique<test::RecordingWallpaper>(desktop, false));
    EXPECT_TRUE(child<QAction>("ShowWorldClockasWallpaper1")->isChecked());
    w.show();
    child<QAction>("Exit1")->trigger();
    EXPECT_EQ(desktop->restores, remove ? 1 : 0);
    EXPECT_EQ(desktop->shown.file, remove ? "/home/user/Pictures/lake.jpg" : WallpaperImagePath());
    window_.reset();
  }
}

TEST_F(Window, FailedSettingsWritesShowOneBoxNamingTheFile) {
  MainWindow& w = open();
  ShowSettingsFailures();
  // A file where the settings folder belongs: no write can succeed.
  const std::string folder = home_.dir + "/config/TavrelWorldClock";
  std::filesystem::remove_all(folder);
  std::ofstream(folder) << "in the way";

  int boxes = 0;
  QString text;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      ++boxes;
      text = box->text();
      box->accept();
    }
  });
  answer.start(10);
  QEventLoop loop;
  QTimer::singleShot(0, [&] {
    // Three commands of one burst, each storing its setting.
    child<QAction>("N24HRS1")->trigger();
    child<QAction>("RightAlign1")->trigger();
    child<QAction>("ShowTimeatMousePosition1")->trigger();
  });
  QTimer::singleShot(500, &loop, &QEventLoop::quit);
  loop.exec();
  SetSettingsFailureHandler(nullptr);

  EXPECT_EQ(boxes, 1);
  EXPECT_TRUE(text.contains(QString::fromStdString("\"" + folder + "/settings.reg\""))) << text.toStdString();
  EXPECT_EQ(w.overlay().mapTimeFormat, "HH:mm");
  EXPECT_EQ(SettingText(kMapTimeFormat), "HH:mm") << "kept for the rest of the run";
}

TEST(ToolIcons, TheDigitalClockReadingFitsItsDisplay) {
  for (int scale : {1, 2}) {
    SCOPED_TRACE(scale);
    const QImage icon = ToolIcon(ToolPicture::DigitalClock)
                            .pixmap(QSize(32, 32), scale)
                            .toImage()
                            .convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(icon.width(), 32 * scale);
    // The lit segments: their columns, and where they start and end.
    std::vector<bool> lit(static_cast<std::size_t>(icon.width()));
    for (int y = 0; y < icon.height(); ++y)
      for (int x = 0; x < icon.width(); ++x) {
        const QColor c = icon.pixelColor(x, y);
        if (c.green() > 120 && c.red() < c.green() - 40) lit[static_cast<std::size_t>(x)] = true;
      }
    int first = -1, last = -1, groups = 0;
    for (int x = 0; x < icon.width(); ++x) {
      if (!lit[static_cast<std::size_t>(x)]) continue;
      if (first < 0) first = x;
      if (x == 0 || !lit[static_cast<std::size_t>(x - 1)]) ++groups;
      last = x;
    }
    // Inside the display's frame (1..31 with a 1.5-pixel pen), clear of it.
    EXPECT_GE(first, 3 * scale);
    EXPECT_LE(last, 29 * scale);
    EXPECT_EQ(groups, 5) << "four digits and the colon";
  }
}

TEST(FontValue, RoundTripThroughTheToolkitsFont) {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(17);
  f.setWeight(QFont::Bold);
  f.setItalic(true);
  f.setUnderline(true);
  const FontRecord r = RecordFromFont(f, QColor(0x11, 0x22, 0x33));
  EXPECT_EQ(r.colour, 0x332211u) << "red in the low byte";
  EXPECT_EQ(r.height, -17);
  EXPECT_EQ(r.weight, 700);
  EXPECT_EQ(r.face(), "DejaVu Sans");
  const ColouredFont back = FontFromRecord(r);
  EXPECT_EQ(back.font.family(), "DejaVu Sans");
  EXPECT_EQ(back.font.pixelSize(), 17);
  EXPECT_TRUE(back.font.bold() && back.font.italic() && back.font.underline());
  EXPECT_FALSE(back.font.strikeOut());
  EXPECT_EQ(back.color, QColor(0x11, 0x22, 0x33));
}

TEST(LocaleFormat, ToolkitPatternsBecomeProgramPatterns) {
  struct Case {
    const char* qt;
    const char* program;
  } cases[] = {
      {"h:mm AP", "h:mm AMPM"},
      {"h:mm:ss ap t", "h:mm:ss AMPM"},
      {"HH:mm", "HH:mm"},
      {"dddd, MMMM d, yyyy", "dddd, MMMM d, yyyy"},
      {"dddd d 'de' MMMM 'de' yyyy", "dddd d 'de' MMMM 'de' yyyy"},
  };
  for (const Case& c : cases) EXPECT_EQ(PatternFromQtFormat(QString::fromLatin1(c.qt)), c.program) << c.qt;

  const FormatSettings de = FormatSettingsFromLocale(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(de.longMonthNames[2], "März");
  EXPECT_EQ(de.shortTimeFormat, "HH:mm");
  EXPECT_EQ(FormatDateTime("dddddd", EncodeDate(2026, 3, 1), de), "Sonntag, 1. März 2026");
}

}  // namespace
}  // namespace wc

int main(int argc, char** argv) {
  // Also when the test list is collected, outside ctest's environment.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
