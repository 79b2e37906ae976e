// The INI engine: what it reads, what a write changes and, above all, what it leaves alone.
#include "platform/kernel/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/kernel/file_writes.h"
#include "platform/text/gbk.h"
#include "tests/platform/kernel_test_files.h"

namespace barvell::platform {
namespace {

namespace fs = std::filesystem;
using std::nullopt;

std::string G(std::string_view utf8) { return Utf8ToGbk(utf8); }

class IniFile : public testing::TestDirectory {
 protected:
  void SetUp() override {
    TestDirectory::SetUp();
    ini_ = Path("boot.ini");
  }
  bool Write(std::string_view section, std::optional<std::string_view> key,
             std::optional<std::string_view> value) {
    return WriteProfileString(ini_, section, key, value);
  }
  std::string Read(std::string_view section, std::string_view key, std::string_view fallback = "<none>") {
    return ReadProfileString(ini_, section, key, fallback);
  }
  std::string ini_;
};

TEST_F(IniFile, WhatIsWrittenReadsBackAsItWasWritten) {
  const std::string section = G("条码生成");
  const std::vector<std::pair<std::string, std::string>> items = {
      {G("输出宽度"), "35"}, {G("字体"), G("宋体")},  {"empty", ""},      {"padded", "  two  "},
      {"quoted", "\"q\""},   {"single", "'"},         {"equals", "a=b=c"}, {"semicolon", ";x"}};
  // Backslashes in the name reach the same file as slashes.
  const std::string name = dir_.string() + "\\boot.ini";
  for (const auto& [key, value] : items) ASSERT_TRUE(WriteProfileString(name, section, key, value));
  for (const auto& [key, value] : items) EXPECT_EQ(Read(section, key), value) << key;
  EXPECT_EQ(Bytes(ini_).rfind("[" + section + "]\r\n" + G("输出宽度") + "=35\r\n", 0), 0u);

  // Writing the same values again does not even replace the file.
  struct stat before, after;
  ASSERT_EQ(::stat(ini_.c_str(), &before), 0);
  for (const auto& [key, value] : items) ASSERT_TRUE(Write(section, key, value));
  ASSERT_EQ(::stat(ini_.c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST_F(IniFile, WritesKeepEveryOtherLineByteForByte) {
  const std::string section = G("条码生成");
  const std::string head = "; settings\r\norphan=before any section\n\r\n[Other]\r\n  Alpha = 1  \r\n; c\n";
  Put(ini_, head + "[" + section + "]\r\n" + G("输出宽度") + " = 40\r\nold=gone\r\n\r\n[Tail]\nz=9");
  ASSERT_TRUE(Write(section, G("输出宽度"), "35"));  // replaced in its line
  ASSERT_TRUE(Write(section, "OLD", nullopt));       // deleted
  ASSERT_TRUE(Write(section, G("新键"), "x"));       // after the section's last filled line
  ASSERT_TRUE(Write("tail", "y", "8"));              // after a last line without its end
  ASSERT_TRUE(Write("New", "k", "v"));               // a new section at the end
  EXPECT_EQ(Bytes(ini_), head + "[" + section + "]\r\n" + G("输出宽度") + "=35\r\n" + G("新键") +
                             "=x\r\n\r\n[Tail]\nz=9\r\ny=8\r\n[New]\r\nk=v\r\n");
  EXPECT_EQ(Read("other", "alpha"), "1");
  EXPECT_EQ(Read("Other", "orphan"), "<none>");
}

TEST_F(IniFile, HowNamesAndValuesAreRead) {
  // Names match without ASCII case; 0x81 0x41 and 0x81 0x61 are two characters, though their
  // second bytes are "A" and "a"; a trail byte 0x5D is no "]".
  const std::string ini = "[Sec]\nKey=1\n\x81\x41=upper\n\x81\x61=lower\n[\x81\x5D]\nk=trail\n"
                          "[s]\n a =  \"  a b  \"  \nb='x'\nc=\"x'\nd=\"\n\tf\t=\tfree text\t\n";
  EXPECT_EQ(FindProfileValue(ini, "sEC", "kEY"), "1");
  EXPECT_EQ(FindProfileValue(ini, "Sec", "\x81\x41"), "upper");
  EXPECT_EQ(FindProfileValue(ini, "Sec", "\x81\x61"), "lower");
  EXPECT_EQ(FindProfileValue(ini, "\x81\x5D", "k"), "trail");
  EXPECT_EQ(FindProfileValue(ini, "s", "a"), "  a b  ");
  EXPECT_EQ(FindProfileValue(ini, "s", "b"), "x");
  EXPECT_EQ(FindProfileValue(ini, "s", "c"), "\"x'");
  EXPECT_EQ(FindProfileValue(ini, "s", "d"), "\"");
  EXPECT_EQ(FindProfileValue(ini, " s ", " f "), "free text");
  EXPECT_EQ(FindProfileValue(ini, "s", "k"), nullopt);

  EXPECT_EQ(FindProfileValue("[s]\nv=" + std::string(10300, 'a'), "s", "v"), std::string(10239, 'a'));
  // A double-byte character across the limit is left out whole.
  EXPECT_EQ(FindProfileValue("[s]\nv=" + std::string(10238, 'a') + "\xB0\xA1", "s", "v"),
            std::string(10238, 'a'));

  EXPECT_EQ(Read("s", "k", "fallback  "), "fallback") << "missing file";
  EXPECT_FALSE(fs::exists(ini_)) << "reading creates nothing";
  EXPECT_EQ(ReadProfileString(dir_.string(), "s", "k", "d"), "d") << "a directory";
}

TEST_F(IniFile, OneKeyOfANameWhateverItsCase) {
  Put(ini_, "[Sec]\r\nKey=1\r\n");
  ASSERT_TRUE(Write("SEC", "KEY", "2"));
  EXPECT_EQ(Bytes(ini_), "[Sec]\r\nKey=2\r\n");
}

TEST_F(IniFile, DeletingKeysAndSectionsAndRefusingWhatWouldBreakTheFile) {
  Put(ini_, "[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n[a]\r\nx=4\r\n");
  for (auto [key, value] : std::vector<std::pair<std::string, std::string>>{
           {"k", "1\r\n[injected]"}, {"k", "1\nx=2"}, {"a=b", "1"}, {"[t", "1"}, {";c", "1"}, {" ", "1"}}) {
    EXPECT_FALSE(Write("A", key, value)) << key;
  }
  EXPECT_FALSE(Write("a]b", "k", "1"));
  EXPECT_FALSE(Write("", "k", "1"));
  EXPECT_FALSE(WriteProfileString("", "A", "k", "1"));

  ASSERT_TRUE(Write("A", "x", nullopt));
  EXPECT_EQ(Bytes(ini_), "[A]\r\ny=2\r\n[B]\r\nz=3\r\n[a]\r\nx=4\r\n");
  ASSERT_TRUE(Write("a", nullopt, nullopt));
  EXPECT_EQ(Bytes(ini_), "[B]\r\nz=3\r\n") << "every section of the name goes";
  ASSERT_TRUE(Write("B", nullopt, "a value without a key"));
  EXPECT_EQ(Bytes(ini_), "");

  fs::remove(ini_);
  EXPECT_TRUE(Write("A", "x", nullopt));
  EXPECT_TRUE(Write("A", nullopt, nullopt));
  EXPECT_FALSE(fs::exists(ini_)) << "nothing to delete, no file made";
}

// A file whose last line ends in a lone CR: a section added after it must start a line of
// its own. A section name ending in a lead byte would swallow its own "]".
TEST_F(IniFile, WritesAfterALoneCarriageReturnAndNamesCutInHalf) {
  Put(ini_, "[Old]\r\nk=v\r");
  ASSERT_TRUE(Write("New", "x", "1"));
  EXPECT_EQ(Read("New", "x"), "1");
  EXPECT_EQ(Read("Old", "k"), "v");
  EXPECT_EQ(Bytes(ini_), "[Old]\r\nk=v\r\r\n[New]\r\nx=1\r\n");

  const std::string half = G("条码").substr(0, 3);
  EXPECT_FALSE(Write(half, "k", "1"));
  EXPECT_TRUE(Write(G("条码"), "k", "1"));
  EXPECT_EQ(Read(G("条码"), "k"), "1");
}

TEST_F(IniFile, AWriteFailingHalfWayLeavesThePreviousFile) {
  const std::string previous = "[s]\r\nk=" + std::string(5000, 'v') + "\r\n";
  Put(ini_, previous);
  FailNthWrite(1);
  EXPECT_FALSE(Write("s", "k", std::string(8000, 'w')));
  FailNthWrite(0);
  EXPECT_EQ(Bytes(ini_), previous);
  EXPECT_EQ(Entries(), 1u) << "no half-written file left beside it";
}

TEST_F(IniFile, ReadOnlyFileOrDirectoryChangesNothing) {
  const std::string kept = "[s]\r\nk=v\r\n";
  Put(ini_, kept);
  fs::permissions(ini_, fs::perms::owner_read | fs::perms::others_read);
  EXPECT_FALSE(Write("s", "k", "new"));
  EXPECT_FALSE(Write("s", "k", "v")) << "read-only even when nothing would change";
  fs::permissions(ini_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(Write("s", "k", "new"));
  EXPECT_FALSE(WriteProfileString(Path("new.ini"), "s", "k", "v"));
  EXPECT_EQ(Bytes(ini_), kept);

  if (!testing::IsRoot()) return;  // the refusals above then came from the system itself
  // As an ordinary user: a file it may not write, in a directory where a rename over the
  // file would succeed; and a file it may write, in a directory it may not.
  fs::permissions(dir_, fs::perms::all);
  fs::create_directory(Path("closed"));
  const std::string closed = Path("closed/boot.ini");
  Put(closed, kept);
  fs::permissions(closed, fs::perms::all);
  fs::permissions(Path("closed"), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
  EXPECT_EQ(testing::AsNobody([&] { return WriteProfileString(ini_, "s", "k", "new"); }), 0);
  EXPECT_EQ(testing::AsNobody([&] { return WriteProfileString(closed, "s", "k", "new"); }), 0);
  EXPECT_EQ(testing::AsNobody([&] { return Read("s", "k") == "v"; }), 1);
  EXPECT_EQ(Bytes(ini_), kept);
  EXPECT_EQ(Bytes(closed), kept);
}

TEST_F(IniFile, LinksAreFollowedAndPermissionsKept) {
  fs::create_directory(Path("real"));
  const std::string real = Path("real/boot.ini");
  Put(real, "[s]\r\nk=v\r\n");
  const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(real, mode);
  fs::create_symlink("real/boot.ini", ini_);
  ASSERT_TRUE(Write("s", "k", "new"));
  EXPECT_TRUE(fs::is_symlink(ini_));
  EXPECT_EQ(Bytes(real), "[s]\r\nk=new\r\n");
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, mode);
}

}  // namespace
}  // namespace barvell::platform
