// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The city manager, the map city selection and the all-cities list against a
// real city file and a real settings file in a home of their own.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QKeyEvent>
#include <QTimer>
#include <array>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "TestSupport.h"
#include "WindowTestHome.h"
#include "cities/AllCitiesWindow.h"
#include "cities/CityManagerDialog.h"
#include "cities/MapCitiesDialog.h"
#include "core/AtomicFile.h"
#include "core/CityFile.h"
#include "core/DateTime.h"
#include "core/Paths.h"
#include "core/Settings.h"

namespace wc {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

class Home : public test::WindowTestHome {};
Home* const home = static_cast<Home*>(::testing::AddGlobalTestEnvironment(new Home));
using test::MessageBoxes;

std::string City(const char* name, const char* offset, int lon, int lat, const char* rule = "0 0 0 0 0 0") {
  int r[6] = {};
  std::sscanf(rule, "%d %d %d %d %d %d", &r[0], &r[1], &r[2], &r[3], &r[4], &r[5]);
  const bool dst = r[0] || r[1] || r[2] || r[3] || r[4] || r[5];
  return std::string("<city><name>") + name + "</name><offset>" + offset + "</offset><lon>" +
         std::to_string(lon) + "</lon><lat>" + std::to_string(lat) + "</lat><dst>" + (dst ? "1" : "0") +
         "</dst><weekno>" + std::to_string(r[0]) + "</weekno><dow>" + std::to_string(r[1]) + "</dow><month>" +
         std::to_string(r[2]) + "</month><weekno1>" + std::to_string(r[3]) + "</weekno1><dow1>" +
         std::to_string(r[4]) + "</dow1><month1>" + std::to_string(r[5]) + "</month1></city>\n";
}

class CityDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    home->empty();
    QLocale::setDefault(QLocale::c());
  }
  void writeCities(const std::string& cities) {
    ASSERT_TRUE(
        WriteFileAtomically(CityDataPath(), "<?xml version=\"1.0\"?>\n<cities>\n" + cities + "</cities>\n"));
  }
  static std::string fileText() { return ReadWholeFile(CityDataPath()).bytes; }
  static std::vector<std::string> fileNames() { return ReadCityEntries(CityDataPath()).names; }

  template <class W>
  static W* find(QWidget& dialog, const char* name) {
    W* w = dialog.findChild<W*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
};

// ---------------------------------------------------------------- manager ---

class Manager : public CityDialogs {
 protected:
  void open() {
    dialog_ = std::make_unique<CityManagerDialog>(nullptr);
    table_ = find<QTableView>(*dialog_, "lvCity");
  }
  void close() {
    dialog_->accept();
    dialog_.reset();
  }
  QLineEdit* edit(const char* name) { return find<QLineEdit>(*dialog_, name); }
  QComboBox* list(const char* name) { return find<QComboBox>(*dialog_, name); }
  void click(const char* button) { find<QPushButton>(*dialog_, button)->click(); }
  void type(const char* name, const char* offset, const char* lon, const char* lat) {
    edit("edCityName")->setText(QString::fromUtf8(name));
    edit("edUTC")->setText(QString::fromUtf8(offset));
    edit("edLong")->setText(QString::fromUtf8(lon));
    edit("edLat")->setText(QString::fromUtf8(lat));
  }
  QString cell(int row, int column) const { return table_->model()->index(row, column).data().toString(); }
  QStringList rows() const {
    QStringList out;
    for (int r = 0; r < table_->model()->rowCount(); ++r) out << cell(r, 0);
    return out;
  }
  void selectRow(int row) { table_->selectRow(row); }
  int selectedRow() const {
    const QModelIndexList s = table_->selectionModel()->selectedRows();
    return s.isEmpty() ? -1 : s.first().row();
  }

  std::unique_ptr<CityManagerDialog> dialog_;
  QTableView* table_ = nullptr;
};

