// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Whole-file reads and atomic whole-file writes. A write goes to a temporary
// file in the target's folder, is flushed to disk and renamed over the target,
// so a crash leaves either the old or the new file, never a torn one.
// The temporary files a killed writer left behind are removed by the next
// write of the same file, and only they: the folder may be the user's home.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace wc {

// File names are UTF-8 throughout the program (path::string() would give the
// Windows ANSI code page instead).
std::filesystem::path ToPath(const std::string& utf8);
std::string FromPath(const std::filesystem::path& path);

struct FileResult {
  bool ok = false;
  std::string error;  // a sentence naming the file, for the user
  explicit operator bool() const { return ok; }
};

// The target keeps its permission bits when it exists. A symbolic link is
// written through: the file it names is replaced and the link stays.
FileResult WriteFileAtomically(const std::string& path, std::string_view bytes);

// One version of a file, for caches: a replaced (new inode), resized or
// touched file has another stamp.
struct FileStamp {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t modifiedNs = 0;
  bool operator==(const FileStamp&) const = default;
};
// The stamp of the file a path names now; nothing when there is none.
std::optional<FileStamp> StampOf(const std::string& path);

enum class ReadStatus { Ok, Missing, Failed };
struct ReadResult {
  ReadStatus status = ReadStatus::Failed;
  std::string bytes;
  std::string error;
  FileStamp stamp;  // of the file as it was read
};
ReadResult ReadWholeFile(const std::string& path);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Creates one folder level; true when it exists afterwards.
bool CreateFolder(const std::string& path);
// Copies without ever replacing an existing target.
bool CopyFileIfMissing(const std::string& from, const std::string& to);
// Renames path to "<path>.bad-<YYYYmmdd-HHMMSS>" (with a counter if taken) so
// that nothing writes over a file the program could not read. Returns the new
// path, or nothing when the rename failed.
std::optional<std::string> SetAsideBadFile(const std::string& path);
// The same name for a copy, the file itself staying where it is (for a list
// that is written back, with what could be read, only once the user was told).
std::optional<std::string> KeepCopyOfBadFile(const std::string& path);

}  // namespace wc
