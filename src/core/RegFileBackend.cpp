// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RegFileBackend.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "FileLock.h"
#include "Paths.h"

namespace wc {

namespace {

// After a lock wait ran out, writes in the next few seconds (the rest of an
// "OK" that stores twenty values) try once instead of waiting again.
constexpr std::chrono::seconds kLockRetryQuiet{5};
// How long a write waits at most while other writers keep the lock busy.
constexpr std::chrono::seconds kBusyWriters{30};

constexpr const char* kKept =
    " The change is kept while the program runs and saved with the next change that can be written.";

bool SameValue(std::string_view key, std::string_view name, const std::string& key2,
               const std::string& name2) {
  return RegDocument::valueId(key, name) == RegDocument::valueId(key2, name2);
}

// Applies one change to a document and the values it must then hold; false
// when the document already was so.
bool Apply(const RegFileBackend::Change& c, RegDocument& doc, RegDocument::ValueMap& expected) {
  const auto id = RegDocument::valueId(c.key, c.name);
  if (c.value) {
    if (const auto it = expected.find(id); it != expected.end() && it->second == *c.value) return false;
    doc.set(c.key, c.name, *c.value);
    expected[id] = *c.value;
    return true;
  }
  if (!doc.remove(c.key, c.name)) return false;
  expected.erase(id);
  return true;
}

}  // namespace

RegFileBackend::RegFileBackend(std::string path, std::chrono::milliseconds lockWait)
    : path_(std::move(path)), lockWait_(lockWait) {}

const RegDocument* RegFileBackend::current(std::string& error) {
  if (parsedValid_ && StampOf(path_) == stamp_) return &parsed_;
  ReadResult read = ReadWholeFile(path_);
  parsedValid_ = read.status != ReadStatus::Failed;
  if (!parsedValid_) {
    error = read.error;
    return nullptr;
  }
  if (read.status == ReadStatus::Missing) {
    parsed_ = RegDocument{};
    stamp_.reset();
  } else {
    parsed_ = RegDocument::parse(read.bytes);
    stamp_ = read.stamp;
  }
  parsedValues_ = parsed_.values();
  return &parsed_;
}

RegStatus RegFileBackend::get(std::string_view key, std::string_view name, RegValue& out) {
  for (auto it = pending_.rbegin(); it != pending_.rend(); ++it) {
    if (!SameValue(key, name, it->key, it->name)) continue;
    if (!it->value) return RegStatus::Unavailable;
    out = *it->value;
    return RegStatus::Ok;
  }
  std::string error;
  if (!current(error)) return RegStatus::Unavailable;
  const auto v = parsedValues_.find(RegDocument::valueId(key, name));
  if (v == parsedValues_.end()) return RegStatus::Unavailable;
  out = v->second;
  return RegStatus::Ok;
}

RegWriteResult RegFileBackend::write(Change change) {
  std::erase_if(pending_, [&](const Change& c) { return SameValue(change.key, change.name, c.key, c.name); });
  pending_.push_back(std::move(change));
  auto keep = [](const std::string& why) {
    return RegWriteResult{RegStatus::Failed, "The settings were not saved. " + why + "." + kKept};
  };

  const std::filesystem::path file = ToPath(path_);
  if (file.has_parent_path()) {
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
  }
  const auto now = std::chrono::steady_clock::now();
  const bool quiet =
      lastLockTimeout_.time_since_epoch().count() != 0 && now - lastLockTimeout_ < kLockRetryQuiet;
  bool busy = false;
  std::string lockError;
  std::optional<FileLock> lock;
  // Waits while the holder is stuck for lockWait_; while other writers get
  // on with their writes (the file changes meanwhile), our turn will come.
  for (auto waited = std::chrono::milliseconds(0); !lock && waited < kBusyWriters;) {
    const std::optional<FileStamp> before = StampOf(path_);
    lock = FileLock::acquire(path_ + ".lock", quiet ? std::chrono::milliseconds(0) : lockWait_, &busy,
                             &lockError);
    if (lock || !busy || quiet || StampOf(path_) == before) break;
    waited += lockWait_;
  }
  if (!lock) {
    if (!busy) return keep("The settings file \"" + path_ + "\" cannot be locked: " + lockError);
    lastLockTimeout_ = now;
    const auto ms = lockWait_.count();
    return keep("The settings file \"" + path_ +
                "\" is in use by another program, which held it for more than " +
                (ms % 1000 == 0 ? std::to_string(ms / 1000) + " seconds" : std::to_string(ms) + " ms"));
  }
  lastLockTimeout_ = {};

  std::string readError;
  if (!current(readError)) return keep(readError + "; it is left as it is");

  // Every pending change on top of the file as it is now. Every other value
  // must read back as it was: a change the format cannot carry (a name with
  // a line break) is found by trying the changes one by one, and dropped.
  RegDocument doc = std::move(parsed_);
  RegDocument::ValueMap expected = std::move(parsedValues_);
  parsedValid_ = false;
  bool changed = false;
  for (const Change& c : pending_) changed |= Apply(c, doc, expected);
  std::string text;
  std::optional<RegDocument> written;
  std::string dropped;
  if (changed) {
    text = doc.serialize();
    written = RegDocument::parse(text);
    if (written->values() != expected) {
      if (!current(readError)) return keep(readError + "; it is left as it is");
      doc = parsed_;
      expected = parsedValues_;
      changed = false;
      for (const Change& c : pending_) {
        RegDocument next = doc;
        RegDocument::ValueMap nextExpected = expected;
        if (!Apply(c, next, nextExpected)) continue;
        std::string nextText = next.serialize();
        if (RegDocument::parse(nextText).values() != nextExpected) {
          dropped = c.name;
          continue;
        }
        doc = std::move(next);
        expected = std::move(nextExpected);
        text = std::move(nextText);
        changed = true;
      }
      if (changed) written = RegDocument::parse(text);
    }
  }
  if (changed) {
    if (FileResult w = WriteFileAtomically(path_, text); !w) return keep(w.error);
    parsed_ = std::move(*written);
    parsedValues_ = std::move(expected);
    stamp_ = StampOf(path_);
    parsedValid_ = true;
  }
  pending_.clear();
  if (!dropped.empty()) {
    return {RegStatus::Failed, "The setting \"" + dropped + "\" cannot be stored in \"" + path_ +
                                   "\"; that change was not saved."};
  }
  return {};
}

RegWriteResult RegFileBackend::set(std::string_view key, std::string_view name, const RegValue& value) {
  return write({std::string(key), std::string(name), value});
}

RegWriteResult RegFileBackend::remove(std::string_view key, std::string_view name) {
  return write({std::string(key), std::string(name), std::nullopt});
}

}  // namespace wc
