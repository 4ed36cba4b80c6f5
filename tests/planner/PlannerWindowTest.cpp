// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The meeting planner window against a settings file and a city table of its
// own, at a fixed instant: Thursday 14 January 2027, 06:30 UTC.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDateEdit>
#include <QDialog>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimeEdit>
#include <QTimer>
#include <functional>

#include "WindowTestHome.h"
#include "core/AtomicFile.h"
#include "core/CityTable.h"
#include "core/PlannerDay.h"
#include "core/Settings.h"
#include "core/SlotSearch.h"
#include "planner/MeetingPlannerWindow.h"
#include "planner/PlannerGrid.h"
#include "planner/WorkingHoursDialog.h"

namespace wc {
namespace {

class Home : public test::WindowTestHome {
 public:
  void prepare() override {
    ASSERT_TRUE(
        WriteFileAtomically(dir + "/cities.xml",
                            "<cities>"
                            "<city><name>London, United "
                            "Kingdom</name><offset>0</offset><dst>1</dst><weekno>5</weekno><dow>7</dow>"
                            "<month>3</month><weekno1>5</weekno1><dow1>7</dow1><month1>10</month1></city>"
                            "<city><name>Tokyo, Japan</name><offset>+9</offset></city>"
                            "<city><name>New York, United "
                            "States</name><offset>-5</offset><dst>1</dst><weekno>2</weekno><dow>7</dow>"
                            "<month>3</month><weekno1>1</weekno1><dow1>7</dow1><month1>11</month1></city>"
                            "<city><name>Kathmandu, Nepal</name><offset>+5.75</offset></city>"
                            "<city><name>Riyadh, Saudi Arabia</name><offset>+3</offset></city>"
                            "</cities>"));
    ASSERT_TRUE(cities.load(dir + "/cities.xml").ok());
  }
  CityTable cities;
};
Home* const home = static_cast<Home*>(::testing::AddGlobalTestEnvironment(new Home));
using test::MessageBoxes;

constexpr DateTime kNow = 46401.0 + 6.5 / 24;  // 14 January 2027, 06:30 UTC

class Planner : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteSetting(kSettingsKey, kPlannerCities);
    WriteStringSetting(kSettingsKey, kMapTimeFormat, "hh:mm AM/PM");
    drafts.clear();
  }

  // A new window as the program opens it: the user's own city Kathmandu,
  // the map showing Tokyo and London.
  MeetingPlannerWindow* open() {
    PlannerServices s;
    s.cities = home->cities.entries();
    s.ownCity = "Kathmandu, Nepal";
    s.displayCities = {"Tokyo", "London, United Kingdom"};
    s.format = DefaultFormatSettings();
    s.addReminder = [this](const ReminderDraft& d) { drafts.push_back(d); };
    s.utcNow = [] { return kNow; };
    auto* w = new MeetingPlannerWindow(s);
    w->showPlanner();
    return w;
  }

  static std::vector<std::string> names(const MeetingPlannerWindow& w) {
    std::vector<std::string> out;
    for (const PlannerCity& r : w.rows()) out.push_back(r.name());
    return out;
  }

  static void key(QWidget* to, int k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, k, m);
    QApplication::sendEvent(to, &press);
  }

  static void click(QWidget* to, QPoint at) {
    QMouseEvent press(QEvent::MouseButtonPress, at, to->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, to->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(to, &press);
    QApplication::sendEvent(to, &release);
  }

  // Runs steps on the next modal dialog of that name to open.
  template <class D>
  static void whenOpen(const char* name, std::function<void(D&)> steps) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, name, steps] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* d = qobject_cast<D*>(w);
        if (!d || !d->isVisible() || d->objectName() != QLatin1String(name)) continue;
        timer->stop();
        timer->deleteLater();
        steps(*d);
        return;
      }
    });
    timer->start(5);
  }

  std::vector<ReminderDraft> drafts;
};

