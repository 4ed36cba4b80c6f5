// reminders.dat: loaded into the list, written back and loaded again; the
// list must read back as it was written. The writer ends lines as the file
// does (a CR read from a reference becomes a line break), so texts compare
// with their line breaks folded.

#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "reminders/Reminders.h"

using namespace wc;

namespace {

std::string Folded(std::string s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r') {
      out += '\n';
      if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
    } else {
      out += s[i];
    }
  }
  return out;
}

bool SameText(const std::string& a, const std::string& b) { return Folded(a) == Folded(b); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Reset();
  const std::string path = fuzz::WriteInput("reminders.dat", fuzz::Bytes(data, size));
  ReminderStore store;
  const RemLoadResult loaded = store.load(path);
  if (!loaded.file.ok()) return 0;
  for (const auto& r : store.list()) (void)RemDateText(r->RemDate);
  fuzz::Require(static_cast<bool>(store.save()), "a loaded list saves");

  ReminderStore again;
  fuzz::Require(again.load(path).file.ok(), "a saved list loads");
  fuzz::Require(again.list().size() == store.list().size(), "every reminder is written");
  for (std::size_t i = 0; i < store.list().size(); ++i) {
    const TRemInfo &a = *store.list()[i], &b = *again.list()[i];
    fuzz::Require(a.RemDate == b.RemDate && SameText(a.RemTime, b.RemTime) &&
                      SameText(a.RemCity, b.RemCity) && SameText(a.RemMsg, b.RemMsg) &&
                      SameText(a.PlaySound, b.PlaySound) && a.iShown == b.iShown,
                  "a reminder reads back as it was written");
  }
  fuzz::Require(fuzz::ReadBack(path) == ReminderFileBytes(again.list()),
                "the file is written the same twice");
  return 0;
}
