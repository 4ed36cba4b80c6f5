// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The options dialog against a real settings file, a real city file and a
// main window stand-in that records what the dialog applies to it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "WindowTestHome.h"
#include "core/AtomicFile.h"
#include "core/Autostart.h"
#include "core/CityFile.h"
#include "core/CityTable.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/RegFileBackend.h"
#include "core/SettingsBackend.h"
#include "options/FakeOptionsHost.h"
#include "options/HotKeyEdit.h"
#include "options/OptionsDialog.h"
#include "platform/FontRecordQt.h"

namespace wc {
namespace {

namespace fs = std::filesystem;

// One home per test process: the city table is loaded once per run, as in
// the program, so every test sees the same city file.
class Home : public test::WindowTestHome {
 public:
  void prepare() override {
    const char* cities =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<cities>\n"
        "<city><name>London, United Kingdom</name><offset>0</offset><lon>0</lon><lat>51</lat><dst>1</dst>"
        "<weekno>5</weekno><dow>7</dow><month>3</month><weekno1>5</weekno1><dow1>7</dow1><month1>10</"
        "month1></city>\n"
        "<city><name>Paris, France</name><offset>1</offset><lon>2</lon><lat>48</lat><dst>0</dst></city>\n"
        "<city><name>Londonderry, United Kingdom</name><offset>0</offset><lon>-7</lon><lat>55</lat></city>\n"
        "<city><name>Tokyo, Japan</name><offset>9</offset><lon>139</lon><lat>35</lat></city>\n"
        "</cities>\n";
    ASSERT_TRUE(WriteFileAtomically(DataFolder() + "citydata.dat", cities));
    ASSERT_TRUE(table.load(CityDataPath()).ok());
    QApplication::setApplicationDisplayName(QStringLiteral("Tavrel World Clock"));
  }
  CityTable table;
};
Home* const home = static_cast<Home*>(::testing::AddGlobalTestEnvironment(new Home));
using test::MessageBoxes;

// Runs fn once the modal dialog is up (its loading lets events run before).
void WhenShown(QDialog& dialog, std::function<void()> fn) {
  auto* timer = new QTimer(&dialog);
  QObject::connect(timer, &QTimer::timeout, &dialog, [&dialog, timer, fn] {
    if (!dialog.isVisible()) return;
    timer->stop();
    timer->deleteLater();
    fn();
  });
  timer->start(10);
}

constexpr HotKeyValue kCtrlShiftC = kHotKeyCtrl | kHotKeyShift | 'C';
constexpr HotKeyValue kCtrlAltT = kHotKeyCtrl | kHotKeyAlt | 'T';
constexpr HotKeyValue kAltF9 = kHotKeyAlt | 0x78;

class Options : public ::testing::Test {
 protected:
  void SetUp() override {
    settingsPath_ = home->dir + "/config/TavrelWorldClock/settings.reg";
    fs::remove(settingsPath_);
    fs::remove(AutostartEntryPath());
    auto backend = std::make_unique<test::FakeHotKeys>();
    keys_ = backend.get();
    hotKeys_ = std::make_unique<HotKeyManager>(std::move(backend), nullptr);
  }
  void TearDown() override {
    dialog_.reset();
    hotKeys_.reset();
  }

