// Profile (INI) files: "[section]" lines, each followed by its "key=value" lines. Texts are
// GBK bytes. Section and key names compare without regard to ASCII case; blanks around
// names and values, and one pair of quotes around a value, are not part of them. Lines
// starting with ";" are comments. The first section of a name, and in it the first key of
// a name, is the one read and written.
//
// A write changes only the lines of its key or section: every other line (comments, blank
// lines, other sections and keys, their order, bytes and line ends) stays as it was. New
// lines end in CR LF; LF alone is read as a line end too.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace barvell::platform {

// Longest value a read gives; longer values are cut (never inside a double-byte character).
constexpr size_t kMaxProfileValueBytes = 10239;

// The value of `key` in `section` of an INI text, cut to kMaxProfileValueBytes; nullopt
// when the section or the key is not there.
std::optional<std::string> FindProfileValue(std::string_view ini, std::string_view section,
                                            std::string_view key);

// The INI text after a write: key set to value; no value: the key removed; no key: the
// section removed with all its lines. A value that would not read back as itself (blanks
// at its ends, or quotes around it) is written inside quotes. Nullopt when the names or the
// value cannot be written: an empty name, a line break anywhere, "]" in the section name or
// half a double-byte character at its end, "=" in the key or a key that would read as a
// section or a comment.
std::optional<std::string> EditProfile(std::string_view ini, std::string_view section,
                                       std::optional<std::string_view> key,
                                       std::optional<std::string_view> value);

// Over a file, by its GBK name ("\" or "/" between directories). A missing or unreadable
// file, section or key gives `default_value` (its trailing blanks removed, cut as a value).
std::string ReadProfileString(std::string_view gbk_file, std::string_view section,
                              std::string_view key, std::string_view default_value);

// Writes one item (see EditProfile) and replaces the file whole, so that a failure leaves
// the previous file intact. The first write creates the file; a write that changes nothing
// leaves it untouched. False when the file or its directory is read-only, the file is no
// regular file or cannot be read, the item cannot be written, or the write fails.
bool WriteProfileString(std::string_view gbk_file, std::string_view section,
                        std::optional<std::string_view> key,
                        std::optional<std::string_view> value);

}  // namespace barvell::platform
