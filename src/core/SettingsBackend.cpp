#include "SettingsBackend.h"

#include <chrono>
#include <filesystem>
#include <utility>

#include "AtomicFile.h"
#include "FileLock.h"
#include "Paths.h"

namespace wc {

namespace {

// Long enough for any honest writer; a stuck one costs the change, not the program.
constexpr std::chrono::milliseconds kLockTimeout{10000};

std::shared_ptr<SettingsBackend>& BackendSlot() {
  static std::shared_ptr<SettingsBackend> backend;
  return backend;
}

}  // namespace

RegFileBackend::RegFileBackend(std::string path) : path_(std::move(path)) {}

RegStatus RegFileBackend::get(std::string_view key, std::string_view name, RegValue& out) {
  const ReadResult read = ReadWholeFile(path_);
  if (read.status != ReadStatus::Ok) return RegStatus::Unavailable;
  auto v = RegDocument::parse(read.bytes).get(key, name);
  if (!v) return RegStatus::Unavailable;
  out = std::move(*v);
  return RegStatus::Ok;
}

// change(doc, expected) edits the document and the values it must hold
// afterwards; it returns false when there is nothing to write.
template <class Change>
RegStatus RegFileBackend::modify(Change&& change) {
  const std::filesystem::path file = ToPath(path_);
  if (file.has_parent_path()) {
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
  }
  const auto lock = FileLock::acquire(path_ + ".lock", kLockTimeout);
  if (!lock) return RegStatus::Unavailable;

  const ReadResult read = ReadWholeFile(path_);
  if (read.status == ReadStatus::Failed) return RegStatus::Unavailable;
  RegDocument doc = RegDocument::parse(read.bytes);
  RegDocument::ValueMap expected = doc.values();
  if (!change(doc, expected)) return RegStatus::Ok;

  const std::string text = doc.serialize();
  // Whatever the edit, every other value the file held must read back as it
  // was (a name or key the format cannot carry would otherwise corrupt it).
  if (RegDocument::parse(text).values() != expected) return RegStatus::Failed;
  return WriteFileAtomically(path_, text) ? RegStatus::Ok : RegStatus::Failed;
}

RegStatus RegFileBackend::set(std::string_view key, std::string_view name, const RegValue& value) {
  return modify([&](RegDocument& doc, RegDocument::ValueMap& expected) {
    if (doc.get(key, name) == value) return false;
    doc.set(key, name, value);
    expected[RegDocument::valueId(key, name)] = value;
    return true;
  });
}

RegStatus RegFileBackend::remove(std::string_view key, std::string_view name) {
  return modify([&](RegDocument& doc, RegDocument::ValueMap& expected) {
    if (!doc.remove(key, name)) return false;
    expected.erase(RegDocument::valueId(key, name));
    return true;
  });
}

SettingsBackend& CurrentSettingsBackend() {
  auto& backend = BackendSlot();
#ifdef _WIN32
  if (!backend) backend = std::make_shared<RegistryBackend>();
#else
  if (!backend) backend = std::make_shared<RegFileBackend>(SettingsFilePath());
#endif
  return *backend;
}

void SetSettingsBackend(std::shared_ptr<SettingsBackend> backend) { BackendSlot() = std::move(backend); }

void UseSettingsFile(const std::string& path) { SetSettingsBackend(std::make_shared<RegFileBackend>(path)); }

}  // namespace wc