  OptionsDialog& create() {
    dialog_ = std::make_unique<OptionsDialog>(host_, *hotKeys_, home->table, nullptr);
    dialog_->setExecutablePath(exe_);
    dialog_->InitSettings();
    return *dialog_;
  }
  template <class W>
  W* find(const char* name) {
    W* w = dialog_->findChild<W*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QCheckBox* box(const char* name) { return find<QCheckBox>(name); }
  QPushButton* button(const char* name) { return find<QPushButton>(name); }
  HotKeyEdit* field(int row) { return find<HotKeyEdit>(("HotKey" + std::to_string(row)).c_str()); }
  QPushButton* add(int row) { return button(("btnAdd" + std::to_string(row)).c_str()); }
  QPushButton* clear(int row) { return button(("btnRem" + std::to_string(row)).c_str()); }
  // The user presses a combination in a row's field.
  void type(int row, int key, Qt::KeyboardModifiers mods) {
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(field(row), &press);
  }
  std::string settingsText() const { return ReadWholeFile(settingsPath_).bytes; }

  std::string exe_ = "/opt/Tavrel World Clock/tavrel-world-clock";
  std::string settingsPath_;
  test::FakeHost host_;
  test::FakeHotKeys* keys_ = nullptr;
  std::unique_ptr<HotKeyManager> hotKeys_;
  std::unique_ptr<OptionsDialog> dialog_;
};

TEST_F(Options, EveryControlWithItsText) {
  create();
  EXPECT_EQ(dialog_->size(), QSize(452, 403));
  EXPECT_TRUE(dialog_->windowTitle().isEmpty());
  EXPECT_EQ(find<QLabel>("sLabel2")->text(), "Program Options");
  EXPECT_TRUE(find<QLabel>("sLabel2")->font().bold());

  auto* tabs = find<QTabWidget>("Tabs");
  ASSERT_EQ(tabs->count(), 3);
  EXPECT_EQ(tabs->tabText(0), "General");
  EXPECT_EQ(tabs->tabText(1), "Balloon");
  EXPECT_EQ(tabs->tabText(2), "Hotkeys");
  EXPECT_FALSE(find<QWidget>("tsBalloon")->isEnabled());

  const std::pair<const char*, const char*> texts[] = {
      {"cbStartup", "Start World Clock automatically at login"},
      {"cbCloseToTray", "Minimize to system tray when Closed"},
      {"cbStartMini", "Start Minimized"},
      {"cbShowPop", "Show Popup when Right-click on Map"},
      {"cbShowBalloon", "Show Balloon"},
  };
  for (const auto& [name, text] : texts) EXPECT_EQ(box(name)->text(), text);
  const std::pair<const char*, const char*> buttons[] = {
      {"btnApply", "Apply"},      {"btnOK", "OK"},      {"btnCancel", "Cancel"},
      {"btnTestBalloon", "Test"}, {"btnAddCity2", ">"}, {"btnRemCity2", "<"},
  };
  for (const auto& [name, text] : buttons) EXPECT_EQ(button(name)->text(), text);
  EXPECT_FALSE(button("btnApply")->isEnabled());

  QStringList groups, labels;
  for (auto* g : dialog_->findChildren<QGroupBox*>()) groups << g->title();
  for (auto* l : dialog_->findChildren<QLabel*>()) labels << l->text();
  EXPECT_TRUE(groups.contains(" Program settings "));
  EXPECT_TRUE(groups.contains(" Balloon "));
  EXPECT_TRUE(groups.contains(" Cities Displayed in Balloon "));
  for (const char* text : {"All cities", "Displayed cities", "Main window:", "Calendar window:",
                           "Dial codes window:", "Time finder:", "All City List with time:",
                           "World Clock can pop up a balloon showing the current time in up to 8 cities when "
                           "you point to the icon "
                           "in the system tray.",
                           "You can set up hotkeys (keystroke combinations) to quickly show and hide World "
                           "Clock windows. To add a "
                           "hotkey to a window, click in the corresponding field, press the hotkey "
                           "combination, then click Add."})
    EXPECT_TRUE(labels.contains(text)) << text;
  for (int row = 1; row <= 5; ++row) {
    EXPECT_EQ(field(row)->text(), "None");
    EXPECT_EQ(add(row)->text(), "Add");
    EXPECT_EQ(clear(row)->text(), "Clear");
  }

  // "All cities": every city of the loaded table, sorted; both lists in
  // their light blue.
  auto* all = find<QListWidget>("lbAllCities2");
  ASSERT_EQ(all->count(), 4);
  EXPECT_EQ(all->item(0)->text(), "London, United Kingdom");
  EXPECT_EQ(all->item(3)->text(), "Tokyo, Japan");
  for (const char* list : {"lbAllCities2", "lbDispCities2"})
    EXPECT_TRUE(find<QListWidget>(list)->styleSheet().contains("rgb(234, 242, 251)"));
}

TEST_F(Options, LoadsStoredValuesAndStoresThemBack) {
  FontRecord date = RecordFromFont(QFont("DejaVu Serif", 9), QColor(0x11, 0x22, 0x33));
  date.height = -17;
  date.weight = 700;
  date.quality = 5;  // a field Qt has no notion of: written back as read
  WriteFontSetting(kSettingsKey, kDateTimeFont, date);
  WriteIntegerSetting(kSettingsKey, kCloseToTray, 1);
  WriteIntegerSetting(kSettingsKey, kShowPopup, 2);  // switches are on only at 1
  WriteIntegerSetting(kSettingsKey, kSetScreenSave, 3);
  WriteIntegerSetting(kSettingsKey, kShowUtc, 1);
  WriteIntegerSetting(kSettingsKey, kShowTips, 0);
  WriteIntegerSetting(kSettingsKey, kMapView, 2);
  WriteIntegerSetting(kSettingsKey, kShowBalloon, 1);
  WriteStringListSetting(kSettingsKey, kBalloonCities, {"Tokyo", "Berlin"});
  WriteStringListSetting(kSettingsKey, kDisplayCities, {"Paris, France", "London"});
  WriteIntegerSetting(kSettingsKey, kDesktopFullHeight, 1);
  WriteIntegerSetting(kSettingsKey, kWindowSize, 5);
  WriteStringSetting(kSettingsKey, kShowGetStart, "7");
  WriteIntegerSetting(kSettingsKey, kHotKey2, static_cast<std::int32_t>(kCtrlShiftC));
  host_.minimized = true;

  create();
  EXPECT_TRUE(box("cbCloseToTray")->isChecked());
  EXPECT_TRUE(host_.closeToTray);
  EXPECT_FALSE(box("cbShowPop")->isChecked());
  EXPECT_TRUE(box("cbStartMini")->isChecked());
  EXPECT_TRUE(box("cbShowBalloon")->isChecked());
  EXPECT_FALSE(box("cbStartup")->isChecked());
  EXPECT_TRUE(host_.screenSaver);
  EXPECT_EQ(host_.background, QColor(Qt::black));
  EXPECT_TRUE(host_.switches.showUtc);
  EXPECT_FALSE(host_.switches.showTips);
  EXPECT_TRUE(host_.switches.showShadow);
  EXPECT_EQ(host_.switches.mapView, 2);
  EXPECT_EQ(host_.mapDate.font.family(), "DejaVu Serif");
  EXPECT_EQ(host_.mapDate.font.pixelSize(), 17);
  EXPECT_TRUE(host_.mapDate.font.bold());
  EXPECT_EQ(host_.mapDate.color, QColor(0x11, 0x22, 0x33));
  EXPECT_FALSE(host_.wallpaperChecks.wallpaper);
  EXPECT_TRUE(host_.wallpaperChecks.fullHeight);
  EXPECT_TRUE(host_.wallpaperChecks.showTimes);
  EXPECT_EQ(host_.windowSizes.back(), 5);
  auto* shown = find<QListWidget>("lbDispCities2");
  ASSERT_EQ(shown->count(), 2);
  EXPECT_EQ(shown->item(0)->text(), "Berlin");
  // The map cities, sorted: "London" takes both Londons, then Paris.
  EXPECT_EQ(host_.cities[0].name, "London");
  EXPECT_EQ(host_.cities[0].lat, 51);
  EXPECT_EQ(host_.cities[1].lat, 55);
  EXPECT_EQ(host_.cities[1].lon, WestLongitude{7});  // west positive
  EXPECT_EQ(host_.cities[2].name, "Paris");
  EXPECT_DOUBLE_EQ(host_.cities[2].tzd, 1.0 / 24);
  EXPECT_TRUE(host_.cities[3].name.empty());
  EXPECT_EQ(hotKeys_->rows()[1], kCtrlShiftC);
  EXPECT_EQ(field(2)->text(), "Ctrl + Shift + C");
  EXPECT_FALSE(add(2)->isEnabled());
  EXPECT_TRUE(clear(2)->isEnabled());
  EXPECT_FALSE(clear(1)->isEnabled());

  box("cbCloseToTray")->setChecked(false);
  box("cbShowPop")->setChecked(true);
  box("cbStartMini")->setChecked(false);
  host_.view = 1;
  button("btnOK")->click();

  EXPECT_EQ(dialog_->result(), QDialog::Accepted);
  EXPECT_EQ(SettingInteger(kCloseToTray), 0);
  EXPECT_FALSE(host_.closeToTray);
  EXPECT_EQ(SettingInteger(kShowPopup), 1);
  EXPECT_EQ(SettingInteger(kMinimized), 0);
  EXPECT_FALSE(host_.minimized);
  EXPECT_EQ(SettingInteger(kMapView), 1);
  EXPECT_EQ(SettingInteger(kShowBalloon), 1);
  EXPECT_TRUE(host_.balloon);
  EXPECT_EQ(ReadIntegerSetting(kSettingsKey, kBackgroundColor, -1), 0);
  EXPECT_EQ(SettingText(kShowGetStart), "7");
  EXPECT_EQ(SettingInteger(kHotKey2), static_cast<std::int32_t>(kCtrlShiftC));
  EXPECT_EQ(SettingInteger(kHotKey1), 0);
  FontRecord back;
  ASSERT_TRUE(ReadFontSetting(kSettingsKey, kDateTimeFont, back));
  EXPECT_EQ(back, date);
  ASSERT_TRUE(ReadFontSetting(kSettingsKey, kDesktopCityTimesFont, back));  // the design font
  EXPECT_EQ(back.face(), "Arial");
  EXPECT_GT(host_.recomposes, 0);
  EXPECT_GT(host_.redraws, 0);
  EXPECT_EQ(host_.popupAttached, true);
  EXPECT_EQ(host_.wallpaperSwitches, std::vector<bool>{false});  // off as stored: nothing to do
  EXPECT_FALSE(button("btnApply")->isEnabled());
}

// What the loading made of every setting it reads, one text per value name,
// read from the main window stand-in and the dialog's own controls.
class OptionsLoading : public Options {
 protected:
  using Seen = std::map<std::string, std::string>;

