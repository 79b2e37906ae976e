// File search by a path pattern with the wildcards "*" and "?" in its last element, as the
// runtime's find-file service needs it. Names and patterns are GBK texts; names match
// ignoring ASCII case. "\" and "/" both separate path elements. "." and ".." are never
// reported.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace barvell::platform {

// File attribute bits of a found entry.
constexpr uint32_t kFileAttributeReadOnly = 0x01;
constexpr uint32_t kFileAttributeHidden = 0x02;
constexpr uint32_t kFileAttributeDirectory = 0x10;
constexpr uint32_t kFileAttributeArchive = 0x20;

struct FoundFile {
  std::string name;  // the last path element only
  uint32_t attributes;
};

struct FileSearch;

// Starts a search; null when nothing matches (or the directory cannot be read). The
// first match is stored in *first.
FileSearch* FindFirstFile(std::string_view pattern, FoundFile* first);
// The next match, or nullopt when the search is exhausted.
std::optional<FoundFile> FindNextFile(FileSearch* search);
void FindClose(FileSearch* search);  // null is ignored

// Whether the first search of a pattern finds an entry: an existing file or directory, any
// match of the wildcards; a pattern ending in a separator finds nothing.
bool FileExists(std::string_view pattern);

// Whether a GBK file name matches a pattern of "*" and "?" (one character, a double-byte
// character counting as one), ignoring ASCII case.
bool WildcardMatch(std::string_view pattern, std::string_view name);

}  // namespace barvell::platform
