// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What every fuzz target shares: a private folder for the files a reader
// opens, and a check that stops the run when an invariant breaks.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace wc::fuzz {

// A folder of this process's own (in /dev/shm where there is one: no disk
// writes, and the saves' fsync costs nothing), emptied by Reset.
const std::string& Folder();
// Removes everything in Folder(): set-aside copies, temporary files, locks.
void Reset();
// Writes bytes to Folder() + name and returns the path.
std::string WriteInput(const std::string& name, std::string_view bytes);
std::string ReadBack(const std::string& path);

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Equal as a text written to one of our XML files and read back: the writer
// ends lines as the file does (a CR read from a reference becomes a line
// break), and the reader, as it always has, takes a text of blanks only
// (spaces, tabs, line breaks) as empty.
bool SameText(std::string_view a, std::string_view b);

// Aborts with the message when cond is false: libFuzzer keeps the input.
void Require(bool cond, const char* what);

}  // namespace wc::fuzz