  static std::string Font(const ColouredFont& f) {
    return f.font.family().toStdString() + " " + std::to_string(f.font.pixelSize()) +
           (f.font.bold() ? " bold " : " ") + f.color.name().toStdString();
  }
  static std::string On(bool on) { return on ? "on" : "off"; }

  // Loads into a fresh dialog and stand-in, and reports what arrived where.
  Seen load() {
    host_ = test::FakeHost{};
    hotKeys_->rows().fill(0);
    keys_->held.clear();
    create();
    Seen s;
    s[kCloseToTray] = On(box("cbCloseToTray")->isChecked()) + "/" + On(host_.closeToTray);
    s[kShowPopup] = On(box("cbShowPop")->isChecked());
    s[kSetScreenSave] = On(host_.screenSaver);
    s[kDateTimeFont] = Font(host_.mapDate);
    s[kCityTimesFont] = Font(host_.mapCity);
    s[kDesktopDateTimeFont] = Font(host_.wallDate);
    s[kDesktopCityTimesFont] = Font(host_.wallCity);
    s[kShowDate] = On(host_.switches.showDate);
    s[kShowTips] = On(host_.switches.showTips);
    s[kShowUtc] = On(host_.switches.showUtc);
    s[kMapView] = std::to_string(host_.switches.mapView);
    s[kShowShadow] = On(host_.switches.showShadow);
    s[kShowDateLine] = On(host_.switches.showDateLine);
    std::string cities;
    for (const Cities& c : host_.cities) {
      if (c.name.empty()) break;
      cities += c.name + ";";
    }
    s[kDisplayCities] = cities;
    s[kShowBalloon] = On(box("cbShowBalloon")->isChecked());
    std::string balloon;
    auto* shown = find<QListWidget>("lbDispCities2");
    for (int i = 0; i < shown->count(); ++i) balloon += shown->item(i)->text().toStdString() + ";";
    s[kBalloonCities] = balloon;
    s[kDesktopWallpaper] = On(host_.wallpaperChecks.wallpaper);
    s[kDesktopFullHeight] = On(host_.wallpaperChecks.fullHeight);
    s[kDesktopShowTimes] = On(host_.wallpaperChecks.showTimes);
    s[kDesktopRemoveOnExit] = On(host_.wallpaperChecks.removeOnExit);
    for (int n = 0; n < kHotKeyRowCount; ++n) s[kHotKeys[n]] = std::to_string(hotKeys_->rows()[n]);
    s[kWindowSize] = host_.windowSizes.empty() ? "-" : std::to_string(host_.windowSizes.back());
    // Kept for writing back: seen in what "Apply" stores.
    dialog_->ApplyChanges();
    s[kShowGetStart] = SettingText(kShowGetStart);
    return s;
  }

