#include "platform/imaging/picture_file.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/kernel/file_writes.h"

namespace barvell::imaging {

namespace fs = std::filesystem;

namespace {

fs::path PathOf(std::string_view utf8) {
  return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

}  // namespace

ReadStatus ReadPictureFile(std::string_view utf8_path, std::vector<uint8_t>& bytes) {
  fs::path path = PathOf(utf8_path);
  std::error_code ec;
  fs::file_status status = fs::status(path, ec);
  if (ec || !fs::exists(status)) return ReadStatus::kNotFound;
  if (!fs::is_regular_file(status)) return ReadStatus::kUnreadable;
  uint64_t size = fs::file_size(path, ec);
  if (ec || size > kMaxPictureFileBytes) return ReadStatus::kUnreadable;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return ReadStatus::kUnreadable;
  bytes.resize(size);
  size_t got = size == 0 ? 0 : std::fread(bytes.data(), 1, size, f);
  std::fclose(f);
  if (got != size) return ReadStatus::kUnreadable;
  return ReadStatus::kOk;
}

// The kernel's replacement is shared with the settings file.
bool WriteFileReplacing(std::string_view utf8_path, std::span<const uint8_t> bytes) {
  return platform::ReplaceFile(utf8_path, bytes, platform::Durability::kUnsynced);
}

}  // namespace barvell::imaging
