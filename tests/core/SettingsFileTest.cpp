// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The settings file: what it reads, what it keeps, and who may write it.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <grp.h>
#include <gmock/gmock.h>
#include <sys/file.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "SettingsFixture.h"
#include "core/Settings.h"
#include "core/Text.h"

namespace wc {
namespace {

namespace fs = std::filesystem;

class SettingsFile : public SettingsFileTest {
 protected:
  int lockFd_ = -1;
};

std::string Utf16LeWithBom(const std::string& utf8) {
  std::string out = "\xFF\xFE";
  for (char16_t u : Utf8ToUtf16(utf8)) {
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>(u >> 8);
  }
  return out;
}

TEST_F(SettingsFile, WritesTheRegistryExportFormat) {
  WriteIntegerSetting(kSettingsKey, kTheme, 2);
  WriteStringSetting(kSettingsKey, kOldWall, "C:\\pics\\\"old\".bmp");
  WriteStringListSetting(kSettingsKey, kDisplayCities, {"A", "B"});
  WriteIntegerSetting(kSettingsKey, kTheme, 10);
  EXPECT_EQ(fileText(),
            "Windows Registry Editor Version 5.00\n"
            "\n"
            "[HKEY_CURRENT_USER\\Software\\ZQM\\World Clock 1.0\\Settings]\n"
            "\"Theme\"=dword:0000000a\n"
            "\"OldWall\"=\"C:\\\\pics\\\\\\\"old\\\".bmp\"\n"
            "\"Display Cities\"=hex(7):41,00,00,00,42,00,00,00,00,00\n");
  EXPECT_EQ(stored(kDisplayCities).data.size(), 10u);

  // A name matched without regard to case keeps the spelling it was stored with.
  WriteIntegerSetting("SOFTWARE\\ZQM\\World Clock 1.0\\Settings", "theme", 4);
  EXPECT_NE(fileText().find("\"Theme\"=dword:00000004"), std::string::npos);
  EXPECT_EQ(fileText().find("SOFTWARE"), std::string::npos);

  // A name the format cannot carry fails the write, the file untouched.
  EXPECT_THROW(WriteStringListSetting(kSettingsKey, "Two\nLines", {"A"}), SettingsError);
  EXPECT_EQ(fileText().find("Two"), std::string::npos);
}

TEST_F(SettingsFile, ReadsARegistryEditorExport) {
  // UTF-16LE with a byte-order mark, CR LF, wrapped hex lines, other spellings.
  writeFileText(
      Utf16LeWithBom("Windows Registry Editor Version 5.00\r\n"
                     "\r\n"
                     "[HKEY_CURRENT_USER\\SOFTWARE\\zqm\\World Clock 1.0\\Settings]\r\n"
                     "@=\"default\"\r\n"
                     "\"display cities\"=hex(7):4c,00,6f,00,6e,00,64,00,6f,00,6e,00,00,00,4d,00,fc,00,\\\r\n"
                     "  6e,00,63,00,68,00,65,00,6e,00,00,00,00,00\r\n"
                     "\"MapTimeFormat\" = \"HH:mm\"\r\n"
                     "\"Theme\"=dword:00000005\r\n"
                     "\"Custom\"=hex(b):01,02,03,04,05,06,07,08\r\n"));
  std::vector<std::string> cities;
  ReadStringListSetting(kSettingsKey, kDisplayCities, cities);
  EXPECT_EQ(cities, (std::vector<std::string>{"London", "München"}));
  EXPECT_EQ(SettingText(kMapTimeFormat), "HH:mm");
  EXPECT_EQ(SettingInteger(kTheme), 5);

  // A write keeps everything, in UTF-8 now, with the file's own line ends.
  FontRecord font;
  font.setFace("DejaVu Sans");
  WriteFontSetting(kSettingsKey, kDateTimeFont, font);
  WriteIntegerSetting(kSettingsKey, kTheme, 2);
  const std::string text = fileText();
  EXPECT_TRUE(
      text.starts_with("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\SOFTWARE\\zqm\\"));
  EXPECT_NE(text.find("\"Theme\"=dword:00000002\r\n\"Custom\"=hex(b):01,02,03,04,05,06,07,08\r\n"
                      "\"Date/Time Font\"=hex:"),
            std::string::npos);
  std::size_t lineStart = 0;
  for (std::size_t nl = text.find('\n'); nl != std::string::npos; nl = text.find('\n', lineStart)) {
    EXPECT_EQ(text[nl - 1], '\r');
    EXPECT_LE(nl - 1 - lineStart, 80u) << text.substr(lineStart, nl - lineStart);
    lineStart = nl + 1;
  }
  FontRecord readBack;
  EXPECT_TRUE(ReadFontSetting(kSettingsKey, kDateTimeFont, readBack));
  EXPECT_EQ(readBack, font);
  EXPECT_EQ(stored("Custom"), (RegValue{11, {1, 2, 3, 4, 5, 6, 7, 8}}));
  EXPECT_EQ(stored(""), RegValue::fromString("default"));
  ReadStringListSetting(kSettingsKey, kDisplayCities, cities);
  EXPECT_EQ(cities.size(), 2u);
}

TEST_F(SettingsFile, OnlyTheUsersHiveCountsAndOfTwoCopiesTheLast) {
  writeFileText(
      "Windows Registry Editor Version 5.00\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\Software\\ZQM\\World Clock 1.0\\Settings]\n"
      "\"Theme\"=dword:00000007\n"
      "\n"
      "[HKEY_CURRENT_USER\\Software\\ZQM\\World Clock 1.0\\Settings]\n"
      "\"Search Type\"=dword:00000002\n"
      // An expandable string, as an export writes it: "C:\w.bmp" in UTF-16LE.
      "\"OldWall\"=hex(2):43,00,3a,00,5c,00,77,00,2e,00,62,00,6d,00,70,00,00,00\n"
      "\"Search Type\"=dword:00000003\n");
  EXPECT_EQ(SettingInteger(kTheme), 1) << "another hive's value read as the user's";
  EXPECT_EQ(SettingInteger(kSearchType), 3) << "the last copy is the one a registry import keeps";
  EXPECT_EQ(SettingText(kOldWall), "C:\\w.bmp");
  // A write changes the copy that is read, and only that one.
  WriteIntegerSetting(kSettingsKey, kSearchType, 1);
  EXPECT_EQ(SettingInteger(kSearchType), 1);
  const std::string text = fileText();
  EXPECT_NE(text.find("\"Search Type\"=dword:00000002\n\"OldWall\""), std::string::npos) << text;
  EXPECT_TRUE(text.ends_with("\"Search Type\"=dword:00000001\n")) << text;
  EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\Software\\ZQM\\World Clock 1.0\\Settings]\n\"Theme\"=dword:00000007\n"),
            std::string::npos);
}