TEST_F(Manager, TableShowsTheDocumentSortedWithItsSevenColumns) {
  writeCities(City("Zürich, Switzerland", "+1", 9, 47, "5 7 3 5 7 10") +
              City("Adak, United States", "-10", -177, 52, "2 7 3 1 7 11") +
              City("São Paulo, Brazil", "-3", -47, -24) +
              City("Santiago, Chile", "-04.0", -71, -33, "1 7 9 1 7 0"));
  open();
  EXPECT_EQ(rows(), QStringList({"Adak, United States", "Santiago, Chile", "São Paulo, Brazil",
                                 "Zürich, Switzerland"}));
  const QAbstractItemModel* m = table_->model();
  QStringList headers;
  for (int c = 0; c < m->columnCount(); ++c) headers << m->headerData(c, Qt::Horizontal).toString();
  EXPECT_EQ(headers,
            QStringList({"City Name", "UTC Offset", "Longitude", "Lattitude", "DST", "Starts", "Ends"}));
  QStringList adak, santiago;
  for (int c = 0; c < 7; ++c) adak << cell(0, c), santiago << cell(1, c);
  EXPECT_EQ(adak, QStringList({"Adak, United States", "-10", "-177", "52", "Enabled",
                               "Second Sunday of March", "First Sunday of November"}));
  // The offset as stored; a rule that names no month shows nothing.
  EXPECT_EQ(santiago, QStringList({"Santiago, Chile", "-04.0", "-71", "-33", "Enabled",
                                   "First Sunday of September", ""}));

  // Typing at once searches.
  dialog_->show();
  EXPECT_EQ(dialog_->focusWidget(), edit("edCountry"));

  // Selecting a row fills the edit group; a 0 selects nothing in its list.
  selectRow(1);
  EXPECT_EQ(edit("edCityName")->text(), "Santiago, Chile");
  EXPECT_EQ(edit("edUTC")->text(), "-04.0");
  EXPECT_EQ(edit("edLong")->text(), "-71");
  EXPECT_TRUE(find<QCheckBox>(*dialog_, "cbDST")->isChecked());
  EXPECT_TRUE(list("cbmonth")->isEnabled());
  EXPECT_EQ(list("cbmonth")->currentText(), "September");
  EXPECT_EQ(list("cbmonth1")->currentIndex(), -1);
  close();
}

TEST_F(Manager, SavingChecksTheInputAndRefusesANameWithinAShownName) {
  writeCities(City("Paris, France", "+1", 2, 49) + City("Lyon, France", "+1", 5, 46));
  // Numbers are read with "." even where the user's locale writes "5,5".
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  open();
  MessageBoxes boxes;
  struct Case {
    const char* name;
    const char* offset;
    const char* lon;
    const char* lat;
    const char* message;
  } refused[] = {
      {" ", "-6", "-95", "34", "Please enter city name!"},
      {"Paris, Texas", "5,5", "-95", "34", "Please enter correct UTC offset!"},
      {"Paris, Texas", "-6", "-95.5", "34", "Please enter correct Longitude!"},
      {"Paris, Texas", "-6", "-95", "33.7", "Please enter correct Latitude!"},
      {"Paris", "-6", "-95", "34", "This city name already present in the list!"},
  };
  for (const Case& c : refused) {
    type(c.name, c.offset, c.lon, c.lat);
    click("btnNew");
    ASSERT_EQ(boxes.texts.size(), 1) << c.message;
    EXPECT_EQ(boxes.texts.takeFirst(), c.message);
    EXPECT_EQ(boxes.titles.takeFirst(), QString::fromLatin1(c.message[0] == 'T' ? "Warning!" : "Warning"));
    EXPECT_EQ(edit("edUTC")->text(), c.offset);  // the input stays for correcting
    EXPECT_EQ(rows().size(), 2);
  }

  // DST on with a list left empty: refused on saving.
  type("Paris, Texas", "-6", "-95", "34");
  find<QCheckBox>(*dialog_, "cbDST")->setChecked(true);
  click("btnNew");
  EXPECT_THAT(boxes.texts.takeFirst().toStdString(), HasSubstr("DST start and end"));
  const char* lists[] = {"cbWeek", "cbDay", "cbmonth", "cbWeek1", "cbDay1", "cbmonth1"};
  const int picks[] = {1, 6, 2, 0, 6, 10};  // second Sunday of March to first Sunday of November
  for (int i = 0; i < 6; ++i) list(lists[i])->setCurrentIndex(picks[i]);
  click("btnNew");
  EXPECT_TRUE(boxes.texts.isEmpty()) << boxes.texts.join('|').toStdString();
  EXPECT_EQ(rows(), QStringList({"Lyon, France", "Paris, France", "Paris, Texas"}));
  EXPECT_EQ(cell(selectedRow(), 0), "Paris, Texas");
  EXPECT_EQ(cell(selectedRow(), 5), "Second Sunday of March");
  close();
  EXPECT_THAT(fileText(), HasSubstr("<name>Paris, Texas</name>"));
  const CityReadResult back = ReadCityFile(CityDataPath());
  ASSERT_EQ(back.cities.size(), 3u);
  EXPECT_EQ(back.cities[2].lon, EastLongitude{-95});
  EXPECT_EQ(back.cities[2].rule.month1, 11);
}

