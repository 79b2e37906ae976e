// Reading a picture file whole, and writing one so that a failure never damages the file
// that was there before.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace barvell::imaging {

// Files larger than this are no picture of ours and are not read.
constexpr uint64_t kMaxPictureFileBytes = uint64_t{512} << 20;

enum class ReadStatus { kOk, kNotFound, kUnreadable };

// The bytes of the file at `utf8_path`.
ReadStatus ReadPictureFile(std::string_view utf8_path, std::vector<uint8_t>& bytes);

// Writes `bytes` to a new temporary file beside `utf8_path` and renames it over the
// target, so the target holds either its old content or all of the new one. There is no
// flush to the disk per picture (a batch writes thousands): a power cut may lose the
// latest pictures, never damage one written before. A symbolic link is followed, a
// read-only file or directory (platform/kernel's rule) is left alone, and a replaced file's
// permissions carry over. On failure the temporary file is removed and false returned.
bool WriteFileReplacing(std::string_view utf8_path, std::span<const uint8_t> bytes);

}  // namespace barvell::imaging
