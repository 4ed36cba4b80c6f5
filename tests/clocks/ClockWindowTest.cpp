// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The clock windows, the two lists behind them and the set-up dialogs, under
// the offscreen platform with the small fixture themes: what the menus show,
// what each command does to the window, its record and the file on disk
// (written at once, not only at exit).

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRegion>
#include <QTimer>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <list>
#include <tuple>

#include "TestSupport.h"
#include "WindowTestHome.h"
#include "clocks/AnalogClockArt.h"
#include "clocks/AnalogClockSetupDialog.h"
#include "clocks/AnalogClockWindow.h"
#include "clocks/ClockFace.h"
#include "clocks/ClockTheme.h"
#include "clocks/DesktopClocks.h"
#include "clocks/DigitalClockSetupDialog.h"
#include "clocks/DigitalClockWindow.h"
#include "clocks/ThemePicture.h"
#include "core/AtomicFile.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/SettingsBackend.h"
#include "widgets/CityFilterBox.h"

namespace wc {
namespace {

namespace fs = std::filesystem;

class Home : public test::WindowTestHome {
 public:
  void prepare() override {
    program = dir + "/program/";
    fs::create_directories(program);
    // A copy of the build's fixture themes, so that no test can change
    // what the next process reads.
    fs::copy(WC_CLOCK_FIXTURE, program, fs::copy_options::recursive);
    ASSERT_TRUE(fs::exists(program + "askins/aclock.ini"));
    SetProgramFolder(program);
  }
  std::string program;
};
Home* const home = static_cast<Home*>(::testing::AddGlobalTestEnvironment(new Home));

using test::MessageBoxes;

QAction* Item(const QList<QAction*>& items, const char* caption) {
  for (QAction* a : items)
    if (a->text() == QLatin1String(caption)) return a;
  return nullptr;
}

QString Checked(const QList<QAction*>& items) {
  QStringList names;
  for (QAction* a : items)
    if (a->isChecked()) names << a->text();
  return names.join(QLatin1Char(','));
}

class Clocks : public ::testing::Test {
 protected:
  void SetUp() override {
    home->empty();
    SetSettingsBackend(nullptr);
  }
  void TearDown() override {
    lists_.reset();
    QApplication::processEvents();
    // A box no test waits for would otherwise have hung the run.
    EXPECT_EQ(boxes.texts, QStringList());
  }
  // The texts of the boxes shown so far, which are then forgotten.
  QStringList takeBoxes() {
    const QStringList t = boxes.texts;
    boxes.texts.clear();
    boxes.titles.clear();
    return t;
  }
  DesktopClocks& lists() {
    if (!lists_) lists_ = std::make_unique<DesktopClocks>(nullptr, DataFolder(), composited);
    return *lists_;
  }
  bool composited = false;  // as the lists start: whether a compositor runs
  static AClockInfo Analog(const char* city, int width, const char* theme = "Classic") {
    AClockInfo r;
    r.ThemeFile = home->program + "askins/" + theme + ".png";
    r.cityname = city;
    r.shortcityname = city;
    r.tzd = 5.75 / 24;
    r.TextSize = 10;
    r.clockwidth = r.clockheight = width;
    r.clockrad = width / 2;
    r.x = 10 + width;
    r.y = 20;
    r.AlwaysTop = true;
    r.AlphaValue = 204;
    return r;
  }
  static DClockInfo Digital(const char* city, const char* theme = "Sky Blue") {
    DClockInfo r;
    r.ThemeFile = home->program + "dskins/" + theme + ".bmp";
    r.cityname = city;
    r.shortcityname = city;
    r.tzd = -3.5 / 24;
    r.x = 300;
    r.y = 40;
    r.AlphaValue = 255;
    return r;
  }
  // Writes the files and starts the lists from them, as start-up does.
  void start(const AClockList& a, const DClockList& d, int showA = 1, int showD = 1) {
    ASSERT_TRUE(WriteFileAtomically(DataFolder() + "aclocks.dat", AClockListText(a)));
    ASSERT_TRUE(WriteFileAtomically(DataFolder() + "dclocks.dat", DClockListText(d)));
    lists().LoadAClockList(".");
    lists().ShowAClocks(showA);
    lists().LoadDClockList(".");
    lists().ShowDClocks(showD);
  }
  AClockList savedA() {
    AClockList l;
    ReadAClockList(DataFolder() + "aclocks.dat", ".", l);
    return l;
  }
  DClockList savedD() {
    DClockList l;
    ReadDClockList(DataFolder() + "dclocks.dat", ".", l);
    return l;
  }
  AnalogClockWindow* aw(std::size_t i) { return lists().analogClocks().at(i); }
  DigitalClockWindow* dw(std::size_t i) { return lists().digitalClocks().at(i); }

