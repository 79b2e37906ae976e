// Overwriting a file in place and replacing one whole: what a failure leaves, and what is
// not written at all.
#include "platform/kernel/file_writes.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <optional>

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

TEST_F(OverwritingFiles, ALongerFileIsCutAndAnEqualOneRewrittenWithAFreshStamp) {
  const std::string file = Path("f");
  ASSERT_TRUE(Overwrite(file, {"abc", "defg"}));
  ASSERT_TRUE(Overwrite(file, {"xy"}));
  EXPECT_EQ(Bytes(file), "xy");

  // The same length again, as a batch writes its temporary picture: the observer hears
  // of the new content with the stamp the file has afterwards.
  static std::optional<FileStamp> heard;
  SetOverwriteObserver([](const FileStamp& stamp, std::span<const std::span<const uint8_t>>) { heard = stamp; });
  const std::optional<FileStamp> before = StampOf(file);
  ASSERT_TRUE(Overwrite(file, {"zw"}));
  SetOverwriteObserver(nullptr);
  EXPECT_EQ(Bytes(file), "zw");
  ASSERT_TRUE(heard.has_value());
  EXPECT_EQ(heard, StampOf(file));
  EXPECT_EQ(heard->size, 2u);
  EXPECT_EQ(heard->file, before->file) << "overwritten in place, not replaced";
}

class ReplacingFiles : public testing::TestDirectory {
 protected:
  static bool Replace(const std::string& path, std::string_view text) {
    return ReplaceFile(path, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()),
                       Durability::kUnsynced);
  }
};

TEST_F(ReplacingFiles, ANewFileGetsTheUsualModeAndAReplacedOneKeepsItsOwn) {
  const mode_t mask = ::umask(022);
  ASSERT_TRUE(Replace(Path("new"), "one"));
  EXPECT_EQ(fs::status(Path("new")).permissions() & fs::perms::all, fs::perms(0644));
  fs::permissions(Path("new"), fs::perms(0604));
  ASSERT_TRUE(Replace(Path("new"), "two"));
  ::umask(mask);
  EXPECT_EQ(Bytes(Path("new")), "two");
  EXPECT_EQ(fs::status(Path("new")).permissions() & fs::perms::all, fs::perms(0604));
  EXPECT_EQ(Entries(), 1u);
}

TEST_F(ReplacingFiles, AFailedWriteLeavesNoNewFileAndTheOldOneWhole) {
  FailNthWrite(1);
  EXPECT_FALSE(Replace(Path("new"), "abcd"));
  EXPECT_FALSE(fs::exists(Path("new"))) << "not even the half that was written";
  Put(Path("old"), "keep");
  FailNthWrite(1);
  EXPECT_FALSE(Replace(Path("old"), "abcd"));
  FailNthWrite(0);
  EXPECT_EQ(Bytes(Path("old")), "keep");
  EXPECT_EQ(Entries(), 1u);
  ASSERT_TRUE(Replace(Path("new"), "abcd"));
  EXPECT_EQ(Bytes(Path("new")), "abcd");
}

// A new file is linked in under its name without the name being looked up first, so every
// kind of thing that can already hold the name must still be met as the full look meets it.
TEST_F(ReplacingFiles, ANameAlreadyTakenIsMetAsItIs) {
  Put(Path("old"), "old");
  ASSERT_TRUE(Replace(Path("old"), "new"));
  EXPECT_EQ(Bytes(Path("old")), "new");

  // A dangling link: the file is made where it points, and the link stays a link.
  fs::create_directory(Path("elsewhere"));
  fs::create_symlink(Path("elsewhere/made"), Path("link"));
  ASSERT_TRUE(Replace(Path("link"), "through"));
  EXPECT_TRUE(fs::is_symlink(Path("link")));
  EXPECT_EQ(Bytes(Path("elsewhere/made")), "through");
  // Links that only lead to each other: refused.
  fs::create_symlink(Path("loop2"), Path("loop1"));
  fs::create_symlink(Path("loop1"), Path("loop2"));
  EXPECT_FALSE(Replace(Path("loop1"), "x"));

  fs::create_directory(Path("dir"));
  EXPECT_FALSE(Replace(Path("dir"), "x"));
  EXPECT_TRUE(fs::is_directory(Path("dir")));
  Put(Path("dir/kept"), "kept");
  fs::permissions(Path("dir/kept"), fs::perms::owner_read);
  EXPECT_FALSE(Replace(Path("dir/kept"), "x"));
  EXPECT_EQ(Bytes(Path("dir/kept")), "kept");
  EXPECT_FALSE(Replace(Path("missing/new"), "x"));
  EXPECT_FALSE(Replace(Path("old") + "/new", "x")) << "a file is no directory";
  EXPECT_FALSE(Replace(Path("new") + "/", "x"));

  EXPECT_EQ(Entries(), 6u) << "old, elsewhere, link, loop1, loop2, dir: no unnamed or temporary file named";
  EXPECT_EQ(size_t(std::distance(fs::directory_iterator(Path("dir")), {})), 1u);
}

TEST_F(ReplacingFiles, ADirectoryWeMayNotWriteInGetsNothing) {
  fs::create_directory(Path("out"));
  Put(Path("out/old"), "keep");
  // No write bit: refused for every user, the super-user too.
  fs::permissions(Path("out"), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(FileReplaceable(Path("out/new")));
  EXPECT_FALSE(Replace(Path("out/new"), "x"));
  EXPECT_FALSE(Replace(Path("out/old"), "x"));
  if (testing::IsRoot()) {
    // Write bits for its owner only: an ordinary user is refused by the system itself.
    fs::permissions(Path("out"), fs::perms(0755));
    fs::permissions(dir_, fs::perms(0755));
    EXPECT_EQ(testing::AsNobody([&] { return FileReplaceable(Path("out/new")); }), 0);
    EXPECT_EQ(testing::AsNobody([&] { return Replace(Path("out/new"), "x"); }), 0);
    EXPECT_EQ(testing::AsNobody([&] { return Replace(Path("out/old"), "x"); }), 0);
    // Its own directory without write bits: an ordinary user does not read the bits
    // itself, and the system refuses in its place.
    fs::create_directory(Path("theirs"));
    ASSERT_EQ(::chown(Path("theirs").c_str(), 65534, 65534), 0);
    fs::permissions(Path("theirs"), fs::perms(0555));
    EXPECT_EQ(testing::AsNobody([&] { return Replace(Path("theirs/new"), "x"); }), 0);
    EXPECT_TRUE(fs::is_empty(Path("theirs")));
    fs::permissions(Path("theirs"), fs::perms(0755));
    EXPECT_EQ(testing::AsNobody([&] { return Replace(Path("theirs/new"), "x"); }), 1);
  }
  EXPECT_EQ(Bytes(Path("out/old")), "keep");
  EXPECT_EQ(size_t(std::distance(fs::directory_iterator(Path("out")), {})), 1u) << "no temporary file left";
}

}  // namespace
}  // namespace barvell::platform