  static Seen Defaults() {
    Seen d;
    for (const char* name : {kCloseToTray}) d[name] = "off/off";
    for (const char* name : {kShowPopup, kSetScreenSave, kShowDate, kShowUtc, kShowDateLine, kShowBalloon,
                             kDesktopWallpaper, kDesktopFullHeight})
      d[name] = "off";
    for (const char* name : {kShowTips, kShowShadow, kDesktopShowTimes, kDesktopRemoveOnExit}) d[name] = "on";
    d[kDateTimeFont] = "Arial 14 bold #ffffff";
    d[kCityTimesFont] = "Arial 11 #ffffff";
    d[kDesktopDateTimeFont] = "Arial 18 bold #ffffff";
    d[kDesktopCityTimesFont] = "Arial 12 #ffffff";
    d[kMapView] = "0";
    d[kDisplayCities] = "";
    d[kBalloonCities] = "";
    for (const char* name : kHotKeys) d[name] = "0";
    d[kWindowSize] = "3";
    d[kShowGetStart] = "0";
    return d;
  }
};

void StoreFont(const char* name, const char* family, int pixels, QRgb colour) {
  QFont f{QString::fromLatin1(family)};
  f.setPixelSize(pixels);
  WriteFontSetting(kSettingsKey, name, RecordFromFont(f, QColor(colour)));
}

TEST_F(OptionsLoading, EverySettingArrivesInItsOwnPlaceAndNowhereElse) {
  MessageBoxes boxes;
  const Seen defaults = Defaults();
  EXPECT_EQ(load(), defaults) << "a fresh account";

  // Each setting alone, at a value no other setting has by default: exactly
  // its own place changes.
  struct Case {
    const char* name;
    std::function<void()> store;
    std::string seen;
  };
  auto integer = [](const char* name, std::int32_t v) {
    return [name, v] { WriteIntegerSetting(kSettingsKey, name, v); };
  };
  const Case cases[] = {
      {kCloseToTray, integer(kCloseToTray, 1), "on/on"},
      {kShowPopup, integer(kShowPopup, 1), "on"},
      {kSetScreenSave, integer(kSetScreenSave, 5), "on"},
      {kDateTimeFont, [] { StoreFont(kDateTimeFont, "DejaVu Serif", 17, 0x112233); },
       "DejaVu Serif 17 #112233"},
      {kCityTimesFont, [] { StoreFont(kCityTimesFont, "DejaVu Sans Mono", 13, 0x445566); },
       "DejaVu Sans Mono 13 #445566"},
      {kDesktopDateTimeFont, [] { StoreFont(kDesktopDateTimeFont, "Liberation Serif", 21, 0x778899); },
       "Liberation Serif 21 #778899"},
      {kDesktopCityTimesFont, [] { StoreFont(kDesktopCityTimesFont, "DejaVu Sans", 15, 0xaabbcc); },
       "DejaVu Sans 15 #aabbcc"},
      {kShowDate, integer(kShowDate, 1), "on"},
      {kShowTips, integer(kShowTips, 0), "off"},
      {kShowUtc, integer(kShowUtc, 1), "on"},
      {kMapView, integer(kMapView, 2), "2"},
      {kShowShadow, integer(kShowShadow, 0), "off"},
      {kShowDateLine, integer(kShowDateLine, 1), "on"},
      {kDisplayCities, [] { WriteStringListSetting(kSettingsKey, kDisplayCities, {"Tokyo, Japan"}); },
       "Tokyo;"},
      {kShowBalloon, integer(kShowBalloon, 1), "on"},
      {kBalloonCities, [] { WriteStringListSetting(kSettingsKey, kBalloonCities, {"Paris"}); }, "Paris;"},
      {kDesktopWallpaper, integer(kDesktopWallpaper, 1), "on"},
      {kDesktopFullHeight, integer(kDesktopFullHeight, 1), "on"},
      {kDesktopShowTimes, integer(kDesktopShowTimes, 0), "off"},
      {kDesktopRemoveOnExit, integer(kDesktopRemoveOnExit, 0), "off"},
      {kHotKey1, integer(kHotKey1, static_cast<std::int32_t>(kCtrlAltT)), std::to_string(kCtrlAltT)},
      {kHotKey2, integer(kHotKey2, static_cast<std::int32_t>(kCtrlShiftC)), std::to_string(kCtrlShiftC)},
      {kHotKey3, integer(kHotKey3, static_cast<std::int32_t>(kAltF9)), std::to_string(kAltF9)},
      {kHotKey4, integer(kHotKey4, 0xC044), "49220"},
      {kHotKey5, integer(kHotKey5, 0xC04C), "49228"},
      {kWindowSize, integer(kWindowSize, 7), "7"},
      {kShowGetStart, [] { WriteStringSetting(kSettingsKey, kShowGetStart, "7"); }, "7"},
  };
  Seen all = defaults;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(settingsPath_);
    c.store();
    Seen expected = defaults;
    expected[c.name] = c.seen;
    EXPECT_EQ(load(), expected);
    all[c.name] = c.seen;
  }

