// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// reminders.dat: loaded into the list (of a damaged file, what came before
// the damage), written back and loaded again; the list must read back as it
// was written, texts compared as fuzz::SameText does.

#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "reminders/ReminderStore.h"

using namespace wc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Reset();
  const std::string path = fuzz::WriteInput("reminders.dat", fuzz::Bytes(data, size));
  ReminderStore store;
  const RemLoadResult loaded = store.load(path);
  const bool torn = loaded.file.status == XmlLoadStatus::Malformed;
  if (!loaded.file.ok() && !torn) return 0;
  for (const auto& r : store.list()) (void)RemDateText(r->RemDate);
  if (torn) {
    // What was kept of a damaged file is written only once the user was told.
    fuzz::Require(!store.save() && fuzz::ReadBack(path) == fuzz::Bytes(data, size),
                  "a damaged file stays until its message was shown");
    store.damageReported();
  }
  fuzz::Require(static_cast<bool>(store.save()), "a loaded list saves");

  ReminderStore again;
  fuzz::Require(again.load(path).file.ok(), "a saved list loads");
  fuzz::Require(again.list().size() == store.list().size(), "every reminder is written");
  for (std::size_t i = 0; i < store.list().size(); ++i) {
    const RemInfo &a = *store.list()[i], &b = *again.list()[i];
    fuzz::Require(a.RemDate == b.RemDate && fuzz::SameText(a.RemTime, b.RemTime) &&
                      fuzz::SameText(a.RemCity, b.RemCity) && fuzz::SameText(a.RemMsg, b.RemMsg) &&
                      fuzz::SameText(a.PlaySound, b.PlaySound) && a.iShown == b.iShown,
                  "a reminder reads back as it was written");
  }
  // Once read back, the list is written the same every time.
  const std::string second = ReminderFileBytes(again.list());
  ReminderStore third;
  fuzz::Require(third.load(fuzz::WriteInput("again.dat", second)).file.ok() &&
                    ReminderFileBytes(third.list()) == second,
                "the file is written the same twice");
  return 0;
}