TEST_F(SettingsFile, DamagedFileKeepsEverythingElseThroughWrites) {
  const std::string before =
      "Windows Registry Editor Version 5.00\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\Software\\ZQM\\World Clock 1.0\\Settings]\n"
      "\"Map View\"=dword:00000002\n"
      "\n"
      "; kept by hand\n"
      "[HKEY_CURRENT_USER\\Software\\ZQM\\World Clock 1.0\\Settings]\n"
      "\"Theme\"=dword:00000004\n"
      "\"Map View\"=dword:zz\n"
      "this line is garbage \x01\xff\n"
      "\"Unterminated=dword:1\n"
      "\"Display Cities\"=hex(7):41,00,00,00,\\\n"
      "\"Show Tips\"=dword:00000000\n"
      "\"Search Type\"=dword:00000003\n"
      "[HKEY_CURRENT_USER\\Software\\Other\n"
      "\"Theme\"=dword:00000009";
  writeFileText(before);

  std::vector<std::string> cities{"x"};
  ReadStringListSetting(kSettingsKey, kDisplayCities, cities);
  EXPECT_TRUE(cities.empty());
  EXPECT_EQ(SettingInteger(kMapView), 0);
  EXPECT_EQ(SettingInteger(kTheme), 4);
  EXPECT_FALSE(SettingSwitch(kShowTips));
  EXPECT_EQ(SettingInteger(kSearchType), 3);

  WriteIntegerSetting(kSettingsKey, kMapView, 1);
  WriteIntegerSetting(kSettingsKey, kShowDate, 1);
  WriteStringListSetting(kSettingsKey, kDisplayCities, {"B"});
  EXPECT_EQ(fileText(),
            "Windows Registry Editor Version 5.00\n"
            "\n"
            "[HKEY_LOCAL_MACHINE\\Software\\ZQM\\World Clock 1.0\\Settings]\n"
            "\"Map View\"=dword:00000002\n"
            "\n"
            "; kept by hand\n"
            "[HKEY_CURRENT_USER\\Software\\ZQM\\World Clock 1.0\\Settings]\n"
            "\"Theme\"=dword:00000004\n"
            "\"Map View\"=dword:00000001\n"
            "this line is garbage \x01\xff\n"
            "\"Unterminated=dword:1\n"
            "\"Display Cities\"=hex(7):42,00,00,00,00,00\n"
            "\"Show Tips\"=dword:00000000\n"
            "\"Search Type\"=dword:00000003\n"
            "\"Show Date\"=dword:00000001\n"
            "[HKEY_CURRENT_USER\\Software\\Other\n"
            "\"Theme\"=dword:00000009");
}