  MessageBoxes boxes;
  std::unique_ptr<DesktopClocks> lists_;
};

TEST_F(Clocks, AnalogMenuInOrder) {
  start({Analog("Oslo", 200)}, {Digital("Oslo")});
  auto dump = [](QMenu* m) {
    QStringList out;
    for (QAction* a : m->actions()) {
      QString line = a->isSeparator() ? QStringLiteral("-") : a->text();
      if (a->menu()) {
        QStringList sub;
        for (QAction* s : a->menu()->actions()) sub << s->text();
        line += QStringLiteral(": ") + sub.join(QLatin1Char('|'));
      }
      out << line;
    }
    return out.join(QLatin1Char('\n')).toStdString();
  };
  EXPECT_EQ(
      dump(aw(0)->popClock),
      "&Change Theme: Blue Steel 1|Blue Steel 2|Retro Green|Retro Red|Fresh|Stylish Red|Simple Blue|"
      "Vibrant|Blue Gray|Black Gray|Gray|Gray Orange|Deep Pink|Forest Green|Orange|Violet|Classic|Wooden\n"
      "-\n"
      "Change Clock Size: Small|Medium|Large\n"
      "-\n&Hide Time\nHide Seconds Hand\nHide AM/PM\n-\n"
      "&Opacity: 20%|40%|60%|80%|100%\n&Always on the top\n-\n&Remove");
  EXPECT_EQ(dump(dw(0)->popClock),
            "&Change Theme: Dark Blue|Black|Dark Red|Fire Brick|Forest Green|Gray|Sky Blue|Orange|Deep "
            "Pink|Violet\n"
            "-\n&Hide Date\nHide &Seconds\nHide AM/&PM\n-\n&Always on the top\n"
            "&Opacity: 20%|40%|60%|80%|100%\n-\n&Remove");
}

TEST_F(Clocks, StartUpTurnsRecordsIntoWindows) {
  AClockInfo odd = Analog("Lima, Peru", 0, "Test Face");
  odd.AlphaValue = 128;
  odd.AlwaysTop = false;
  odd.HideSeconds = true;
  DClockInfo d = Digital("Tokyo");
  d.HideAMPM = true;
  d.AlphaValue = 51;
  start({Analog("Kathmandu", 150), odd, Analog("Oslo", 100)}, {d});
  ASSERT_EQ(lists().analogClocks().size(), 3u);
  AnalogClockWindow* medium = aw(0);
  AnalogClockWindow* unsized = aw(1);
  EXPECT_TRUE(medium->isVisible());
  EXPECT_EQ(medium->pos(), QPoint(160, 20));
  EXPECT_EQ(medium->size(), QSize(150, 150));
  EXPECT_EQ(Checked(medium->sizeItems), "Medium");
  EXPECT_EQ(Checked(medium->opacityItems), "80%");
  EXPECT_TRUE(medium->alwaysOnTop());
  EXPECT_TRUE(medium->miAlwaysOnTop->isChecked());
  EXPECT_EQ(Checked(medium->themeItems), "Classic");
  // No width: "Small" checked, the large face, opacity 128 with no item.
  EXPECT_EQ(Checked(unsized->sizeItems), "Small");
  EXPECT_EQ(unsized->size(), QSize(200, 200));
  EXPECT_EQ(unsized->record().AlphaValue, 128);
  EXPECT_DOUBLE_EQ(unsized->windowOpacity(), 128 / 255.0);
  EXPECT_EQ(Checked(unsized->opacityItems), "");
  EXPECT_FALSE(unsized->alwaysOnTop());
  EXPECT_TRUE(unsized->miHideSeconds->isChecked());
  // A theme the menu does not offer works, with no theme checked.
  EXPECT_EQ(Checked(unsized->themeItems), "");
  EXPECT_EQ(Checked(aw(2)->sizeItems), "Small");
  EXPECT_EQ(aw(2)->size(), QSize(100, 100));
  EXPECT_FALSE(medium->mask().isEmpty());  // no compositor: the face is cut out

  DigitalClockWindow* dig = dw(0);
  EXPECT_TRUE(dig->isVisible());
  EXPECT_EQ(Checked(dig->opacityItems), "20%");
  EXPECT_TRUE(dig->miHideAMPM->isChecked());
  EXPECT_EQ(Checked(dig->themeItems), "Sky Blue");
  EXPECT_EQ(dig->cityText(), "Tokyo");
  EXPECT_EQ(dig->timeText().size(), 8);  // HH:mm:ss
  EXPECT_FALSE(lists().analogHidden());
  EXPECT_FALSE(lists().digitalHidden());
}

TEST_F(Clocks, HiddenAtStartUpWithBothMarksSet) {
  start({Analog("Oslo", 200)}, {Digital("Oslo")}, 0, 0);
  EXPECT_FALSE(aw(0)->isVisible());
  EXPECT_FALSE(dw(0)->isVisible());
  EXPECT_TRUE(lists().analogHidden());
  EXPECT_TRUE(lists().digitalHidden());
}

TEST_F(Clocks, NoClocksNoMarksWhateverTheSetting) {
  start({}, {}, 0, 0);
  EXPECT_FALSE(lists().analogHidden() || lists().digitalHidden());
  // Hiding with nothing to hide says so and stores nothing.
  lists().HideAllAnalogClocks1Click();
  lists().HideAllDigitalClocks2Click();
  EXPECT_EQ(boxes.titles, QStringList({"Information", "Information"}));
  EXPECT_EQ(takeBoxes(), QStringList({"Please add at least one analog clock on the desktop first !",
                                      "Please add at least one digital clock on the desktop first !"}));
  EXPECT_FALSE(lists().analogHidden() || lists().digitalHidden());
  EXPECT_EQ(ReadIntegerSetting(kSettingsKey, kShowAClocks, 7), 7);
}

TEST_F(Clocks, HideAllAndShowAllAgain) {
  start({Analog("Oslo", 200), Analog("Lima", 100)}, {Digital("Oslo")});
  lists().HideAllAnalogClocks1Click();
  EXPECT_FALSE(aw(0)->isVisible() || aw(1)->isVisible());
  EXPECT_TRUE(dw(0)->isVisible());
  EXPECT_TRUE(lists().analogHidden());
  EXPECT_EQ(ReadIntegerSetting(kSettingsKey, kShowAClocks, 7), 0);
  lists().HideAllAnalogClocks1Click();
  EXPECT_TRUE(aw(0)->isVisible() && aw(1)->isVisible());
  EXPECT_FALSE(lists().analogHidden());
  EXPECT_EQ(ReadIntegerSetting(kSettingsKey, kShowAClocks, 7), 1);
  lists().HideAllDigitalClocks2Click();
  EXPECT_FALSE(dw(0)->isVisible());
  EXPECT_EQ(ReadIntegerSetting(kSettingsKey, kShowDClocks, 7), 0);
}

// Cities whose offset and daylight-saving rule match a zone of the system's
// database: one west of UTC, one east with a half hour and its summer in
// the northern winter, so a flipped sign or a mixed-up rule shows all year.
struct ZoneCity {
  const char* name;
  const char* zone;
  double offset;
  int rule[6];  // weekno dayofweek month, weekno1 dayofweek1 month1
};
constexpr ZoneCity kZoneCities[] = {
    {"New York", "America/New_York", -5, {2, 7, 3, 1, 7, 11}},
    {"Adelaide", "Australia/Adelaide", 9.5, {1, 7, 10, 1, 7, 4}},
};

template <class Record>
void SetZone(Record& r, const ZoneCity& z) {
  r.tzd = z.offset / 24;
  r.rule = {.dst = 1, .weekno = z.rule[0], .dayofweek = z.rule[1], .month = z.rule[2], .weekno1 = z.rule[3],
            .dayofweek1 = z.rule[4], .month1 = z.rule[5]};
}

TEST_F(Clocks, EachClockShowsItsCitysTimeNow) {
  AClockList a;
  DClockList d;
  for (const ZoneCity& z : kZoneCities) {
    AClockInfo ar = Analog(z.name, 200);
    SetZone(ar, z);
    ar.HideAMPM = true;
    a.push_back(ar);
    DClockInfo dr = Digital(z.name);
    SetZone(dr, z);
    dr.HideSeconds = dr.HideAMPM = true;
    d.push_back(dr);
  }
  start(a, d);
  int compared = 0;
  for (std::size_t i = 0; i < std::size(kZoneCities); ++i) {
    const ZoneCity& z = kZoneCities[i];
    SCOPED_TRACE(z.zone);
    if (test::NearZoneChange(z.zone)) continue;
    // Read between two instants, so a minute turning meanwhile is no failure.
    const QDateTime before = test::ZoneNow(z.zone);
    dw(i)->UpdateClock();
    aw(i)->Draw();
    const QString digital = dw(i)->timeText(), date = dw(i)->dateText();
    const QString analog = QString::fromStdString(aw(i)->timeText());
    const QDateTime after = test::ZoneNow(z.zone, 1000);
    const QLocale c = QLocale::c();
    for (const QString& shown : {digital, analog})
      EXPECT_TRUE(shown == c.toString(before, u"HH:mm") || shown == c.toString(after, u"HH:mm"))
          << shown.toStdString() << ", the zone " << before.toString(u"HH:mm").toStdString();
    EXPECT_TRUE(date == c.toString(before, u"ddd, dd MMM, yyyy") || date == c.toString(after, u"ddd, dd MMM, yyyy"))
        << date.toStdString();
    ++compared;
  }
  EXPECT_GT(compared, 0);
}

TEST_F(Clocks, AnalogHideAmPmShowsAtOnce) {
  AClockInfo r = Analog("Oslo", 200);
  r.HideSeconds = true;  // only the time text may change between the pictures
  start({r}, {});
  AnalogClockWindow* w = aw(0);
  for (int tries = 0; tries < 3; ++tries) {
    const QImage before = w->grabClock();
    w->miHideAMPM->trigger();
    const QImage after = w->grabClock();
    w->miHideAMPM->trigger();
    const QImage again = w->grabClock();
    if (again != before) continue;  // the minute turned meanwhile
    EXPECT_NE(before, after);
    EXPECT_NE(after, again);
    return;
  }
  ADD_FAILURE() << "the picture kept changing";
}

// Hand images hang from their pivot toward 6 o'clock; drawn unturned, the
// pivot must land on the face's centre.
TEST_F(Clocks, HandsHangFromTheThemesPivots) {
  const std::string askins = home->program + "askins/";
  const IniFile ini = IniFile::load(askins + "aclock.ini");
  const AClockTheme theme = ReadAClockTheme(ini, "Classic");
  const double scale = 200.0 / kHandCanvas;
  const struct {
    const char* image;
    const char* tx;
    const char* ty;
  } hands[] = {{"HourImage", "TXHour", "TYHour"},
               {"MinuteImage", "TXMinute", "TYMinute"},
               {"SecondImage", "TXSecond", "TYSecond"}};
  auto draw = [&](const AClockTheme& t, bool second) {
    AnalogClockArt art;
    art.setClockData(t, 11, 200, 254, true);
    art.loadImages(askins, askins + "Classic.png", 200);
    QImage img(200, 200, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    art.drawUpToMinute(p, 0, 0, QString(), QString(), true);
    if (second) art.drawSecondHand(p, 0);
    return img;
  };
  AClockTheme bare = theme;
  bare.HourImage = bare.MinuteImage = bare.SecondImage = "none";
  const QImage face = draw(bare, false);
  for (const auto& h : hands) {
    SCOPED_TRACE(h.image);
    AClockTheme one = bare;
    const std::string file = ini.readString("Classic", h.image, "");
    if (h.image == hands[0].image) one.HourImage = theme.HourImage;
    if (h.image == hands[1].image) one.MinuteImage = theme.MinuteImage;
    if (h.image == hands[2].image) one.SecondImage = theme.SecondImage;
    const QImage img = draw(one, h.image == hands[2].image);
    // The hand's own rows, in its image.
    const QImage hand(QString::fromStdString(askins + file + ".png"));
    ASSERT_FALSE(hand.isNull());
    int top = hand.height();
    for (int y = 0; y < hand.height(); ++y)
      for (int x = 0; x < hand.width(); ++x)
        if (qAlpha(hand.pixel(x, y)) > 128) top = std::min(top, y);
    const int tx = ini.readInteger("Classic", h.tx, -1), ty = ini.readInteger("Classic", h.ty, -1);
    ASSERT_GE(tx, 0);
    // Where it was drawn: the pixels that differ from the bare face.
    double mass = 0, moment = 0;
    int inkTop = 200;
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 200; ++x)
        if (const int d = std::abs(qGray(img.pixel(x, y)) - qGray(face.pixel(x, y))); d > 0) {
          mass += d;
          moment += d * (x + 0.5);
          if (d > 64) inkTop = std::min(inkTop, y);
        }
    ASSERT_GT(mass, 0);
    EXPECT_NEAR(moment / mass, 100, 0.5) << "the hand's axis is off the centre (pivot x " << tx << ")";
    // Its tail above the centre (the tip may end on the dark rim).
    EXPECT_NEAR(inkTop, 100 + (top - ty) * scale, 1.5) << "pivot y " << ty;
  }
}

TEST_F(Clocks, SmallClickedTwiceLeavesASmallClockWithNoSizeChecked) {
  start({Analog("Oslo", 200)}, {});
  AnalogClockWindow* w = aw(0);
  QAction* small = Item(w->sizeItems, "Small");
  small->trigger();
  EXPECT_EQ(Checked(w->sizeItems), "Small");
  small->trigger();
  EXPECT_EQ(Checked(w->sizeItems), "");
  EXPECT_EQ(w->size(), QSize(100, 100));
  EXPECT_EQ(w->record().TextSize, 9);
  const AClockList saved = savedA();
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0].clockwidth, 100);
  EXPECT_EQ(saved[0].clockrad, 50);
  EXPECT_EQ(saved[0].TextSize, 9);
}

