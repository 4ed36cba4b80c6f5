// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// aclocks.dat and dclocks.dat: the exact bytes written, the round trip, and
// what the reader accepts, forgives and refuses.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "TestSupport.h"
#include "clocks/ClockList.h"
#include "core/AtomicFile.h"

namespace wc {
namespace {

namespace fs = std::filesystem;

class ClockFiles : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = test::MakeTempFolder("wc-clocklist-") + "/"; }
  void TearDown() override { fs::remove_all(dir_); }
  std::string write(const std::string& name, const std::string& bytes) {
    EXPECT_TRUE(WriteFileAtomically(dir_ + name, bytes));
    return dir_ + name;
  }
  std::vector<std::string> folder() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string dir_;
};

// Every field with a value of its own, so that a mix-up shows.
AClockInfo SampleAnalog() {
  AClockInfo r;
  r.ThemeFile = "/opt/wc/askins/Blue Steel 1.png";
  r.SecondImage = "sec";
  r.RoundImage = "cap";
  r.HourImage = "hour";
  r.MinuteImage = "min";
  r.TextColor = "White";
  r.TYCity = 61;
  r.TYDate = 131;
  r.TextSize = 12;
  r.cityname = "Saint-Pierre & Miquelon <FR>";
  r.shortcityname = "St <P&M>";
  r.HideDate = true;
  r.HideSeconds = false;
  r.HideAMPM = true;
  r.tzd = 5.5 / 24;
  r.rule.dst = 1;
  r.rule.weekno = 2;
  r.rule.weekno1 = 5;
  r.rule.dayofweek = 7;
  r.rule.dayofweek1 = 6;
  r.rule.month = 3;
  r.rule.month1 = 10;
  r.x = -12;
  r.y = 340;
  r.clockwidth = 150;
  r.clockheight = 151;
  r.clockrad = 75;
  r.AlwaysTop = true;
  r.AlphaValue = 204;
  return r;
}

DClockInfo SampleDigital() {
  DClockInfo r;
  r.ThemeFile = "/opt/wc/dskins/Sky Blue.bmp";
  r.cityname = "St. John's, Canada";
  r.shortcityname = "St. John's";
  r.HideDate = false;
  r.HideSeconds = true;
  r.HideAMPM = true;
  r.tzd = -3.5 / 24;
  r.rule.dst = 1;
  r.rule.weekno = 2;
  r.rule.weekno1 = 1;
  r.rule.dayofweek = 7;
  r.rule.dayofweek1 = 3;
  r.rule.month = 3;
  r.rule.month1 = 11;
  r.x = 1700;
  r.y = -5;
  r.AlwaysTop = false;
  r.AlphaValue = 51;
  return r;
}

void ExpectSame(const AClockInfo& a, const AClockInfo& b) {
  EXPECT_EQ(AClockListText({a}), AClockListText({b}));
}

TEST_F(ClockFiles, AnalogFileIsWrittenLineByLineInTheFixedOrder) {
  const std::string expected =
      "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
      "<aclocks>\r\n"
      "<aclock>\r\n"
      "<themefile>/opt/wc/askins/Blue Steel 1.png</themefile>\r\n"
      "<secondimage>sec</secondimage>\r\n"
      "<roundimage>cap</roundimage>\r\n"
      "<hourimage>hour</hourimage>\r\n"
      "<minuteimage>min</minuteimage>\r\n"
      "<cityname>Saint-Pierre &amp; Miquelon &lt;FR></cityname>\r\n"
      "<shortcityname>St &lt;P&amp;M></shortcityname>\r\n"
      "<tzd>0.229166666666667</tzd>\r\n"
      "<dst>1</dst>\r\n"
      "<weekno>2</weekno>\r\n"
      "<weekno1>5</weekno1>\r\n"
      "<month>3</month>\r\n"
      "<month1>10</month1>\r\n"
      "<dayofweek>7</dayofweek>\r\n"
      "<dayofweek1>6</dayofweek1>\r\n"
      "<tycity>61</tycity>\r\n"
      "<tydate>131</tydate>\r\n"
      "<textcolor>White</textcolor>\r\n"
      "<textsize>12</textsize>\r\n"
      "<hidedate>-1</hidedate>\r\n"
      "<hideseconds>0</hideseconds>\r\n"
      "<hideampm>-1</hideampm>\r\n"
      "<formx>-12</formx>\r\n"
      "<formy>340</formy>\r\n"
      "<alwaystop>-1</alwaystop>\r\n"
      "<alphavalue>204</alphavalue>\r\n"
      "<clockwidth>150</clockwidth>\r\n"
      "<clockheight>151</clockheight>\r\n"
      "<clockrad>75</clockrad>\r\n"
      "</aclock>\r\n"
      "</aclocks>\r\n";
  EXPECT_EQ(AClockListText({SampleAnalog()}), expected);
}

