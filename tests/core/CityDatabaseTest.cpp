// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/CityDocument.h"
#include "core/CityFile.h"
#include "core/CityFileListener.h"
#include "core/CityTable.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <set>
#include <sstream>
#include <string>

#include "TestSupport.h"
#include "core/AtomicFile.h"
#include "core/Paths.h"
#include "core/Text.h"

namespace wc {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

// A private folder per test, removed afterwards.
class CityFileTest : public ::testing::Test {
 protected:
  void Write(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }
  std::string Read() const {
    std::ifstream in(path_, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::vector<fs::path> SetAside() const {
    std::vector<fs::path> out;
    for (const auto& e : fs::directory_iterator(dir_)) {
      if (e.path().filename().string().rfind("citydata.dat.bad-", 0) == 0) out.push_back(e.path());
    }
    return out;
  }

  test::TempFolder folder_{"wc-citydb-"};
  const fs::path& dir_ = folder_.path();
  std::string path_ = folder_.file("citydata.dat");
};

TEST(CityNumbers, ConvertLikeTheLenientToolkitConversions) {
  struct IntCase {
    const char* text;
    std::int32_t value;
  } ints[] = {
      {"85", 85},
      {"-85", -85},
      {"+7", 7},
      {" 12 ", 12},
      {"27.7", 0},
      {"2.5", 0},
      {"0x1F", 0},
      {"$1F", 0},
      {"", 0},
      {"-", 0},
      {"12a", 0},
      {"1 2", 0},
      {"2147483647", std::numeric_limits<std::int32_t>::max()},
      {"2147483648", 0},
      {"-2147483648", std::numeric_limits<std::int32_t>::min()},
  };
  for (const auto& c : ints) EXPECT_EQ(StrToIntDef(c.text, 0), c.value) << '"' << c.text << '"';
  EXPECT_EQ(StrToIntDef("x", -1), -1);

  struct FloatCase {
    const char* text;
    double value;
  } floats[] = {
      {"+5.75", 5.75}, {"-3.5", -3.5}, {"5,5", 0}, {" 5.5 ", 5.5}, {".5", 0.5}, {"5.", 5},
      {"1e1", 10},     {"0", 0},       {"inf", 0}, {"nan", 0},     {"+-5", 0},  {"", 0},
      {"5.5.5", 0},    {"1e999", 0},   {"1e", 0},  {"-", 0},
  };
  for (const auto& c : floats) EXPECT_EQ(StrToFloatDef(c.text, 0), c.value) << '"' << c.text << '"';
}

TEST_F(CityFileTest, ReadsCitiesWhateverTheElementNamesAndChildOrder) {
  Write(R"(<?xml version="1.0"?>
<anything>
  <town><offset>+5.75</offset><lon>85</lon><name>Kathmandu, Nepal</name><lat>27.7</lat>
        <dst>0</dst><weekno>0</weekno><dow>0</dow><month>0</month><weekno1>0</weekno1><dow1>0</dow1><month1>0</month1></town>
  <city><name>Comma, Land</name><offset>5,5</offset><lat>-34</lat><Lat>99</Lat><extra>1</extra>
        <dst>1</dst><weekno>1</weekno><dow>7</dow><month>10</month><weekno1>1</weekno1><dow1>7</dow1><month1>4</month1>
        <lon>151</lon><lon>152</lon></city>
  <city><name>Tom &amp; Jerry &lt;3</name><name><![CDATA[Last & wins]]></name></city>
  <city><offset>-3.5</offset></city>
</anything>)");

  const CityEntriesResult table = ReadCityEntries(path_);
  ASSERT_TRUE(table.file.ok()) << table.file.error;
  ASSERT_EQ(table.entries.size(), 4u);
  const CityEntry& ktm = table.entries[0];
  EXPECT_EQ(ktm.name(), "Kathmandu, Nepal");
  EXPECT_DOUBLE_EQ(ktm.tzd, 5.75 / 24);
  EXPECT_EQ(ktm.lon, WestLongitude{-85});  // west positive in the loaded table
  EXPECT_EQ(ktm.lat, 0);    // 27.7 is no whole number
  EXPECT_EQ(ktm.rule.dst, 0);

  const CityEntry& comma = table.entries[1];
  EXPECT_EQ(comma.tzd, 0.0);   // "5,5" is unreadable: UTC+0
  EXPECT_EQ(comma.lat, -34);   // "Lat" is another child
  EXPECT_EQ(comma.lon, WestLongitude{-152});  // the later child wins
  EXPECT_EQ((std::array{comma.rule.dst, comma.rule.weekno, comma.rule.dayofweek, comma.rule.month, comma.rule.weekno1,
                        comma.rule.dayofweek1, comma.rule.month1}),
            (std::array{1, 1, 7, 10, 1, 7, 4}));

  EXPECT_EQ(table.entries[2].name(), "Last & wins");
  EXPECT_EQ(table.entries[3].name(), "");
  EXPECT_DOUBLE_EQ(table.entries[3].tzd, -3.5 / 24);
  // One name per name child read; the nameless city adds none.
  EXPECT_THAT(table.names, ElementsAre("Kathmandu, Nepal", "Comma, Land", "Tom & Jerry <3", "Last & wins"));

  // The manager keeps lon as the file has it.
  const CityReadResult manager = ReadCityFile(path_);
  ASSERT_EQ(manager.cities.size(), 4u);
  EXPECT_EQ(manager.cities[0].lon, EastLongitude{85});
  EXPECT_EQ(manager.cities[1].lon, EastLongitude{152});
  EXPECT_EQ(ToCityEntry(manager.cities[1]).lon, WestLongitude{-152});
}

TEST_F(CityFileTest, NumbersBeyondTheirRangeAreBroughtInOrReadAsZero) {
  // lat is held to -90..90; lon outside -180..180 is turned by whole turns
  // into it; an offset beyond 14 hours reads as 0, like unreadable text.
  struct Case {
    const char* lat;
    const char* lon;
    const char* offset;
    std::int32_t wantLat, wantLon;  // lon as in the file
    double wantHours;
  } cases[] = {
      {"1000", "190", "1e21", 90, -170, 0},
      {"-91", "-2147483648", "1e10", -90, -128, 0},
      {"-2147483648", "2147483647", "14.5", -90, 127, 0},
      {"89", "-181", "-14", 89, 179, -14},
      {"-90", "180", "+14", -90, 180, 14},
      {"7", "-180", "-0.5", 7, -180, -0.5},
      {"3", "4", "-20", 3, 4, 0},  // far west is as far out of range as far east
  };
  std::string text = "<cities>";
  for (const Case& c : cases) {
    text += std::string("<city><name>X</name><lat>") + c.lat + "</lat><lon>" + c.lon + "</lon><offset>" +
            c.offset + "</offset></city>";
  }
  Write(text + "</cities>");
  const CityEntriesResult table = ReadCityEntries(path_);
  const CityReadResult manager = ReadCityFile(path_);
  CityDocument doc;
  ASSERT_TRUE(doc.load(path_).ok());
  const std::vector<ManagedCity> managed = doc.managedCities();
  ASSERT_EQ(table.entries.size(), std::size(cases));
  ASSERT_EQ(manager.cities.size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(std::string(c.lat) + " " + c.lon + " " + c.offset);
    EXPECT_EQ(table.entries[i].lat, c.wantLat);
    EXPECT_EQ(table.entries[i].lon, WestLongitude{-c.wantLon});
    EXPECT_DOUBLE_EQ(table.entries[i].tzd, c.wantHours / 24);
    EXPECT_EQ(manager.cities[i].lon, EastLongitude{c.wantLon});
    EXPECT_EQ(managed[i].city.lat, c.wantLat);
    EXPECT_EQ(managed[i].offsetText, c.offset);  // the manager shows the text as stored
  }
}

TEST_F(CityFileTest, DeepNestingIsCleanedAndSavedWithoutRecursion) {
  // 100 000 levels: a recursive walk overflows the stack, and two spaces of
  // indent per level would make the saved file grow with the square.
  constexpr int kDepth = 100000;
  std::string deep, empty;
  for (int i = 0; i < kDepth; ++i) deep += "<d>", empty += "<e>";
  deep += "bottom";
  for (int i = 0; i < kDepth; ++i) deep += "</d>", empty += "</e>";
  Write("<cities><city><name>Deep</name><x>" + deep + "</x><y>" + empty + "</y></city></cities>");
  CityDocument doc;
  ASSERT_TRUE(doc.load(path_).ok());
  doc.deleteEmptyElements();
  ASSERT_TRUE(doc.save(path_).ok);
  const std::string saved = Read();
  EXPECT_LT(saved.size(), 20u * kDepth);
  EXPECT_THAT(saved, HasSubstr("bottom"));
  EXPECT_THAT(saved, Not(HasSubstr("<e")));
  EXPECT_TRUE(doc.deleteCity("Deep"));
  ASSERT_TRUE(doc.save(path_).ok);
  EXPECT_TRUE(ReadCityFile(path_).cities.empty());
}

TEST_F(CityFileTest, SavingKeepsCommentsAndProcessingInstructions) {
  Write(
      "<?xml version=\"1.0\"?>\n<?xml-stylesheet href=\"cities.css\"?>\n<!-- kept by hand -->\n"
      "<cities><!-- Europe --><city><name>Oslo, Norway</name><!-- winter --><lat>60</lat></city>"
      "<?editor line=\"3\"?></cities>");
  CityDocument doc;
  ASSERT_TRUE(doc.load(path_).ok());
  EXPECT_EQ(doc.managedCities().size(), 1u);  // neither counts as a city
  doc.appendCity({"Bergen, Norway", "+1", "5", "60", false});
  ASSERT_TRUE(doc.save(path_).ok);
  const std::string saved = Read();
  for (const char* kept : {"<?xml-stylesheet href=\"cities.css\"?>", "<!-- kept by hand -->",
                           "<!-- Europe -->", "<!-- winter -->", "<?editor line=\"3\"?>"})
    EXPECT_THAT(saved, HasSubstr(kept));
  const CityReadResult back = ReadCityFile(path_);
  ASSERT_EQ(back.cities.size(), 2u);
  EXPECT_EQ(back.cities[0].lat, 60);
}

TEST_F(CityFileTest, NamesOnlyReaderRepeatsThePreviousNameForANamelessCity) {
  Write("<c><x><lat>1</lat></x><x><name>A</name></x><x/><x><name>B</name></x>stray text</c>");
  const CityNamesResult r = ReadCityNames(path_);
  ASSERT_TRUE(r.file.ok());
  EXPECT_THAT(r.names, ElementsAre("", "A", "A", "B"));
  // Text directly under the root is no city.
  EXPECT_EQ(ReadCityFile(path_).cities.size(), 4u);
}

TEST_F(CityFileTest, LoadedTableFillsOnceAndFindsTheFirstMatch) {
  Write(
      "<cities><city><name>Paris, France</name><lat>49</lat></city>"
      "<city><name>Paris, France</name><lat>1</lat></city>"
      "<city><name>Llanfairpwllgwyngyll-gogerychwyrndrobwll, UK</name></city>"
      "<city><name>São Paulo, Brazil</name><offset>-3</offset></city></cities>");
  CityTable table;
  EXPECT_FALSE(table.isLoaded());
  ASSERT_TRUE(table.load(path_).ok());
  ASSERT_EQ(table.size(), 4u);
  EXPECT_EQ(table.names().size(), 4u);

  ASSERT_NE(table.findByName("Paris, France"), nullptr);
  EXPECT_EQ(table.findByName("Paris, France")->lat, 49);
  EXPECT_EQ(table.findByName("paris, france"), nullptr);
  EXPECT_EQ(table.findByName("PARIS, FRANCE", NameMatch::IgnoreCaseAscii), &table.entries()[0]);
  EXPECT_EQ(table.findByName("SãO PAULO, BRAZIL", NameMatch::IgnoreCaseAscii), &table.entries()[3]);
  EXPECT_EQ(table.findByName("Paris"), nullptr);
  // The entry holds 32 characters of a longer name; look-ups see that field.
  EXPECT_EQ(table.entries()[2].name(), "Llanfairpwllgwyngyll-gogerychwyr");
  EXPECT_NE(table.findByName("Llanfairpwllgwyngyll-gogerychwyr"), nullptr);

  // Never reloaded during a run.
  Write("<cities/>");
  EXPECT_TRUE(table.load(path_).ok());
  EXPECT_EQ(table.size(), 4u);
}

TEST_F(CityFileTest, MissingFileGivesAnEmptyTableSilently) {
  CityTable table;
  const XmlLoadResult r = table.load(path_);
  EXPECT_EQ(r.status, XmlLoadStatus::Missing);
  EXPECT_EQ(r.error, "");
  EXPECT_EQ(table.size(), 0u);
  EXPECT_TRUE(SetAside().empty());
}

TEST_F(CityFileTest, MalformedFileIsReportedOnceKeptAsideAndReadAsEmpty) {
  const std::string broken = "<cities>\n<city><name>X</name>\n</cities>\n";
  Write(broken);
  CityTable table;
  const XmlLoadResult r = table.load(path_);
  EXPECT_EQ(r.status, XmlLoadStatus::Malformed);
  EXPECT_EQ(table.size(), 0u);
  EXPECT_THAT(r.error, HasSubstr(path_));
  EXPECT_THAT(r.error, HasSubstr("(line 3, column "));
  EXPECT_EQ(r.error.find('\n'), std::string::npos);  // one message

  // The broken file is kept under a new name, byte for byte, and named in the message.
  EXPECT_FALSE(fs::exists(path_));
  const auto aside = SetAside();
  ASSERT_EQ(aside.size(), 1u);
  EXPECT_EQ(r.setAsidePath, aside[0].string());
  EXPECT_THAT(r.error, HasSubstr(r.setAsidePath));
  std::ifstream in(aside[0], std::ios::binary);
  std::stringstream kept;
  kept << in.rdbuf();
  EXPECT_EQ(kept.str(), broken);

  // Start-up seeds a fresh copy and loads that.
  Write("<cities><city><name>Fresh, Seed</name></city></cities>");
  EXPECT_TRUE(table.load(path_).ok());
  EXPECT_EQ(table.size(), 1u);

  // An empty file is no document either; a second bad file gets a name of its own.
  Write("");
  const CityReadResult again = ReadCityFile(path_);
  EXPECT_EQ(again.file.status, XmlLoadStatus::Malformed);
  EXPECT_THAT(again.file.error, HasSubstr("line 1, column 1"));
  EXPECT_EQ(SetAside().size(), 2u);
}

TEST_F(CityFileTest, DocumentThatFailedToLoadIsNeverSaved) {
  Write("<cities><city>");
  CityDocument doc;
  EXPECT_EQ(doc.load(path_).status, XmlLoadStatus::Malformed);
  EXPECT_FALSE(doc.canSave());
  doc.appendCity({"New, Place", "+1", "2", "3", false});
  const FileResult saved = doc.save(path_);
  EXPECT_FALSE(saved.ok);
  EXPECT_THAT(saved.error, HasSubstr("not saved"));
  EXPECT_FALSE(fs::exists(path_));  // nothing written where the broken file was
  EXPECT_EQ(SetAside().size(), 1u);
}

#ifndef _WIN32  // a file no one can read, made the POSIX way
TEST_F(CityFileTest, DocumentOfAFileThatCouldNotBeReadAtAllIsNeverSaved) {
  // A path that exists but fails to read, even for root; an atomic save
  // would replace the link itself.
  fs::create_symlink("/proc/self/mem", path_);
  CityDocument doc;
  EXPECT_EQ(doc.load(path_).status, XmlLoadStatus::Unreadable);
  EXPECT_FALSE(doc.canSave());
  doc.appendCity({"New, Place", "+1", "2", "3", false});
  const FileResult saved = doc.save(path_);
  EXPECT_FALSE(saved.ok);
  EXPECT_THAT(saved.error, HasSubstr("not saved"));
  EXPECT_TRUE(fs::is_symlink(path_));
  EXPECT_TRUE(SetAside().empty());
}
#endif

TEST_F(CityFileTest, MissingFileOpensAsAnEmptyDatabaseThatIsWrittenOnlyOnceItHoldsACity) {
  CityDocument doc;
  EXPECT_EQ(doc.load(path_).status, XmlLoadStatus::Missing);
  EXPECT_TRUE(doc.canSave());
  EXPECT_TRUE(doc.save(path_).ok);
  EXPECT_FALSE(fs::exists(path_));  // start-up may still seed the shipped copy
  doc.appendCity({"New, Place", "+1", "2", "3", false});
  ASSERT_TRUE(doc.save(path_).ok);
  EXPECT_EQ(ReadCityFile(path_).cities.size(), 1u);
}

TEST_F(CityFileTest, ManagerEditsWriteTheWritersOrderAndReadBack) {
  Write(
      "<?xml version=\"1.0\"?>\n<worldcities><city><name>Old, Town</name><offset>+1</offset></city>"
      "<city><name>Twin, Town</name><lat>1</lat></city><city><name>Twin, Town</name><lat>2</lat></city>"
      "</worldcities>");
  CityDocument doc;
  ASSERT_TRUE(doc.load(path_).ok());

  doc.appendCity({"  São Tomé & <Príncipe>  ", " +0 ", " 7 ", "0", true, 5, 7, 3, 5, 7, 10});
  doc.appendCity({"Flat, Land", "-3.5", "-50", "-20", false, 5, 7, 3, 5, 7, 10});

  // Children of a new city in the writer's order, texts trimmed, rule "0"s without saving time.
  const pugi::xml_node added = doc.root().last_child();
  EXPECT_STREQ(added.name(), "city");
  std::vector<std::string> names, values;
  for (pugi::xml_node c : added.children()) {
    names.push_back(c.name());
    values.push_back(NodeValue(c));
  }
  EXPECT_THAT(names, ElementsAre("name", "offset", "lon", "lat", "dst", "weekno", "dow", "month", "weekno1",
                                 "dow1", "month1"));
  EXPECT_THAT(values, ElementsAre("Flat, Land", "-3.5", "-50", "-20", "0", "0", "0", "0", "0", "0", "0"));

  // Update: the first city of exactly that name only; children it lacked are added.
  EXPECT_FALSE(doc.updateCity("twin, town", {"X", "0", "0", "0", false}));
  EXPECT_TRUE(doc.updateCity("Twin, Town", {"Twin, Town", "+2", "10", "20", true, 1, 7, 3, 1, 7, 11}));

  // Delete: the first exact match, then every empty element (the root stays).
  EXPECT_TRUE(doc.deleteCity("Old, Town"));
  EXPECT_FALSE(doc.deleteCity("Old, Town"));
  WriteString(doc.root().first_child(), "note", "");
  NodeNew(NodeNew(doc.root(), "empty"), "emptier");
  doc.deleteEmptyElements();
  EXPECT_FALSE(NodeByName(doc.root().first_child(), "note"));
  EXPECT_FALSE(NodeByName(doc.root(), "empty"));

  ASSERT_TRUE(doc.save(path_).ok);
  const std::string text = Read();
  EXPECT_THAT(text, HasSubstr("<worldcities>"));  // the root keeps its name
  EXPECT_THAT(text, HasSubstr("São Tomé &amp; &lt;Príncipe&gt;"));

  const CityReadResult back = ReadCityFile(path_);
  ASSERT_TRUE(back.file.ok()) << back.file.error;
  ASSERT_EQ(back.cities.size(), 4u);
  EXPECT_EQ(back.cities[0].name, "Twin, Town");
  EXPECT_EQ(back.cities[0].lat, 20);
  EXPECT_DOUBLE_EQ(back.cities[0].tzd, 2.0 / 24);
  EXPECT_EQ(back.cities[0].rule.month1, 11);
  EXPECT_EQ(back.cities[1].lat, 2);  // the second twin is untouched
  EXPECT_EQ(back.cities[2].name, "São Tomé & <Príncipe>");
  EXPECT_EQ(back.cities[2].lon, EastLongitude{7});
  EXPECT_EQ(back.cities[2].rule.month1, 10);
  EXPECT_EQ(back.cities[3].rule.dst, 0);

  // Deleting every city leaves a document that still reads back.
  for (const CityItem& c : doc.cities()) doc.deleteCity(c.name);
  doc.deleteEmptyElements();
  ASSERT_TRUE(doc.save(path_).ok);
  const CityReadResult none = ReadCityFile(path_);
  EXPECT_TRUE(none.file.ok()) << none.file.error;
  EXPECT_TRUE(none.cities.empty());
}

// The shipped seed copy and dial codes, as the build tree holds them beside the program.
TEST(ShippedCityData, IsWellFormedAndAgreesWithTheDialCodes) {
  const std::string folder = WC_PROGRAM_DIR;
  CityTable table;
  const XmlLoadResult r = table.load(folder + "citydata.dat");
  ASSERT_TRUE(r.ok()) << r.error;
  ASSERT_GE(table.size(), 4000u);  // every city of 100 000 people or more

  ReadResult dial = ReadWholeFile(folder + "dialcodes.dat");
  ASSERT_EQ(dial.status, ReadStatus::Ok);
  ASSERT_EQ(dial.bytes.rfind("\xEF\xBB\xBF", 0), 0u) << "UTF-8 byte-order mark";
  std::set<std::string> dialCountries;
  std::istringstream lines(dial.bytes.substr(3));
  for (std::string line; std::getline(lines, line);) {
    ASSERT_FALSE(line.empty());
    ASSERT_EQ(line.back(), '\r') << line;
    const auto tab = line.find('\t');
    ASSERT_NE(tab, std::string::npos) << line;
    EXPECT_EQ(line[tab + 1], '+') << line;
    dialCountries.insert(line.substr(0, tab));
  }

  std::set<std::string> names, countriesWithoutCode;
  for (const std::string& name : table.names()) {
    EXPECT_LE(Utf8ToUtf16(name).size(), 32u) << name;
    EXPECT_TRUE(names.insert(name).second) << "twice: " << name;
    const auto comma = name.find(", ");
    ASSERT_NE(comma, std::string::npos) << name;
    const std::string country = name.substr(comma + 2);
    EXPECT_EQ(country.find(','), std::string::npos) << name;
    if (!dialCountries.count(country)) countriesWithoutCode.insert(country);
  }
  EXPECT_THAT(countriesWithoutCode, ::testing::IsEmpty());
  // A stored map city takes every city whose name begins with it, so no
  // name may begin another ("Roseau, Dominica" would take "Roseau, Dominican Rep.").
  for (auto a = names.begin(), b = std::next(a); b != names.end(); ++a, ++b) {
    EXPECT_NE(b->rfind(*a, 0), 0u) << *a << " begins " << *b;
  }

  const CityEntry* ny = table.findByName("New York, United States");
  ASSERT_NE(ny, nullptr);
  EXPECT_DOUBLE_EQ(ny->tzd, -5.0 / 24);
  EXPECT_EQ(ny->lon, WestLongitude{74});
  EXPECT_EQ(ny->rule, (DstRule{.dst = 1, .weekno = 2, .dayofweek = 7, .month = 3, .weekno1 = 1, .dayofweek1 = 7, .month1 = 11}));
  EXPECT_NE(table.findByName("São Paulo, Brazil"), nullptr);
  // A city without daylight saving leaves its rule children out: they read as 0.
  const CityEntry* mumbai = table.findByName("Mumbai, India");
  ASSERT_NE(mumbai, nullptr);
  EXPECT_DOUBLE_EQ(mumbai->tzd, 5.5 / 24);
  EXPECT_EQ(mumbai->lon, WestLongitude{-73});
  EXPECT_EQ(mumbai->rule, DstRule{});
  // Cities of one name in one country are told apart by their state.
  EXPECT_NE(table.findByName("Springfield (IL), United States"), nullptr);
  EXPECT_NE(table.findByName("Springfield (MO), United States"), nullptr);
}

}  // namespace
}  // namespace wc

namespace wc {
namespace {

TEST_F(CityFileTest, ManagerPicksTheCityOfTheRowNotTheFirstOfItsName) {
  Write(
      "<cities><city><name>Twin, Town</name><offset>+05.50</offset><offset>+5.5</offset><lat>1</lat></city>"
      "<city><name>Twin, Town</name><offset> -3 </offset><lat>2</lat></city>"
      "<city><name>Other, Place</name><lat>3</lat></city></cities>");
  CityDocument doc;
  ASSERT_TRUE(doc.load(path_).ok());
  const std::vector<ManagedCity> before = doc.managedCities();
  ASSERT_EQ(before.size(), 3u);
  EXPECT_EQ(before[0].offsetText, "+5.5");  // the later child, exactly as stored
  EXPECT_EQ(before[1].offsetText, " -3 ");
  EXPECT_EQ(before[2].offsetText, "");

  EXPECT_TRUE(doc.updateCityAt(1, {"Twin, Town", "-4", "10", "20", false}));
  EXPECT_TRUE(doc.deleteCityAt(2));
  EXPECT_FALSE(doc.deleteCityAt(2));
  const std::vector<ManagedCity> after = doc.managedCities();
  ASSERT_EQ(after.size(), 2u);
  EXPECT_EQ(after[0].city.lat, 1);  // the first twin is untouched
  EXPECT_EQ(after[1].city.lat, 20);
  EXPECT_EQ(after[1].offsetText, "-4");
}

// A manager save reaches the dialogs that read the file at once, open ones
// through their listener, and the loaded city table at the next start.
TEST_F(CityFileTest, ManagerSaveReachesOpenWindowsNowAndTheLoadedTableNextStart) {
  SetDataFolder((dir_ / "TavrelWorldClock").string());
  fs::create_directories(DataFolder());
  ASSERT_TRUE(WriteFileAtomically(CityDataPath(), "<cities><city><name>Old, Town</name></city></cities>"));
  CityTable runningTable;
  ASSERT_TRUE(runningTable.load(CityDataPath()).ok());

  int told = 0, toldGone = 0;
  CityFileListener openDialog([&] {
    ++told;
    EXPECT_EQ(ReadCityEntries(CityDataPath()).names.size(), 2u);  // the file is written when it is told
  });
  {
    CityFileListener closed([&] { ++toldGone; });
  }

  CityDocument doc;
  ASSERT_TRUE(doc.load(CityDataPath()).ok());
  doc.appendCity({"New, Town", "+3", "30", "40", false});
  ASSERT_TRUE(SaveCityDatabase(doc).ok);
  EXPECT_EQ(told, 1);
  EXPECT_EQ(toldGone, 0);
  EXPECT_EQ(ReadCityEntries(CityDataPath()).names, (std::vector<std::string>{"Old, Town", "New, Town"}));

  // This run's table keeps what start-up read; the next start's has the city.
  EXPECT_EQ(runningTable.load(CityDataPath()).status, XmlLoadStatus::Ok);
  EXPECT_EQ(runningTable.findByName("New, Town"), nullptr);
  CityTable nextStart;
  ASSERT_TRUE(nextStart.load(CityDataPath()).ok());
  const CityEntry* added = nextStart.findByName("New, Town");
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->lon, WestLongitude{-30});
  EXPECT_DOUBLE_EQ(added->tzd, 3.0 / 24);

  // A document that could not be loaded is neither saved nor announced.
  ASSERT_TRUE(WriteFileAtomically(CityDataPath(), "<cities>"));
  CityDocument broken;
  EXPECT_FALSE(broken.load(CityDataPath()).ok());
  EXPECT_FALSE(SaveCityDatabase(broken).ok);
  EXPECT_EQ(told, 1);
  SetDataFolder("");
}

}  // namespace
}  // namespace wc
