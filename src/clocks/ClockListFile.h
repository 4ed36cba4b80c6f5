// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One clock list's file (aclocks.dat or dclocks.dat) as the desktop clocks
// keep it: written whole after every change, never replacing a file that
// could not be read, and a lasting failure to write it told only once.

#include <optional>
#include <string>

#include "clocks/ClockList.h"

namespace wc {

class ClockListFile {
 public:
  explicit ClockListFile(std::string path) : path_(std::move(path)) {}
  const std::string& path() const { return path_; }

  // A file that could not be read is not replaced, nor a damaged one until
  // the user has been told.
  void setCanSave(bool on) { canSave_ = on; }
  bool canSave() const { return canSave_; }

  struct SaveResult {
    bool ok = false;
    // The message for the user: only at the first of a run of failures.
    std::optional<std::string> tell;
  };
  SaveResult save(const std::string& text);

 private:
  std::string path_;
  bool canSave_ = true;
  bool failing_ = false;
};

}  // namespace wc