TEST_F(Manager, SearchShowsMatchesInAnyCaseAndHidesThemFromTheDuplicateTest) {
  writeCities(City("New York, United States", "-5", -74, 41) + City("Paris, France", "+1", 2, 49) +
              City("YORK, United Kingdom", "0", -1, 54) + City("Yorkton, Canada", "-6", -102, 51));
  open();
  MessageBoxes boxes;
  edit("edCountry")->setText("york");
  EXPECT_EQ(rows(), QStringList({"New York, United States", "YORK, United Kingdom", "Yorkton, Canada"}));
  // Paris is not shown, so its twin goes in.
  type("Paris, France", "+1", "2", "49");
  click("btnNew");
  EXPECT_TRUE(boxes.texts.isEmpty());
  EXPECT_EQ(rows().size(), 3);  // the table is filtered again; the new Paris is not a york
  click("btnClear");
  EXPECT_EQ(edit("edCountry")->text(), "");
  EXPECT_EQ(rows().size(), 5);
  EXPECT_EQ(edit("edCityName")->text(), "");
  EXPECT_EQ(list("cbmonth1")->currentIndex(), 0);
  close();
  EXPECT_THAT(fileNames(), ElementsAre("New York, United States", "Paris, France", "YORK, United Kingdom",
                                       "Yorkton, Canada", "Paris, France"));
}

TEST_F(Manager, UpdateWritesTheRowsCityInPlaceAndCompletesItsChildren) {
  writeCities("<city><name>Alpha, One</name><lat>10</lat><note>kept</note></city>\n" +
              City("Beta, Two", "+2", 20, 20) + City("Alpha, One", "+3", 30, 30));
  open();
  MessageBoxes boxes;
  click("btnSave");
  EXPECT_EQ(boxes.texts.takeFirst(), "Please select a city from the list for modification!");

  // The second of the two Alphas (rows keep file order among equal names).
  ASSERT_EQ(rows(), QStringList({"Alpha, One", "Alpha, One", "Beta, Two"}));
  selectRow(1);
  EXPECT_EQ(edit("edUTC")->text(), "+3");
  type("Zulu, Three", "+3.5", "31", "-32");
  click("btnSave");
  EXPECT_TRUE(boxes.texts.isEmpty());
  // Its sorted place, still selected, the edit group as typed.
  EXPECT_EQ(rows(), QStringList({"Alpha, One", "Beta, Two", "Zulu, Three"}));
  EXPECT_EQ(selectedRow(), 2);
  EXPECT_EQ(edit("edCityName")->text(), "Zulu, Three");

  // The first Alpha lacks most children; update gives it all eleven. DST on
  // with its lists empty (its rule was all 0) is refused on saving, stored
  // as 0 on update.
  selectRow(0);
  EXPECT_EQ(edit("edUTC")->text(), "");
  type("Alpha, One", "-1", "-11", "12");
  find<QCheckBox>(*dialog_, "cbDST")->setChecked(true);
  list("cbWeek")->setCurrentIndex(4);
  list("cbDay")->setCurrentIndex(6);
  list("cbmonth")->setCurrentIndex(2);
  click("btnSave");
  EXPECT_TRUE(boxes.texts.isEmpty());
  EXPECT_EQ(cell(0, 4), "Enabled");
  EXPECT_EQ(cell(0, 5), "Fifth Sunday of March");
  EXPECT_EQ(cell(0, 6), "");
  edit("edCityName")->setText("Alpha, Another");
  click("btnNew");
  EXPECT_EQ(boxes.texts.takeFirst(), "Please enter correct values for DST start and end time!");
  close();

  const CityReadResult back = ReadCityFile(CityDataPath());
  ASSERT_EQ(back.names,
            (std::vector<std::string>{"Alpha, One", "Beta, Two", "Zulu, Three"}));  // file order kept
  EXPECT_EQ(back.cities[0].lon, EastLongitude{-11});
  EXPECT_EQ(back.cities[0].rule.dst, 1);
  EXPECT_EQ(back.cities[0].rule.month, 3);
  EXPECT_EQ(back.cities[0].rule.month1, 0);
  EXPECT_DOUBLE_EQ(back.cities[2].tzd, 3.5 / 24);
  const std::string text = fileText();
  EXPECT_THAT(text, HasSubstr("<note>kept</note>"));
  for (const char* child : {"<offset>-1</offset>", "<dst>1</dst>", "<weekno1>0</weekno1>", "<dow1>0</dow1>"})
    EXPECT_THAT(text, HasSubstr(child));
}

