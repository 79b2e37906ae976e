// Writing picture files: the user's file is replaced whole or not at all.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/imaging/picture_file.h"

namespace barvell::imaging {
namespace {

namespace fs = std::filesystem;

class ImagingPictureFile : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("barvell_picture_file_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  static std::string Text(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static bool Write(const fs::path& p, std::string_view text) {
    return WriteFileReplacing(p.string(), std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
  }
  size_t Entries() { return size_t(std::distance(fs::directory_iterator(dir_), {})); }

  fs::path dir_;
};

TEST_F(ImagingPictureFile, ReplacesTheFileAndKeepsItsPermissions) {
  fs::path p = dir_ / "a.png";
  ASSERT_TRUE(Write(p, "first"));
  fs::permissions(p, fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_TRUE(Write(p, "second, longer"));
  EXPECT_EQ(Text(p), "second, longer");
  EXPECT_EQ(fs::status(p).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(Entries(), 1u);
}

TEST_F(ImagingPictureFile, ReadOnlyFilesDirectoriesAndMissingFoldersAreLeftAlone) {
  fs::path locked = dir_ / "locked.png";
  ASSERT_TRUE(Write(locked, "keep me"));
  fs::permissions(locked, fs::perms::owner_read);
  EXPECT_FALSE(Write(locked, "new"));
  EXPECT_EQ(Text(locked), "keep me");

  fs::create_directory(dir_ / "sub");
  EXPECT_FALSE(Write(dir_ / "sub", "new"));
  EXPECT_FALSE(Write(dir_ / "missing" / "x.png", "new"));
  EXPECT_FALSE(Write(dir_ / "", "new"));
  EXPECT_EQ(Entries(), 2u) << "no temporary file left";
}

TEST_F(ImagingPictureFile, ThroughALinkTheLinkedFileIsReplaced) {
  fs::create_directory(dir_ / "real");
  fs::path real = dir_ / "real" / "pic.png";
  ASSERT_TRUE(Write(real, "old"));
  fs::create_symlink(fs::path("real") / "pic.png", dir_ / "link.png");
  ASSERT_TRUE(Write(dir_ / "link.png", "new"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.png"));
  EXPECT_EQ(Text(real), "new");
}

TEST_F(ImagingPictureFile, ReadingTellsMissingFromUnreadable) {
  std::vector<uint8_t> bytes;
  EXPECT_EQ(ReadPictureFile((dir_ / "none").string(), bytes), ReadStatus::kNotFound);
  EXPECT_EQ(ReadPictureFile(dir_.string(), bytes), ReadStatus::kUnreadable);
  ASSERT_TRUE(Write(dir_ / "f", "abc"));
  ASSERT_EQ(ReadPictureFile((dir_ / "f").string(), bytes), ReadStatus::kOk);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "abc");
}

}  // namespace
}  // namespace barvell::imaging