// A change that reached only the window would be lost at the next start.
TEST_F(Clocks, EveryMenuChangeReachesTheFileAtOnce) {
  composited = true;
  start({Analog("Oslo", 200)}, {Digital("Oslo")});
  AnalogClockWindow* a = aw(0);
  DigitalClockWindow* d = dw(0);
  Item(a->opacityItems, "20%")->trigger();
  Item(a->themeItems, "Classic")->trigger();  // a click on the checked theme keeps it checked
  a->miHideDate->trigger();
  a->miHideSeconds->trigger();
  a->miHideAMPM->trigger();
  a->miAlwaysOnTop->trigger();
  Item(a->sizeItems, "Medium")->trigger();
  Item(d->opacityItems, "100%")->trigger();
  Item(d->opacityItems, "100%")->trigger();
  d->miHideDate->trigger();
  d->miHideSeconds->trigger();
  d->miAlwaysOnTop->trigger();
  EXPECT_EQ(a->record().AlphaValue, 51);
  EXPECT_EQ(Checked(a->themeItems), "Classic");
  EXPECT_FALSE(a->alwaysOnTop());
  EXPECT_EQ(d->alphaValue(), 255);
  EXPECT_EQ(Checked(d->opacityItems), "100%");
  EXPECT_EQ(d->timeText().size(), 8);  // hh:mm AM/PM
  d->miHideAMPM->trigger();
  EXPECT_EQ(d->timeText().size(), 5);  // HH:mm
  const AClockList sa = savedA();
  const DClockList sd = savedD();
  ASSERT_EQ(sa.size(), 1u);
  ASSERT_EQ(sd.size(), 1u);
  EXPECT_EQ(sa[0].AlphaValue, 51);
  EXPECT_TRUE(sa[0].HideDate);
  EXPECT_TRUE(sa[0].HideSeconds);
  EXPECT_TRUE(sa[0].HideAMPM);
  EXPECT_FALSE(sa[0].AlwaysTop);
  EXPECT_EQ(sa[0].clockwidth, 150);
  EXPECT_EQ(sa[0].clockrad, 75);
  EXPECT_EQ(sd[0].AlphaValue, 255);
  EXPECT_TRUE(sd[0].HideDate);
  EXPECT_TRUE(sd[0].HideSeconds);
  EXPECT_TRUE(sd[0].HideAMPM);
  EXPECT_TRUE(sd[0].AlwaysTop);
  // The places are the windows'.
  d->move(401, 402);
  EXPECT_TRUE(lists().SaveDClockList());
  EXPECT_EQ(savedD()[0].x, 401);
}