TEST_F(SettingsFile, UnreadableFileIsNeverWrittenOver) {
  // Paths that exist but fail to read, even for root: the defaults hold and
  // no write replaces them. A pipe with no writer once blocked the first
  // read for ever, with the settings lock held.
  fs::create_directories(fs::path(path_).parent_path());
  const std::function<void()> makers[] = {[&] { fs::create_symlink("/proc/self/mem", path_); },
                                          [&] { ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0); }};
  for (const auto& make : makers) {
    fs::remove(path_);
    make();
    const fs::file_type kind = fs::symlink_status(path_).type();
    SetSettingsBackend(std::make_shared<RegFileBackend>(path_));
    EXPECT_EQ(SettingInteger(kShowTips), 1);
    WriteIntegerSetting(kSettingsKey, kTheme, 3);
    try {
      WriteStringListSetting(kSettingsKey, kDisplayCities, {"A"});
      ADD_FAILURE() << "no error";
    } catch (const SettingsError& e) {
      // Refused for what was read, not a write that failed on its own.
      EXPECT_THAT(e.what(), ::testing::HasSubstr(path_));
      EXPECT_THAT(e.what(), ::testing::HasSubstr("it is left as it is"));
    }
    DeleteSetting(kSettingsKey, kTheme);
    EXPECT_EQ(fs::symlink_status(path_).type(), kind);
    EXPECT_EQ(SettingInteger(kTheme), 1);
  }
  fs::remove(path_);

  // Without read permission. Root reads regardless, so as root (CI) the case
  // runs in a child that gives root up for a user id owning nothing.
  EXPECT_EXIT(
      {
        auto fail = [](const std::string& why) {
          std::fputs((why + "\n").c_str(), stderr);
          std::_Exit(1);
        };
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setresgid(65534, 65534, 65534) != 0 ||
                               setresuid(65534, 65534, 65534) != 0))
          fail("cannot give up root");
        const std::string dir = test::MakeTempFolder("wc-unreadable-");
        const std::string file = dir + "/settings.reg";
        const std::string before = "\"Theme\"=dword:00000005\n";
        if (!WriteFileAtomically(file, before) || chmod(file.c_str(), 0) != 0) fail("no file to test with");
        if (std::ifstream(file).good()) fail("a file without read permission could be read");
        SetSettingsBackend(std::make_shared<RegFileBackend>(file));
        if (SettingInteger(kTheme) != 1) fail("a value came from the unreadable file");
        try {
          WriteStringListSetting(kSettingsKey, kDisplayCities, {"A"});
          fail("no error");
        } catch (const SettingsError& e) {
          if (std::string(e.what()).find("it is left as it is") == std::string::npos)
            fail(std::string("not refused: ") + e.what());
        }
        chmod(file.c_str(), 0600);
        const std::string after = ReadWholeFile(file).bytes;
        fs::remove_all(dir);
        if (after != before) fail("written over: " + after);
        std::_Exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(SettingsFile, TwoProcessesWritingAtOnceLoseNothing) {
  constexpr int kEach = 200;
  auto writeAll = [](const std::string& who) {
    for (int i = 0; i < kEach; ++i) {
      const std::string name = who + " " + std::to_string(i);
      WriteIntegerSetting(kSettingsKey, name, i);
      if (ReadIntegerSetting(kSettingsKey, name, -1) != i) return false;
    }
    return true;
  };
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) _exit(writeAll("Child") ? 0 : 1);
  EXPECT_TRUE(writeAll("Parent"));
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  int missing = 0;
  for (const char* who : {"Child", "Parent"}) {
    for (int i = 0; i < kEach; ++i) {
      if (ReadIntegerSetting(kSettingsKey, who + (" " + std::to_string(i)), -1) != i) ++missing;
    }
  }
  EXPECT_EQ(missing, 0);
}

