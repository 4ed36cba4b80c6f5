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
#include <QTimer>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>

#include "WindowTestHome.h"
#include "core/AtomicFile.h"
#include "core/Autostart.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/SettingsBackend.h"
#include "options/FakeOptionsHost.h"
#include "options/HotKeyEdit.h"
#include "options/TWCSettings.h"
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
    QApplication::setApplicationDisplayName(QStringLiteral("Tavrel World Clock"));
  }
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

class OptionsDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    settingsPath_ = home->dir + "/config/TavrelWorldClock/settings.reg";
    fs::remove(settingsPath_);
    fs::remove(AutostartEntryPath());
    HotKeyRows().fill(0);
    auto backend = std::make_unique<test::FakeHotKeys>();
    keys_ = backend.get();
    hotKeys_ = std::make_unique<THotKeyManager>(std::move(backend), nullptr);
  }
  void TearDown() override {
    dialog_.reset();
    hotKeys_.reset();
    HotKeyRows().fill(0);
  }

  TWCSettings& create() {
    dialog_ = std::make_unique<TWCSettings>(host_, *hotKeys_, nullptr);
    dialog_->setExecutablePath(exe_);
    dialog_->InitSettings();  // again, now for exe_
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
  THotKeyEdit* field(int row) { return find<THotKeyEdit>(("HotKey" + std::to_string(row)).c_str()); }
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
  std::unique_ptr<THotKeyManager> hotKeys_;
  std::unique_ptr<TWCSettings> dialog_;
};

TEST_F(OptionsDialog, EveryControlWithItsText) {
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

TEST_F(OptionsDialog, LoadsStoredValuesAndStoresThemBack) {
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
  EXPECT_EQ(host_.cities[1].lon, 7);  // west positive
  EXPECT_EQ(host_.cities[2].name, "Paris");
  EXPECT_DOUBLE_EQ(host_.cities[2].tzd, 1.0 / 24);
  EXPECT_TRUE(host_.cities[3].name.empty());
  EXPECT_EQ(HotKeyRows()[1], kCtrlShiftC);
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
  EXPECT_EQ(host_.wallpaperRemovals, 0);
  EXPECT_EQ(host_.wallpaperUpdates, 0);
  EXPECT_FALSE(button("btnApply")->isEnabled());
}

TEST_F(OptionsDialog, CancelStoresNothingAndTheNextShowingBringsBackTheStoredValues) {
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

TEST_F(OptionsDialog, StartAtLoginEntryFollowsTheCheckBox) {
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

TEST_F(OptionsDialog, WallpaperSwitchedByTheMenuIsRefreshedOrRemovedByOK) {
  create();
  host_.wallpaperMenu = true;  // switched on by its menu entry since the showing
  button("btnOK")->click();
  EXPECT_EQ(host_.wallpaperUpdates, 1);
  EXPECT_EQ(ReadStringSetting(kDesktopKey, kTileWallpaperValue, ""), "0");
  EXPECT_EQ(ReadStringSetting(kDesktopGeneralKey, kWallpaperStyleValue, ""), "0");

  // Previous state is now on: a second "OK" refreshes only for a new look.
  button("btnOK")->click();
  EXPECT_EQ(host_.wallpaperUpdates, 1);
  host_.lookChanged = true;
  button("btnOK")->click();
  EXPECT_EQ(host_.wallpaperUpdates, 2);

  host_.wallpaperMenu = false;
  button("btnOK")->click();
  EXPECT_EQ(host_.wallpaperRemovals, 1);
  button("btnOK")->click();
  EXPECT_EQ(host_.wallpaperRemovals, 1);
}

TEST_F(OptionsDialog, HotKeyRows) {
  WriteIntegerSetting(kSettingsKey, kHotKey1, static_cast<std::int32_t>(kCtrlAltT));
  WriteIntegerSetting(kSettingsKey, kHotKey3, static_cast<std::int32_t>(kAltF9));
  keys_->takenElsewhere.insert(kAltF9);
  MessageBoxes boxes;
  create();
  // Start-up: the refused one is skipped without a word.
  EXPECT_EQ(HotKeyRows()[0], kCtrlAltT);
  EXPECT_EQ(HotKeyRows()[2], 0u);
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
  EXPECT_EQ(HotKeyRows()[1], kCtrlShiftC);
  EXPECT_TRUE(keys_->held.count(kCtrlShiftC));
  EXPECT_EQ(HotKeyRowOf(kCtrlShiftC), 2);
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
  EXPECT_EQ(HotKeyRows()[0], 0u);
  EXPECT_FALSE(keys_->held.count(kCtrlAltT));

  // "Clear" on a row whose field was changed but not added still gives up
  // the registered combination.
  type(2, Qt::Key_X, Qt::ControlModifier | Qt::AltModifier);
  clear(2)->click();
  EXPECT_FALSE(keys_->held.count(kCtrlShiftC));
  EXPECT_EQ(HotKeyRows()[1], 0u);
  EXPECT_EQ(field(2)->text(), "None");
  EXPECT_FALSE(add(2)->isEnabled());
  EXPECT_FALSE(clear(2)->isEnabled());
}

TEST_F(OptionsDialog, HotKeyAddedThenCancelledLastsUntilTheNextShowing) {
  WriteIntegerSetting(kSettingsKey, kHotKey4, static_cast<std::int32_t>(kCtrlAltT));
  create();
  type(4, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  add(4)->click();
  type(5, Qt::Key_F9, Qt::NoModifier);  // taken with Alt, as the field does
  add(5)->click();
  button("btnCancel")->click();
  EXPECT_TRUE(keys_->held.count(kCtrlShiftC));
  EXPECT_EQ(HotKeyRowOf(kAltF9), 5);
  EXPECT_EQ(SettingInteger(kHotKey4), static_cast<std::int32_t>(kCtrlAltT));

  dialog_->InitSettings();
  EXPECT_EQ(keys_->held, (std::set<HotKeyValue>{kCtrlAltT}));
  EXPECT_EQ(HotKeyRows()[3], kCtrlAltT);
  EXPECT_EQ(HotKeyRows()[4], 0u);  // nothing stored for the row: none held
  EXPECT_EQ(field(4)->text(), "Ctrl + Alt + T");
  EXPECT_EQ(field(5)->text(), "None");
  EXPECT_FALSE(clear(5)->isEnabled());
}

TEST_F(OptionsDialog, ABadStoredValueIsReportedAndTheRestStillApplies) {
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