TEST_F(Clocks, RemovingOneOfSeveralLeavesTheOthers) {
  start({Analog("A", 200), Analog("B", 150), Analog("C", 100)}, {Digital("D1"), Digital("D2")});
  QPointer<AnalogClockWindow> a = aw(0), b = aw(1), c = aw(2);
  QPointer<DigitalClockWindow> d1 = dw(0), d2 = dw(1);
  b->miRemove->trigger();
  d1->miRemove->trigger();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(b.isNull());
  EXPECT_TRUE(d1.isNull());
  ASSERT_TRUE(a && c && d2);
  EXPECT_TRUE(a->isVisible() && c->isVisible() && d2->isVisible());
  ASSERT_EQ(lists().analogClocks().size(), 2u);
  EXPECT_EQ(lists().aclocks()[0].cityname, "A");
  EXPECT_EQ(lists().aclocks()[1].cityname, "C");
  EXPECT_EQ(lists().analogClocks()[1], c.data());
  const AClockList sa = savedA();
  ASSERT_EQ(sa.size(), 2u);
  EXPECT_EQ(sa[1].cityname, "C");
  EXPECT_EQ(sa[1].clockwidth, 100);
  ASSERT_EQ(savedD().size(), 1u);
  EXPECT_EQ(savedD()[0].cityname, "D2");
}

TEST_F(Clocks, TwoClocksOfOneCityEachKeepTheirOwnRecord) {
  // Only a hand-edited file can hold this; removing the second must not
  // take the first one's record (or leave a record without a window).
  composited = true;
  start({Analog("Oslo", 200), Analog("Oslo", 100)}, {});
  QPointer<AnalogClockWindow> second = aw(1);
  Item(second->opacityItems, "40%")->trigger();
  EXPECT_EQ(lists().aclocks()[0].AlphaValue, 204);
  EXPECT_EQ(lists().aclocks()[1].AlphaValue, 102);
  second->miRemove->trigger();
  ASSERT_EQ(lists().analogClocks().size(), 1u);
  EXPECT_EQ(lists().aclocks()[0].clockwidth, 200);
  EXPECT_TRUE(lists().SaveAClockList());
}

TEST_F(Clocks, DigitalHideDateSwapsBitmapAndShape) {
  start({}, {Digital("Oslo")});
  DigitalClockWindow* d = dw(0);
  EXPECT_EQ(d->bitmap().size(), QSize(143, 83));
  EXPECT_EQ(d->mask().boundingRect(), QRect(1, 1, 143, 83));
  const QString time = d->timeText();
  d->miHideDate->trigger();
  EXPECT_EQ(d->bitmap().size(), QSize(143, 62));  // SkyBluesmall.bmp
  EXPECT_EQ(d->mask().boundingRect(), QRect(1, 1, 143, 62));
  EXPECT_TRUE(savedD()[0].HideDate);
  // A theme whose bitmap is missing: told, and the picture stays.
  Item(d->themeItems, "Violet")->trigger();
  const QStringList told = takeBoxes();
  EXPECT_EQ(told.size(), 1);
  EXPECT_TRUE(told.value(0).contains(QStringLiteral("Violetsmall.bmp")));
  EXPECT_EQ(d->bitmap().size(), QSize(143, 62));
  EXPECT_EQ(ThemeNameOf(savedD()[0].ThemeFile), "Sky Blue");
}

TEST_F(Clocks, AThemeFromAnotherFolderIsFoundByItsName) {
  AClockInfo a = Analog("Oslo", 200);
  a.ThemeFile = "C:\\Program Files\\Tavrel\\askins\\Classic.png";
  DClockInfo d = Digital("Oslo");
  d.ThemeFile = "/old/place/dskins/Fire Brick.bmp";
  start({a}, {d});
  EXPECT_EQ(aw(0)->size(), QSize(200, 200));
  EXPECT_EQ(dw(0)->bitmap().size(), QSize(143, 83));
  EXPECT_TRUE(lists().SaveAClockList());
  EXPECT_EQ(savedA()[0].ThemeFile, home->program + "askins/Classic.png");
}

TEST_F(Clocks, AClockWhoseFaceIsGoneKeepsItsSizeAndItsMenu) {
  AClockInfo a = Analog("Oslo", 150);
  a.ThemeFile = home->program + "askins/Removed Theme.png";
  start({a}, {});
  EXPECT_EQ(aw(0)->size(), QSize(150, 150));
  EXPECT_GE(aw(0)->mask().boundingRect().width(), 140);  // a face of its own, so it can be clicked
  Item(aw(0)->themeItems, "Classic")->trigger();
  EXPECT_EQ(aw(0)->size(), QSize(150, 150));
  EXPECT_EQ(ThemeNameOf(savedA()[0].ThemeFile), "Classic");
}

// The first row at or below from where dark pixels lie near the face's
// vertical centre line (the light fixture face has none between its ticks).
int FirstInkRow(const AnalogClockArt& art, int from) {
  QImage img(art.face().size(), QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::white);
  QPainter p(&img);
  art.drawUpToMinute(p, 0, 0, QStringLiteral("MMMM"), QString(), true);
  p.end();
  for (int y = from; y < img.height(); ++y)
    for (int x = img.width() / 2 - 10; x < img.width() / 2 + 10; ++x)
      if (qGray(img.pixel(x, y)) < 128) return y;
  return -1;
}

TEST_F(Clocks, TextRowsScaleWithTheClock) {
  AClockTheme t;
  t.TYCity = 160;
  t.TextColor = "Black";
  for (const auto& [width, row] : {std::pair{100, 80}, {150, 120}, {200, 160}}) {
    AnalogClockArt art;
    art.setClockData(t, 12, width, 254, false);
    art.loadImages(home->program + "askins/", home->program + "askins/Classic.png", width);
    const int ink = FirstInkRow(art, row - 20);
    EXPECT_GE(ink, row) << width;
    EXPECT_LE(ink, row + 4) << width;
  }
}

