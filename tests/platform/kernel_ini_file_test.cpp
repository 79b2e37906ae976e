// The INI engine: what it reads, what a write changes and, above all, what it leaves alone.
#include "platform/kernel/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "platform/kernel/file_writes.h"
#include "platform/text/gbk.h"
#include "tests/platform/kernel_test_files.h"

namespace barvell::platform {
namespace {

namespace fs = std::filesystem;

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
  // Backslashes in the name reach the same file as slashes.
  const std::string name = dir_.string() + "\\boot.ini";
  const std::vector<std::pair<std::string, std::string>> items = {
      {G("输出宽度"), "35"},          {G("背景颜色"), "16777215"}, {G("字体"), G("宋体")},
      {"empty", ""},                   {"padded", "  two blanks  "}, {"quoted", "\"in quotes\""},
      {"single", "'"},                 {"equals", "a=b=c"},          {"semicolon", ";not a comment"},
  };
  for (const auto& [key, value] : items) ASSERT_TRUE(WriteProfileString(name, section, key, value)) << key;
  for (const auto& [key, value] : items) EXPECT_EQ(Read(section, key), value) << key;
  EXPECT_EQ(Bytes(ini_).rfind("[" + section + "]\r\n" + G("输出宽度") + "=35\r\n", 0), 0u);

