// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// reminders.dat: the exact bytes the writer produces, what survives a save
// and a reload, and how the reader takes files it did not write.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/AtomicFile.h"
#include "reminders/ReminderStore.h"

namespace wc {
namespace {

namespace fs = std::filesystem;

class RemFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("wc-rem-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string path() const { return (dir_ / "reminders.dat").string(); }
  std::string read() const { return ReadWholeFile(path()).bytes; }
  void write(std::string_view bytes) const { ASSERT_TRUE(WriteFileAtomically(path(), bytes)); }
  std::size_t filesInDir() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}));
  }
  fs::path dir_;
};

std::unique_ptr<RemInfo> Rem(DateTime date, std::string time, std::string city, std::string msg,
                             std::string sound, int shown) {
  auto r = std::make_unique<RemInfo>();
  r->RemDate = date;
  r->RemTime = std::move(time);
  r->RemCity = std::move(city);
  r->RemMsg = std::move(msg);
  r->PlaySound = std::move(sound);
  r->iShown = shown;
  return r;
}

TEST_F(RemFile, WrittenLineByLineWithBomCrLfAndEscapes) {
  ReminderStore store;
  store.reset(path());
  // The time of day the date picker leaves in the date is not written.
  store.list().push_back(Rem(EncodeDate(2026, 12, 9) + 0.75, "09:05 PM", "London, United Kingdom",
                             "Call R&D <now>\n\"Bring\" the 'notes'", "/snd/a&b.wav", 0));
  store.list().push_back(Rem(EncodeDate(2027, 1, 2), "12:00 AM", "Kathmandu, Nepal", "x", "", 1));
  ASSERT_TRUE(store.save());
  EXPECT_EQ(read(),
            "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
            "<reminders>\r\n"
            "<reminder>\r\n"
            "<remdate>09.12.2026</remdate>\r\n"
            "<remtime>09:05 PM</remtime>\r\n"
            "<remcity>London, United Kingdom</remcity>\r\n"
            "<remmsg>Call R&amp;D &lt;now>\r\n\"Bring\" the 'notes'</remmsg>\r\n"
            "<remplay>/snd/a&amp;b.wav</remplay>\r\n"
            "<remshow>0</remshow>\r\n"
            "</reminder>\r\n"
            "<reminder>\r\n"
            "<remdate>02.01.2027</remdate>\r\n"
            "<remtime>12:00 AM</remtime>\r\n"
            "<remcity>Kathmandu, Nepal</remcity>\r\n"
            "<remmsg>x</remmsg>\r\n"
            "<remplay></remplay>\r\n"
            "<remshow>1</remshow>\r\n"
            "</reminder>\r\n"
            "</reminders>\r\n");
}

TEST_F(RemFile, EmptyListIsThreeLinesAsTheShippedSeed) {
  ReminderStore store;
  store.reset(path());
  ASSERT_TRUE(store.save());
  EXPECT_EQ(read(),
            "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<reminders>\r\n</reminders>\r\n");
  EXPECT_EQ(read(), ReadWholeFile(std::string(WC_SOURCE_DIR) + "/data/reminders.dat").bytes);
}

TEST_F(RemFile, TextsSurviveSaveAndReloadByteForByte) {
  const std::vector<std::string> texts = {
      "Tom & Jerry <3 > 2 \"double\" 'single'",
      "first line\nsecond line\n\nfourth, after a blank one",
      "  leading and trailing blanks  ",
      "\nstarts and ends with a break\n",
      "&amp; and &lt; typed literally, ]]> too",
      "Zürich – 東京 – Кыїв 🔔",
      "tab\there",
  };
  ReminderStore store;
  store.reset(path());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    store.list().push_back(Rem(EncodeDate(2026, 3, static_cast<int>(i) + 1),
                               "0" + std::to_string(i + 1) + ":30 PM", texts[i], texts[i], texts[i],
                               static_cast<int>(i % 2)));
  }
  ASSERT_TRUE(store.save());
  const std::string first = read();

  ReminderStore again;
  const RemLoadResult r = again.load(path());
  ASSERT_TRUE(r.file.ok()) << r.file.error;
  EXPECT_EQ(r.badDates, 0);
  ASSERT_EQ(again.list().size(), texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const RemInfo& got = *again.list()[i];
    const RemInfo& want = *store.list()[i];
    EXPECT_EQ(got.RemMsg, texts[i]);
    EXPECT_EQ(got.RemCity, texts[i]);
    EXPECT_EQ(got.PlaySound, texts[i]);
    EXPECT_EQ(got.RemTime, want.RemTime);
    EXPECT_EQ(got.RemDate, want.RemDate);
    EXPECT_EQ(got.iShown, want.iShown);
  }
  ASSERT_TRUE(again.save());
  EXPECT_EQ(read(), first);
}