QImage DrawnAt(const AnalogClockArt& art, double hours, const QString& city) {
  QImage img(art.faceSize(), QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  const double minutes = std::fmod(hours, 1) * 60;
  art.drawUpToMinute(p, hours * 30 + 180, minutes * 6 + 180, city, QString(), true);
  return img;
}

// Where two pictures differ.
QRegion Differing(const QImage& a, const QImage& b) {
  QRegion r;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) r += QRect(x, y, 1, 1);
  return r;
}

TEST_F(Clocks, ASmallClockAtTenPastTenLeavesItsCityNameInSight) {
  AClockTheme t = ReadAClockTheme(IniFile::load(home->program + "askins/aclock.ini"), "Classic");
  for (const int width : {100, 200}) {
    SCOPED_TRACE(width);
    AnalogClockArt art;
    art.setClockData(t, width == 100 ? 9 : 11, width, 254, false);
    art.loadImages(home->program + "askins/", home->program + "askins/Classic.png", width);
    // At 4:37 both hands point down, away from the name.
    const double early = 4 + 37 / 60.0, late = 10 + 7 / 60.0;
    const QImage bare = DrawnAt(art, early, QString());
    const QRect name = Differing(DrawnAt(art, early, QStringLiteral("MMMMM")), bare).boundingRect();
    EXPECT_GT(name.width(), 25);
    // At 10:07 no hand lies across it.
    const QRegion hands = Differing(DrawnAt(art, late, QString()), bare);
    EXPECT_TRUE((hands & name).isEmpty()) << (hands & name).boundingRect().x();
  }
}

// Ten past ten is how a clock is shown off: on every shipped theme and size
// the hour hand then keeps off a long city name. (The minute hand's sweep may
// cross the name's end on the small face.)
TEST_F(Clocks, AtTenPastTenNoShippedHourHandTouchesTheCityName) {
  const std::string askins = WC_PROGRAM_DIR "askins/";
  const IniFile ini = IniFile::load(askins + "aclock.ini");
  ASSERT_EQ(ini.sections().size(), 18u);
  for (const std::string& name : ini.sections()) {
    const AClockTheme t = ReadAClockTheme(ini, name);
    for (const ClockSize& size : kClockSizes) {
      SCOPED_TRACE(name + " " + size.caption);
      AnalogClockArt art;
      art.setClockData(t, size.textSize, size.width, 254, false);
      art.loadImages(askins, askins + name + ".png", size.width);
      // The minute hand stays at half past, pointing down, away from the name.
      auto drawn = [&](double hours, const QString& city) {
        QImage img(art.faceSize(), QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        art.drawUpToMinute(p, hours * 30 + 180, 0, city, QString(), true);
        return img;
      };
      // Where the picture changes to the eye: the faint edges of the
      // smoothed text and hand do not count.
      auto marked = [](const QImage& a, const QImage& b) {
        QRegion r;
        for (int y = 0; y < a.height(); ++y)
          for (int x = 0; x < a.width(); ++x)
            if (std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 64) r += QRect(x, y, 1, 1);
        return r;
      };
      const QImage bare = drawn(4.5, QString());
      const QRegion city = marked(drawn(4.5, QStringLiteral("Kathmandu")), bare);
      EXPECT_GT(city.boundingRect().width(), 35);
      const QRegion hour = marked(drawn(10 + 7 / 60.0, QString()), bare);
      const QRect met = (hour & city).boundingRect();
      EXPECT_TRUE(met.isEmpty()) << "the hand meets the name at " << met.x() << "," << met.y()
                                 << ", the name from row " << city.boundingRect().top();
    }
  }
}

TEST_F(Clocks, TwiceDenseScreensGetTheTwiceSizedPicturesWhereThereAreAny) {
  const std::string askins = home->program + "askins/";
  AClockTheme t = ReadAClockTheme(IniFile::load(askins + "aclock.ini"), "Classic");
  // The hour hand's dark pixels, in the face's own pixels.
  auto handCentre = [](const AnalogClockArt& art, qreal dpr) {
    QImage img((QSizeF(art.faceSize()) * dpr).toSize(), QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::white);
    QPainter p(&img);
    art.drawUpToMinute(p, 3 * 30 + 180, 180, QString(), QString(), true);  // 3:00
    p.end();
    // Weighted by darkness, in the band the hand lies in at 3:00.
    double sx = 0, sy = 0, n = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        const double u = (x + 0.5) / dpr - img.width() / dpr / 2, v = (y + 0.5) / dpr - img.height() / dpr / 2;
        if (u < 3 || std::abs(v) > 6) continue;
        const double w = std::max(0, 200 - qGray(img.pixel(x, y)));
        sx += w * u;
        sy += w * v;
        n += w;
      }
    return QPointF(sx / n, sy / n);
  };
  for (const int width : {100, 150, 200}) {
    SCOPED_TRACE(width);
    AnalogClockArt one, two;
    for (auto* art : {&one, &two}) art->setClockData(t, 10, width, 254, false);
    one.loadImages(askins, askins + "Classic.png", width, 1);
    two.loadImages(askins, askins + "Classic.png", width, 2);
    EXPECT_EQ(two.face().size(), QSize(2 * width, 2 * width));
    EXPECT_EQ(two.faceSize(), QSize(width, width));
    EXPECT_EQ(two.face().pixel(width, width), qRgb(0xf0, 0xe8, 0xd8));  // the @2x picture's shade
    EXPECT_EQ(one.face().pixel(width / 2, width / 2), qRgb(0xf6, 0xf1, 0xe4));
    // The twice-sized hand turns about the same point and reaches as far.
    const QPointF a = handCentre(one, 2), b = handCentre(two, 2);
    EXPECT_NEAR(a.x(), b.x(), 1.5);
    EXPECT_NEAR(a.y(), b.y(), 1.5);
  }
  // A theme without them is drawn from its 1x pictures, at the same size.
  AnalogClockArt plain;
  plain.setClockData(t, 11, 200, 254, false);
  plain.loadImages(askins, askins + "Test Face.png", 200, 2);
  EXPECT_EQ(plain.face().size(), QSize(200, 200));
  EXPECT_EQ(plain.faceSize(), QSize(200, 200));
  // The digital bitmaps likewise.
  const std::string dskins = home->program + "dskins/";
  for (const auto& [file, dpr, pixels] : {std::tuple{"SkyBlue.bmp", 2.0, QSize(286, 166)},
                                          {"SkyBlue.bmp", 1.0, QSize(143, 83)},
                                          {"FireBrick.bmp", 2.0, QSize(143, 83)}}) {
    SCOPED_TRACE(file);
    const QImage img = LoadThemePicture(dskins + file, dpr);
    EXPECT_EQ(img.size(), pixels);
    EXPECT_EQ(img.deviceIndependentSize().toSize(), QSize(143, 83));
  }
}

int MaxDifference(const QImage& a, const QImage& b) {
  int worst = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      for (int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q), qAlpha(p) - qAlpha(q)})
        worst = std::max(worst, std::abs(d));
    }
  return worst;
}

