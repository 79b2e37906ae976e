#include "platform/imaging/picture_file.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace barvell::imaging {

namespace fs = std::filesystem;

namespace {

fs::path PathOf(std::string_view utf8) {
  return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

// A name beside the target that no other save of this or another process uses at once.
fs::path TemporaryBeside(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
#if defined(_WIN32)
  unsigned long pid = 0;
#else
  unsigned long pid = static_cast<unsigned long>(getpid());
#endif
  fs::path name = target.filename();
  name += "." + std::to_string(pid) + "." + std::to_string(counter++) + ".tmp";
  return target.parent_path() / name;
}

bool WriteAndSync(std::FILE* f, std::span<const uint8_t> bytes) {
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) return false;
  if (std::fflush(f) != 0) return false;
#if !defined(_WIN32)
  // The rename must not reach the disk before the content does.
  if (fsync(fileno(f)) != 0) return false;
#endif
  return true;
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

bool WriteFileReplacing(std::string_view utf8_path, std::span<const uint8_t> bytes) {
  fs::path target = PathOf(utf8_path);
  std::error_code ec;
  if (target.filename().empty() || fs::is_directory(target, ec)) return false;
  // Through a symbolic link the file it names is replaced, not the link.
  if (fs::is_symlink(fs::symlink_status(target, ec))) {
    target = fs::weakly_canonical(target, ec);
    if (ec) return false;
  }
  // A file its owner made read-only is not replaced; otherwise the new file keeps the old
  // one's permissions.
  fs::file_status old = fs::status(target, ec);
  bool replacing = !ec && fs::exists(old);
  if (replacing && (old.permissions() & fs::perms::owner_write) == fs::perms::none) return false;

  fs::path temporary = TemporaryBeside(target);
  // "x": never open a file that already exists under the temporary name.
  std::FILE* f = std::fopen(temporary.c_str(), "wbx");
  if (f == nullptr) return false;
  bool written = WriteAndSync(f, bytes);
  written = std::fclose(f) == 0 && written;
  if (written && replacing) {
    fs::permissions(temporary, old.permissions(), ec);
    written = !ec;
  }
  if (written) {
    fs::rename(temporary, target, ec);
    if (!ec) return true;
  }
  fs::remove(temporary, ec);
  return false;
}

}  // namespace barvell::imaging
