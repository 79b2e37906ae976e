// Overwriting a file in place: the end result is that of emptying it and writing anew.
#include "platform/kernel/file_writes.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/platform/kernel_test_files.h"

namespace barvell::platform {
namespace {

namespace fs = std::filesystem;

class OverwritingFiles : public testing::TestDirectory {
 protected:
  static bool Overwrite(const std::string& path, std::vector<std::string> pieces) {
    std::vector<std::span<const uint8_t>> spans;
    for (const std::string& p : pieces) {
      spans.emplace_back(reinterpret_cast<const uint8_t*>(p.data()), p.size());
    }
    return OverwriteFile(path, spans);
  }
};

TEST_F(OverwritingFiles, PiecesFollowEachOtherAndAShorterWriteLeavesOnlyItself) {
  const std::string file = Path("EN13tem.bmp");
  ASSERT_TRUE(Overwrite(file, {"abc", "defg"}));
  EXPECT_EQ(Bytes(file), "abcdefg");
  ASSERT_TRUE(Overwrite(file, {"xy"}));
  EXPECT_EQ(Bytes(file), "xy");
  ASSERT_TRUE(Overwrite(file, {"", "1", ""}));
  EXPECT_EQ(Bytes(file), "1");
  ASSERT_TRUE(Overwrite(file, {}));
  EXPECT_EQ(Bytes(file), "");
}

TEST_F(OverwritingFiles, AFailedWriteLeavesWhatWasWrittenUntilThen) {
  const std::string file = Path("f");
  Put(file, std::string(100, 'o'));
  FailNthWrite(2);
  EXPECT_FALSE(Overwrite(file, {"first", "second"}));
  FailNthWrite(0);
  EXPECT_EQ(Bytes(file), "firstsec") << "the first piece and half of the second, no old bytes";
}

TEST_F(OverwritingFiles, WhatCannotBeWrittenIsRefusedAndLeftAlone) {
  const std::string locked = Path("locked");
  Put(locked, "keep");
  fs::permissions(locked, fs::perms::owner_read);
  EXPECT_FALSE(Overwrite(locked, {"new"}));
  EXPECT_EQ(Bytes(locked), "keep");

  EXPECT_FALSE(Overwrite(dir_.string(), {"new"}));
  EXPECT_FALSE(Overwrite(Path("missing/f"), {"new"}));
  EXPECT_FALSE(Overwrite("", {"new"}));

  // A FIFO would block an ordinary open until someone reads it.
  ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
  EXPECT_FALSE(Overwrite(Path("fifo"), {"new"}));

  // Another writer holding the file: it is not written under it.
  const std::string busy = Path("busy");
  Put(busy, "theirs");
  int fd = ::open(busy.c_str(), O_RDONLY);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);
  EXPECT_FALSE(Overwrite(busy, {"mine"}));
  ::close(fd);
  EXPECT_EQ(Bytes(busy), "theirs");
  EXPECT_TRUE(Overwrite(busy, {"mine"}));
}

TEST_F(OverwritingFiles, ADirectoryThatMayNotBeWrittenGetsNoNewFile) {
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(Overwrite(Path("new"), {"x"}));
  fs::permissions(dir_, fs::perms::owner_all);
  EXPECT_EQ(Entries(), 0u);
  if (testing::IsRoot()) {
    // As an ordinary user, for whom the system itself says no.
    fs::permissions(dir_, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    EXPECT_EQ(testing::AsNobody([&] { return Overwrite(Path("new"), {"x"}); }), 0);
    EXPECT_EQ(Entries(), 0u);
  }
}

}  // namespace
}  // namespace barvell::platform