TEST_F(Clocks, TheKeptSecondHandsAreTheTurnedOnes) {
  AClockTheme t;
  t.SecondImage = "fx-second";
  t.txsecond = 3;
  t.tysecond = 24;
  // All alive at once, as clocks are: those of one size and ratio share
  // their kept hands, and no other clock's may reach them.
  std::list<AnalogClockArt> arts;
  for (const int width : {200, 150, 200}) {
    for (const qreal dpr : {1.0, 2.0}) {
      AnalogClockArt& art = arts.emplace_back();
      art.setClockData(t, 11, width, 254, false);
      art.loadImages(home->program + "askins/", home->program + "askins/Classic.png", width);
      for (int second = 0; second < 60; second += 7) {
        QImage direct(QSize(width, width) * dpr, QImage::Format_ARGB32_Premultiplied);
        direct.setDevicePixelRatio(dpr);
        direct.fill(Qt::transparent);
        QImage kept = direct;
        QPainter d(&direct);
        art.drawSecondHand(d, second * 6.0 + 180);
        d.end();
        QPainter k(&kept);
        art.drawSecondHandAt(k, second, dpr);
        k.end();
        EXPECT_LE(MaxDifference(direct, kept), 2) << width << " " << dpr << " " << second;
        // The place to paint again covers every pixel of the hand.
        QImage outside = kept;
        QPainter o(&outside);
        o.setCompositionMode(QPainter::CompositionMode_Clear);
        o.fillRect(art.secondHandRectAt(second, dpr), Qt::transparent);
        o.end();
        QImage blank(outside.size(), outside.format());
        blank.fill(Qt::transparent);
        EXPECT_EQ(MaxDifference(outside, blank), 0) << width << " " << dpr << " " << second;
      }
    }
  }
}

// ------------------------------------------------------------- dialogs ---

void WriteCities() {
  std::ofstream(DataFolder() + "citydata.dat")
      << "<cities><city><name>Lima, Peru</name><offset>-5</offset></city>"
         "<city><name>Oslo</name><offset>+1</offset></city>"
         "<city><name>Kathmandu, Nepal</name><offset>+5.75</offset></city>"
         "<city><name>Santa Cruz de la Sierra, Bolivia</name><offset>-4</offset></city></cities>";
}

int Row(QListWidget* l, const char* text) {
  for (int i = 0; i < l->count(); ++i)
    if (l->item(i)->text() == QLatin1String(text)) return i;
  return -1;
}

void Click(QListWidget* l, const char* text) {
  l->setCurrentRow(Row(l, text));
  emit l->itemClicked(l->currentItem());
}

TEST_F(Clocks, AnalogSetUpAddsTheClockItShows) {
  WriteCities();
  start({}, {});
  const test::ScopedEnv tz("TZ", "Asia/Kathmandu");
  auto* d = new AnalogClockSetupDialog(lists(), nullptr);
  EXPECT_EQ(d->size(), QSize(727, 362));
  EXPECT_EQ(d->edCity->text(), "Kathmandu");  // the user's own city, the part before the comma
  EXPECT_EQ(d->focusWidget(), d->edFilter);
  d->edFilter->setText(QStringLiteral("o"));  // Oslo begins with it, Lima lacks it
  EXPECT_EQ(d->edCity->text(), "Oslo");
  EXPECT_EQ(d->lbThemes->count(), 2);    // every section, also one the clock menu lacks
  EXPECT_EQ(d->lbClockSize->currentItem()->text(), "Large");
  EXPECT_EQ(d->lbTSize->currentItem()->text(), "11");
  EXPECT_TRUE(d->previewRunning());
  d->edFilter->setText(QStringLiteral("lim"));
  EXPECT_EQ(d->edCity->text(), "Lima");
  d->edFilter->setText(QStringLiteral("xyz"));
  EXPECT_FALSE(d->btnAddClock->isEnabled());  // no city, nothing to add
  d->edFilter->setText(QStringLiteral("OSLO"));
  EXPECT_EQ(d->edCity->text(), "Oslo");  // no comma: the whole name
  Click(d->lbClockSize, "Medium");
  EXPECT_EQ(d->lbTSize->currentItem()->text(), "10");
  Click(d->lbTSize, "12");
  Click(d->lbThemes, "Test Face");
  d->cbHidesec->click();
  EXPECT_FALSE(d->previewRunning());
  d->edCity->setText(QStringLiteral("Home & <Away>"));
  EXPECT_EQ(d->previewImage().size(), QSize(200, 200));

  d->btnAddClock->click();
  AnalogClockWindow* w = d->lastAdded();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(w->pos(), QPoint(193, 124));
  EXPECT_EQ(w->size(), QSize(150, 150));
  EXPECT_EQ(w->record().TextSize, 12);
  EXPECT_EQ(Checked(w->sizeItems), "Medium");
  EXPECT_EQ(Checked(w->opacityItems), "");
  EXPECT_EQ(Checked(w->themeItems), "");
  EXPECT_TRUE(w->miHideSeconds->isChecked());
  EXPECT_TRUE(w->alwaysOnTop() && w->miAlwaysOnTop->isChecked());
  const AClockList saved = savedA();
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0].cityname, "Oslo");
  EXPECT_EQ(saved[0].shortcityname, "Home & <Away>");
  EXPECT_EQ(saved[0].ThemeFile, home->program + "askins/Test Face.png");
  EXPECT_EQ(saved[0].TextSize, 12);
  EXPECT_EQ(saved[0].clockwidth, 150);
  EXPECT_EQ(saved[0].AlphaValue, 255);
  EXPECT_TRUE(saved[0].AlwaysTop);
  EXPECT_EQ(saved[0].x, 193);
  EXPECT_NEAR(saved[0].tzd * 24, 1, 1e-12);

  d->btnAddClock->click();
  EXPECT_EQ(boxes.titles, QStringList{"Warning !"});
  EXPECT_EQ(takeBoxes(), QStringList{"City already added !"});
  EXPECT_EQ(lists().analogClocks().size(), 1u);
  d->btnClose->click();
}

// The part of a picture that differs from its top-left pixel.
QRect Drawn(const QImage& img) {
  QRect r;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.pixel(x, y) != img.pixel(0, 0)) r |= QRect(x, y, 1, 1);
  return r;
}

TEST_F(Clocks, ThePreviewShowsEverySizeInTheMiddleOfItsBox) {
  WriteCities();
  start({}, {});
  auto* d = new AnalogClockSetupDialog(lists(), nullptr);
  d->cbHidesec->click();
  for (const auto& [size, face] : {std::pair{"Small", 100}, {"Medium", 150}, {"Large", 200}}) {
    SCOPED_TRACE(size);
    Click(d->lbClockSize, size);
    const QRect drawn = Drawn(d->previewImage());
    EXPECT_NEAR(drawn.width(), face, 6);
    EXPECT_NEAR(drawn.center().x(), 100, 1);
    EXPECT_NEAR(drawn.center().y(), 100, 1);
  }
  d->btnClose->click();
}