TEST_F(ClockFiles, DigitalFileIsWrittenLineByLineInTheFixedOrder) {
  const std::string expected =
      "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
      "<dclocks>\r\n"
      "<dclock>\r\n"
      "<themefile>/opt/wc/dskins/Sky Blue.bmp</themefile>\r\n"
      "<cityname>St. John's, Canada</cityname>\r\n"
      "<shortcityname>St. John's</shortcityname>\r\n"
      "<tzd>-0.145833333333333</tzd>\r\n"
      "<dst>1</dst>\r\n"
      "<weekno>2</weekno>\r\n"
      "<weekno1>1</weekno1>\r\n"
      "<month>3</month>\r\n"
      "<month1>11</month1>\r\n"
      "<dayofweek>7</dayofweek>\r\n"
      "<dayofweek1>3</dayofweek1>\r\n"
      "<hidedate>0</hidedate>\r\n"
      "<hideseconds>-1</hideseconds>\r\n"
      "<hideampm>-1</hideampm>\r\n"
      "<formx>1700</formx>\r\n"
      "<formy>-5</formy>\r\n"
      "<alwaystop>0</alwaystop>\r\n"
      "<alphavalue>51</alphavalue>\r\n"
      "</dclock>\r\n"
      "</dclocks>\r\n";
  EXPECT_EQ(DClockListText({SampleDigital()}), expected);
}

TEST_F(ClockFiles, EmptyListsAreThreeLines) {
  EXPECT_EQ(AClockListText({}),
            "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<aclocks>\r\n</aclocks>\r\n");
  EXPECT_EQ(DClockListText({}),
            "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<dclocks>\r\n</dclocks>\r\n");
}

TEST_F(ClockFiles, TzdIsWrittenInTheShortestFormOfFifteenDigits) {
  const struct {
    double tzd;
    const char* text;
  } cases[] = {{5.5 / 24, "0.229166666666667"},
               {-5.0 / 24, "-0.208333333333333"},
               {1.0 / 24, "0.0416666666666667"},
               {0.0, "0"},
               {-0.0, "0"},
               {12.75 / 24, "0.53125"}};
  for (const auto& c : cases) {
    DClockInfo r;
    r.tzd = c.tzd;
    const std::string text = DClockListText({r});
    EXPECT_NE(text.find(std::string("<tzd>") + c.text + "</tzd>\r\n"), std::string::npos) << c.text;
  }
}

TEST_F(ClockFiles, BothFilesReadBackIntoEqualRecords) {
  const AClockInfo a = SampleAnalog();
  AClockInfo a2 = SampleAnalog();
  a2.cityname = "Kathmandu, Nepal";
  a2.tzd = 5.75 / 24;
  a2.AlphaValue = 0;
  const std::string apath = write("aclocks.dat", AClockListText({a, a2}));
  const std::string dpath = write("dclocks.dat", DClockListText({SampleDigital()}));
  for (const char* separator : {".", ","}) {
    AClockList alist;
    DClockList dlist;
    EXPECT_TRUE(ReadAClockList(apath, separator, alist).error.empty());
    EXPECT_TRUE(ReadDClockList(dpath, separator, dlist).error.empty());
    ASSERT_EQ(alist.size(), 2u);
    ASSERT_EQ(dlist.size(), 1u);
    ExpectSame(alist[0], a);
    ExpectSame(alist[1], a2);
    EXPECT_EQ(DClockListText(dlist), DClockListText({SampleDigital()}));
    EXPECT_EQ(alist[0].cityname, "Saint-Pierre & Miquelon <FR>");
    EXPECT_NEAR(alist[1].tzd * 24, 5.75, 1e-12);
  }
}

pugi::xml_document Parse(const std::string& text) {
  pugi::xml_document doc;
  EXPECT_TRUE(doc.load_string(text.c_str()));
  return doc;
}

TEST_F(ClockFiles, TzdReadsWithTheRegionalSeparatorOrWithADot) {
  const struct {
    const char* text;
    const char* separator;
    bool ok;
  } cases[] = {
      {"0.229166666666667", ".", true},
      {"0.229166666666667", ",", true},
      {"0,229166666666667", ",", true},
      {"0,229166666666667", ".", false},
      {"5,5e-1", ",", true},
      {"abc", ",", false},
  };
  for (const auto& c : cases) {
    DClockList list;
    const auto doc = Parse(std::string("<dclocks><dclock><tzd>") + c.text + "</tzd></dclock></dclocks>");
    const std::string problem = ParseDClockList(doc.document_element(), c.separator, list);
    EXPECT_EQ(problem.empty(), c.ok) << c.text << " with " << c.separator;
    if (c.ok && std::string(c.text).rfind("0", 0) == 0) {
      ASSERT_EQ(list.size(), 1u);
      EXPECT_NEAR(list[0].tzd * 24, 5.5, 1e-12) << c.text;
    }
  }
}