  // Writing the same values again changes nothing: the file is not even replaced.
  struct stat before, after;
  ASSERT_EQ(::stat(ini_.c_str(), &before), 0);
  for (const auto& [key, value] : items) ASSERT_TRUE(Write(section, key, value));
  ASSERT_EQ(::stat(ini_.c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST_F(IniFile, WritesKeepEveryOtherLineByteForByte) {
  const std::string section = G("条码生成");
  Put(ini_, "; settings\r\n"
            "orphan=before any section\n"
            "\r\n"
            "[Other]\r\n"
            "  Alpha = 1  \r\n"
            "; keep this\n"
            "[" + section + "]\r\n" +
            G("输出宽度") + " = 40\r\n"
            "old=gone\r\n"
            "\r\n"
            "[Tail]\n"
            "z=9");
  ASSERT_TRUE(Write(section, G("输出宽度"), "35"));  // replaced in its line
  ASSERT_TRUE(Write(section, "OLD", std::nullopt));  // deleted
  ASSERT_TRUE(Write(section, G("新键"), "x"));       // after the section's last filled line
  ASSERT_TRUE(Write("tail", "y", "8"));              // after a last line without its end
  ASSERT_TRUE(Write("New", "k", "v"));               // a new section at the end
  EXPECT_EQ(Bytes(ini_), "; settings\r\n"
                         "orphan=before any section\n"
                         "\r\n"
                         "[Other]\r\n"
                         "  Alpha = 1  \r\n"
                         "; keep this\n"
                         "[" + section + "]\r\n" +
                         G("输出宽度") + "=35\r\n" +
                         G("新键") + "=x\r\n"
                         "\r\n"
                         "[Tail]\n"
                         "z=9\r\n"
                         "y=8\r\n"
                         "[New]\r\n"
                         "k=v\r\n");
  EXPECT_EQ(Read("other", "alpha"), "1");
  EXPECT_EQ(Read("Other", "orphan"), "<none>");
  EXPECT_EQ(Read("Other", "; keep this"), "<none>");
}

TEST_F(IniFile, NamesMatchWithoutCaseButDoubleByteCharactersExactly) {
  Put(ini_, "[Sec]\r\nKey=1\r\n");
  EXPECT_EQ(Read("sEC", "kEY"), "1");
  ASSERT_TRUE(Write("SEC", "KEY", "2"));
  EXPECT_EQ(Bytes(ini_), "[Sec]\r\nKey=2\r\n") << "one key, its spelling kept";

  // 0x81 0x41 and 0x81 0x61 are two characters, though their second bytes are "A" and "a".
  ASSERT_TRUE(Write("Sec", "\x81\x41", "upper"));
  ASSERT_TRUE(Write("Sec", "\x81\x61", "lower"));
  EXPECT_EQ(Read("Sec", "\x81\x41"), "upper");
  EXPECT_EQ(Read("Sec", "\x81\x61"), "lower");
  // A trail byte 0x5D is no "]": the section name goes on past it.
  ASSERT_TRUE(Write("\x81\x5D", "k", "v"));
  EXPECT_EQ(Read("\x81\x5D", "k"), "v");
}

TEST_F(IniFile, BlanksAndOnePairOfQuotesAreNoPartOfAValue) {
  const std::string ini = "[s]\n"
                          "a =  \"  a b  \"  \n"
                          "b='x'\n"
                          "c=\"x'\n"
                          "d=\"\"\"\"\n"
                          "e=\"\n"
                          "\tf\t=\tfree text\t\n";
  EXPECT_EQ(FindProfileValue(ini, "s", "a"), "  a b  ");
  EXPECT_EQ(FindProfileValue(ini, "s", "b"), "x");
  EXPECT_EQ(FindProfileValue(ini, "s", "c"), "\"x'");
  EXPECT_EQ(FindProfileValue(ini, "s", "d"), "\"\"");
  EXPECT_EQ(FindProfileValue(ini, "s", "e"), "\"");
  EXPECT_EQ(FindProfileValue(ini, " s ", " f "), "free text");
}

TEST_F(IniFile, MissingFileSectionOrKeyGivesTheDefault) {
  EXPECT_EQ(Read("s", "k", "fallback  "), "fallback");
  EXPECT_FALSE(fs::exists(ini_)) << "reading creates nothing";
  Put(ini_, "[s]\r\nk=v\r\n");
  EXPECT_EQ(Read("t", "k", "d"), "d");
  EXPECT_EQ(Read("s", "j", ""), "");
  EXPECT_EQ(ReadProfileString(dir_.string(), "s", "k", "dir"), "dir");
}

TEST_F(IniFile, ValuesAreCutAt10239BytesKeepingWholeCharacters) {
  ASSERT_TRUE(Write("s", "long", std::string(10300, 'a')));
  EXPECT_EQ(Read("s", "long"), std::string(10239, 'a'));
  // A double-byte character across the limit is left out whole.
  ASSERT_TRUE(Write("s", "gbk", std::string(10238, 'a') + "\xB0\xA1"));
  EXPECT_EQ(Read("s", "gbk"), std::string(10238, 'a'));
  EXPECT_EQ(Read("s", "missing", std::string(10240, 'd')).size(), 10239u);
}

TEST_F(IniFile, DeletingKeysAndSections) {
  Put(ini_, "[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n[a]\r\nx=4\r\n");
  ASSERT_TRUE(Write("A", "x", std::nullopt));
  EXPECT_EQ(Bytes(ini_), "[A]\r\ny=2\r\n[B]\r\nz=3\r\n[a]\r\nx=4\r\n");
  EXPECT_EQ(Read("a", "x"), "<none>") << "the first section of a name is the one read";
  ASSERT_TRUE(Write("a", std::nullopt, std::nullopt));
  EXPECT_EQ(Bytes(ini_), "[B]\r\nz=3\r\n") << "every section of the name goes";
  ASSERT_TRUE(Write("B", std::nullopt, "a value without a key"));
  EXPECT_EQ(Bytes(ini_), "");

  fs::remove(ini_);
  EXPECT_TRUE(Write("A", "x", std::nullopt));
  EXPECT_TRUE(Write("A", std::nullopt, std::nullopt));
  EXPECT_FALSE(fs::exists(ini_)) << "nothing to delete, no file made";
}

TEST_F(IniFile, ItemsThatWouldBreakTheFileAreRefused) {
  Put(ini_, "[s]\r\nk=v\r\n");
  EXPECT_FALSE(Write("s", "k", "1\r\n[injected]"));
  EXPECT_FALSE(Write("s", "k", "1\nx=2"));
  EXPECT_FALSE(Write("s", "a=b", "1"));
  EXPECT_FALSE(Write("s", "[t", "1"));
  EXPECT_FALSE(Write("s", ";c", "1"));
  EXPECT_FALSE(Write("s", "  ", "1"));
  EXPECT_FALSE(Write("a]b", "k", "1"));
  EXPECT_FALSE(Write("", "k", "1"));
  EXPECT_FALSE(WriteProfileString("", "s", "k", "1"));
  EXPECT_EQ(Bytes(ini_), "[s]\r\nk=v\r\n");
}

TEST_F(IniFile, AWriteFailingHalfWayLeavesThePreviousFile) {
  const std::string previous = "[s]\r\nk=" + std::string(5000, 'v') + "\r\n";
  Put(ini_, previous);
  FailNthWrite(1);
  EXPECT_FALSE(Write("s", "k", std::string(8000, 'w')));
  FailNthWrite(0);
  EXPECT_EQ(Bytes(ini_), previous);
  EXPECT_EQ(Entries(), 1u) << "no half-written file left beside it";
  EXPECT_TRUE(Write("s", "k", "w"));
}

TEST_F(IniFile, ReadOnlyFileOrDirectoryChangesNothing) {
  Put(ini_, "[s]\r\nk=v\r\n");
  fs::permissions(ini_, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_FALSE(Write("s", "k", "new"));
  EXPECT_FALSE(Write("s", "k", "v")) << "read-only even when nothing would change";
  EXPECT_EQ(Bytes(ini_), "[s]\r\nk=v\r\n");

  fs::permissions(ini_, fs::perms::owner_read | fs::perms::owner_write);
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(Write("s", "k", "new"));
  EXPECT_FALSE(WriteProfileString(Path("new.ini"), "s", "k", "v"));
  fs::permissions(dir_, fs::perms::owner_all);
  EXPECT_EQ(Bytes(ini_), "[s]\r\nk=v\r\n");
  EXPECT_EQ(Entries(), 1u);
}

// What the operating system refuses, seen by an ordinary user: a file it may not write,
// in a directory it may write (so a rename over the file would succeed), and a file in a
// directory it may not write.
TEST_F(IniFile, PermissionsOfTheFileSystemAreHonoured) {
  if (!testing::IsRoot()) GTEST_SKIP() << "needs root to make files another user cannot write";
  fs::permissions(dir_, fs::perms::all);  // anyone may create and rename here
  Put(ini_, "[s]\r\nk=v\r\n");
  fs::permissions(ini_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
  fs::create_directory(Path("closed"));
  const std::string closed = Path("closed/boot.ini");
  Put(closed, "[s]\r\nk=v\r\n");
  fs::permissions(closed, fs::perms::all);
  fs::permissions(Path("closed"), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);

  EXPECT_EQ(testing::AsNobody([&] { return WriteProfileString(ini_, "s", "k", "new"); }), 0);
  EXPECT_EQ(testing::AsNobody([&] { return WriteProfileString(closed, "s", "k", "new"); }), 0);
  EXPECT_EQ(Bytes(ini_), "[s]\r\nk=v\r\n");
  EXPECT_EQ(Bytes(closed), "[s]\r\nk=v\r\n");
  EXPECT_EQ(testing::AsNobody([&] { return ReadProfileString(ini_, "s", "k", "") == "v"; }), 1);
}

TEST_F(IniFile, LinksAreFollowedAndPermissionsKept) {
  fs::create_directory(Path("real"));
  const std::string real = Path("real/boot.ini");
  Put(real, "[s]\r\nk=v\r\n");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink("real/boot.ini", ini_);
  ASSERT_TRUE(Write("s", "k", "new"));
  EXPECT_TRUE(fs::is_symlink(ini_));
  EXPECT_EQ(Bytes(real), "[s]\r\nk=new\r\n");
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

}  // namespace
}  // namespace barvell::platform
