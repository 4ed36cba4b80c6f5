// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// dialcodes.dat: reading, the rows of the list and their two sort orders.

#include "tools/DialCodeFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

#include "core/AtomicFile.h"

namespace wc {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

std::string Utf16Le(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t u : text) {
    bytes += static_cast<char>(u & 0xFF);
    bytes += static_cast<char>(u >> 8);
  }
  return bytes;
}

class DialCodeFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A folder per test and process: tests run side by side.
    dir_ = fs::path(::testing::TempDir()) /
           ("dialcodes-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
            "-" + std::to_string(getpid()));
    fs::create_directories(dir_);
    path_ = (dir_ / "dialcodes.dat").string();
  }
  void TearDown() override { fs::remove_all(dir_); }
  DialCodeLines read(std::string_view bytes) {
    EXPECT_TRUE(WriteFileAtomically(path_, bytes));
    return ReadDialCodeLines(path_);
  }

  fs::path dir_;
  std::string path_;
};

TEST_F(DialCodeFileTest, LinesEndWithCrLfOrALoneCrOrLfInAnyEncoding) {
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"UTF-8 with a mark",
       "\xEF\xBB\xBF"
       "C\xC3\xB4te d'Ivoire\t+225\r\nFrance\t+33\rItaly\t+39\nMalta\t+356"},
      {"UTF-8 without a mark", "C\xC3\xB4te d'Ivoire\t+225\r\nFrance\t+33\rItaly\t+39\nMalta\t+356\r\n"},
      {"Windows-1252", "C\xF4te d'Ivoire\t+225\r\nFrance\t+33\rItaly\t+39\nMalta\t+356\n"},
      // A mark that does not hold (an editor's, on a file kept in the code page).
      {"Windows-1252 behind a UTF-8 mark",
       "\xEF\xBB\xBF"
       "C\xF4te d'Ivoire\t+225\r\nFrance\t+33\rItaly\t+39\nMalta\t+356\n"},
      {"UTF-16LE with a mark", Utf16Le(u"C\u00f4te d'Ivoire\t+225\r\nFrance\t+33\rItaly\t+39\nMalta\t+356")},
  };
  for (const Case& c : cases) {
    const DialCodeLines r = read(c.bytes);
    EXPECT_TRUE(r.exists) << c.what;
    EXPECT_THAT(r.lines, ElementsAre("Côte d'Ivoire\t+225", "France\t+33", "Italy\t+39", "Malta\t+356"))
        << c.what;
  }
}

TEST_F(DialCodeFileTest, AMissingFileHasNoLines) {
  const DialCodeLines r = ReadDialCodeLines(path_);
  EXPECT_FALSE(r.exists);
  EXPECT_TRUE(r.lines.empty());
}

TEST(DialCodeFor, TakesTheFirstLineOfTheCountryWithItsTab) {
  const std::vector<std::string> lines{
      "Germany East\t+37", "GERMANY\t+49", "Germany\t+4999", "Long\t+12345678", "Blank\t \t+7 ", "No tab +1",
  };
  struct Case {
    const char* key;
    const char* code;
  };
  const Case cases[] = {
      {"Germany\t", "+49"}, {"germany east\t", "+37"}, {"Germany Ea\t", "+1"}, {"Long\t", "+123456"},
      {"Blank\t", "+7"},    {"No tab +1\t", "+1"},     {"Atlantis\t", "+1"},
  };
  for (const Case& c : cases) EXPECT_EQ(DialCodeFor(lines, c.key), c.code) << c.key;
  EXPECT_EQ(DialCodeFor({}, "Germany\t"), "+1");
}

TEST(DialCodeRows, OneRowPerLineWithATabAsItStands) {
  const std::vector<DialCodeRow> rows = DialCodeRows(
      {"Finland\t+358", "no tab here", "", " Spaced \t +34 x", "Long\t+12345678", "Two\ttabs\t+2"});
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].country, "Finland");
  EXPECT_EQ(rows[0].code, "+358");
  EXPECT_EQ(rows[1].country, " Spaced ");
  EXPECT_EQ(rows[1].code, " +34 x");
  EXPECT_EQ(rows[2].code, "+123456");
  EXPECT_EQ(rows[3].country, "Two");
  EXPECT_EQ(rows[3].code, "tabs\t+2");
}

std::vector<std::string> Codes(const std::vector<DialCodeRow>& rows) {
  std::vector<std::string> out;
  for (const DialCodeRow& r : rows) out.push_back(r.code);
  return out;
}
std::vector<std::string> Countries(const std::vector<DialCodeRow>& rows) {
  std::vector<std::string> out;
  for (const DialCodeRow& r : rows) out.push_back(r.country);
  return out;
}

TEST(DialCodeSort, CodesSortAsNumbersFirstClickDescending) {
  std::vector<DialCodeRow> rows{{"United Kingdom", "+44"}, {"Russia", "+7"}, {"Finland", "+358"}};
  DialCodeSort sort;
  sort.columnClick(rows, DialCodeColumn::Code);
  EXPECT_THAT(Codes(rows), ElementsAre("+358", "+44", "+7"));
  EXPECT_TRUE(sort.descending());
  sort.columnClick(rows, DialCodeColumn::Code);
  EXPECT_THAT(Codes(rows), ElementsAre("+7", "+44", "+358"));
  EXPECT_FALSE(sort.descending());
}

TEST(DialCodeSort, CodesThatAreNoNumberComeAfterTheNumbersBothWays) {
  std::vector<DialCodeRow> rows{{"A", "+1-684"}, {"B", "+44"}, {"C", ""},     {"D", "++7"},
                                {"E", "+1 345"}, {"F", "+1"},  {"G", "+358"}, {"H", "+1"}};
  DialCodeSort sort;
  sort.columnClick(rows, DialCodeColumn::Code);
  EXPECT_THAT(Countries(rows), ElementsAre("G", "B", "D", "F", "H", "A", "E", "C"));
  sort.columnClick(rows, DialCodeColumn::Code);
  // Equal codes keep their order.
  EXPECT_THAT(Countries(rows), ElementsAre("F", "H", "D", "B", "G", "C", "E", "A"));
}

TEST(DialCodeSort, CountriesSortByCodePointsAndShareTheDirectionFlag) {
  std::vector<DialCodeRow> rows{
      {"Zambia", "+260"}, {"aland", "+1"}, {"Åland Islands", "+358"}, {"Albania", "+355"}};
  DialCodeSort sort;
  sort.columnClick(rows, DialCodeColumn::Country);
  EXPECT_THAT(Countries(rows), ElementsAre("Åland Islands", "aland", "Zambia", "Albania"));
  // The flag is shared: the other column now sorts ascending.
  sort.columnClick(rows, DialCodeColumn::Code);
  EXPECT_THAT(Codes(rows), ElementsAre("+1", "+260", "+355", "+358"));
  sort.columnClick(rows, DialCodeColumn::Country);
  EXPECT_THAT(Countries(rows), ElementsAre("Åland Islands", "aland", "Zambia", "Albania"));
}

}  // namespace
}  // namespace wc