TEST_F(ClockFiles, ValuesReadAsTheFileHasThem) {
  // Any order, unknown elements ignored, a later element wins, booleans as
  // numbers or words, the low eight bits of alphavalue.
  const auto doc = Parse(
      "<anything><x><alphavalue>128</alphavalue><hidedate>TRUE</hidedate><colour>red</colour>"
      "<hideseconds>5</hideseconds><hideampm>false</hideampm><alwaystop>-1</alwaystop>"
      "<cityname>A</cityname><cityname>B</cityname><formy> 7 </formy></x>"
      "<y><alphavalue>300</alphavalue><hidedate>0</hidedate><hideseconds>fAlSe</hideseconds></y>"
      "<z><alphavalue>-1</alphavalue></z><w><cityname>C</cityname></w></anything>");
  AClockList list;
  EXPECT_EQ(ParseAClockList(doc.document_element(), ".", list), "");
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[0].AlphaValue, 128);
  EXPECT_TRUE(list[0].HideDate);
  EXPECT_TRUE(list[0].HideSeconds);
  EXPECT_FALSE(list[0].HideAMPM);
  EXPECT_TRUE(list[0].AlwaysTop);
  EXPECT_EQ(list[0].cityname, "B");
  EXPECT_EQ(list[0].y, 7);
  EXPECT_EQ(list[0].clockwidth, 0);  // missing: zero
  EXPECT_EQ(list[1].AlphaValue, 300 & 0xFF);
  EXPECT_FALSE(list[1].HideDate);
  EXPECT_FALSE(list[1].HideSeconds);
  EXPECT_EQ(list[2].AlphaValue, 255);
  EXPECT_EQ(list[3].AlphaValue, 255);  // missing: opaque, not invisible
}

TEST_F(ClockFiles, MissingFileIsAnEmptyListWithoutAWord) {
  AClockList list;
  const ClockFileResult r = ReadAClockList(dir_ + "aclocks.dat", ".", list);
  EXPECT_EQ(r.status, XmlLoadStatus::Missing);
  EXPECT_TRUE(r.error.empty());
  EXPECT_TRUE(r.canSave);
  EXPECT_TRUE(list.empty());
}

TEST_F(ClockFiles, TornFileKeepsEveryClockBeforeTheDamage) {
  AClockList three(3, SampleAnalog());
  three[1].cityname = "Lima, Peru";
  three[2].cityname = "Oslo, Norway";
  const std::string whole = AClockListText(three);
  const std::string torn = whole.substr(0, whole.find("Oslo"));
  const std::string path = write("aclocks.dat", torn);
  AClockList list;
  const ClockFileResult r = ReadAClockList(path, ".", list);
  EXPECT_EQ(r.status, XmlLoadStatus::Malformed);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].cityname, three[0].cityname);
  EXPECT_EQ(list[1].cityname, "Lima, Peru");
  EXPECT_NE(r.error.find(path), std::string::npos);
  EXPECT_NE(r.error.find("The 2 clocks before the damage were kept"), std::string::npos) << r.error;
  EXPECT_TRUE(r.canSave);  // a copy of the damaged file is safe under another name
  const auto names = folder();
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0], "aclocks.dat");
  EXPECT_EQ(names[1].rfind("aclocks.dat.bad-", 0), 0u);
  EXPECT_NE(r.error.find(names[1]), std::string::npos) << r.error;
  EXPECT_EQ(ReadWholeFile(dir_ + names[0]).bytes, torn);
  EXPECT_EQ(ReadWholeFile(dir_ + names[1]).bytes, torn);
}

TEST_F(ClockFiles, AClockWithAValueThatDoesNotConvertIsLeftOutAndTheFileKept) {
  DClockInfo good = SampleDigital();
  DClockInfo bad = SampleDigital();
  bad.cityname = "Bad";
  DClockInfo later = SampleDigital();
  later.cityname = "Later";
  std::string text = DClockListText({good, bad, later});
  const std::size_t at = text.find("<dst>1</dst>", text.find("<cityname>Bad"));
  text.replace(at, 12, "<dst>one</dst>");
  const std::string path = write("dclocks.dat", text);
  DClockList list;
  const ClockFileResult r = ReadDClockList(path, ".", list);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].cityname, good.cityname);
  EXPECT_EQ(list[1].cityname, "Later");
  EXPECT_NE(r.error.find("\"one\""), std::string::npos) << r.error;
  EXPECT_NE(r.error.find(path), std::string::npos);
  EXPECT_TRUE(r.canSave);
  const auto names = folder();
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[1].rfind("dclocks.dat.bad-", 0), 0u);
  EXPECT_EQ(ReadWholeFile(dir_ + names[1]).bytes, text);
}

TEST_F(ClockFiles, FindAndRemoveTakeTheFirstOfACity) {
  DClockList list(3);
  list[0].cityname = "Lima, Peru";
  list[1].cityname = "Oslo, Norway";
  list[2].cityname = "Lima, Peru";
  list[2].AlphaValue = 9;
  EXPECT_EQ(FindClock(list, "Lima, Peru"), &list[0]);
  EXPECT_EQ(FindClock(list, "lima, peru"), nullptr);
  EXPECT_TRUE(RemoveClock(list, "Lima, Peru"));
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[1].AlphaValue, 9);
  EXPECT_FALSE(RemoveClock(list, "Paris"));
}

}  // namespace
}  // namespace wc