TEST_F(Planner, FirstOpenShowsTheOwnCityThenTheMapsAndStoresEveryChange) {
  QPointer<MeetingPlannerWindow> w = open();
  EXPECT_EQ(names(*w),
            (std::vector<std::string>{"Kathmandu, Nepal", "Tokyo, Japan", "London, United Kingdom"}));
  // Kathmandu's date: 12:15 there.
  EXPECT_EQ(w->dtpDate->date(), QDate(2027, 1, 14));
  EXPECT_EQ(w->grid->day().columnMinutes, 30);

  // New York, found by a part of its name in any case.
  whenOpen<QDialog>("PlannerCityChooser", [](QDialog& d) {
    auto* filter = d.findChild<QLineEdit*>(QStringLiteral("edFilter"));
    ASSERT_NE(filter, nullptr);
    filter->setText(QStringLiteral("YORK"));
    d.accept();
  });
  w->btnAddCity->click();
  EXPECT_EQ(names(*w).back(), "New York, United States");

  w->grid->setCurrentRow(1);
  key(w->grid, Qt::Key_Delete);  // Tokyo
  w->grid->setCurrentRow(0);
  key(w->grid, Qt::Key_Down, Qt::AltModifier);  // Kathmandu below London
  EXPECT_EQ(w->grid->currentRow(), 1);

  // A Sunday-to-Thursday week for the last city, through its dialog.
  w->grid->setCurrentRow(2);
  whenOpen<WorkingHoursDialog>("WorkingHoursDialog", [](WorkingHoursDialog& d) {
    d.edStart->setTime(QTime(8, 0));
    d.edEnd->setTime(QTime(16, 0));
    d.cbDays[4]->setChecked(false);  // Friday
    d.cbDays[6]->setChecked(true);   // Sunday
    d.accept();
  });
  w->btnHours->click();

  std::vector<std::string> stored;
  ReadStringListSetting(kSettingsKey, kPlannerCities, stored);
  EXPECT_EQ(stored, (std::vector<std::string>{"London, United Kingdom\t09:00-17:00 12345",
                                              "Kathmandu, Nepal\t09:00-17:00 12345",
                                              "New York, United States\t08:00-16:00 12347"}));
  w->close();
  QApplication::processEvents();

  w = open();
  EXPECT_EQ(names(*w), (std::vector<std::string>{"London, United Kingdom", "Kathmandu, Nepal",
                                                 "New York, United States"}));
  EXPECT_EQ(w->rows().back().hours().days, 0b1001111);
  w->close();
}

TEST_F(Planner, OpensWholeOnTheScreenAndAtTheSizeItWasLeft) {
  DeleteSetting(kSettingsKey, kPlannerWindowPosition);
  // Whole hours: a grid that fits the test screen, though its designed size does not.
  WriteStringListSetting(kSettingsKey, kPlannerCities, {"Tokyo, Japan", "London, United Kingdom"});
  QPointer<MeetingPlannerWindow> w = open();
  const QRect area = w->screen()->availableGeometry();
  EXPECT_TRUE(area.contains(w->geometry())) << w->x() << "," << w->y() << " " << w->width() << "x" << w->height();
  // Laid out before it is centred: centred as shown, not as first made.
  EXPECT_LE((w->geometry().center() - area.center()).manhattanLength(), 8);
  EXPECT_GE(w->grid->width(), w->grid->minimumSizeHint().width());
  const QSize left = w->size() + QSize(31, 23);
  w->resize(left);
  w->close();
  QApplication::processEvents();
  w = open();
  EXPECT_EQ(w->size(), left);
  w->close();
}

TEST_F(Planner, WorkingHoursThatDoNotRunForwardAreRefused) {
  QPointer<MeetingPlannerWindow> w = open();
  w->grid->setCurrentRow(0);
  MessageBoxes boxes;
  bool stillOpen = false;
  whenOpen<WorkingHoursDialog>("WorkingHoursDialog", [&stillOpen](WorkingHoursDialog& d) {
    d.edStart->setTime(QTime(17, 0));
    d.edEnd->setTime(QTime(9, 0));
    d.accept();
    stillOpen = d.isVisible();
    d.reject();
  });
  w->btnHours->click();
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(boxes.seen(), QStringList{"Validation: The working day must end after it begins."});
  EXPECT_EQ(w->rows().front().hours(), WorkingHours{});
  w->close();
}

TEST_F(Planner, KeysMoveTheChosenColumnAndTheDay) {
  QPointer<MeetingPlannerWindow> w = open();
  // Nothing chosen yet: the first step takes the column of now, Kathmandu's
  // 12:15 to 12:45 (06:15 UTC).
  const UtcMinute nowColumn = ToUtcMinute(kNow) - 15;
  key(w->grid, Qt::Key_Right);
  ASSERT_TRUE(w->selection());
  EXPECT_EQ(w->selection()->begin, nowColumn);
  key(w->grid, Qt::Key_Right);
  EXPECT_EQ(w->selection()->begin, nowColumn + 30);

  key(w->grid, Qt::Key_PageDown);
  EXPECT_EQ(w->dtpDate->date(), QDate(2027, 1, 15));
  EXPECT_EQ(w->selection()->begin, nowColumn + 30 + 1440);
  key(w->grid, Qt::Key_PageUp);
  key(w->grid, Qt::Key_PageUp);
  EXPECT_EQ(w->dtpDate->date(), QDate(2027, 1, 13));

  // Left from the first column goes on to the last of the day before:
  // Kathmandu's midnight is 18:15 UTC.
  w->selectColumn(0);
  EXPECT_EQ(w->selection()->begin, ToUtcMinute(46399.0 + 18.25 / 24));
  key(w->grid, Qt::Key_Left);
  EXPECT_EQ(w->dtpDate->date(), QDate(2027, 1, 12));
  EXPECT_EQ(w->selection()->begin, ToUtcMinute(46399.0 + 17.75 / 24));

  w->btnToday->click();
  EXPECT_EQ(w->dtpDate->date(), QDate(2027, 1, 14));
  key(w, Qt::Key_Escape);
  QApplication::processEvents();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(w.isNull());
}

