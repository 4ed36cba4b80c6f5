// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The three tool windows, shown modally as the program shows them, against
// a settings file, a city table and a dialcodes.dat of their own.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDateTime>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "TestSupport.h"
#include "WindowTestHome.h"
#include "core/AtomicFile.h"
#include "core/CityTable.h"
#include "core/FormatDateTime.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "tools/CalendarSurface.h"
#include "tools/CalendarWindow.h"
#include "tools/DialCodesWindow.h"
#include "tools/TimeFinderWindow.h"

namespace wc {
namespace {

namespace fs = std::filesystem;

class Home : public test::WindowTestHome {
 public:
  void prepare() override {
    SetProgramFolder(dir + "/program/");
    fs::create_directories(dir + "/program");
    ASSERT_TRUE(WriteFileAtomically(dir + "/cities.xml",
                                    "<cities>"
                                    "<city><name>London, United Kingdom</name><offset>0</offset></city>"
                                    "<city><name>Paris, France</name><offset>+1</offset></city>"
                                    "<city><name>Kathmandu, Nepal</name><offset>+5.75</offset></city>"
                                    "</cities>"));
    ASSERT_TRUE(cities.load(dir + "/cities.xml").ok());
  }
  CityTable cities;
};
Home* const home = static_cast<Home*>(::testing::AddGlobalTestEnvironment(new Home));
using test::MessageBoxes;

// Runs the steps once the window is up, then closes it as Escape does.
void RunShown(ToolWindow& window, const std::function<void()>& steps) {
  QTimer::singleShot(0, &window, [&window, steps] {
    steps();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&window, &escape);
  });
  EXPECT_EQ(window.showModal(), QDialog::Accepted);
}

// One key typed into a widget: the press and, separately, its release.
void Press(QWidget* w, int key, const QString& text = {}) {
  QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(w, &e);
}
void Release(QWidget* w, int key, const QString& text = {}) {
  QKeyEvent e(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(w, &e);
}
void Type(QWidget* w, int key, const QString& text = {}) {
  Press(w, key, text);
  Release(w, key, text);
}

class ToolWindows : public ::testing::Test {
 protected:
  void SetUp() override { fs::remove(SettingsFilePath()); }
  static std::string settingsText() { return ReadWholeFile(SettingsFilePath()).bytes; }
};

int RedPixels(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == qRgb(255, 0, 0);
  return n;
}

TEST_F(ToolWindows, CalendarRedrawsOnEachKeyReleaseOfAYearTypedDigitByDigit) {
  CalendarWindow cal(nullptr);
  std::vector<int> afterPress, afterRelease;
  RunShown(cal, [&] {
    QLineEdit* box = cal.yearBox();
    EXPECT_EQ(cal.focusWidget(), box);
    box->selectAll();
    Type(box, Qt::Key_Backspace);
    EXPECT_EQ(box->text(), "");
    for (const QChar digit : QStringLiteral("1999")) {
      Press(box, Qt::Key_0 + digit.digitValue(), digit);
      afterPress.push_back(cal.surface()->year());
      Release(box, Qt::Key_0 + digit.digitValue(), digit);
      afterRelease.push_back(cal.surface()->year());
    }
    EXPECT_EQ(cal.shownYear(), 1999);
    EXPECT_EQ(box->text(), "1999");
  });
  const int thisYear = static_cast<int>(std::chrono::year_month_day{DateOf(LocalNow())}.year());
  EXPECT_EQ(afterPress, (std::vector<int>{thisYear, 1, 19, 199}));
  EXPECT_EQ(afterRelease, (std::vector<int>{1, 19, 199, 1999}));
}

TEST_F(ToolWindows, CalendarFitsAllTwelveMonthsIntoTheRoomTheScreenLeaves) {
  CalendarWindow cal(nullptr);
  cal.fitInto(QSize(1920, 1080));
  const QSize own = cal.size();
  EXPECT_EQ(cal.surface()->scale(), 1.0);
  const QImage full = cal.surface()->grab().toImage();
  // A 2x screen of 1920 x 1080 less a panel and a title bar; a narrow one;
  // then room again, which gives the window back its own size.
  for (const QSize room : {QSize(960, 540 - 32 - 37), QSize(560, 1000), QSize(1280, 720)}) {
    SCOPED_TRACE(room.width());
    cal.fitInto(room);
    EXPECT_LE(cal.width(), std::max(room.width(), own.width()));
    EXPECT_LE(cal.height(), std::max(room.height(), own.height()));
    if (room.width() >= own.width() && room.height() >= own.height()) {
      EXPECT_EQ(cal.size(), own);
      continue;
    }
    EXPECT_LE(cal.width(), room.width());
    EXPECT_LE(cal.height(), room.height());
    // The whole year is drawn, only smaller: not cut off at the edges.
    const QImage drawn = cal.surface()->grab().toImage();
    const QImage shrunk = full.scaled(drawn.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    double difference = 0;
    for (int y = 0; y < drawn.height(); ++y)
      for (int x = 0; x < drawn.width(); ++x)
        difference += std::abs(qGray(drawn.pixel(x, y)) - qGray(shrunk.pixel(x, y)));
    EXPECT_LT(difference / (drawn.width() * drawn.height()), 12);
  }
}

TEST_F(ToolWindows, CalendarYearBoxTakesDigitsOnly) {
  CalendarWindow cal(nullptr);
  RunShown(cal, [&] {
    QLineEdit* box = cal.yearBox();
    box->setText(QStringLiteral("20"));
    for (const auto& [key, text] : {std::pair{Qt::Key_A, "a"}, std::pair{Qt::Key_Minus, "-"},
                                    std::pair{Qt::Key_Space, " "}, std::pair{Qt::Key_Period, "."}})
      Type(box, key, QString::fromLatin1(text));
    EXPECT_EQ(box->text(), "20");
    EXPECT_EQ(cal.shownYear(), 20);
  });
}

TEST_F(ToolWindows, CalendarMarksTodayInItsYearOnly) {
  CalendarWindow cal(nullptr);
  std::vector<int> red;
  RunShown(cal, [&] {
    red.push_back(RedPixels(cal.surface()->grab().toImage()));
    cal.RightbtnClick();
    red.push_back(RedPixels(cal.surface()->grab().toImage()));
    QKeyEvent pageUp(QEvent::KeyPress, Qt::Key_PageUp, Qt::NoModifier);
    QApplication::sendEvent(cal.yearBox(), &pageUp);
    red.push_back(RedPixels(cal.surface()->grab().toImage()));
  });
  ASSERT_EQ(red.size(), 3u);
  EXPECT_GT(red[0], 0);  // "1" and "11" are only a few pixels
  EXPECT_EQ(red[1], 0);
  EXPECT_EQ(red[2], red[0]);
  EXPECT_NE(settingsText().find("\"Calendar Window Position\"=hex:00,00,00,00,"), std::string::npos);
}

TEST_F(ToolWindows, CalendarNamesComeFromTheLocaleSundayFirst) {
  struct Case {
    QLocale locale;
    const char* sunday;
    const char* monday;
    const char* saturday;
    const char* january;  // the name as a heading, not as in a date
  };
  const Case cases[] = {
      {QLocale(QLocale::English, QLocale::UnitedStates), "Su", "Mo", "Sa", "January"},
      {QLocale(QLocale::German, QLocale::Germany), "So", "Mo", "Sa", "Januar"},
      {QLocale(QLocale::Polish, QLocale::Poland), "ni", "po", "so", "styczeń"},
  };
  const QLocale before;
  for (const Case& c : cases) {
    QLocale::setDefault(c.locale);
    const CalendarSurface surface(nullptr);
    EXPECT_EQ(surface.dayHeader(0), QString::fromUtf8(c.sunday)) << c.january;
    EXPECT_EQ(surface.dayHeader(1), QString::fromUtf8(c.monday)) << c.january;
    EXPECT_EQ(surface.dayHeader(6), QString::fromUtf8(c.saturday)) << c.january;
    EXPECT_EQ(surface.monthName(1), QString::fromUtf8(c.january));
  }
  QLocale::setDefault(before);
}

TEST_F(ToolWindows, CalendarRefusesToStepPastTheFirstAndLastYear) {
  MessageBoxes boxes;
  CalendarWindow cal(nullptr);
  std::vector<int> years;
  RunShown(cal, [&] {
    QLineEdit* box = cal.yearBox();
    box->setText(QStringLiteral("999"));
    Type(box, Qt::Key_9, QStringLiteral("9"));
    cal.RightbtnClick();
    years.push_back(cal.shownYear());
    box->setText(QStringLiteral("2"));
    Type(box, Qt::Key_Left);
    cal.LeftBtnClick();
    cal.LeftBtnClick();
    years.push_back(cal.shownYear());
    years.push_back(box->text().toInt());
  });
  EXPECT_EQ(years, (std::vector<int>{9999, 1, 1}));
  ASSERT_EQ(boxes.texts.size(), 2);
  EXPECT_EQ(boxes.texts[0], "The calendar shows the years 1 to 9999.");
}

template <class W>
W* Child(QWidget& window, const char* name) {
  W* w = window.findChild<W*>(QLatin1String(name));
  EXPECT_NE(w, nullptr) << name;
  return w;
}

TEST_F(ToolWindows, FinderSearchesByCountryAndRemembersItsMode) {
  ASSERT_TRUE(WriteFileAtomically(DialCodesPath(), "France\t+33\r\nUnited Kingdom\t+44\r\n"));
  WriteIntegerSetting(kSettingsKey, kSearchType, 1);
  const test::ScopedEnv tz("TZ", "Europe/Paris");
  {
    TimeFinderWindow finder(nullptr, home->cities, DefaultFormatSettings());
    RunShown(finder, [&] {
      QComboBox* search = finder.searchBox();
      ASSERT_EQ(search->count(), 3);
      EXPECT_EQ(search->currentText(), "France, Paris");  // the own city, its time shown at once
      EXPECT_EQ(Child<QLabel>(finder, "lbCode")->text(), "+33");
      EXPECT_EQ(search->itemText(0), "France, Paris");
      EXPECT_EQ(search->itemText(2), "United Kingdom, London");
      search->setEditText(QStringLiteral("united kingdom, LONDON"));
      EXPECT_EQ(Child<QLabel>(finder, "Label2")->text(), "London, United Kingdom");
      EXPECT_EQ(Child<QLabel>(finder, "lbCode")->text(), "+44");
      EXPECT_FALSE(Child<QLabel>(finder, "lbTime")->text().isEmpty());
      EXPECT_FALSE(Child<QLabel>(finder, "lbDate")->text().isEmpty());
      // Switching to search by city lists the names, again on the own city.
      for (QRadioButton* b : finder.findChildren<QRadioButton*>())
        if (b->text() == "City") b->click();
      EXPECT_EQ(search->itemText(0), "Kathmandu, Nepal");
      EXPECT_EQ(search->currentText(), "Paris, France");
      EXPECT_EQ(Child<QLabel>(finder, "Label2")->text(), "Paris, France");
      // Suggestions follow the rule of every city list, best first; Enter
      // takes the best when the text is no whole name; it closes nothing.
      search->clearEditText();
      Type(search->lineEdit(), Qt::Key_U, QStringLiteral("u"));
      EXPECT_EQ(Child<QLabel>(finder, "Label2")->text(), "");
      const QAbstractItemModel* suggested = finder.findChild<QCompleter*>()->popup()->model();
      ASSERT_EQ(suggested->rowCount(), 2);
      // A word that begins with it before a name that holds it.
      EXPECT_EQ(suggested->index(0, 0).data().toString(), "London, United Kingdom");
      EXPECT_EQ(suggested->index(1, 0).data().toString(), "Kathmandu, Nepal");
      Type(search->lineEdit(), Qt::Key_Return);
      EXPECT_EQ(search->currentText(), "London, United Kingdom");
      EXPECT_EQ(Child<QLabel>(finder, "lbCode")->text(), "+44");
      EXPECT_TRUE(finder.isVisible());
    });
  }
  EXPECT_EQ(ReadIntegerSetting(kSettingsKey, kSearchType, -1), 0);
  EXPECT_NE(settingsText().find("\"Finder Window Position\"=hex:"), std::string::npos);
  {
    TimeFinderWindow again(nullptr, home->cities, DefaultFormatSettings());
    RunShown(again, [&] {
      for (QRadioButton* b : again.findChildren<QRadioButton*>())
        EXPECT_EQ(b->isChecked(), b->text() == "City") << b->text().toStdString();
      EXPECT_EQ(again.searchBox()->itemText(0), "Kathmandu, Nepal");
      for (QRadioButton* b : again.findChildren<QRadioButton*>())
        if (b->text() == "Country") b->click();
    });
  }
  // Left by country, which is not the default: kept for the next opening.
  EXPECT_EQ(ReadIntegerSetting(kSettingsKey, kSearchType, -1), 1);
  TimeFinderWindow third(nullptr, home->cities, DefaultFormatSettings());
  RunShown(third, [&] { EXPECT_EQ(third.searchBox()->itemText(0), "France, Paris"); });
}

TEST_F(ToolWindows, FinderTimeIsTheCitysAndFollowsTheClock) {
  // A city whose minute turns about a second and a half from now.
  const QDateTime start = QDateTime::currentDateTimeUtc();
  const double intoMinute = start.time().second() + start.time().msec() / 1000.0;
  const double offsetSeconds = std::fmod(58.5 - intoMinute + 60, 60);
  char file[200];
  std::snprintf(file, sizeof file, "<cities><city><name>Soon, Nowhere</name><offset>+%.7f</offset></city></cities>",
                offsetSeconds / 3600);
  ASSERT_TRUE(WriteFileAtomically(home->dir + "/soon.xml", file));
  CityTable cities;
  ASSERT_TRUE(cities.load(home->dir + "/soon.xml").ok());
  const QLocale c = QLocale::c();
  auto cityTime = [&](qint64 msecs) {
    return c.toString(QDateTime::currentDateTimeUtc().addMSecs(qint64(offsetSeconds * 1000) + msecs), u"h:mm AP");
  };
  TimeFinderWindow finder(nullptr, cities, DefaultFormatSettings());
  RunShown(finder, [&] {
    for (QRadioButton* b : finder.findChildren<QRadioButton*>())
      if (b->text() == "City") b->click();
    QLabel* time = Child<QLabel>(finder, "lbTime");
    const QString before = cityTime(0);
    finder.searchBox()->setEditText(QStringLiteral("Soon, Nowhere"));
    const QString first = time->text();
    EXPECT_TRUE(first == before || first == cityTime(1000)) << first.toStdString();
    QElapsedTimer waited;
    waited.start();
    while (time->text() == first && waited.elapsed() < 4000) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_NE(time->text(), first) << "the time stood still";
    EXPECT_TRUE(time->text() == cityTime(-1000) || time->text() == cityTime(0)) << time->text().toStdString();
  });
}

TEST_F(ToolWindows, DialCodesListInFileOrderAndSortOnHeaderClicks) {
  ASSERT_TRUE(WriteFileAtomically(
      DialCodesPath(), "\xEF\xBB\xBFUnited Kingdom\t+44\r\nno tab\r\nRussia\t+7\r\nFinland\t+358\r\n"));
  DialCodesWindow window(nullptr);
  std::vector<QStringList> orders;
  RunShown(window, [&] {
    QTableView* list = window.list();
    auto codes = [list] {
      QStringList out;
      for (int r = 0; r < list->model()->rowCount(); ++r) out << list->model()->index(r, 1).data().toString();
      return out;
    };
    auto clickHeader = [list](int column) {
      QHeaderView* h = list->horizontalHeader();
      const QPoint at(h->sectionViewportPosition(column) + 10, h->height() / 2);
      QMouseEvent press(QEvent::MouseButtonPress, at, h->viewport()->mapToGlobal(at), Qt::LeftButton,
                        Qt::LeftButton, Qt::NoModifier);
      QMouseEvent release(QEvent::MouseButtonRelease, at, h->viewport()->mapToGlobal(at), Qt::LeftButton,
                          Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(h->viewport(), &press);
      QApplication::sendEvent(h->viewport(), &release);
    };
    EXPECT_EQ(list->model()->headerData(0, Qt::Horizontal).toString(), "Country");
    EXPECT_EQ(list->model()->headerData(1, Qt::Horizontal).toString(), "Code");
    EXPECT_EQ(list->model()->index(0, 0).data().toString(), "United Kingdom");
    orders.push_back(codes());
    clickHeader(1);
    orders.push_back(codes());
    EXPECT_EQ(list->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    clickHeader(1);
    orders.push_back(codes());
    EXPECT_EQ(list->horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);
  });
  ASSERT_EQ(orders.size(), 3u);
  EXPECT_EQ(orders[0], (QStringList{"+44", "+7", "+358"}));
  EXPECT_EQ(orders[1], (QStringList{"+358", "+44", "+7"}));
  EXPECT_EQ(orders[2], (QStringList{"+7", "+44", "+358"}));
}

TEST_F(ToolWindows, OneWindowOfAKindAtATime) {
  QPointer<QWidget> open;
  int calendars = 0;
  QTimer::singleShot(0, [&] {
    // Counts the calendars on screen and closes them all, a second one too,
    // were it opened.
    QTimer::singleShot(50, [&] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<CalendarWindow*>(w) && w->isVisible()) ++calendars;
      for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<CalendarWindow*>(w) && w->isVisible()) w->close();
    });
    RunToolWindow<CalendarWindow>(open, nullptr);  // returns at once: one is open
    EXPECT_TRUE(open);
  });
  RunToolWindow<CalendarWindow>(open, nullptr);
  EXPECT_EQ(calendars, 1);
  EXPECT_FALSE(open);
}

}  // namespace
}  // namespace wc