  // All of them at once.
  fs::remove(settingsPath_);
  for (const Case& c : cases) c.store();
  EXPECT_EQ(load(), all);
  EXPECT_TRUE(boxes.texts.isEmpty());
}

TEST_F(OptionsLoading, ADamagedValueFallsBackToItsDefaultNotToZero) {
  for (const char* name : {kShowShadow, kShowTips, kWindowSize, kDesktopShowTimes, kDesktopRemoveOnExit}) {
    SCOPED_TRACE(name);
    fs::remove(settingsPath_);
    RegFileBackend(settingsPath_).set(kSettingsKey, name, RegValue::fromString("damaged"));
    MessageBoxes boxes;
    Seen seen = load();
    EXPECT_EQ(seen, Defaults());
    ASSERT_FALSE(boxes.texts.isEmpty());
    for (const QString& text : boxes.texts)
      EXPECT_TRUE(text.contains(QString::fromLatin1(name))) << text.toStdString();
  }
}

// The balloon has room for eight cities: of more stored, the first eight in
// the list's order, not the first eight stored.
TEST_F(Options, TheBalloonListKeepsTheFirstEightCitiesInOrder) {
  WriteStringListSetting(kSettingsKey, kBalloonCities,
                         {"Quito", "Oslo", "Cairo", "Lima", "accra", "Dakar", "Hanoi", "Berlin", "Nairobi"});
  create();
  auto* shown = find<QListWidget>("lbDispCities2");
  std::string names;
  for (int i = 0; i < shown->count(); ++i) names += shown->item(i)->text().toStdString() + ";";
  EXPECT_EQ(names, "accra;Berlin;Cairo;Dakar;Hanoi;Lima;Nairobi;Oslo;");
}

TEST_F(Options, CancelStoresNothingAndTheNextShowingBringsBackTheStoredValues) {
  WriteIntegerSetting(kSettingsKey, kCloseToTray, 1);
  create();
  const std::string before = settingsText();
  box("cbCloseToTray")->setChecked(false);
  box("cbShowPop")->setChecked(true);
  box("cbStartup")->setChecked(true);
  button("btnCancel")->click();
  EXPECT_EQ(dialog_->result(), QDialog::Rejected);
  EXPECT_EQ(settingsText(), before);
  EXPECT_FALSE(fs::exists(AutostartEntryPath()));

  // Each showing starts from the stored values, on the General tab, and
  // brings the main window back to the stored size.
  host_.windowSizes.clear();
  find<QTabWidget>("Tabs")->setCurrentIndex(2);
  WhenShown(*dialog_, [this] {
    EXPECT_EQ(find<QTabWidget>("Tabs")->currentIndex(), 0);
    EXPECT_TRUE(box("cbCloseToTray")->isChecked());
    EXPECT_FALSE(box("cbShowPop")->isChecked());
    EXPECT_FALSE(box("cbStartup")->isChecked());
    dialog_->reject();
  });
  EXPECT_EQ(dialog_->ShowOptions(), QDialog::Rejected);
  EXPECT_EQ(host_.windowSizes, std::vector<int>{3});
}

TEST_F(Options, StartAtLoginEntryFollowsTheCheckBox) {
  const std::string entry = AutostartEntryPath();
  create();
  EXPECT_FALSE(box("cbStartup")->isChecked());
  box("cbStartup")->setChecked(true);
  button("btnOK")->click();
  ASSERT_TRUE(fs::exists(entry));
  EXPECT_TRUE(IsStartAtLoginOn(entry, exe_));

  dialog_->InitSettings();
  EXPECT_TRUE(box("cbStartup")->isChecked());
  box("cbStartup")->setChecked(false);
  button("btnOK")->click();
  EXPECT_FALSE(fs::exists(entry));

  // An entry for the same path in another letter case is not ours: the box
  // shows unchecked, and "OK" without a change leaves the entry alone.
  std::string otherCase = exe_;
  otherCase[1] = 'O';
  ASSERT_TRUE(SetStartAtLogin(entry, true, otherCase));
  const std::string text = ReadWholeFile(entry).bytes;
  dialog_->InitSettings();
  EXPECT_FALSE(box("cbStartup")->isChecked());
  button("btnOK")->click();
  EXPECT_EQ(ReadWholeFile(entry).bytes, text);
}

// "OK" hands the wallpaper switch, as the menus left it, to the main window,
// which draws the wallpaper anew when its look changed.
TEST_F(Options, OkAppliesTheWallpaperSwitchAsItStands) {
  create();
  host_.wallpaper = true;  // switched on by its menu entry since the showing
  button("btnOK")->click();
  host_.wallpaper = false;
  button("btnOK")->click();
  EXPECT_EQ(host_.wallpaperSwitches, (std::vector<bool>{true, false}));
}

TEST_F(Options, HotKeyRows) {
  WriteIntegerSetting(kSettingsKey, kHotKey1, static_cast<std::int32_t>(kCtrlAltT));
  WriteIntegerSetting(kSettingsKey, kHotKey3, static_cast<std::int32_t>(kAltF9));
  keys_->takenElsewhere.insert(kAltF9);
  MessageBoxes boxes;
  create();
  // Start-up: the refused one is skipped without a word.
  EXPECT_EQ(hotKeys_->rows()[0], kCtrlAltT);
  EXPECT_EQ(hotKeys_->rows()[2], 0u);
  EXPECT_EQ(field(3)->text(), "None");
  EXPECT_FALSE(clear(3)->isEnabled());
  EXPECT_TRUE(boxes.texts.isEmpty());

  // Typing a combination enables "Add"; "Add" registers it at once.
  EXPECT_FALSE(add(2)->isEnabled());
  type(2, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(field(2)->hotKey(), kCtrlShiftC);
  EXPECT_EQ(field(2)->text(), "Ctrl + Shift + C");
  EXPECT_TRUE(add(2)->isEnabled());
  add(2)->click();
  EXPECT_EQ(hotKeys_->rows()[1], kCtrlShiftC);
  EXPECT_TRUE(keys_->held.count(kCtrlShiftC));
  EXPECT_EQ(hotKeys_->rowOf(kCtrlShiftC), 2);
  EXPECT_FALSE(add(2)->isEnabled());
  EXPECT_TRUE(clear(2)->isEnabled());

  // A combination another program holds: the error box, an empty field, and
  // the row's earlier combination is given up.
  type(1, Qt::Key_F9, Qt::AltModifier);
  add(1)->click();
  QApplication::processEvents();
  ASSERT_EQ(boxes.texts.size(), 1);
  EXPECT_EQ(
      boxes.texts[0],
      "This keystroke combination could not be registered as a hotkey. It may already be in use by another "
      "application.");
  EXPECT_EQ(boxes.titles[0], "Tavrel World Clock");
  EXPECT_EQ(field(1)->text(), "None");
  EXPECT_EQ(hotKeys_->rows()[0], 0u);
  EXPECT_FALSE(keys_->held.count(kCtrlAltT));

  // "Clear" on a row whose field was changed but not added still gives up
  // the registered combination.
  type(2, Qt::Key_X, Qt::ControlModifier | Qt::AltModifier);
  clear(2)->click();
  EXPECT_FALSE(keys_->held.count(kCtrlShiftC));
  EXPECT_EQ(hotKeys_->rows()[1], 0u);
  EXPECT_EQ(field(2)->text(), "None");
  EXPECT_FALSE(add(2)->isEnabled());
  EXPECT_FALSE(clear(2)->isEnabled());
}

TEST_F(Options, ModifiersWhoseKeyAnotherProgramTookDoNotStayInTheField) {
  create();
  // Ctrl and Shift reach the field; the key and every release go to the
  // program that grabbed the combination. A modifier's own press carries the
  // modifiers held before it, as the window system reports them.
  auto pressOnly = [this](int row, int key, Qt::KeyboardModifiers before) {
    QKeyEvent press(QEvent::KeyPress, key, before);
    QApplication::sendEvent(field(row), &press);
  };
  // The releases went to that program: the keyboard holds nothing any more,
  // but the field never heard of it.
  for (int row : {2, 3, 4}) field(row)->setModifierSource([] { return Qt::KeyboardModifiers(); });
  auto settle = [] {
    for (int i = 0; i < 40; ++i) {
      QApplication::processEvents();
      QThread::msleep(10);
    }
  };
  pressOnly(2, Qt::Key_Control, Qt::NoModifier);
  pressOnly(2, Qt::Key_Shift, Qt::ControlModifier);
  EXPECT_EQ(field(2)->text().toStdString(), HotKeyText(kHotKeyCtrl | kHotKeyShift));
  settle();
  EXPECT_EQ(field(2)->text(), "None");
  EXPECT_FALSE(add(2)->isEnabled());

  // The window system takes the keyboard away for the grab: at once.
  pressOnly(4, Qt::Key_Alt, Qt::NoModifier);
  EXPECT_EQ(field(4)->text(), "Alt + ");
  QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(field(4), &out);
  EXPECT_EQ(field(4)->text(), "None");

  // A recorded combination comes back the same way.
  type(3, Qt::Key_T, Qt::ControlModifier | Qt::AltModifier);
  pressOnly(3, Qt::Key_Control, Qt::NoModifier);
  EXPECT_EQ(field(3)->text(), "Ctrl + ");
  settle();
  EXPECT_EQ(field(3)->text(), "Ctrl + Alt + T");
  EXPECT_EQ(field(3)->hotKey(), kCtrlAltT);
}

// Where the desktop cannot deliver a hot key from any program, the tab says
// so next to the rows instead of letting them fail without a word.
TEST_F(Options, HotKeyTabSaysWhereTheDesktopDeliversNoKeys) {
  const char* ownWindowsOnly =
      "This desktop offers programs no global shortcuts: these hotkeys work only while a World Clock window is "
      "active.";
  const std::pair<HotKeyReach, const char*> cases[] = {
      {HotKeyReach::Everywhere, ""},
      {HotKeyReach::OwnWindowsOnly, ownWindowsOnly},
      {HotKeyReach::Nowhere, "This desktop offers programs no global shortcuts: hotkeys cannot be used here."},
  };
  for (const auto& [reach, note] : cases) {
    keys_->reachNow = reach;
    create();
    auto* label = find<QLabel>("lblHotKeyReach");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->isHidden(), reach == HotKeyReach::Everywhere) << note;
    EXPECT_EQ(label->text(), note);
    EXPECT_EQ(label->parentWidget(), find<QWidget>("tsHotKeys"));
  }
}

TEST_F(Options, HotKeyAddedThenCancelledLastsUntilTheNextShowing) {
  WriteIntegerSetting(kSettingsKey, kHotKey4, static_cast<std::int32_t>(kCtrlAltT));
  create();
  type(4, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  add(4)->click();
  type(5, Qt::Key_F9, Qt::NoModifier);  // taken with Alt, as the field does
  add(5)->click();
  button("btnCancel")->click();
  EXPECT_TRUE(keys_->held.count(kCtrlShiftC));
  EXPECT_EQ(hotKeys_->rowOf(kAltF9), 5);
  EXPECT_EQ(SettingInteger(kHotKey4), static_cast<std::int32_t>(kCtrlAltT));

  dialog_->InitSettings();
  EXPECT_EQ(keys_->held, (std::set<HotKeyValue>{kCtrlAltT}));
  EXPECT_EQ(hotKeys_->rows()[3], kCtrlAltT);
  EXPECT_EQ(hotKeys_->rows()[4], 0u);  // nothing stored for the row: none held
  EXPECT_EQ(field(4)->text(), "Ctrl + Alt + T");
  EXPECT_EQ(field(5)->text(), "None");
  EXPECT_FALSE(clear(5)->isEnabled());
}

TEST_F(Options, ABadStoredValueIsReportedAndTheRestStillApplies) {
  RegFileBackend(settingsPath_).set(kSettingsKey, kCloseToTray, RegValue::fromString("yes"));
  WriteIntegerSetting(kSettingsKey, kWindowSize, 6);
  MessageBoxes boxes;
  create();
  ASSERT_FALSE(boxes.texts.isEmpty());
  EXPECT_TRUE(boxes.texts[0].contains("Close to tray"));
  EXPECT_FALSE(box("cbCloseToTray")->isChecked());
  EXPECT_EQ(host_.windowSizes.back(), 6);
}

}  // namespace
}  // namespace wc