TEST_F(Planner, AChosenColumnGivesEachCitysTimeToCopyAndToRemind) {
  QPointer<MeetingPlannerWindow> w = open();
  // 09:00 in Kathmandu is column 18 of its day.
  click(w->grid, w->grid->cellRect(0, 18).center());
  const QString lines =
      "Kathmandu, Nepal \u2014 Thu 14 Jan 2027, 09:00 AM (UTC+5:45)\n"
      "Tokyo, Japan \u2014 Thu 14 Jan 2027, 12:15 PM (UTC+9)\n"
      "London, United Kingdom \u2014 Thu 14 Jan 2027, 03:15 AM (UTC+0)";
  EXPECT_EQ(w->lblInstant->text(), lines);
  w->btnCopy->click();
  EXPECT_EQ(QApplication::clipboard()->text(), lines);

  // The reminder is set in the city of the row the user picked.
  EXPECT_EQ(w->grid->currentRow(), 0);
  w->grid->setCurrentRow(1);
  w->btnAddReminder->click();
  ASSERT_EQ(drafts.size(), 1u);
  EXPECT_EQ(drafts[0].city, "Tokyo, Japan");
  EXPECT_EQ(drafts[0].date, QDate(2027, 1, 14));
  EXPECT_EQ(drafts[0].time, QTime(12, 15));

  // The main window's 24-hour format, taken when the planner is next active.
  WriteStringSetting(kSettingsKey, kMapTimeFormat, "HH:mm");
  QEvent activate(QEvent::ActivationChange);
  QApplication::sendEvent(w, &activate);
  EXPECT_TRUE(w->lblInstant->text().startsWith("Kathmandu, Nepal \u2014 Thu 14 Jan 2027, 09:00 (UTC+5:45)"))
      << w->lblInstant->text().toStdString();
  w->close();
}

TEST_F(Planner, NextGoodSlotShowsItsDayAndWhoIsOutside) {
  WriteStringListSetting(kSettingsKey, kPlannerCities, {"Tokyo, Japan", "London, United Kingdom"});
  QPointer<MeetingPlannerWindow> w = open();
  w->btnNextSlot->click();
  ASSERT_TRUE(w->selection());
  // Tokyo's last hour of the day, two hours before London's.
  EXPECT_EQ(w->selection()->begin, ToUtcMinute(46401.0 + 7.0 / 24));
  EXPECT_EQ(w->dtpDate->date(), QDate(2027, 1, 14));
  EXPECT_EQ(w->lblSlotNote->text(),
            "No time in the next 60 days is within every city's working hours; this one keeps 1 of 2:\n"
            "London, United Kingdom: 2 h before working hours");
  // Choosing a column by hand drops the note.
  w->selectColumn(3);
  EXPECT_TRUE(w->lblSlotNote->text().isEmpty());
  w->close();
}

// The band over the columns everyone works in and the line of now, where
// the columns are, on a 2x screen as on a 1x one.
TEST_F(Planner, MarksAreDrawnOverTheirColumns) {
  WriteStringListSetting(kSettingsKey, kPlannerCities, {"Kathmandu, Nepal", "London, United Kingdom"});
  QPointer<MeetingPlannerWindow> w = open();
  w->showDay(std::chrono::sys_days{std::chrono::year{2027} / 1 / 14});
  const PlannerGrid& grid = *w->grid;
  // Kathmandu 15:00-17:00 is London 09:15-11:15: columns 30 to 33.
  std::vector<int> shared;
  for (int c = 0; c < grid.day().columns(); ++c)
    if (grid.day().allWorking[static_cast<std::size_t>(c)]) shared.push_back(c);
  ASSERT_EQ(shared, (std::vector<int>{30, 31, 32, 33}));
  for (qreal ratio : {1.0, 2.0}) {
    QImage image(grid.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    const_cast<PlannerGrid&>(grid).render(&painter);
    painter.end();
    auto at = [&](QPoint p) { return image.pixelColor(p * ratio); };
    const int bandY = grid.cellRect(0, 0).top() / 2;
    for (int c : {29, 30, 33, 34}) {
      const bool marked = c >= 30 && c <= 33;
      EXPECT_EQ(at(QPoint(grid.cellRect(0, c).center().x(), bandY)) == QColor(0x1f, 0x8a, 0x3b), marked)
          << "column " << c << " at " << ratio;
    }
    // Now, 06:30 UTC, is the middle of Kathmandu's column 24 (12:15-12:45).
    const QRect nowCell = grid.cellRect(1, 24);
    EXPECT_EQ(at(nowCell.center()), QColor(0xd9, 0x2b, 0x2b)) << ratio;
    EXPECT_NE(at(QPoint(nowCell.left() + 2, nowCell.center().y())), QColor(0xd9, 0x2b, 0x2b)) << ratio;
  }
  w->close();
}

}  // namespace
}  // namespace wc