TEST_F(RemFile, ReaderTakesWhatOtherWritersMayLeave) {
  // Another root and element name, LF line ends, children in another order,
  // an unknown child, a name in another case, and remshow values that are
  // not 0 or 1.
  write(
      "<list>\n"
      "<item><remcity>Paris, France</remcity><extra>1</extra><remdate>9.3.2026</remdate>"
      "<remtime>07:00 AM</remtime><RemMsg>ignored</RemMsg><remmsg>wake</remmsg><remshow>1</remshow></item>\n"
      "<item><remdate>31.12.2026</remdate><remshow>yes</remshow></item>\n"
      "<item><remdate>01.01.2027</remdate><remshow> 2 </remshow></item>\n"
      "<item><remdate>02.01.2027</remdate></item>\n"
      "</list>\n");
  ReminderStore store;
  const RemLoadResult r = store.load(path());
  ASSERT_TRUE(r.file.ok());
  ASSERT_EQ(store.list().size(), 4u);
  const RemInfo& a = *store.list()[0];
  EXPECT_EQ(a.RemDate, EncodeDate(2026, 3, 9));
  EXPECT_EQ(a.RemCity, "Paris, France");
  EXPECT_EQ(a.RemTime, "07:00 AM");
  EXPECT_EQ(a.RemMsg, "wake");
  EXPECT_EQ(a.iShown, 1);
  EXPECT_TRUE(a.shown());
  // Not a number: pending, so the reminder is not silently dropped.
  EXPECT_EQ(store.list()[1]->iShown, 0);
  EXPECT_EQ(store.list()[2]->iShown, 2);
  EXPECT_FALSE(store.list()[2]->shown());
  EXPECT_EQ(store.list()[3]->iShown, 0);
}

TEST_F(RemFile, BadDateIsCountedAndTheRestOfTheReminderKept) {
  write(
      "<reminders><reminder><remdate>31.02.2026</remdate><remtime>09:00 AM</remtime>"
      "<remcity>Oslo, Norway</remcity><remmsg>keep me</remmsg><remshow>0</remshow></reminder>"
      "<reminder><remdate>2026-12-09</remdate></reminder>"
      "<reminder><remdate>09.12.2026</remdate><remmsg>fine</remmsg></reminder></reminders>");
  ReminderStore store;
  const RemLoadResult r = store.load(path());
  EXPECT_EQ(r.badDates, 2);
  ASSERT_EQ(store.list().size(), 3u);
  EXPECT_EQ(store.list()[0]->RemDate, 0.0);
  EXPECT_EQ(store.list()[0]->RemMsg, "keep me");
  EXPECT_EQ(store.list()[0]->RemCity, "Oslo, Norway");
  EXPECT_EQ(store.list()[2]->RemDate, EncodeDate(2026, 12, 9));
  ASSERT_TRUE(store.save());
  EXPECT_NE(read().find("<remdate>30.12.1899</remdate>\r\n<remtime>09:00 AM</remtime>"), std::string::npos);
}

