// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The pop-up and the reminder editor under the offscreen platform: what they
// show, the editor's validation, adding, editing and deleting, and the folder
// "Browse" opens.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTimeEdit>
#include <QTimer>
#include <filesystem>

#include "TestSupport.h"
#include "WindowTestHome.h"
#include "core/AtomicFile.h"
#include "core/CityTable.h"
#include "core/CityTime.h"
#include "core/Paths.h"
#include "reminders/ReminderEditor.h"
#include "reminders/ReminderPopup.h"
#include "reminders/RemindersWindows.h"
#include "widgets/CityFilterBox.h"
#include "widgets/ToolDialogHeader.h"

namespace wc {
namespace {

namespace fs = std::filesystem;

class Home : public test::WindowTestHome {
 public:
  void prepare() override {
    fs::create_directories(dir + "/program/sounds");
    SetProgramFolder(dir + "/program/");
    ASSERT_TRUE(
        WriteFileAtomically(DataFolder() + "citydata.dat",
                            "<cities><city><name>London, United Kingdom</name></city>"
                            "<city><name>Paris, France</name></city>"
                            "<city><name>Tokyo, Japan</name></city>"
                            "<city><name>Reykjavik, Iceland</name><offset>0</offset></city></cities>"));
    cities.load(DataFolder() + "citydata.dat");
    ASSERT_TRUE(WriteFileAtomically(ProgramFolder() + "sounds/bell.wav", "not really a wave"));
  }
  CityTable cities;
};
Home* const home = static_cast<Home*>(::testing::AddGlobalTestEnvironment(new Home));
using test::MessageBoxes;

void Key(QWidget* w, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(w, &press);
}

std::unique_ptr<RemInfo> Rem(const char* city, const char* time, const char* msg, int shown) {
  auto r = std::make_unique<RemInfo>();
  r->RemDate = EncodeDate(2026, 12, 9);
  r->RemTime = time;
  r->RemCity = city;
  r->RemMsg = msg;
  r->PlaySound = "/snd/chime.wav";
  r->iShown = shown;
  return r;
}

QStringList Row(const QTableWidget* t, int row) {
  QStringList out;
  for (int c = 0; c < t->columnCount(); ++c) out << t->item(row, c)->text();
  return out;
}

TEST(RemShow, ShowsHeadingAndMessageOnTopAndEscapeClosesIt) {
  QPointer<ReminderPopup> popup = new ReminderPopup;
  EXPECT_EQ(popup->windowTitle(), "Reminder");
  EXPECT_TRUE(popup->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(popup->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_EQ(popup->size(), QSize(468, 169));
  EXPECT_EQ(popup->minimumSize(), popup->maximumSize());
  EXPECT_EQ(popup->lblCity->text(), "Reminder");
  EXPECT_TRUE(popup->lbRem->isReadOnly());
  EXPECT_EQ(popup->btnClose->text(), "Close");
  EXPECT_EQ(popup->parent(), nullptr);

  popup->lblCity->setText("It is now 09:05 PM in London");
  popup->lbRem->setPlainText("one & <two>\nthree");
  popup->sPlay = QString::fromStdString(home->dir + "/no such file.wav");  // silence, no message
  MessageBoxes boxes;
  popup->showOver(nullptr);
  QApplication::processEvents();
  EXPECT_TRUE(popup->isVisible());
  EXPECT_EQ(popup->lbRem->toPlainText(), "one & <two>\nthree");
  EXPECT_EQ(popup->lbRem->document()->blockCount(), 2);
  Key(popup->btnClose, Qt::Key_Escape);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(popup.isNull());  // freed once closed
  EXPECT_TRUE(boxes.seen().isEmpty());
}

TEST(RemShow, StaysWholeOnTheScreenOverAMainWindowAtItsEdge) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  QWidget mainWindow;
  mainWindow.setGeometry(area.right() - 150, area.bottom() - 100, 400, 300);
  mainWindow.show();
  QPointer<ReminderPopup> popup = new ReminderPopup;
  popup->showOver(&mainWindow);
  EXPECT_TRUE(area.contains(QRect(popup->pos(), popup->size()))) << popup->x() << "," << popup->y();
  popup->close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class Editor : public ::testing::Test {
 protected:
  void SetUp() override {
    list.push_back(Rem("London, United Kingdom", "09:05 PM", "first\nsecond line", 1));
    list.push_back(Rem("Atlantis", "07:30 AM", "lost city", 0));
    list.push_back(Rem("paris, FRANCE", "12:00 PM", "lunch", 1));
  }
  ReminderEditor& open() {
    dlg = std::make_unique<ReminderEditor>(list, DefaultFormatSettings(), [this] { ++changes; });
    return *dlg;
  }
  void select(int row) { dlg->lvwRem->selectRow(row); }
  RemList list;
  int changes = 0;
  std::unique_ptr<ReminderEditor> dlg;
};

TEST_F(Editor, OpensOnTheListWithTheOwnCityChosen) {
  const test::ScopedEnv tz("TZ", "Asia/Tokyo");
  ReminderEditor& d = open();
  EXPECT_EQ(d.size(), QSize(551, 369));
  EXPECT_TRUE(d.windowTitle().isEmpty());
  EXPECT_EQ(d.header->headingLabel()->text(), "Create and Manage Reminders");
  ASSERT_EQ(d.pcRem->count(), 2);
  EXPECT_EQ(d.pcRem->tabText(0), "All Reminders");
  EXPECT_EQ(d.pcRem->tabText(1), "Add or Edit a Reminder");
  EXPECT_EQ(d.pcRem->currentWidget(), d.tsAll);
  const QStringList headers = {"Remind On", "Time", "City", "Message"};
  const int widths[] = {110, 70, 170, 200};
  for (int c = 0; c < 4; ++c) {
    EXPECT_EQ(d.lvwRem->horizontalHeaderItem(c)->text(), headers[c]);
    if (c < 3) {
      EXPECT_GE(d.lvwRem->columnWidth(c), widths[c]);
    }
  }
  EXPECT_EQ(d.dtpTime->displayFormat(), "hh:mm AP");
  EXPECT_TRUE(d.edSound->isReadOnly());
  EXPECT_EQ(d.btnSet->text(), "&Set Reminder");
  EXPECT_EQ(d.btnClear->text(), "Clear &Contents");
  EXPECT_EQ(d.btnCancel->text(), "Close");

  // Thousands of cities drop down as a list of twenty rows that scrolls,
  // under a skin's style sheet too.
  qApp->setStyleSheet(QStringLiteral("QComboBox { color: black; }"));
  {
    ReminderEditor skinned(list, DefaultFormatSettings(), [] {});
    skinned.show();
    EXPECT_EQ(skinned.cboCity->view()->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
  }
  qApp->setStyleSheet(QString());
  QStyleOptionComboBox box;
  box.initFrom(d.cboCity);
  EXPECT_FALSE(d.cboCity->style()->styleHint(QStyle::SH_ComboBox_Popup, &box, d.cboCity));
  EXPECT_EQ(d.cboCity->maxVisibleItems(), 20);
  EXPECT_EQ(d.cboCity->view()->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
  ASSERT_EQ(d.cboCity->count(), 4);
  EXPECT_EQ(d.cboCity->itemText(2), "Tokyo, Japan");
  EXPECT_EQ(d.cboCity->currentText(), "Tokyo, Japan");
  ASSERT_EQ(d.lvwRem->rowCount(), 3);
  EXPECT_EQ(Row(d.lvwRem, 0),
            QStringList({"09 December 2026", "09:05 PM", "London, United Kingdom", "first second line"}));
  EXPECT_EQ(Row(d.lvwRem, 2)[2], "paris, FRANCE");
  EXPECT_FALSE(d.editMode());
}

TEST_F(Editor, TheDropDownCalendarShowsEveryWeekWholeUnderEverySkin) {
  const QString desktopStyle = qApp->style()->name();
  for (const char* skin : {"", "Office2007 Blue", "Shine", "Beijing", "Office2010 Blue", "MacOS2"}) {
    SCOPED_TRACE(skin);
    if (*skin) {
      QFile sheet(QStringLiteral(WC_PROGRAM_DIR "Skins/%1.qss").arg(QLatin1String(skin)));
      ASSERT_TRUE(sheet.open(QIODevice::ReadOnly));
      qApp->setStyle(QStringLiteral("Fusion"));  // as the skins are applied
      qApp->setStyleSheet(QString::fromUtf8(sheet.readAll()));
    }
    ReminderEditor& d = open();
    d.show();
    d.pcRem->setCurrentWidget(d.tsOne);
    // A click on the drop-down button.
    const QPointF at(d.dtpDate->width() - 6, d.dtpDate->height() / 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, d.dtpDate->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(d.dtpDate, &press);
    QApplication::processEvents();
    QCalendarWidget* calendar = d.dtpDate->calendarWidget();
    ASSERT_TRUE(calendar->isVisible());
    auto* view = calendar->findChild<QTableView*>();
    ASSERT_NE(view, nullptr);
    const int last = view->model()->rowCount() - 1;
    EXPECT_LE(view->visualRect(view->model()->index(last, 0)).bottom(), view->viewport()->height() - 1);
    calendar->window()->hide();
  }
  qApp->setStyleSheet(QString());
  qApp->setStyle(desktopStyle);
}

TEST_F(Editor, SetReminderRefusesNoCityAndABlankMessage) {
  ReminderEditor& d = open();
  struct Case {
    int city;
    const char* message;
    const char* answer;
  };
  const Case cases[] = {
      {-1, "hello", "Validation: Please select a city !"},
      {1, " \n\t ", "Validation: Please enter message text"},
      {1, "", "Validation: Please enter message text"},
  };
  for (const Case& c : cases) {
    MessageBoxes boxes;
    d.cboCity->setCurrentIndex(c.city);
    d.edMsg->setPlainText(c.message);
    d.btnSetClick();
    EXPECT_EQ(boxes.seen(), QStringList{c.answer}) << c.message;
    EXPECT_EQ(list.size(), 3u);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(d.edMsg->toPlainText(), c.message);  // nothing is reset either
  }
}

TEST_F(Editor, SetReminderAddsWithTheTypedMessageAndResets) {
  ReminderEditor& d = open();
  d.pcRem->setCurrentWidget(d.tsOne);
  d.dtpDate->setDate(QDate(2027, 1, 15));
  d.dtpTime->setTime(QTime(0, 7, 42));
  d.edFilter->setText("TOK");
  ASSERT_EQ(d.cboCity->count(), 1);
  d.edMsg->setPlainText("  Call Tokyo & <ask>\n\"about\" it");
  d.edSound->setText("/snd/bell.wav");
  MessageBoxes boxes;
  d.btnSetClick();
  EXPECT_TRUE(boxes.seen().isEmpty());
  ASSERT_EQ(list.size(), 4u);
  const RemInfo& r = *list[3];
  EXPECT_EQ(r.RemDate, EncodeDate(2027, 1, 15));
  EXPECT_EQ(r.RemTime, "12:07 AM");
  EXPECT_EQ(r.RemCity, "Tokyo, Japan");
  EXPECT_EQ(r.RemMsg, "  Call Tokyo & <ask>\n\"about\" it");
  EXPECT_EQ(r.PlaySound, "/snd/bell.wav");
  EXPECT_EQ(r.iShown, 0);
  EXPECT_EQ(changes, 1);
  ASSERT_EQ(d.lvwRem->rowCount(), 4);
  EXPECT_EQ(Row(d.lvwRem, 3)[0], "15 January 2027");
  EXPECT_EQ(d.rows()[3], list[3].get());
  // Fields reset; the whole list, on the own city (none here: the first); the page stays.
  EXPECT_TRUE(d.edFilter->text().isEmpty());
  EXPECT_EQ(d.cboCity->count(), 4);
  EXPECT_EQ(d.cboCity->currentIndex(), 0);
  EXPECT_TRUE(d.edMsg->toPlainText().isEmpty());
  EXPECT_TRUE(d.edSound->text().isEmpty());
  EXPECT_EQ(d.dtpDate->date(), QDate::currentDate());
  EXPECT_EQ(d.pcRem->currentWidget(), d.tsOne);
}

TEST_F(Editor, EditingAFiredReminderMakesItPendingAgain) {
  ReminderEditor& d = open();
  select(2);
  d.btnModifyClick();
  EXPECT_TRUE(d.editMode());
  EXPECT_EQ(d.pcRem->currentWidget(), d.tsOne);
  EXPECT_EQ(d.cboCity->currentText(), "Paris, France");  // letter case ignored
  EXPECT_EQ(d.dtpDate->date(), QDate(2026, 12, 9));
  EXPECT_EQ(d.dtpTime->time(), QTime(12, 0));
  EXPECT_EQ(d.edMsg->toPlainText(), "lunch");
  EXPECT_EQ(d.edSound->text(), "/snd/chime.wav");

  // The selection moves on meanwhile: the reminder chosen with Edit is the one changed.
  select(0);
  d.edMsg->setPlainText("late lunch");
  d.btnSetClick();
  EXPECT_FALSE(d.editMode());
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[2]->RemMsg, "late lunch");
  EXPECT_EQ(list[2]->RemCity, "Paris, France");
  EXPECT_EQ(list[2]->iShown, 0);
  EXPECT_EQ(list[0]->RemMsg, "first\nsecond line");
  EXPECT_EQ(list[0]->iShown, 1);
  EXPECT_EQ(Row(d.lvwRem, 2), QStringList({"09 December 2026", "12:00 PM", "Paris, France", "late lunch"}));
  EXPECT_EQ(changes, 1);
}

TEST_F(Editor, EditingAReminderOfAnUnknownCityAsksForACity) {
  ReminderEditor& d = open();
  select(1);
  d.btnModifyClick();
  EXPECT_EQ(d.cboCity->currentIndex(), -1);
  MessageBoxes boxes;
  d.btnSetClick();
  EXPECT_EQ(boxes.seen(), QStringList{"Validation: Please select a city !"});
  EXPECT_EQ(list[1]->RemCity, "Atlantis");
}

TEST_F(Editor, ANewReminderBegunElsewhereOpensFilledInOnTheAddPage) {
  struct Case {
    const char* city;
    int index;  // -1: the list does not hold it, so the user must choose
  };
  for (const Case& c : {Case{"Tokyo, Japan", 2}, Case{"Atlantis", -1}}) {
    SCOPED_TRACE(c.city);
    ReminderEditor& d = open();
    select(2);
    d.btnModifyClick();  // a reminder half-edited is left, not overwritten
    d.pcRem->setCurrentIndex(0);
    d.startNew(QDate(2027, 3, 28), QTime(14, 45), c.city);
    EXPECT_FALSE(d.editMode());
    EXPECT_EQ(d.pcRem->currentWidget(), d.tsOne);
    EXPECT_EQ(d.dtpDate->date(), QDate(2027, 3, 28));
    EXPECT_EQ(d.dtpTime->time(), QTime(14, 45));
    EXPECT_EQ(d.cboCity->currentIndex(), c.index);
    EXPECT_TRUE(d.edMsg->toPlainText().isEmpty());
  }
  // Set then adds it, with the message the user wrote.
  ReminderEditor& d = open();
  d.startNew(QDate(2027, 3, 28), QTime(14, 45), "Tokyo, Japan");
  d.edMsg->setPlainText("stand-up");
  MessageBoxes boxes;
  d.btnSetClick();
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[3]->RemDate, EncodeDate(2027, 3, 28));
  EXPECT_EQ(list[3]->RemTime, "02:45 PM");
  EXPECT_EQ(list[3]->RemCity, "Tokyo, Japan");
  EXPECT_EQ(list[2]->RemMsg, "lunch");
}

TEST_F(Editor, DeleteRemovesTheSelectedReminderOnly) {
  ReminderEditor& d = open();
  d.lvwRem->clearSelection();
  d.btnDeleteClick();
  d.btnModifyClick();
  EXPECT_EQ(list.size(), 3u);
  EXPECT_FALSE(d.editMode());
  EXPECT_EQ(changes, 0);

  select(1);
  d.btnDeleteClick();
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[1]->RemMsg, "lunch");
  EXPECT_EQ(d.lvwRem->rowCount(), 2);
  EXPECT_EQ(Row(d.lvwRem, 1)[3], "lunch");
  EXPECT_EQ(changes, 1);

  // Deleting the reminder being edited: "Set Reminder" adds instead of writing to it.
  select(0);
  d.btnModifyClick();
  select(0);
  d.btnDeleteClick();
  EXPECT_FALSE(d.editMode());
  select(0);
  d.btnDeleteClick();
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(d.lvwRem->rowCount(), 0);
  d.btnDeleteClick();
  d.btnModifyClick();
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(d.pcRem->currentWidget(), d.tsOne);
}

TEST_F(Editor, BrowseOpensTheSoundsFolderForWaveFiles) {
  ReminderEditor& d = open();
  QString folder, filters;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* od = qobject_cast<QFileDialog*>(w); od && od->isVisible()) {
        folder = od->directory().absolutePath();
        filters = od->nameFilters().join('|');
        od->selectFile(QString::fromStdString(ProgramFolder() + "sounds/bell.wav"));
        QMetaObject::invokeMethod(od, "accept");
      }
  });
  timer.start(5);
  d.btnSoundClick();
  EXPECT_EQ(folder, QDir(QString::fromStdString(ProgramFolder() + "sounds")).absolutePath());
  EXPECT_EQ(filters, "Wave Files (*.wav)");
  EXPECT_EQ(d.edSound->text(), QString::fromStdString(ProgramFolder() + "sounds/bell.wav"));
  // Not a playable wave: silence and no message.
  MessageBoxes boxes;
  d.btnPlayClick();
  QApplication::processEvents();
  EXPECT_TRUE(boxes.seen().isEmpty());
}

TEST(ProgramReminders, DamagedFileAndBadDatesAreReportedAndTheRestLoaded) {
  ReminderStore store;
  const std::string torn =
      "<reminders><reminder><remdate>08.12.2026</remdate><remmsg>kept</remmsg></reminder>"
      "<reminder><remdate>09.12.2026";
  ASSERT_TRUE(WriteFileAtomically(RemindersPath(), torn));
  {
    MessageBoxes boxes;
    LoadReminders(store, nullptr);
    ASSERT_EQ(boxes.seen().size(), 1);
    EXPECT_TRUE(boxes.seen()[0].startsWith("Warning: The file \"" + QString::fromStdString(RemindersPath())))
        << boxes.seen()[0].toStdString();
    EXPECT_TRUE(boxes.seen()[0].contains("The reminder before the damage was kept"))
        << boxes.seen()[0].toStdString();
    ASSERT_EQ(store.list().size(), 1u);
    EXPECT_EQ(store.list()[0]->RemMsg, "kept");
    // Told: the next save writes what was kept over the damaged file, whose copy stays.
    EXPECT_EQ(ReadWholeFile(RemindersPath()).bytes, torn);
    SaveReminders(store, nullptr);
    EXPECT_NE(ReadWholeFile(RemindersPath()).bytes.find("<remmsg>kept</remmsg>"), std::string::npos);
  }
  ASSERT_TRUE(WriteFileAtomically(RemindersPath(),
                                  "<reminders><reminder><remdate>1.1</remdate><remmsg>a</remmsg></reminder>"
                                  "<reminder><remdate>09.12.2026</remdate></reminder>"
                                  "<reminder><remdate>x</remdate></reminder></reminders>"));
  MessageBoxes boxes;
  LoadReminders(store, nullptr);
  const QString bad = "Warning: Error occured while loading reminders, please contact the technical support";
  EXPECT_EQ(boxes.seen(), QStringList({bad, bad}));
  ASSERT_EQ(store.list().size(), 3u);
  EXPECT_EQ(store.list()[0]->RemMsg, "a");
}

TEST(ProgramReminders, AFiringIsOnDiskBeforeItsPopUpShows) {
  ReminderStore store;
  ASSERT_TRUE(WriteFileAtomically(RemindersPath(), ReminderFileBytes({})));
  LoadReminders(store, nullptr);
  // Due now in Reykjavik (UTC all year), unless the minute turns meanwhile;
  // UTC from the toolkit's clock, so a slip in the computer's own offset shows.
  QDateTime utc = QDateTime::currentDateTimeUtc();
  if (utc.time().second() >= 58) {
    ::sleep(3);
    utc = QDateTime::currentDateTimeUtc();
  }
  auto r = std::make_unique<RemInfo>();
  r->RemDate = EncodeDate(utc.date().year(), utc.date().month(), utc.date().day());
  r->RemTime = QLocale::c().toString(utc.time(), u"hh:mm AP").toStdString();
  r->RemCity = "reykjavik, iceland";
  r->RemMsg = "due";
  store.list().push_back(std::move(r));
  QString onDiskWhenShown;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* p = qobject_cast<ReminderPopup*>(w); p && p->isVisible() && onDiskWhenShown.isEmpty()) {
        onDiskWhenShown = QString::fromStdString(ReadWholeFile(RemindersPath()).bytes);
        EXPECT_EQ(p->lblCity->text(), "It is now " +
                                          QString::fromStdString(store.list()[0]->RemTime) +
                                          " in reykjavik, iceland");
        p->close();
      }
  });
  watch.start(0);
  CheckReminders(store, home->cities, nullptr, DefaultFormatSettings());
  for (int i = 0; i < 50 && onDiskWhenShown.isEmpty(); ++i) QApplication::processEvents();
  EXPECT_EQ(store.list()[0]->iShown, 1);
  EXPECT_TRUE(onDiskWhenShown.contains("<remmsg>due</remmsg>\r\n<remplay></remplay>\r\n<remshow>1</remshow>"))
      << onDiskWhenShown.toStdString();
  // Marked: the next pass in the same minute shows nothing.
  onDiskWhenShown.clear();
  CheckReminders(store, home->cities, nullptr, DefaultFormatSettings());
  QApplication::processEvents();
  EXPECT_TRUE(onDiskWhenShown.isEmpty());
}

}  // namespace
}  // namespace wc