TEST_F(Manager, DeleteAsksFirstAndTheFileIsRewrittenEitherWay) {
  writeCities(City("Oslo, Norway", "+1", 11, 60) + "<city><name>Empty, Place</name><note></note></city>\n" +
              City("Rome, Italy", "+1", 12, 42));
  open();
  {
    MessageBoxes no(QMessageBox::No);
    selectRow(2);
    click("btnDelete");
    ASSERT_EQ(no.texts.size(), 1);
    EXPECT_EQ(no.texts[0], "Are you sure you want to delete the city?");
    EXPECT_EQ(no.titles[0], "Warning");
    EXPECT_EQ(rows().size(), 3);
    EXPECT_EQ(selectedRow(), 2);
  }
  {
    MessageBoxes yes(QMessageBox::Yes);
    click("btnDelete");
    EXPECT_EQ(rows(), QStringList({"Empty, Place", "Oslo, Norway"}));
  }
  {
    MessageBoxes boxes;
    click("btnDelete");  // nothing selected: nothing asked
    EXPECT_TRUE(boxes.texts.isEmpty());
  }
  close();
  EXPECT_THAT(fileNames(), ElementsAre("Oslo, Norway", "Empty, Place"));
  EXPECT_THAT(fileText(), ::testing::Not(HasSubstr("<note")));  // empty elements went

  // Nothing changed: the file is still written when the dialog closes.
  writeCities(City("Oslo, Norway", "+1", 11, 60));
  const std::string compact = fileText();
  open();
  close();
  EXPECT_NE(fileText(), compact);
  EXPECT_THAT(fileNames(), ElementsAre("Oslo, Norway"));
}

TEST_F(Manager, ADatabaseThatCouldNotBeReadIsNeverWritten) {
  // Malformed: reported, set aside, nothing can be changed, nothing written.
  ASSERT_TRUE(WriteFileAtomically(CityDataPath(), "<cities><city><name>Half"));
  {
    MessageBoxes boxes;
    open();
    ASSERT_EQ(boxes.texts.size(), 1);
    EXPECT_THAT(boxes.texts[0].toStdString(), HasSubstr("citydata.dat"));
    EXPECT_FALSE(find<QPushButton>(*dialog_, "btnNew")->isEnabled());
    EXPECT_FALSE(find<QPushButton>(*dialog_, "btnDelete")->isEnabled());
    EXPECT_TRUE(find<QPushButton>(*dialog_, "btnClose")->isEnabled());
    close();
  }
  EXPECT_FALSE(fs::exists(CityDataPath()));
  int setAside = 0;
  for (const auto& e : fs::directory_iterator(DataFolder()))
    setAside += e.path().filename().string().starts_with("citydata.dat.bad-");
  EXPECT_EQ(setAside, 1);

  // Unreadable (here a folder where the file should be): left as it is.
  fs::create_directories(CityDataPath());
  {
    MessageBoxes boxes;
    open();
    EXPECT_EQ(boxes.texts.size(), 1);
    close();
  }
  EXPECT_TRUE(fs::is_directory(CityDataPath()));
  fs::remove(CityDataPath());

  // Missing: an empty database that the first city creates.
  {
    MessageBoxes boxes;
    open();
    EXPECT_TRUE(boxes.texts.isEmpty());
    EXPECT_EQ(rows().size(), 0);
    type("Nuuk, Greenland", "-2", "-52", "64");
    click("btnNew");
    EXPECT_EQ(rows(), QStringList({"Nuuk, Greenland"}));
    close();
  }
  EXPECT_THAT(fileNames(), ElementsAre("Nuuk, Greenland"));
}

