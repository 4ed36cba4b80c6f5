// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clocks/ClockListFile.h"

#include "core/AtomicFile.h"

namespace wc {

ClockListFile::SaveResult ClockListFile::save(const std::string& text) {
  if (!canSave_) return {};
  const FileResult r = WriteFileAtomically(path_, text);
  if (r) {
    failing_ = false;
    return {.ok = true, .tell = {}};
  }
  SaveResult out;
  // Said once, not on every change while the folder stays unwritable.
  if (!failing_) out.tell = r.error;
  failing_ = true;
  return out;
}

}  // namespace wc