TEST_F(SettingsFile, ReadsComeFromAParsedCopyUntilTheFileChanges) {
  // A 10 MB file once took a second per read, read and parsed anew each time.
  const std::string two =
      "[HKEY_CURRENT_USER\\" + std::string(kSettingsKey) + "]\n\"Theme\"=dword:00000002\n";
  writeFileText(two);
  EXPECT_EQ(SettingInteger(kTheme), 2);
  const auto when = fs::last_write_time(path_);
  // Edited in place with its size and time kept: not noticed, so not re-read.
  auto editInPlace = [&](const std::string& text) {
    std::fstream(path_, std::ios::in | std::ios::out | std::ios::binary) << text;
    fs::last_write_time(path_, when);
  };
  editInPlace(two.substr(0, two.size() - 2) + "3\n");
  EXPECT_EQ(SettingInteger(kTheme), 2);

  struct Change {
    const char* what;
    std::function<void(const std::string&)> apply;
  } changes[] = {
      {"time",
       [&](const std::string& text) {
         editInPlace(text);
         fs::last_write_time(path_, when + std::chrono::seconds(1));
       }},
      {"size", [&](const std::string& text) { editInPlace(text + "\n"); }},
      {"inode",
       [&](const std::string& text) {
         const std::string other = path_ + ".other";
         std::ofstream(other, std::ios::binary) << text;
         fs::last_write_time(other, when);
         fs::rename(other, path_);
       }},
  };
  int theme = 4;
  for (const Change& c : changes) {
    c.apply(two.substr(0, two.size() - 2) + std::to_string(theme) + "\n");
    EXPECT_EQ(SettingInteger(kTheme), theme) << c.what;
    ++theme;
  }
}

TEST_F(SettingsFile, SymlinkedFileIsWrittenThroughToItsTarget) {
  const fs::path dotfiles = fs::path(dir_) / "dotfiles";
  fs::create_directories(dotfiles);
  fs::create_directories(fs::path(path_).parent_path());
  std::ofstream(dotfiles / "settings.reg") << "; mine\n";
  fs::create_symlink("../dotfiles/settings.reg", path_);
  WriteIntegerSetting(kSettingsKey, kTheme, 5);
  EXPECT_TRUE(fs::is_symlink(path_));
  EXPECT_EQ(SettingInteger(kTheme), 5);
  EXPECT_THAT(ReadWholeFile((dotfiles / "settings.reg").string()).bytes, ::testing::StartsWith("; mine\n"));
}

