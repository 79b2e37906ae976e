#include "platform/kernel/temporary_directory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <vector>

#include "platform/kernel/instance_directory.h"
#include "platform/text/gbk.h"

namespace barvell::platform {

namespace {

// What $TMPDIR names, from one look at it (the batch asks twice per code).
enum class Named { kNoDirectory, kPrivate, kShared };

Named WhatIsNamed(const char* path) {
  struct stat st;
  if (::stat(path, &st) != 0 || !S_ISDIR(st.st_mode)) return Named::kNoDirectory;
  return (st.st_mode & 002) != 0 ? Named::kShared : Named::kPrivate;
}

// A real directory (not a link), ours, and closed to group and others.
bool IsPrivateDirectory(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
         (st.st_mode & 077) == 0;
}

// The program's form of a directory: GBK, ending in "/". Empty when the name has characters
// GBK cannot hold, since the program's names for files in it would miss it.
std::string ProgramForm(const std::string& native) {
  std::string gbk = Utf8ToGbk(native);
  if (GbkToUtf8(gbk) != native) return {};
  if (gbk.empty() || gbk.back() != '/') gbk += '/';
  return gbk;
}

// Directories made by mkdtemp because the per-user one could not be used, by base; kept so
// that one run uses one directory.
std::map<std::string, std::string, std::less<>>& FreshDirectories() {
  static std::map<std::string, std::string, std::less<>> fresh;
  return fresh;
}

}  // namespace

std::string TemporaryDirectoryFor(const char* tmpdir, std::string_view base) {
  std::string shared(base);
  const Named named = tmpdir != nullptr && *tmpdir != '\0' ? WhatIsNamed(tmpdir) : Named::kNoDirectory;
  if (named != Named::kNoDirectory) {
    std::string form = ProgramForm(tmpdir);
    // A $TMPDIR that others may write in (TMPDIR=/tmp) is shared like /tmp itself.
    if (!form.empty() && named == Named::kPrivate) return form;
    if (!form.empty()) {
      shared = tmpdir;
      while (!shared.empty() && shared.back() == '/') shared.pop_back();
    }
  }

  std::string own = shared + "/barvell-" + std::to_string(::geteuid());
  if (IsPrivateDirectory(own) || (::mkdir(own.c_str(), 0700) == 0 && IsPrivateDirectory(own))) {
    return ProgramForm(own);
  }
  std::string& fresh = FreshDirectories()[shared];
  if (fresh.empty() || !IsPrivateDirectory(fresh)) {
    std::string pattern = own + "-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    fresh = ::mkdtemp(name.data()) != nullptr ? std::string(name.data()) : std::string();
  }
  return fresh.empty() ? std::string() : ProgramForm(fresh);
}

std::string TemporaryDirectory() {
  return InstanceDirectory(TemporaryDirectoryFor(std::getenv("TMPDIR"), "/tmp"));
}

}  // namespace barvell::platform