TEST_F(Clocks, ALongCityNameEndsInAnEllipsisInsteadOfLosingBothEnds) {
  WriteCities();
  start({}, {});
  auto* d = new DigitalClockSetupDialog(lists(), nullptr);
  d->edFilter->setText(QStringLiteral("Santa Cruz de la Sierra, Bolivia"));
  EXPECT_EQ(d->edCity->text(), "Santa Cruz de la Sierra, Bolivia");
  const QString shown = d->lblCity->text();
  EXPECT_TRUE(shown.startsWith("Santa Cruz")) << shown.toStdString();
  EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
  EXPECT_LE(QFontMetrics(d->lblCity->font()).horizontalAdvance(shown), d->lblCity->width());
  d->btnAddClock->click();
  DigitalClockWindow* w = d->lastAdded();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->cityText(), "Santa Cruz de la Sierra, Bolivia");  // the record keeps the whole name
  d->btnClose->click();
}

TEST_F(Clocks, ClocksAddedWhileHiddenAreShown) {
  WriteCities();
  start({Analog("Oslo", 200)}, {Digital("Oslo")}, 0, 0);
  const test::ScopedEnv tz("TZ", "America/Lima");
  auto* a = new AnalogClockSetupDialog(lists(), nullptr);
  a->btnAddClock->click();  // Lima, Peru
  ASSERT_NE(a->lastAdded(), nullptr);
  EXPECT_TRUE(a->lastAdded()->isVisible());
  EXPECT_TRUE(lists().analogHidden());  // adding leaves the marks
  auto* d = new DigitalClockSetupDialog(lists(), nullptr);
  d->btnAddClock->click();
  ASSERT_NE(d->lastAdded(), nullptr);
  EXPECT_TRUE(d->lastAdded()->isVisible());
  a->close();
  d->close();
}

TEST_F(Clocks, DigitalSetUpAddsTheClockItShows) {
  WriteCities();
  start({Analog("Lima, Peru", 200)}, {});
  const test::ScopedEnv tz("TZ", "Europe/Oslo");
  auto* d = new DigitalClockSetupDialog(lists(), nullptr);
  EXPECT_EQ(d->size(), QSize(613, 307));
  EXPECT_EQ(d->edCity->text(), "Oslo");  // the user's own city
  d->edFilter->setText(QStringLiteral("peru"));
  EXPECT_EQ(d->edCity->text(), "Lima, Peru");  // not cut at the comma
  EXPECT_EQ(d->lblCity->text(), "Lima, Peru");
  Click(d->lbThemes, "Fire Brick");
  EXPECT_EQ(d->imgpreview->pixmap().size(), QSize(143, 83));
  d->cbHideDate->click();
  EXPECT_EQ(d->imgpreview->pixmap().size(), QSize(143, 62));  // FireBricksmall.bmp
  EXPECT_TRUE(d->lblDate->isHidden());
  d->cbAMPM->click();
  d->cbHidesec->click();
  EXPECT_EQ(d->lblTime->text().size(), 5);  // HH:mm
  d->edCity->setText(QStringLiteral("Lima"));

  d->btnAddClock->click();  // a city with an analog clock may have a digital one
  DigitalClockWindow* w = d->lastAdded();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->pos(), QPoint(192, 124));
  EXPECT_EQ(w->bitmap().size(), QSize(143, 62));
  EXPECT_EQ(w->timeText().size(), 5);
  EXPECT_EQ(w->cityText(), "Lima");
  const DClockList saved = savedD();
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0].ThemeFile, home->program + "dskins/Fire Brick.bmp");
  EXPECT_EQ(saved[0].cityname, "Lima, Peru");
  EXPECT_TRUE(saved[0].HideDate && saved[0].HideSeconds && saved[0].HideAMPM);
  EXPECT_NEAR(saved[0].tzd * 24, -5, 1e-12);

  d->btnAddClock->click();
  EXPECT_EQ(takeBoxes(), QStringList{"City already added !"});
  d->btnClose->click();
}

TEST_F(Clocks, AnUnwritableFolderIsReportedOnceAndNothingIsLost) {
  composited = true;
  start({Analog("Oslo", 200)}, {});
  std::vector<QString> problems;
  QObject::connect(&lists(), &DesktopClocks::problem, [&](const QString& t) { problems.push_back(t); });
  // The folder gone (a removed or unmounted home): nothing can be written.
  fs::remove_all(DataFolder());
  Item(aw(0)->opacityItems, "40%")->trigger();
  Item(aw(0)->opacityItems, "60%")->trigger();
  EXPECT_EQ(problems.size(), 1u);
  fs::create_directories(DataFolder());
  Item(aw(0)->opacityItems, "20%")->trigger();
  EXPECT_EQ(savedA()[0].AlphaValue, 51);
  EXPECT_EQ(problems.size(), 1u);
}

TEST_F(Clocks, ATornListGoesBackToItsFileOnlyAfterItsMessage) {
  const std::string whole = AClockListText({Analog("Oslo", 200), Analog("Lima", 150), Analog("Tokyo", 100)});
  const std::string torn = whole.substr(0, whole.find("Tokyo"));
  const std::string path = DataFolder() + "aclocks.dat";
  ASSERT_TRUE(WriteFileAtomically(path, torn));
  std::vector<QString> problems;
  bool savedWhileTold = true;
  QObject::connect(&lists(), &DesktopClocks::problem, [&](const QString& t) {
    problems.push_back(t);
    // A save while the message is up (a clock moved meanwhile) waits.
    savedWhileTold = lists().SaveAClockList();
  });
  lists().LoadAClockList(".");
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_TRUE(problems[0].contains(QStringLiteral("The 2 clocks before the damage were kept")))
      << problems[0].toStdString();
  EXPECT_FALSE(savedWhileTold);
  EXPECT_EQ(ReadWholeFile(path).bytes, torn);
  EXPECT_TRUE(lists().SaveAClockList());
  ASSERT_EQ(savedA().size(), 2u);
  EXPECT_EQ(savedA()[1].cityname, "Lima");
}

TEST_F(Clocks, AListThatCouldNotBeReadIsNeverReplaced) {
  // A link to itself stands for any file that exists but cannot be read;
  // unlike a folder, a save could still replace it.
  fs::create_symlink("dclocks.dat", DataFolder() + "dclocks.dat");
  std::vector<QString> problems;
  QObject::connect(&lists(), &DesktopClocks::problem, [&](const QString& t) { problems.push_back(t); });
  lists().LoadDClockList(".");
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_TRUE(problems[0].contains(QStringLiteral("dclocks.dat")));
  EXPECT_FALSE(lists().SaveDClockList());
  EXPECT_EQ(problems.size(), 1u);
  EXPECT_TRUE(fs::is_symlink(DataFolder() + "dclocks.dat"));
}

