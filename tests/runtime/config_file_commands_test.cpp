// The configuration-item and file commands as the program calls them: by number in the
// core library, with argument records, texts in GBK and "\" in the names it builds.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "barvell/call_interface.h"
#include "runtime/call/command_library.h"
#include "runtime/call/heap.h"
#include "runtime/call/runtime_state.h"

namespace barvell::runtime {
namespace {

namespace fs = std::filesystem;

const ArgRecord kOmitted{};
ArgRecord T(const char* s) { return ArgRecord::Text(s); }
ArgRecord I(int32_t v) { return ArgRecord::Int(v); }
ArgRecord Bytes(const void* array_block) { return ArgRecord::OfPointer(array_block, tag::kByteArray); }

ResultRecord Call(int32_t number, std::vector<ArgRecord> args) {
  ResultRecord result;
  kCoreLibrary.commands[number](&result, int32_t(args.size()), args.data());
  return result;
}

std::string TakeText(const ResultRecord& r) {
  char* p = r.Pointer<char>();
  std::string s = p ? p : "";
  FreeBlock(p);
  return s;
}

std::string Contents(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class ConfigAndFileCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("barvell_commands_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    saved_directory_ = State().program_directory;
    // The program's run directory, as start-up leaves it: no trailing separator.
    State().program_directory = dir_.string();
  }
  void TearDown() override {
    State().program_directory = saved_directory_;
    fs::remove_all(dir_);
  }
  // The settings file's name as the program builds it.
  std::string BootIni() { return TakeText(Call(command::kGetRunDirectory, {})) + "\\boot.ini"; }
  std::string Read(std::vector<ArgRecord> args) { return TakeText(Call(command::kReadConfigItem, args)); }
  bool Write(std::vector<ArgRecord> args) { return Call(command::kWriteConfigItem, args).Int() == 1; }

  fs::path dir_;
  std::string saved_directory_;
};

TEST_F(ConfigAndFileCommands, SettingsLiveInBootIniBesideTheProgram) {
  const std::string ini = BootIni();
  EXPECT_EQ(ini, dir_.string() + "\\boot.ini");
  ASSERT_TRUE(Write({T(ini.c_str()), T("条码生成"), T("输出宽度"), T("35")}));
  EXPECT_EQ(Contents(dir_ / "boot.ini"), "[条码生成]\r\n输出宽度=35\r\n");

  EXPECT_EQ(Read({T(ini.c_str()), T("条码生成"), T("输出宽度")}), "35");
  const std::string spaced = "  " + ini;
  EXPECT_EQ(Read({T(spaced.c_str()), T(" \t条码生成"), T("\x01 输出宽度")}), "35")
      << "leading blanks and control bytes of the names do not count";
  EXPECT_EQ(Read({T(ini.c_str()), T("条码生成"), T("输出高度"), T("20")}), "20");
  EXPECT_EQ(Read({T(ini.c_str()), T("条码生成"), T("输出高度")}), "");
  EXPECT_EQ(Read({T(ini.c_str()), T("条码生成"), T(nullptr), T("20")}), "")
      << "no key named: no default either";
  EXPECT_EQ(Read({T(ini.c_str()), T("条码生成"), T("   "), T("20")}), "");
  EXPECT_EQ(Read({T((dir_.string() + "\\none.ini").c_str()), T("条码生成"), T("输出宽度"), T("d")}), "d");
}

TEST_F(ConfigAndFileCommands, WritingWithoutValueOrKeyDeletes) {
  const std::string ini = BootIni();
  ASSERT_TRUE(Write({T(ini.c_str()), T("条码生成"), T("输出宽度"), T("35")}));
  ASSERT_TRUE(Write({T(ini.c_str()), T("条码生成"), T("顶部边距"), T("5")}));
  ASSERT_TRUE(Write({T(ini.c_str()), T("other"), T("k"), T("v")}));

  // An empty text is a value: the key stays, empty, as a cleared edit box leaves it.
  ASSERT_TRUE(Write({T(ini.c_str()), T("条码生成"), T("输出宽度"), T(nullptr)}));
  EXPECT_EQ(Read({T(ini.c_str()), T("条码生成"), T("输出宽度"), T("gone")}), "");
  ASSERT_TRUE(Write({T(ini.c_str()), T("条码生成"), T("输出宽度"), kOmitted}));
  EXPECT_EQ(Read({T(ini.c_str()), T("条码生成"), T("输出宽度"), T("gone")}), "gone");
  EXPECT_EQ(Read({T(ini.c_str()), T("条码生成"), T("顶部边距")}), "5");

  ASSERT_TRUE(Write({T(ini.c_str()), T("条码生成")}));
  EXPECT_EQ(Contents(dir_ / "boot.ini"), "[other]\r\nk=v\r\n");

  EXPECT_FALSE(Write({T(nullptr), T("条码生成"), T("k"), T("v")}));
  EXPECT_FALSE(Write({T(ini.c_str()), T(nullptr), T("k"), T("v")}));
}

TEST_F(ConfigAndFileCommands, FileExistsFindsFilesAndDirectories) {
  fs::create_directory(dir_ / "out");
  const std::string out = dir_.string() + "\\out";
  EXPECT_EQ(Call(command::kFileExists, {T(out.c_str())}).Int(), 1);
  EXPECT_EQ(Call(command::kFileExists, {T((out + "\\").c_str())}).Int(), 0);
  EXPECT_EQ(Call(command::kFileExists, {T((dir_.string() + "\\o?t").c_str())}).Int(), 1);
  EXPECT_EQ(Call(command::kFileExists, {T(nullptr)}).Int(), 0);
}

TEST_F(ConfigAndFileCommands, WriteToFileLeavesExactlyTheArraysWritten) {
  const uint32_t three[] = {1, 3, 0x00636261};         // "abc"
  const uint32_t four[] = {1, 4, 0x67666564};          // "defg"
  const uint32_t two[] = {1, 2, 0x00007A79};           // "yz"
  const std::string file = dir_.string() + "\\EN13tem.bmp";
  EXPECT_EQ(Call(command::kWriteToFile, {T(file.c_str()), Bytes(three), Bytes(four)}).Int(), 1);
  EXPECT_EQ(Contents(dir_ / "EN13tem.bmp"), "abcdefg");
  EXPECT_EQ(Call(command::kWriteToFile, {T(file.c_str()), Bytes(two), Bytes(nullptr)}).Int(), 1);
  EXPECT_EQ(Contents(dir_ / "EN13tem.bmp"), "yz");
  EXPECT_EQ(Call(command::kWriteToFile, {T(nullptr), Bytes(three)}).Int(), 0);
  EXPECT_EQ(Call(command::kWriteToFile, {T((dir_.string() + "\\no\\f").c_str()), Bytes(three)}).Int(), 0);
}

TEST_F(ConfigAndFileCommands, SpecialFolder11IsTheTemporaryDirectoryWithItsSeparator) {
  const char* saved = std::getenv("TMPDIR");
  const std::string saved_value = saved ? saved : "";
  ::setenv("TMPDIR", dir_.c_str(), 1);
  EXPECT_EQ(TakeText(Call(command::kGetSpecialFolder, {I(11)})), dir_.string() + "/");
  EXPECT_EQ(TakeText(Call(command::kGetSpecialFolder, {I(5)})), "");
  if (saved) {
    ::setenv("TMPDIR", saved_value.c_str(), 1);
  } else {
    ::unsetenv("TMPDIR");
  }
}

}  // namespace
}  // namespace barvell::runtime