TEST_F(SettingsFile, FailedWritesAreReportedNamingTheFileAndKeptUntilTheyCanBeWritten) {
  std::vector<std::string> reports;
  SetSettingsFailureHandler([&](const std::string& message) { reports.push_back(message); });
  const fs::path folder = fs::path(path_).parent_path();
  FontRecord font;
  font.setFace("Liberation Serif");
  const WindowGeometry window{WindowState::Normal, 11, 22, 333, 444};

  struct Cause {
    const char* what;
    std::function<void()> make, undo;
  } causes[] = {
      // Another program holds the lock: the wait is bounded, and told.
      {"locked",
       [&] {
         lockFd_ = ::open((path_ + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
         ASSERT_EQ(flock(lockFd_, LOCK_EX), 0);
       },
       [&] { ::close(lockFd_); }},
      // The folder cannot be made (a file stands where it belongs).
      {"no folder",
       [&] {
         fs::remove_all(folder);
         std::ofstream(folder.string()) << "in the way";
       },
       [&] { fs::remove(folder); }},
  };
  for (const Cause& cause : causes) {
    SCOPED_TRACE(cause.what);
    SetSettingsBackend(std::make_shared<RegFileBackend>(path_, std::chrono::milliseconds(100)));
    fs::remove_all(folder);
    store(kShowTips, RegValue::fromDword(0));
    cause.make();
    reports.clear();

    WriteIntegerSetting(kSettingsKey, kTheme, 4);
    WriteStringSetting(kSettingsKey, kMapTimeFormat, "HH:mm");
    WriteFontSetting(kSettingsKey, kDateTimeFont, font);
    WritePlacementSetting(kSettingsKey, kWindowPosition, window, true);
    DeleteSetting(kSettingsKey, kShowTips);
    try {
      WriteStringListSetting(kSettingsKey, kDisplayCities, {"Oslo, Norway"});
      ADD_FAILURE() << "no error";
    } catch (const SettingsError& e) {
      EXPECT_THAT(e.what(), ::testing::StartsWith("Error writing strings to registry"));
      EXPECT_THAT(e.what(), ::testing::HasSubstr(path_));
    }
    ASSERT_EQ(reports.size(), 5u);
    for (const std::string& r : reports) EXPECT_THAT(r, ::testing::HasSubstr("\"" + path_ + "\""));

    // Nothing is dropped: this run reads what the user chose ...
    auto expectChosen = [&] {
      EXPECT_EQ(SettingInteger(kTheme), 4);
      EXPECT_EQ(SettingText(kMapTimeFormat), "HH:mm");
      FontRecord f;
      EXPECT_TRUE(ReadFontSetting(kSettingsKey, kDateTimeFont, f));
      EXPECT_EQ(f, font);
      EXPECT_EQ(ReadPlacementSetting(kSettingsKey, kWindowPosition, true).width, 333);
      EXPECT_EQ(SettingInteger(kShowTips), 1);
      std::vector<std::string> cities;
      ReadStringListSetting(kSettingsKey, kDisplayCities, cities);
      EXPECT_EQ(cities, std::vector<std::string>{"Oslo, Norway"});
    };
    expectChosen();
    // ... and the next write that can be made stores all of it.
    cause.undo();
    WriteIntegerSetting(kSettingsKey, kSearchType, 2);
    EXPECT_EQ(reports.size(), 5u);
    UseSettingsFile(path_);
    expectChosen();
    EXPECT_EQ(SettingInteger(kSearchType), 2);
  }
  SetSettingsFailureHandler(nullptr);
}

}  // namespace
}  // namespace wc
