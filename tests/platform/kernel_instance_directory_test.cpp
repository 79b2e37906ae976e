// The temporary folder of a second instance running at once, and file names at the file
// system's limit.
#include <fcntl.h>
#include <sys/file.h>

#include "kernel_test_files.h"
#include "platform/kernel/file_writes.h"
#include "platform/kernel/instance_directory.h"

namespace barvell::platform {
namespace {

using barvell::testing::TestDirectory;

class InstanceFolder : public TestDirectory {
 protected:
  std::string Shared(const std::string& name) {
    std::filesystem::create_directories(dir_ / name);
    return (dir_ / name).string() + "/";
  }
  void TearDown() override {
    InstanceDirectory("");  // nothing kept for the next test
    TestDirectory::TearDown();
  }
};

TEST_F(InstanceFolder, TheFirstInstanceUsesTheFolderAndASecondOneGetsItsOwn) {
  const std::string free = Shared("free");
  EXPECT_EQ(InstanceDirectory(free), free);
  EXPECT_EQ(InstanceDirectory(free), free) << "the same choice for the whole run";

  // Another instance holds this one (a lock of another open file counts as another's).
  const std::string taken = Shared("taken");
  int other = ::open(taken.c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
  const std::string own = InstanceDirectory(taken);
  ASSERT_TRUE(own.starts_with(taken + "instance-")) << own;
  EXPECT_EQ(InstanceDirectory(taken), own);
  std::filesystem::path own_path(own);
  EXPECT_EQ(std::filesystem::status(own_path).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_all);
  Put(own + "EN13tem.bmp", "picture");

  // Removed with its files once the process is done with it (here: another folder chosen).
  EXPECT_EQ(InstanceDirectory(free), free);
  EXPECT_FALSE(std::filesystem::exists(own_path));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(taken), {}), 0);
  ::close(other);
}

TEST_F(InstanceFolder, AnOwnFolderRemovedMeanwhileIsMadeAfresh) {
  const std::string taken = Shared("taken");
  int other = ::open(taken.c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
  const std::string first = InstanceDirectory(taken);
  std::filesystem::remove_all(first);
  const std::string second = InstanceDirectory(taken);
  EXPECT_NE(second, first);
  EXPECT_TRUE(std::filesystem::is_directory(second));
  ::close(other);
}

TEST_F(InstanceFolder, AFolderThatCannotBeOpenedIsGivenBackAsItIs) {
  const std::string missing = Path("missing") + "/";
  EXPECT_EQ(InstanceDirectory(missing), missing);
  EXPECT_EQ(InstanceDirectory(""), "");
}

using LongNames = TestDirectory;

TEST_F(LongNames, ANameAtTheLimitIsReplacedWholeAndOneBeyondIsRefused) {
  const std::string longest = Path(std::string(251, 'n') + ".PNG");  // 255 bytes
  const uint8_t bytes[] = {1, 2, 3};
  EXPECT_TRUE(ReplaceFile(longest, bytes)) << "the temporary name beside it stays short";
  EXPECT_TRUE(ReplaceFile(longest, bytes)) << "and so does replacing it";
  EXPECT_EQ(Bytes(longest), std::string("\1\2\3"));
  EXPECT_FALSE(ReplaceFile(Path(std::string(252, 'n') + ".PNG"), bytes));
  EXPECT_EQ(Entries(), 1u) << "no temporary file left behind";
}

}  // namespace
}  // namespace barvell::platform