TEST(RemDate, ReadsOnlyRealDatesInDayMonthYearOrder) {
  struct Case {
    const char* text;
    std::optional<DateTime> date;
  };
  const Case cases[] = {
      {"09.12.2026", EncodeDate(2026, 12, 9)},
      {" 9.1.2026 ", EncodeDate(2026, 1, 9)},
      {"29.02.2024", EncodeDate(2024, 2, 29)},
      {"29.02.2026", std::nullopt},
      {"12/09/2026", std::nullopt},
      {"09.12.26", std::nullopt},
      {"09.12.2026x", std::nullopt},
      {"", std::nullopt},
      {"32.01.2026", std::nullopt},
      {"01.13.2026", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseRemDate(c.text), c.date) << c.text;
  EXPECT_EQ(RemDateText(EncodeDate(2026, 12, 9)), "09.12.2026");
  EXPECT_EQ(RemDateText(0), "30.12.1899");
}

TEST_F(RemFile, MissingFileGivesAnEmptyListThatCanBeSaved) {
  ReminderStore store;
  const RemLoadResult r = store.load(path());
  EXPECT_EQ(r.file.status, XmlLoadStatus::Missing);
  EXPECT_TRUE(r.file.error.empty());
  EXPECT_TRUE(store.list().empty());
  EXPECT_TRUE(store.save());
}

// Three reminders as the program writes them, each with messages of its own.
std::string ThreeReminders() {
  RemList list;
  for (const char* msg : {"first", "second", "third"})
    list.push_back(Rem(EncodeDate(2026, 12, 9), "09:00 AM", "Oslo, Norway", msg, "", 0));
  return ReminderFileBytes(list);
}

TEST_F(RemFile, TornFileKeepsEveryReminderBeforeTheDamage) {
  const std::string whole = ThreeReminders();
  const std::size_t third = whole.find("<reminder>", whole.find("second"));
  const std::size_t end = whole.find("</reminders>");
  struct Case {
    const char* what;
    std::string text;
    std::vector<std::string> kept;
  } cases[] = {
      {"cut inside the third", whole.substr(0, whole.find("third") + 2), {"first", "second"}},
      {"cut inside an end tag", whole.substr(0, whole.find("</reminder>", third) + 5), {"first", "second"}},
      {"cut after the third", whole.substr(0, end), {"first", "second", "third"}},
      {"root end misspelt", whole.substr(0, end) + "</reminderz>\r\n", {"first", "second", "third"}},
      {"junk after the root", whole + "<", {"first", "second", "third"}},
      {"damage in the first", whole.substr(0, whole.find("first")) + "<remmsg>", {}},
      {"nested one of the same name cut",
       whole.substr(0, third) + "<reminder><reminder><remmsg>x</remmsg></reminder>",
       {"first", "second"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    write(c.text);
    ReminderStore store;
    const RemLoadResult r = store.load(path());
    EXPECT_EQ(r.file.status, XmlLoadStatus::Malformed);
    std::vector<std::string> kept;
    for (const auto& rem : store.list()) kept.push_back(rem->RemMsg);
    EXPECT_EQ(kept, c.kept);
    // The file stays, a copy of it is kept, and the message says both.
    EXPECT_EQ(read(), c.text);
    ASSERT_FALSE(r.file.setAsidePath.empty());
    EXPECT_EQ(ReadWholeFile(r.file.setAsidePath).bytes, c.text);
    EXPECT_NE(r.file.error.find("\"" + path() + "\" is damaged"), std::string::npos) << r.file.error;
    EXPECT_NE(r.file.error.find("\"" + r.file.setAsidePath + "\""), std::string::npos) << r.file.error;
    const std::string count = c.kept.size() == 3   ? "The 3 reminders before the damage were kept"
                              : c.kept.size() == 2 ? "The 2 reminders before the damage were kept"
                                                   : "Nothing before the damage could be read";
    EXPECT_NE(r.file.error.find(count), std::string::npos) << r.file.error;
  }
}

TEST_F(RemFile, TornFileIsWrittenBackOnlyOnceTheUserWasTold) {
  const std::string whole = ThreeReminders();
  const std::string torn = whole.substr(0, whole.find("third"));
  write(torn);
  ReminderStore store;
  const RemLoadResult r = store.load(path());
  ASSERT_EQ(store.list().size(), 2u);
  EXPECT_FALSE(store.canSave());
  EXPECT_FALSE(store.save());
  EXPECT_EQ(read(), torn);
  store.damageReported();
  store.list().push_back(Rem(EncodeDate(2026, 12, 10), "10:00 AM", "Lima, Peru", "new", "", 0));
  ASSERT_TRUE(store.save());
  ReminderStore again;
  ASSERT_TRUE(again.load(path()).file.ok());
  EXPECT_EQ(again.list().size(), 3u);
  EXPECT_EQ(ReadWholeFile(r.file.setAsidePath).bytes, torn);
  EXPECT_EQ(filesInDir(), 2u);
}

TEST_F(RemFile, UnreadableFileIsLeftAsItIs) {
  // A folder where the file should be cannot be read, even by root.
  fs::create_directory(path());
  ReminderStore store;
  const RemLoadResult r = store.load(path());
  EXPECT_EQ(r.file.status, XmlLoadStatus::Unreadable);
  EXPECT_FALSE(store.canSave());
  const FileResult saved = store.save();
  EXPECT_FALSE(saved);
  EXPECT_NE(saved.error.find(path()), std::string::npos);
  EXPECT_TRUE(fs::is_directory(path()));
}

}  // namespace
}  // namespace wc
