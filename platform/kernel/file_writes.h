// Writing files by their file-system (UTF-8) names: replacing a file whole, so that a
// failure at any point leaves the old file as it was, and overwriting a file in place.
//
// A file counts as read-only when this process may not write it or when none of its
// write-permission bits is set; a directory likewise. The second rule is the read-only
// attribute of other systems: it binds every user, the super-user included.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace barvell::platform {

// How far a replacement waits for the disk. Both leave the target whole, old or new, for
// every reader; they differ after a power cut. kSynced (settings): the new content is on
// the disk before it takes the target's name, and the name before the call returns.
// kUnsynced (pictures, made by the thousand in a batch): the name may be lost with the
// latest content, and on a file system that does not order data before names the new file may
// come back empty; an existing picture is never half-overwritten.
enum class Durability { kSynced, kUnsynced };

// Writes `bytes` to a new file beside the target, which takes the target's name once it is
// whole: linked in under it when there was no such file, renamed over it otherwise. A
// symbolic link is followed to the file it names; a replaced file's permissions (and,
// where allowed, its owner) carry over. A read-only target or directory, a target that is
// no regular file, or any failure returns false, removes the new file and leaves the
// target untouched.
bool ReplaceFile(std::string_view utf8_path, std::span<const uint8_t> bytes,
                 Durability durability = Durability::kSynced);
// Whether ReplaceFile would be allowed to replace (or create) the file.
bool FileReplaceable(std::string_view utf8_path);

// Opens the file (created when missing) under an exclusive lock, writes the pieces in order
// from its start and cuts it to the length written, so the end result is that of emptying
// it and writing anew, without giving its blocks back first. False when the file cannot be
// opened, is read-only, is no regular file or is locked by another writer; false too when a
// write fails, and then the file holds exactly what was written until then.
bool OverwriteFile(std::string_view utf8_path, std::span<const std::span<const uint8_t>> pieces);

// What the file system says of a file's content: which file it is, its length and the
// times of its last write and last change. Any write, truncation, permission change or
// replacement of the file by anyone gives another stamp, as long as the file system's
// clock tells the change from the one before: Linux from 6.13 on gives a change after a
// stamp was read a later time, however soon it comes; older kernels and other systems may
// leave a same-length change within one clock tick (a few milliseconds) unseen.
struct FileStamp {
  uint64_t device = 0;
  uint64_t file = 0;
  uint64_t size = 0;
  int64_t write_ns = 0;
  int64_t change_ns = 0;
  bool operator==(const FileStamp&) const = default;
};
// The stamp of the file at `utf8_path` now (symbolic links followed); none when there is
// no such file.
std::optional<FileStamp> StampOf(std::string_view utf8_path);

// Told of every OverwriteFile that wrote all its pieces, with the file's stamp taken right
// after the writing, before anyone else could have opened it for writing through our lock.
using OverwriteObserver = void (*)(const FileStamp& stamp,
                                   std::span<const std::span<const uint8_t>> pieces);
// One observer (null for none); set when the imaging layer starts.
void SetOverwriteObserver(OverwriteObserver observer);

// For tests: the nth write to a file from now on (n >= 1) stores only the first half of its
// bytes and then fails for a full disk, as a filling disk does. 0 turns the fault off.
void FailNthWrite(int n);

}  // namespace barvell::platform
