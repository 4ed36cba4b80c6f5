// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <vector>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "core/AtomicFile.h"
#include "core/ScreenSaverConfig.h"

namespace wc {
namespace {

constexpr char kSaver[] = "/opt/world clock/tavrel-world-clock-saver";
constexpr char kEntry[] =
    "\t\t\"Tavrel World Clock\"\t'/opt/world clock/tavrel-world-clock-saver' -root \\n\\";

// A file as xscreensaver writes it: the list of programs between other
// settings, the second program chosen.
constexpr char kUsers[] =
    "# XScreenSaver Preferences File\n"
    "mode:\t\tone\n"
    "selected:\t1\n"
    "\n"
    "programs:\t\t\t\t\t\t\t      \\\n"
    "\t\t\t\tmaze -root\t\t\t\t    \\n\\\n"
    "  GL: \t\t\t\tsuperquadrics -root\t\t\t    \\n\\\n"
    "-\t\t\t\txlyap -root -random\t\t\t    \\n\\\n"
    "\n"
    "pointerPollTime:\t0:00:05\n";

std::string Lines(std::initializer_list<const char*> lines) {
  std::string out;
  for (const char* l : lines) out += std::string(l) + "\n";
  return out;
}

TEST(ScreenSaverConfig, EntryIsAddedAndRemovedKeepingEveryOtherLine) {
  const std::string registered = WithSaverProgram(kUsers, kSaver);
  EXPECT_EQ(registered,
            Lines({"# XScreenSaver Preferences File", "mode:\t\tone", "selected:\t1", "",
                   "programs:\t\t\t\t\t\t\t      \\", "\t\t\t\tmaze -root\t\t\t\t    \\n\\",
                   "  GL: \t\t\t\tsuperquadrics -root\t\t\t    \\n\\",
                   "-\t\t\t\txlyap -root -random\t\t\t    \\n\\", kEntry, "", "pointerPollTime:\t0:00:05"}));
  // Registering again (another installation) leaves one entry.
  EXPECT_EQ(WithSaverProgram(WithSaverProgram(registered, "/usr/bin/tavrel-world-clock-saver"), kSaver),
            registered);
  EXPECT_EQ(WithSaverProgram(registered, ""), kUsers);
  EXPECT_EQ(WithSaverProgram(kUsers, ""), kUsers);
}

TEST(ScreenSaverConfig, ChosenProgramStaysChosenWhenTheEntryBeforeItGoes) {
  struct Case {
    const char* what;
    const char* selected;  // before
    const char* exe;
    const char* expected;  // the "selected:" line after
  };
  // The entry stands second in this list.
  const std::string withOursSecond =
      Lines({"selected:\t%", "programs:\t\\", "\t\tmaze -root \\n\\", kEntry, "\t\txlyap -root \\n\\", ""});
  for (const Case c : {Case{"a program after it moves up", "2", "", "selected:\t1"},
                       Case{"a program before it stays", "0", "", "selected:\t0"},
                       Case{"itself chosen, removed: none chosen", "1", "", "selected:\t-1"},
                       Case{"itself chosen, registered anew: still chosen", "1", kSaver, "selected:\t2"}}) {
    std::string text = withOursSecond;
    text.replace(text.find('%'), 1, c.selected);
    const std::string out = WithSaverProgram(text, c.exe);
    EXPECT_EQ(out.substr(0, out.find('\n')), c.expected) << c.what;
  }
}

TEST(ScreenSaverConfig, ListsOfOtherShapes) {
  struct Case {
    const char* what;
    std::string before;
    std::string after;
  };
  for (const Case& c : {
           Case{"no file: only this saver, chosen", "",
                Lines({"# XScreenSaver Preferences File", "mode:\t\tone", "selected:\t0", "programs:\t\\",
                       kEntry, ""})},
           Case{"no list: one is added at the end", Lines({"mode:\t\trandom"}),
                Lines({"mode:\t\trandom", "", "programs:\t\\", kEntry, ""})},
           Case{"last entry without a separator, list at the end of a file without a final line break",
                "programs:\t\\\n\t\tmaze -root",
                Lines({"programs:\t\\", "\t\tmaze -root \\n\\", kEntry, ""})},
           Case{"no list, no final line break", "mode:\t\trandom",
                Lines({"mode:\t\trandom", "", "programs:\t\\", kEntry, ""})},
           // The setting right after the list stays out of it.
           Case{
               "our entry ends the list without a separator",
               Lines({"programs:\t\\", "\t\tmaze -root \\n\\",
                      "\t\t\"Tavrel World Clock\"\t/opt/old/tavrel-world-clock-saver -root", "selected:\t1"}),
               Lines({"programs:\t\\", "\t\tmaze -root \\n\\", kEntry, "", "selected:\t1"})},
       }) {
    EXPECT_EQ(WithSaverProgram(c.before, kSaver), c.after) << c.what;
    EXPECT_EQ(WithSaverProgram(c.after, kSaver), c.after) << c.what << ": registered again";
  }
  EXPECT_EQ(WithSaverProgram(Lines({"programs:\t\\", "\t\tmaze -root \\n\\",
                                    "\t\t\"Tavrel World Clock\"\t/opt/old/tavrel-world-clock-saver -root",
                                    "selected:\t0"}),
                             ""),
            Lines({"programs:\t\\", "\t\tmaze -root \\n\\", "", "selected:\t0"}))
      << "removed, the list still ends before the next setting";
}

TEST(ScreenSaverConfig, AnEntryWrappedOverLinesGoesWhole) {
  // A long command wrapped as the settings program wraps it: the lines end
  // in a backslash alone until the entry's separator.
  const char* wrappedOurs[] = {
      "\t\t\"Tavrel World Clock\"\t/home/someone/a/long/path/tavrel-world-clock-saver \\",
      "\t\t  -root \\n\\"};
  struct Case {
    const char* what;
    std::string before;
    std::string removed;
  } cases[] = {
      {"between two others",
       Lines({"programs:\t\\", "\t\tmaze -root \\n\\", wrappedOurs[0], wrappedOurs[1],
              "\t\txlyap -root \\n\\", "", "selected:\t2"}),
       Lines({"programs:\t\\", "\t\tmaze -root \\n\\", "\t\txlyap -root \\n\\", "", "selected:\t1"})},
      {"ending the list without a separator",
       Lines({"programs:\t\\", "\t\tmaze -root \\n\\", wrappedOurs[0], "\t\t  -root", "selected:\t0"}),
       Lines({"programs:\t\\", "\t\tmaze -root \\n\\", "", "selected:\t0"})},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WithSaverProgram(c.before, ""), c.removed) << c.what;
    // Registered anew: one entry, nothing of the old one left.
    const std::string again = WithSaverProgram(c.before, kSaver);
    EXPECT_EQ(again.find("  -root"), std::string::npos) << c.what;
    EXPECT_EQ(WithSaverProgram(again, ""), c.removed) << c.what;
  }
}

TEST(ScreenSaverConfig, CrLfFileStaysCrLf) {
  std::string crlf;
  for (char c : std::string(kUsers)) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  const std::string registered = WithSaverProgram(crlf, kSaver);
  EXPECT_NE(registered.find(std::string(kEntry) + "\r\n\r\npointerPollTime"), std::string::npos)
      << registered;
  for (std::size_t at = registered.find('\n'); at != std::string::npos; at = registered.find('\n', at + 1))
    EXPECT_EQ(registered[at - 1], '\r') << "a bare line feed at " << at;
  EXPECT_EQ(WithSaverProgram(registered, ""), crlf);
  // The chosen program's index, rewritten, keeps its line's end.
  const std::string chosen = WithSaverProgram(
      "selected:\t1\r\nprograms:\t\\\r\n" + std::string(kEntry) + "\r\n\t\tmaze -root \\n\\\r\n\r\n", "");
  EXPECT_EQ(chosen, "selected:\t0\r\nprograms:\t\\\r\n\t\tmaze -root \\n\\\r\n\r\n");
  // One line that ends in CR and no line feed: the break we add after it
  // makes a CR LF file, so registering again must find nothing to change.
  const std::string once = WithSaverProgram("lock:\tTrue\r", kSaver);
  EXPECT_EQ(WithSaverProgram(once, kSaver), once);
  for (std::size_t at = once.find('\n'); at != std::string::npos; at = once.find('\n', at + 1))
    EXPECT_EQ(once[at - 1], '\r') << "a bare line feed at " << at;
}

TEST(ScreenSaverConfig, FileIsWrittenOnlyWhenItCouldBeRead) {
  const auto dir = std::filesystem::temp_directory_path() / ("wc-xss-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string path = (dir / ".xscreensaver").string();
  ASSERT_TRUE(SetSaverProgram(path, kSaver));
  EXPECT_NE(ReadWholeFile(path).bytes.find(kEntry), std::string::npos);
  ASSERT_TRUE(SetSaverProgram(path, ""));
  EXPECT_EQ(ReadWholeFile(path).bytes.find(kSaverProgramName), std::string::npos);
  // A folder or a pipe in its place cannot be read: left alone, and said so.
  std::vector<std::function<void()>> makers = {[&] { std::filesystem::create_directories(path); }};
#ifndef _WIN32
  makers.push_back([&] { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); });
#endif
  for (const auto& make : makers) {
    std::filesystem::remove_all(path);
    make();
    const auto kind = std::filesystem::symlink_status(path).type();
    const FileResult r = SetSaverProgram(path, kSaver);
    EXPECT_FALSE(r);
    EXPECT_NE(r.error.find("\"" + path + "\""), std::string::npos) << r.error;
    EXPECT_EQ(std::filesystem::symlink_status(path).type(), kind);
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace wc
