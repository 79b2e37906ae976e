#include "platform/kernel/file_writes.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

namespace barvell::platform {

namespace {

int g_fault_countdown = 0;
OverwriteObserver g_overwrite_observer = nullptr;

int64_t Nanoseconds(const struct timespec& t) { return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec; }

FileStamp StampFrom(const struct stat& st) {
  return {uint64_t(st.st_dev), uint64_t(st.st_ino), uint64_t(st.st_size), Nanoseconds(st.st_mtim),
          Nanoseconds(st.st_ctim)};
}

// Writes all bytes, going on after short writes; `written` counts what reached the file.
bool WriteAll(int fd, std::span<const uint8_t> bytes, size_t& written) {
  size_t done = 0;
  bool waiting = false;
  while (done < bytes.size()) {
    size_t want = bytes.size() - done;
    if (g_fault_countdown > 0 && --g_fault_countdown == 0) {
      ssize_t n = want / 2 == 0 ? 0 : ::write(fd, bytes.data() + done, want / 2);
      written += n > 0 ? size_t(n) : 0;
      errno = ENOSPC;
      return false;
    }
    ssize_t n = ::write(fd, bytes.data() + done, want);
    if (n < 0 && errno == EINTR) continue;
    // A file opened without blocking (OverwriteFile) that a file system will not write at
    // once after all: from here on the write waits for the disk instead of failing. Of the
    // status flags such a file is opened with only O_NONBLOCK is one.
    if (n < 0 && errno == EAGAIN && !waiting) {
      waiting = true;
      if (::fcntl(fd, F_SETFL, 0) == 0) continue;
    }
    if (n <= 0) return false;
    done += size_t(n);
    written += size_t(n);
  }
  return true;
}

bool ReadOnly(const std::string& path, const struct stat& st, int access_mode) {
  // The effective user decides, as it does for the write itself.
  return (st.st_mode & 0222) == 0 || ::faccessat(AT_FDCWD, path.c_str(), access_mode, AT_EACCESS) != 0;
}

std::string DirectoryOf(const std::string& path) {
  size_t cut = path.rfind('/');
  if (cut == std::string::npos) return ".";
  return cut == 0 ? "/" : path.substr(0, cut);
}

// How far the directory of `path` is asked whether we may write in it. kWriteBits alone
// serves when a create in it follows at once: the system's own answer to the create is the
// one faccessat would give, and a refused create leaves nothing behind.
enum class Asking { kWriteBits, kWriteBitsAndSystem };

bool DirectoryWritable(const std::string& path, Asking asking = Asking::kWriteBitsAndSystem) {
  std::string directory = DirectoryOf(path);
  struct stat st;
  if (::stat(directory.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  return asking == Asking::kWriteBits ? (st.st_mode & 0222) != 0 : !ReadOnly(directory, st, W_OK | X_OK);
}

// The file a chain of symbolic links ends at (the path itself when it is no link); empty
// for a loop or an unreadable link. `st` is that file's status when `error` is 0, and
// `error` otherwise the errno of looking it up (ENOENT: no such file yet).
std::string FollowLinks(std::string path, struct stat& st, int& error) {
  constexpr int kMaxLinks = 40;
  for (int hop = 0; hop < kMaxLinks; ++hop) {
    error = ::lstat(path.c_str(), &st) == 0 ? 0 : errno;
    if (error != 0 || !S_ISLNK(st.st_mode)) return path;
    std::string target(size_t(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
    ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n <= 0 || size_t(n) >= target.size()) return {};
    target.resize(size_t(n));
    path = target[0] == '/' ? target : DirectoryOf(path) + "/" + target;
  }
  return {};
}

// A name beside the target that no other write of this or another process uses at once.
// It does not grow with the target's name, so a name near the file system's limit fits.
std::string TemporaryBeside(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  return DirectoryOf(target) + "/.barvell-" + std::to_string(::getpid()) + "-" +
         std::to_string(counter++) + ".tmp";
}

void SyncDirectory(const std::string& path) {
  int fd = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  (void)::fsync(fd);  // the rename's durability only; the content is already safe
  ::close(fd);
}

// How a new file written without a name came out.
enum class Unnamed { kCreated, kFailed, kNotHere };

// Gives the unnamed file open as `fd` the name `target`, which must not exist; an errno.
int LinkIn(int fd, const std::string& target) {
  // Linking by the descriptor itself needs Linux 6.10 or a privilege; else /proc names it.
  static bool by_descriptor_refused = false;
  if (!by_descriptor_refused) {
    if (::linkat(fd, "", AT_FDCWD, target.c_str(), AT_EMPTY_PATH) == 0) return 0;
    if (errno != ENOENT && errno != EPERM) return errno;
  }
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) != 0) return errno;
  by_descriptor_refused = true;
  return 0;
}

// A file that does not exist yet is written unnamed in its directory and linked in under
// its name once whole: one directory entry made, where a temporary beside it is made,
// renamed and dropped again (on ext4 a third less work for a small file). kNotHere:
// this system or file system has no unnamed files, or the name was taken meanwhile, and
// the file is to be written the other way.
Unnamed CreateUnnamed(const std::string& target, std::span<const uint8_t> bytes, bool synced) {
#ifdef O_TMPFILE
  // Mode 0666 less the umask, as a file created by name.
  int fd = ::open(DirectoryOf(target).c_str(), O_WRONLY | O_TMPFILE | O_CLOEXEC, 0666);
  if (fd < 0) return Unnamed::kNotHere;
  size_t written = 0;
  // The name must not reach the disk before the content does.
  if (!WriteAll(fd, bytes, written) || (synced && ::fsync(fd) != 0)) {
    ::close(fd);  // the file goes with its only descriptor
    return Unnamed::kFailed;
  }
  const int link_error = LinkIn(fd, target);
  const bool closed = ::close(fd) == 0;
  if (link_error != 0) return Unnamed::kNotHere;
  if (!closed) {
    ::unlink(target.c_str());
    return Unnamed::kFailed;
  }
  if (synced) SyncDirectory(target);
  return Unnamed::kCreated;
#else
  (void)target, (void)bytes, (void)synced;
  return Unnamed::kNotHere;
#endif
}

// The file a replacement writes (links followed), whether one is there and its status;
// false when the file may not be replaced.
bool ReplacementTarget(std::string_view utf8_path, Asking asking, std::string& target,
                       bool& replacing, struct stat& old) {
  if (utf8_path.empty() || utf8_path.back() == '/') return false;
  int error = 0;
  target = FollowLinks(std::string(utf8_path), old, error);
  if (target.empty()) return false;
  replacing = error == 0;
  if (!replacing && error != ENOENT) return false;
  if (replacing && (!S_ISREG(old.st_mode) || ReadOnly(target, old, W_OK))) return false;
  return DirectoryWritable(target, asking);
}

}  // namespace

void FailNthWrite(int n) { g_fault_countdown = n > 0 ? n : 0; }

std::optional<FileStamp> StampOf(std::string_view utf8_path) {
  struct stat st;
  if (::stat(std::string(utf8_path).c_str(), &st) != 0) return std::nullopt;
  return StampFrom(st);
}

void SetOverwriteObserver(OverwriteObserver observer) { g_overwrite_observer = observer; }

bool FileReplaceable(std::string_view utf8_path) {
  std::string target;
  bool replacing;
  struct stat old;
  return ReplacementTarget(utf8_path, Asking::kWriteBitsAndSystem, target, replacing, old);
}

bool ReplaceFile(std::string_view utf8_path, std::span<const uint8_t> bytes, Durability durability) {
  const bool synced = durability == Durability::kSynced;
  std::string target;
  bool replacing = false;
  struct stat old;
  // The new file is created in the directory at once, so the system answers for it.
  if (!ReplacementTarget(utf8_path, Asking::kWriteBits, target, replacing, old)) return false;
  if (!replacing) {
    Unnamed unnamed = CreateUnnamed(target, bytes, synced);
    if (unnamed != Unnamed::kNotHere) return unnamed == Unnamed::kCreated;
  }

  std::string temporary = TemporaryBeside(target);
  // O_EXCL: never write into a file that already exists under the temporary name.
  int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = true;
  if (replacing) {
    ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    // Only the super-user may give the file away; for others it is already theirs.
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
      (void)!::fchown(fd, old.st_uid, old.st_gid);
    }
  }
  size_t written = 0;
  ok = ok && WriteAll(fd, bytes, written);
  // The rename must not reach the disk before the content does.
  ok = ok && (!synced || ::fsync(fd) == 0);
  ok = ::close(fd) == 0 && ok;
  if (ok && ::rename(temporary.c_str(), target.c_str()) == 0) {
    if (synced) SyncDirectory(target);
    return true;
  }
  ::unlink(temporary.c_str());
  return false;
}

bool OverwriteFile(std::string_view utf8_path, std::span<const std::span<const uint8_t>> pieces) {
  std::string path(utf8_path);
  if (path.empty()) return false;
  // O_NONBLOCK: opening a FIFO must not wait for a reader; such a file is refused below.
  constexpr int kFlags = O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  int fd = ::open(path.c_str(), kFlags);
  bool created = false;
  if (fd < 0 && errno == ENOENT) {
    struct stat st;
    int error;
    if (!DirectoryWritable(FollowLinks(path, st, error))) return false;
    fd = ::open(path.c_str(), kFlags | O_CREAT | O_EXCL, 0666);
    created = fd >= 0;
    if (fd < 0 && errno == EEXIST) fd = ::open(path.c_str(), kFlags);
  }
  if (fd < 0) return false;

  // Locked before its status is read, so the length seen is the one our writing meets.
  // O_NONBLOCK stays: local file systems write a regular file the same either way, and one
  // that answers "not now" is waited for by WriteAll.
  struct stat st;
  bool ok = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &st) == 0 &&
            S_ISREG(st.st_mode) && (created || (st.st_mode & 0222) != 0);
  if (!ok) {
    ::close(fd);
    return false;
  }
  const uint64_t old_size = uint64_t(st.st_size);
  size_t written = 0;
  for (std::span<const uint8_t> piece : pieces) {
    if (!WriteAll(fd, piece, written)) {
      ok = false;
      break;
    }
  }
  // Whatever happened, the file ends where the writing ended; a file no longer than what
  // was written already does (the same picture again and again, in a batch).
  if (old_size > written) ok = ::ftruncate(fd, off_t(written)) == 0 && ok;
  // Taken while the lock still keeps other writers of ours out; any later change shows
  // in the stamp. The observer hears of the file only once it is closed without an error.
  bool stamped = ok && g_overwrite_observer != nullptr && ::fstat(fd, &st) == 0;
  ok = ::close(fd) == 0 && ok;
  if (ok && stamped) g_overwrite_observer(StampFrom(st), pieces);
  return ok;
}

}  // namespace barvell::platform
