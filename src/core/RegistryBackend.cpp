// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The settings store on Windows: the registry of the current user, each call
// opening and closing its key.

#include <windows.h>

#include <utility>

#include "RegistryBackend.h"
#include "Text.h"

namespace wc {

namespace {

std::wstring Wide(std::string_view utf8) {
  const std::u16string u = Utf8ToUtf16(utf8);
  return std::wstring(u.begin(), u.end());
}

class Key {
 public:
  Key(const std::string& path, bool forWriting) {
    const std::wstring p = Wide(path);
    const LSTATUS r = forWriting ? RegCreateKeyExW(HKEY_CURRENT_USER, p.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                                   nullptr, &key_, nullptr)
                                 : RegOpenKeyExW(HKEY_CURRENT_USER, p.c_str(), 0, KEY_QUERY_VALUE, &key_);
    if (r != ERROR_SUCCESS) key_ = nullptr;
  }
  ~Key() {
    if (key_) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

RegistryBackend::RegistryBackend(std::string root) : root_(std::move(root)) {}

// A leading backslash means the same key below the hive, and a trailing one
// names no further level.
std::string RegistryBackend::path(std::string_view key) const {
  std::string p = root_;
  if (!p.empty() && p.back() != '\\') p += '\\';
  while (!key.empty() && key.front() == '\\') key.remove_prefix(1);
  while (!key.empty() && key.back() == '\\') key.remove_suffix(1);
  p += key;
  return p;
}

RegStatus RegistryBackend::get(std::string_view key, std::string_view name, RegValue& out) {
  const Key k(path(key), false);
  if (!k.get()) return RegStatus::Unavailable;
  const std::wstring n = Wide(name);
  DWORD type = 0, size = 0;
  LSTATUS r = RegQueryValueExW(k.get(), n.c_str(), nullptr, &type, nullptr, &size);
  if (r == ERROR_FILE_NOT_FOUND) return RegStatus::Unavailable;
  std::vector<std::uint8_t> data;
  // The value may grow between the two calls.
  while (r == ERROR_SUCCESS || r == ERROR_MORE_DATA) {
    data.resize(size);
    r = RegQueryValueExW(k.get(), n.c_str(), nullptr, &type, data.data(), &size);
    if (r == ERROR_SUCCESS) {
      data.resize(size);
      out = RegValue{type, std::move(data)};
      return RegStatus::Ok;
    }
  }
  return r == ERROR_FILE_NOT_FOUND ? RegStatus::Unavailable : RegStatus::Failed;
}

RegWriteResult RegistryBackend::failure(RegStatus status, std::string_view key, std::string_view name) const {
  return {status, "The setting \"" + std::string(name) + "\" cannot be stored under \"HKEY_CURRENT_USER\\" +
                      path(key) + "\"; that change was not saved."};
}

RegWriteResult RegistryBackend::set(std::string_view key, std::string_view name, const RegValue& value) {
  const Key k(path(key), true);
  if (!k.get()) return failure(RegStatus::Unavailable, key, name);
  const LSTATUS r = RegSetValueExW(k.get(), Wide(name).c_str(), 0, value.type, value.data.data(),
                                   static_cast<DWORD>(value.data.size()));
  return r == ERROR_SUCCESS ? RegWriteResult{} : failure(RegStatus::Failed, key, name);
}

RegWriteResult RegistryBackend::remove(std::string_view key, std::string_view name) {
  const Key k(path(key), true);
  if (!k.get()) return failure(RegStatus::Unavailable, key, name);
  const LSTATUS r = RegDeleteValueW(k.get(), Wide(name).c_str());
  return r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND ? RegWriteResult{}
                                                         : failure(RegStatus::Failed, key, name);
}

}  // namespace wc
