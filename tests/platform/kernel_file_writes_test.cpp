// Overwriting a file in place: what a failure leaves, and what is not written at all.
#include "platform/kernel/file_writes.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include "tests/platform/kernel_test_files.h"

namespace barvell::platform {
namespace {

namespace fs = std::filesystem;

bool Overwrite(const std::string& path, std::vector<std::string_view> pieces) {
  std::vector<std::span<const uint8_t>> spans;
  for (std::string_view p : pieces) spans.emplace_back(reinterpret_cast<const uint8_t*>(p.data()), p.size());
  return OverwriteFile(path, spans);
}

class OverwritingFiles : public testing::TestDirectory {};

TEST_F(OverwritingFiles, AFailedWriteLeavesWhatWasWrittenUntilThen) {
  const std::string file = Path("f");
  Put(file, std::string(100, 'o'));
  FailNthWrite(2);
  EXPECT_FALSE(Overwrite(file, {"first", "second"}));
  FailNthWrite(0);
  EXPECT_EQ(Bytes(file), "firstsec") << "the first piece and half of the second, no old bytes";
}

TEST_F(OverwritingFiles, WhatCannotBeWrittenIsRefusedAndLeftAlone) {
  Put(Path("locked"), "keep");
  fs::permissions(Path("locked"), fs::perms::owner_read);
  EXPECT_FALSE(Overwrite(Path("locked"), {"new"}));
  EXPECT_EQ(Bytes(Path("locked")), "keep");
  EXPECT_FALSE(Overwrite(dir_.string(), {"new"}));
  // A FIFO would block an ordinary open until someone reads it.
  ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
  EXPECT_FALSE(Overwrite(Path("fifo"), {"new"}));

  // Another writer holds the file.
  Put(Path("busy"), "theirs");
  int fd = ::open(Path("busy").c_str(), O_RDONLY);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);
  EXPECT_FALSE(Overwrite(Path("busy"), {"mine"}));
  ::close(fd);
  EXPECT_EQ(Bytes(Path("busy")), "theirs");

  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(Overwrite(Path("new"), {"x"}));
  if (testing::IsRoot()) {
    // As an ordinary user, for whom the system itself says no.
    fs::permissions(dir_, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    EXPECT_EQ(testing::AsNobody([&] { return Overwrite(Path("new"), {"x"}); }), 0);
  }
  EXPECT_FALSE(fs::exists(Path("new")));
}

}  // namespace
}  // namespace barvell::platform