// ------------------------------------------------------- map city dialog ---

class MapCities : public CityDialogs {
 protected:
  void open() {
    redraws_ = 0;
    dialog_ = std::make_unique<MapCitiesDialog>(
        slots_, [this] { ++redraws_; }, nullptr);
    available_ = find<QListView>(*dialog_, "lbAllCities");
    selected_ = find<QListWidget>(*dialog_, "lbCities");
  }
  QStringList available() const {
    QStringList out;
    for (int r = 0; r < available_->model()->rowCount(); ++r)
      out << available_->model()->index(r, 0).data().toString();
    return out;
  }
  QStringList selected() const {
    QStringList out;
    for (int i = 0; i < selected_->count(); ++i) out << selected_->item(i)->text();
    return out;
  }
  void filter(const char* text) { find<QLineEdit>(*dialog_, "edFilter")->setText(QString::fromUtf8(text)); }
  void pickAll() { available_->selectAll(); }
  void pick(int row) {
    available_->selectionModel()->select(available_->model()->index(row, 0), QItemSelectionModel::Select);
  }
  void click(const char* button) { find<QPushButton>(*dialog_, button)->click(); }
  static std::vector<std::string> stored() {
    std::vector<std::string> out;
    ReadStringListSetting(kSettingsKey, kDisplayCities, out);
    return out;
  }

  std::array<Cities, 64> slots_{};
  int redraws_ = 0;
  std::unique_ptr<MapCitiesDialog> dialog_;
  QListView* available_ = nullptr;
  QListWidget* selected_ = nullptr;
};

TEST_F(MapCities, AddsNamesOnceWhateverTheirLetterCaseAndFilters) {
  writeCities(City("Lima, Peru", "-5", -77, -12) + City("LIMA, Peru", "-5", -77, -12) +
              City("São Paulo, Brazil", "-3", -47, -24) + City("New York, United States", "-5", -74, 41) +
              City("Yorkton, Canada", "-6", -102, 51));
  WriteStringListSetting(kSettingsKey, kDisplayCities, {"Tokyo, Japan"});
  open();
  EXPECT_EQ(available(), QStringList({"Lima, Peru", "LIMA, Peru", "São Paulo, Brazil",
                                      "New York, United States", "Yorkton, Canada"}));  // file order
  EXPECT_EQ(selected(), QStringList({"Tokyo, Japan"}));  // a stored name the file lacks stays

  filter("  YORK");
  EXPECT_EQ(available(), QStringList({"Yorkton, Canada", "New York, United States"}));  // best first
  filter("sao p");
  EXPECT_EQ(available(), QStringList({"São Paulo, Brazil"}));
  filter("lima");
  pickAll();
  click("btnAdd");
  click("btnAdd");
  EXPECT_EQ(selected(), QStringList({"Tokyo, Japan", "Lima, Peru"}));

  selected_->setCurrentRow(0);
  click("btnRemove");
  EXPECT_EQ(selected(), QStringList({"Lima, Peru"}));
  pick(1);
  click("btnAdd");
  EXPECT_EQ(selected(), QStringList({"Lima, Peru"}));
}

TEST_F(MapCities, ApplyStoresRebuildsTheMapFromTheFileAndAsksForARedraw) {
  std::string towns;
  for (int i = 1; i <= 70; ++i) towns += City(("Town " + std::to_string(i) + ", Land").c_str(), "+2", i, 10);
  writeCities(City("Paris, France", "+1", 2, 49, "5 7 3 5 7 10") + towns);
  open();
  filter("paris");
  pick(0);
  click("btnAdd");
  click("cmdApply");
  EXPECT_EQ(dialog_->result(), QDialog::Accepted);
  EXPECT_THAT(stored(), ElementsAre("Paris, France"));
  EXPECT_EQ(redraws_, 1);
  EXPECT_EQ(slots_[0].name, "Paris");
  EXPECT_EQ(slots_[0].lon, WestLongitude{-2});  // west positive on the map
  EXPECT_EQ(slots_[0].lat, 49);
  EXPECT_EQ(slots_[0].rule.month1, 10);
  EXPECT_EQ(slots_[1].name, "");

  // A stored prefix that matches 70 cities takes the first 64 slots only.
  WriteStringListSetting(kSettingsKey, kDisplayCities, {"Town", "Paris, France"});
  open();
  click("cmdApply");
  EXPECT_EQ(slots_[0].name, "Town");  // the stored name up to its comma
  EXPECT_EQ(slots_[0].lon, WestLongitude{-1});
  EXPECT_EQ(slots_[63].name, "Town");
  EXPECT_EQ(slots_[63].lon, WestLongitude{-64});  // Town 64, Land; Paris found no free slot
  EXPECT_THAT(stored(), ElementsAre("Town", "Paris, France"));
}

