// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ReminderStore.h"

#include <charconv>
#include <cstdio>

#include "core/Paths.h"
#include "core/Text.h"
#include "core/XmlLines.h"

namespace wc {

std::string RemindersPath() { return DataFolder() + "reminders.dat"; }

std::string RemDateText(DateTime date) {
  int y = 0, m = 0, d = 0;
  DecodeDate(date, y, m, d);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", d, m, y);
  return buf;
}

std::optional<DateTime> ParseRemDate(std::string_view text) {
  text = TrimView(text);
  int parts[3] = {0, 0, 0};
  const std::size_t maxDigits[3] = {2, 2, 4};
  std::size_t pos = 0;
  for (int i = 0; i < 3; ++i) {
    std::size_t end = pos;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    const std::size_t digits = end - pos;
    if (digits == 0 || digits > maxDigits[i] || (i == 2 && digits != 4)) return std::nullopt;
    std::from_chars(text.data() + pos, text.data() + end, parts[i]);
    pos = end;
    if (i < 2) {
      if (pos >= text.size() || text[pos] != '.') return std::nullopt;
      ++pos;
    }
  }
  if (pos != text.size()) return std::nullopt;
  const std::chrono::year_month_day ymd{std::chrono::year{parts[2]}, std::chrono::month(parts[1]),
                                        std::chrono::day(parts[0])};
  if (!ymd.ok()) return std::nullopt;
  return ToDateTime(std::chrono::sys_days{ymd});
}

std::string ReminderFileBytes(const RemList& list) {
  XmlLineWriter w;
  w.line("<reminders>");
  for (const auto& r : list) {
    w.line("<reminder>");
    w.element("remdate", RemDateText(r->RemDate));
    w.element("remtime", r->RemTime);
    w.element("remcity", r->RemCity);
    w.element("remmsg", r->RemMsg);
    w.element("remplay", r->PlaySound);
    w.element("remshow", std::to_string(r->iShown));
    w.line("</reminder>");
  }
  w.line("</reminders>");
  return w.bytes();
}

void ReminderStore::reset(const std::string& path) {
  list_.clear();
  path_ = path;
  canSave_ = true;
  damageUnreported_ = false;
}

RemLoadResult ReminderStore::load(const std::string& path) {
  path_ = path;
  RemLoadResult result;
  pugi::xml_document doc;
  result.file = LoadXmlFile(path, doc, XmlDamage::KeepCompleteRecords);
  damageUnreported_ = false;
  switch (result.file.status) {
    case XmlLoadStatus::Ok:
    case XmlLoadStatus::Missing:
      canSave_ = true;
      break;
    case XmlLoadStatus::Unreadable:
      canSave_ = false;
      return result;
    case XmlLoadStatus::Malformed:
      canSave_ = !result.file.setAsidePath.empty();
      damageUnreported_ = true;
      break;
  }

  const std::size_t before = list_.size();
  for (pugi::xml_node element : doc.document_element().children()) {
    if (element.type() != pugi::node_element) continue;
    // Every element is one reminder whatever the order of its children, so
    // no value ever lands in a neighbour's record.
    auto rec = std::make_unique<RemInfo>();
    bool badDate = false;
    for (pugi::xml_node child : element.children()) {
      if (child.type() != pugi::node_element) continue;
      const std::string_view name = child.name();
      if (name == "remdate") {
        if (auto d = ParseRemDate(NodeValue(child))) {
          rec->RemDate = *d;
        } else {
          rec->RemDate = 0;
          badDate = true;
        }
      } else if (name == "remtime") {
        rec->RemTime = NodeValue(child);
      } else if (name == "remcity") {
        rec->RemCity = NodeValue(child);
      } else if (name == "remmsg") {
        rec->RemMsg = NodeValue(child);
      } else if (name == "remplay") {
        rec->PlaySound = NodeValue(child);
      } else if (name == "remshow") {
        // Anything but a whole number is pending: a reminder is never lost to a typo.
        rec->iShown = StrToIntDef(NodeValue(child), 0);
      }
    }
    if (badDate) ++result.badDates;
    list_.push_back(std::move(rec));
  }
  if (result.file.status == XmlLoadStatus::Malformed)
    result.file.error += " " + KeptRecordsText(list_.size() - before, "reminder", "reminders", result.file);
  return result;
}

FileResult ReminderStore::save() const {
  if (!canSave_) {
    return {false, "The reminders were not saved: the file \"" + path_ +
                       "\" could not be read at start-up and is left as it is."};
  }
  if (damageUnreported_) {
    return {false, "The reminders were not saved: the damage found in \"" + path_ +
                       "\" has not been reported yet, and the file is left as it is."};
  }
  return WriteFileAtomically(path_, ReminderFileBytes(list_));
}

}  // namespace wc
