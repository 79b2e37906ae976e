#include "platform/kernel/instance_directory.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/text/gbk.h"

namespace barvell::platform {

namespace {

// The choice made for one shared directory, kept for the life of the process.
struct Instance {
  std::string shared;          // GBK, as given
  std::string chosen;          // GBK, ending in "/"
  std::string private_native;  // the directory of our own, when one was made
  int lock_fd = -1;

  void Release() {
    if (!private_native.empty()) RemovePrivate();
    if (lock_fd >= 0) ::close(lock_fd);  // closing the descriptor drops the lock
    lock_fd = -1;
    private_native.clear();
    chosen.clear();
  }
  // Only the files directly in it: nothing else is ever written there.
  void RemovePrivate() {
    if (DIR* d = ::opendir(private_native.c_str())) {
      std::vector<std::string> names;
      while (dirent* e = ::readdir(d)) {
        std::string name = e->d_name;
        if (name != "." && name != "..") names.push_back(name);
      }
      ::closedir(d);
      for (const std::string& name : names) ::unlink((private_native + "/" + name).c_str());
    }
    ::rmdir(private_native.c_str());
  }
  ~Instance() { Release(); }
};

Instance& Current() {
  static Instance instance;
  return instance;
}

bool StillPrivate(const std::string& native) {
  struct stat st;
  return ::lstat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
         (st.st_mode & 077) == 0;
}

}  // namespace

std::string InstanceDirectory(const std::string& shared) {
  Instance& in = Current();
  if (in.shared != shared) {
    in.Release();
    in.shared = shared;
  }
  if (shared.empty()) return shared;
  if (!in.chosen.empty() && (in.private_native.empty() || StillPrivate(in.private_native))) {
    return in.chosen;
  }

  const std::string native = GbkToUtf8(shared);
  if (in.lock_fd < 0 && in.private_native.empty()) {
    int fd = ::open(native.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return shared;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      in.lock_fd = fd;
      in.chosen = shared;
      return in.chosen;
    }
    int error = errno;
    ::close(fd);
    if (error != EWOULDBLOCK) return shared;  // no locks here: as before, shared
  }

  // Another instance holds the shared directory (or our own vanished): a fresh one.
  std::string pattern = native + "instance-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (::mkdtemp(name.data()) == nullptr) return shared;
  in.private_native = name.data();
  // The added part is ASCII, the same in GBK and in UTF-8.
  in.chosen = shared + in.private_native.substr(native.size()) + "/";
  return in.chosen;
}

}  // namespace barvell::platform