// ------------------------------------------------- places and compositor ---

TEST_F(Clocks, ClocksNoMonitorShowsComeBackAndKeepTheirNewPlace) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  AClockInfo lost = Analog("Oslo", 150), half = Analog("Lima", 100);
  lost.x = area.right() + 2000;  // where a second monitor was
  lost.y = area.bottom() + 500;
  half.x = area.right() + 1 - 50;  // half of it on the monitor: left there
  half.y = area.top() + 30;
  DClockInfo left = Digital("Tokyo");
  left.x = area.left() - 900;
  left.y = area.top() + 70;
  start({lost, half}, {left}, 1, 0);
  EXPECT_EQ(aw(0)->geometry(), QRect(area.right() + 1 - 150, area.bottom() + 1 - 150, 150, 150));
  EXPECT_EQ(aw(1)->pos(), QPoint(half.x, half.y));
  EXPECT_EQ(dw(0)->pos(), QPoint(area.left(), area.top() + 70));  // hidden ones too
  EXPECT_EQ(savedA()[0].x, area.right() + 1 - 150);
  EXPECT_EQ(savedA()[0].y, area.bottom() + 1 - 150);
  EXPECT_EQ(savedD()[0].x, area.left());
  // Moved off while hidden (the screen shrank): "Show All" brings it back.
  lists().HideAllAnalogClocks1Click();
  aw(1)->move(area.left() - 400, area.top() - 400);
  lists().HideAllAnalogClocks1Click();
  EXPECT_TRUE(aw(1)->isVisible());
  EXPECT_EQ(aw(1)->pos(), area.topLeft());
  EXPECT_EQ(savedA()[1].x, area.left());
}

TEST_F(Clocks, NewClocksStepDownAndRightPastTheOnesAlreadyThere) {
  WriteCities();
  start({}, {});
  auto* a = new AnalogClockSetupDialog(lists(), nullptr);
  Click(a->lbClockSize, "Small");
  std::vector<QPoint> places;
  for (const char* city : {"Lima, Peru", "Oslo", "Kathmandu, Nepal"}) {
    a->edFilter->setText(QString::fromUtf8(city));
    a->btnAddClock->click();
    places.push_back(a->lastAdded()->pos());
  }
  EXPECT_EQ(places, (std::vector<QPoint>{{193, 124}, {217, 148}, {241, 172}}));
  // The first one dragged away leaves its place free for the next.
  a->lastAdded()->move(400, 300);
  lists().analogClocks()[0]->move(20, 300);
  a->edFilter->setText(QStringLiteral("Santa Cruz de la Sierra, Bolivia"));
  a->btnAddClock->click();
  EXPECT_EQ(a->lastAdded()->pos(), QPoint(193, 124));
  a->btnClose->click();
  // A digital one goes by the same rule, past the analog ones on its way.
  auto* d = new DigitalClockSetupDialog(lists(), nullptr);
  d->edFilter->setText(QStringLiteral("Oslo"));
  d->btnAddClock->click();
  EXPECT_EQ(d->lastAdded()->pos(), QPoint(240, 172));
  EXPECT_EQ(savedD()[0].x, 240);
  d->btnClose->click();
}

TEST_F(Clocks, TheClocksFollowTheCompositorAndOfferOpacityOnlyWithIt) {
  start({Analog("Oslo", 150)}, {Digital("Oslo")});
  AnalogClockWindow* a = aw(0);
  DigitalClockWindow* d = dw(0);
  a->move(300, 200);
  auto offered = [](const DesktopClockWindow* w) {
    int enabled = 0;
    for (const QAction* i : w->opacityItems) enabled += i->isEnabled();
    return enabled;
  };
  // None at start: shapes, and no opacity to choose, with the reason.
  EXPECT_FALSE(a->testAttribute(Qt::WA_TranslucentBackground));
  EXPECT_FALSE(a->mask().isEmpty());
  EXPECT_EQ(offered(a), 0);
  EXPECT_EQ(offered(d), 0);
  EXPECT_TRUE(a->opacityItems[0]->toolTip().contains(QStringLiteral("no compositor")));
  EXPECT_EQ(Checked(a->opacityItems), "80%");  // the stored opacity is still shown
  // It starts: alpha, and the stored opacity in force.
  lists().setComposited(true);
  for (const DesktopClockWindow* w : {static_cast<DesktopClockWindow*>(a), static_cast<DesktopClockWindow*>(d)}) {
    EXPECT_TRUE(w->testAttribute(Qt::WA_TranslucentBackground));
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(offered(w), 5);
    EXPECT_EQ(w->opacityItems[0]->toolTip(), "20%");
  }
  EXPECT_TRUE(a->mask().isEmpty());
  EXPECT_EQ(a->pos(), QPoint(300, 200));
  EXPECT_NEAR(a->windowOpacity(), 204 / 255.0, 0.01);
  EXPECT_EQ(a->grabClock().pixel(0, 0), qRgba(0, 0, 0, 0));  // see-through round the face
  Item(a->opacityItems, "40%")->trigger();
  EXPECT_EQ(savedA()[0].AlphaValue, 102);
  // It stops: a shape again, opacity kept for its return.
  lists().setComposited(false);
  EXPECT_FALSE(a->testAttribute(Qt::WA_TranslucentBackground));
  EXPECT_FALSE(a->mask().isEmpty());
  EXPECT_TRUE(a->isVisible());
  EXPECT_EQ(offered(a), 0);
  EXPECT_EQ(a->record().AlphaValue, 102);
  EXPECT_EQ(Checked(a->opacityItems), "40%");
}

TEST_F(Clocks, ADigitalClockWithoutItsPictureIsReadableAndSaysSoOnce) {
  start({}, {Digital("Oslo", "Removed Theme")});
  DigitalClockWindow* d = dw(0);
  const QStringList told = takeBoxes();
  ASSERT_EQ(told.size(), 1);
  EXPECT_TRUE(told[0].contains(QStringLiteral("RemovedTheme.bmp")));
  lists().HideAllDigitalClocks2Click();
  lists().HideAllDigitalClocks2Click();
  EXPECT_TRUE(d->isVisible());
  EXPECT_EQ(takeBoxes(), QStringList());
  // Dark text on a light panel, whatever its theme's colours.
  const QImage shot = d->grab().toImage();
  const QRect time = DClockLayout::lblTime;
  int darkest = 255, lightest = 0;
  for (int y = time.top(); y <= time.bottom(); ++y)
    for (int x = time.left(); x <= time.right(); ++x) {
      darkest = std::min(darkest, qGray(shot.pixel(x, y)));
      lightest = std::max(lightest, qGray(shot.pixel(x, y)));
    }
  EXPECT_GT(lightest, 200);
  EXPECT_LT(darkest, 80);
  EXPECT_FALSE(d->timeText().isEmpty());
}

}  // namespace
}  // namespace wc