TEST_F(MapCities, CloseStoresNothingAndLeavesTheMap) {
  writeCities(City("Paris, France", "+1", 2, 49) + City("Rome, Italy", "+1", 12, 42));
  WriteStringListSetting(kSettingsKey, kDisplayCities, {"Rome, Italy"});
  slots_[0].name = "Rome";
  open();
  pick(0);
  click("btnAdd");
  EXPECT_EQ(selected(), QStringList({"Rome, Italy", "Paris, France"}));
  click("cmdClose");
  EXPECT_EQ(dialog_->result(), QDialog::Rejected);
  EXPECT_THAT(stored(), ElementsAre("Rome, Italy"));
  EXPECT_EQ(slots_[0].name, "Rome");
  EXPECT_EQ(slots_[1].name, "");
  EXPECT_EQ(redraws_, 0);
}

void Press(QWidget* w, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(w, &press);
}

// The list opens on the user's own city; Return adds the best match, from
// the box or from the list, and leaves the box ready for the next name.
TEST_F(MapCities, StartsOnTheOwnCityAndReturnAddsTheBestMatch) {
  writeCities(City("Separ, Land", "+1", 1, 1) + City("Kathmandu, Nepal", "+5.75", 85, 28) +
              City("New Paris, Land", "+2", 2, 2) + City("Paris, France", "+1", 2, 49));
  const test::ScopedEnv tz("TZ", "Asia/Kathmandu");
  open();
  auto* box = find<QLineEdit>(*dialog_, "edFilter");
  EXPECT_EQ(available_->currentIndex().data().toString(), "Kathmandu, Nepal");
  EXPECT_EQ(dialog_->focusWidget(), box);

  filter("par");
  EXPECT_EQ(available(), QStringList({"Paris, France", "New Paris, Land", "Separ, Land"}));
  Press(box, Qt::Key_Down);  // moves in the list, typing stays in the box
  EXPECT_EQ(available_->currentIndex().data().toString(), "New Paris, Land");
  Press(box, Qt::Key_Return);
  EXPECT_EQ(selected(), QStringList({"New Paris, Land"}));

  filter("sep");
  available_->setFocus();
  emit available_->activated(available_->currentIndex());
  EXPECT_EQ(selected(), QStringList({"New Paris, Land", "Separ, Land"}));
  EXPECT_EQ(dialog_->focusWidget(), box);
  EXPECT_EQ(box->selectedText(), "sep");  // the next name replaces it
}

TEST_F(MapCities, ACityAddedInTheManagerIsOfferedAtOnce) {
  writeCities(City("Paris, France", "+1", 2, 49));
  {
    CityManagerDialog manager(nullptr);
    find<QLineEdit>(manager, "edCityName")->setText("Kathmandu, Nepal");
    find<QLineEdit>(manager, "edUTC")->setText("+5.75");
    find<QLineEdit>(manager, "edLong")->setText("85");
    find<QLineEdit>(manager, "edLat")->setText("28");
    find<QPushButton>(manager, "btnNew")->click();
    find<QPushButton>(manager, "btnClose")->click();
  }
  open();
  EXPECT_EQ(available(), QStringList({"Paris, France", "Kathmandu, Nepal"}));
  filter("kath");
  pick(0);
  click("btnAdd");
  click("cmdApply");
  EXPECT_EQ(slots_[0].name, "Kathmandu");
  EXPECT_EQ(slots_[0].lon, WestLongitude{-85});
  EXPECT_DOUBLE_EQ(slots_[0].tzd, 5.75 / 24);
}

// ------------------------------------------------------ all-cities list ---

