// The user's temporary directory: $TMPDIR, else a private directory of the user's own.
#include "platform/kernel/temporary_directory.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/platform/kernel_test_files.h"

namespace barvell::platform {
namespace {

namespace fs = std::filesystem;

class TemporaryFolder : public testing::TestDirectory {
 protected:
  std::string Own() const { return Path("barvell-" + std::to_string(::geteuid())); }
  std::string Choose(const char* tmpdir = nullptr) const { return TemporaryDirectoryFor(tmpdir, dir_.string()); }
  static bool Private(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & 0777) == 0700 &&
           st.st_uid == ::geteuid();
  }
};

TEST_F(TemporaryFolder, TmpdirWhenADirectoryElseTheUsersOwnPrivateOne) {
  fs::create_directory(Path("mine"));
  EXPECT_EQ(Choose(Path("mine").c_str()), Path("mine") + "/");
  EXPECT_EQ(Choose((Path("mine") + "/").c_str()), Path("mine") + "/");
  EXPECT_EQ(Choose(Path("none").c_str()), Own() + "/");
  Put(Path("file"), "x");
  EXPECT_EQ(Choose(Path("file").c_str()), Own() + "/");
  EXPECT_TRUE(Private(Own()));
  EXPECT_EQ(Choose(), Own() + "/");

  // A $TMPDIR anyone may write in is shared: the private directory goes inside it.
  fs::permissions(Path("mine"), fs::perms::all | fs::perms::sticky_bit);
  const std::string inside = Path("mine") + "/barvell-" + std::to_string(::geteuid());
  EXPECT_EQ(Choose(Path("mine").c_str()), inside + "/");
  EXPECT_TRUE(Private(inside));
}

TEST_F(TemporaryFolder, AnUnsafeDirectoryOfThatNameIsNotUsed) {
  auto expect_fresh = [&](const char* what) {
    std::string chosen = Choose();
    EXPECT_EQ(chosen.rfind(Own() + "-", 0), 0u) << what << ": " << chosen;
    EXPECT_TRUE(Private(chosen.substr(0, chosen.size() - 1))) << what;
    EXPECT_EQ(Choose(), chosen) << what << ": one run keeps one directory";
  };
  fs::create_directory(Own());
  fs::permissions(Own(), fs::perms::all);
  expect_fresh("open to others");
  fs::remove(Own());
  fs::create_directory(Path("target"));
  fs::permissions(Path("target"), fs::perms::owner_all);
  fs::create_directory_symlink(Path("target"), Own());
  expect_fresh("a symbolic link");
  if (testing::IsRoot()) {
    fs::remove(Own());
    fs::create_directory(Own());
    fs::permissions(Own(), fs::perms::owner_all);
    ASSERT_EQ(::chown(Own().c_str(), 65534, 65534), 0);
    expect_fresh("someone else's");
  }
}

}  // namespace
}  // namespace barvell::platform
