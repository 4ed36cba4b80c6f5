// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The reminder list and its file reminders.dat.
//
// The file is written line by line (XmlLines.h): per reminder the eight lines
// <reminder>, <remdate>dd.MM.yyyy</remdate>, <remtime>, <remcity>, <remmsg>,
// <remplay>, <remshow>0|1</remshow>, </reminder>, inside <reminders>. It is
// read with the XML reader: any root name, any element name per reminder,
// children matched by exact name, unknown ones ignored.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/AtomicFile.h"
#include "core/DateTime.h"
#include "core/Xml.h"

namespace wc {

struct RemInfo {
  DateTime RemDate = 0;  // only the date counts
  std::string RemTime;   // "hh:mm AM/PM" with the user's time separator
  std::string RemCity;
  std::string RemMsg;  // line breaks as LF
  std::string PlaySound;
  std::int32_t iShown = 0;  // 1 = shown; anything else is pending

  bool shown() const { return iShown == 1; }
};

// In file order, then in order of addition; records keep their address for
// as long as they are in the list (the editor's rows point at them).
using RemList = std::vector<std::unique_ptr<RemInfo>>;

// DataFolder() + "reminders.dat".
std::string RemindersPath();

inline constexpr std::string_view kRemLoadErrorText =
    "Error occured while loading reminders, please contact the technical support";

// "dd.MM.yyyy", fixed whatever the user's regional settings.
std::string RemDateText(DateTime date);
// Day, month, year separated by "."; one- or two-digit day and month,
// four-digit year; blanks around are ignored. Nothing for a date that does
// not exist.
std::optional<DateTime> ParseRemDate(std::string_view text);

// The whole file for the list.
std::string ReminderFileBytes(const RemList& list);

struct RemLoadResult {
  // Missing: nothing said; Unreadable/Malformed: file.error, which for a
  // damaged file also says how many reminders were kept.
  XmlLoadResult file;
  // Reminders whose date could not be read: one message box each. They are
  // kept, with the zero date (so they never fire) and their other fields.
  int badDates = 0;
};

// The program's reminder list with the rules for writing it back: a file
// that exists but could not be read is never overwritten; of a damaged one
// every reminder before the damage is kept, a copy of it is kept beside it,
// and it is replaced only after damageReported().
class ReminderStore {
 public:
  // Appends what the file holds (the list is not cleared first).
  RemLoadResult load(const std::string& path);
  // Writes the whole list atomically to the path of the last load.
  FileResult save() const;
  // Never before a load or reset(): there is no file to write yet.
  bool canSave() const { return !path_.empty() && canSave_ && !damageUnreported_; }
  // The user has seen the load's message about a damaged file.
  void damageReported() { damageUnreported_ = false; }
  const std::string& path() const { return path_; }

  RemList& list() { return list_; }
  const RemList& list() const { return list_; }

  // An empty list that will be written to path (before a load, or in tests).
  void reset(const std::string& path);

 private:
  RemList list_;
  std::string path_;
  bool canSave_ = true;
  // Until the user is told, a damaged file holds more than the list would write.
  bool damageUnreported_ = false;
};

}  // namespace wc