// The computer's local time at a UTC instant, as the C library reads the
// zone: instants are written down in UTC and the list is given local time,
// in whichever zone the suite runs.
DateTime Local(DateTime utc) {
  const auto secs = static_cast<std::time_t>(std::llround((utc - EncodeDate(1970, 1, 1)) * 86400));
  std::tm tm{};
  localtime_r(&secs, &tm);
  return utc + static_cast<double>(tm.tm_gmtoff) / 86400;
}

class AllCities : public CityDialogs {
 protected:
  void open(const char* timeFormat) {
    dialog_ = std::make_unique<AllCitiesWindow>(timeFormat, DefaultFormatSettings(), nullptr);
    table_ = find<QTableView>(*dialog_, "lvCity");
  }
  QStringList row(int r) const {
    QStringList out;
    for (int c = 0; c < 3; ++c) out << table_->model()->index(r, c).data().toString();
    return out;
  }
  std::unique_ptr<AllCitiesWindow> dialog_;
  QTableView* table_ = nullptr;
};

TEST_F(AllCities, EveryCitySortedWithItsDateAndTheMapTimeFormat) {
  writeCities(City("Zürich, Switzerland", "+1", 9, 47, "5 7 3 5 7 10") +
              City("Auckland, New Zealand", "+12", 175, -37, "5 7 9 1 7 4") +
              City("São Paulo, Brazil", "-3", -47, -24) + City("Kathmandu, Nepal", "+5.75", 85, 28) +
              City("Santiago, Chile", "-4", -71, -33));
  const DateTime tuesday = EncodeDate(2026, 12, 8) + EncodeTime(14, 5, 0, 0);
  open("HH:mm");
  dialog_->LoadTime(Local(tuesday));
  EXPECT_EQ(row(0), QStringList({"Auckland, New Zealand", "Wed, 9 Dec 2026", "03:05"}));  // summer there
  EXPECT_EQ(row(1), QStringList({"Kathmandu, Nepal", "Tue, 8 Dec 2026", "19:50"}));
  EXPECT_EQ(row(2), QStringList({"Santiago, Chile", "Tue, 8 Dec 2026", "10:05"}));
  EXPECT_EQ(row(3), QStringList({"São Paulo, Brazil", "Tue, 8 Dec 2026", "11:05"}));
  EXPECT_EQ(row(4), QStringList({"Zürich, Switzerland", "Tue, 8 Dec 2026", "15:05"}));
  open("hh:mm AM/PM");
  dialog_->LoadTime(Local(tuesday));
  EXPECT_EQ(row(1)[2], "07:50 PM");
  EXPECT_EQ(row(3)[2], "11:05 AM");
}

TEST_F(AllCities, OnlyRowsOnScreenAreRefreshedAndOnlyWhenTheirTextChanges) {
  std::string cities;
  for (int i = 100; i < 400; ++i)
    cities += City(("City " + std::to_string(i) + ", Land").c_str(), "+0", 0, 0);
  writeCities(cities);
  open("HH:mm");
  dialog_->resize(643, 518);
  dialog_->show();
  QApplication::processEvents();
  const int onScreen = table_->rowAt(table_->viewport()->height() - 1);
  ASSERT_GT(onScreen, 5);
  ASSERT_LT(onScreen, 100);

  std::vector<std::pair<int, int>> changed;  // first and last row of each report
  QObject::connect(
      table_->model(), &QAbstractItemModel::dataChanged,
      [&](const QModelIndex& a, const QModelIndex& b) { changed.emplace_back(a.row(), b.row()); });
  const DateTime t = EncodeDate(2027, 1, 15) + EncodeTime(11, 59, 10, 0);
  dialog_->LoadTime(Local(t));
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0], std::make_pair(0, onScreen));
  changed.clear();
  dialog_->LoadTime(Local(t + 1.0 / 86400));  // the same minute: nothing to repaint
  EXPECT_TRUE(changed.empty());
  dialog_->LoadTime(Local(t + 60.0 / 86400));
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0], std::make_pair(0, onScreen));

  // A row scrolled to later shows the latest instant.
  EXPECT_EQ(row(299), QStringList({"City 399, Land", "Fri, 15 Jan 2027", "12:00"}));
  dialog_->hide();
}

}  // namespace
}  // namespace wc
