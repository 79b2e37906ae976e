// Writing files by their file-system (UTF-8) names: replacing a file whole, so that a
// failure at any point leaves the old file as it was, and overwriting a file in place.
//
// A file counts as read-only when this process may not write it or when none of its
// write-permission bits is set; a directory likewise. The second rule is the read-only
// attribute of other systems: it binds every user, the super-user included.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace barvell::platform {

// Writes `bytes` to a new file beside the target, flushes it to the disk and renames it
// over the target. A symbolic link is followed to the file it names; a replaced file's
// permissions (and, where allowed, its owner) carry over. A read-only target or directory,
// a target that is no regular file, or any failure returns false, removes the new file and
// leaves the target untouched.
bool ReplaceFile(std::string_view utf8_path, std::span<const uint8_t> bytes);
// Whether ReplaceFile would be allowed to replace (or create) the file.
bool FileReplaceable(std::string_view utf8_path);

// Opens the file (created when missing) under an exclusive lock, writes the pieces in order
// from its start and cuts it to the length written, so the end result is that of emptying
// it and writing anew, without giving its blocks back first. False when the file cannot be
// opened, is read-only, is no regular file or is locked by another writer; false too when a
// write fails, and then the file holds exactly what was written until then.
bool OverwriteFile(std::string_view utf8_path, std::span<const std::span<const uint8_t>> pieces);

// For tests: the nth write to a file from now on (n >= 1) stores only the first half of its
// bytes and then fails for a full disk, as a filling disk does. 0 turns the fault off.
void FailNthWrite(int n);

}  // namespace barvell::platform
