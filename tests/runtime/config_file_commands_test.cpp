// The configuration-item and file commands as the program calls them: by number in the
// core library, with argument records, GBK texts and "\" in the names it builds.
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

ArgRecord T(const char* s) { return ArgRecord::Text(s); }
ArgRecord T(const std::string& s) { return ArgRecord::Text(s.c_str()); }
ArgRecord Bytes(const void* block) { return ArgRecord::OfPointer(block, tag::kByteArray); }

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

class ConfigAndFileCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("barvell_commands_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    saved_directory_ = State().program_directory;
    State().program_directory = dir_.string();  // as start-up leaves it: no separator at the end
  }
  void TearDown() override {
    State().program_directory = saved_directory_;
    fs::remove_all(dir_);
  }
  std::string Contents(const char* name) {
    std::ifstream in(dir_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::string Read(std::vector<ArgRecord> args) { return TakeText(Call(command::kReadConfigItem, args)); }
  bool Write(std::vector<ArgRecord> args) { return Call(command::kWriteConfigItem, args).Int() == 1; }

  fs::path dir_;
  std::string saved_directory_;
};

TEST_F(ConfigAndFileCommands, ReadingAndWritingItemsOfBootIni) {
  const std::string ini = TakeText(Call(command::kGetRunDirectory, {})) + "\\boot.ini";
  ASSERT_TRUE(Write({T(ini), T("条码生成"), T("输出宽度"), T("35")}));
  EXPECT_EQ(Contents("boot.ini"), "[条码生成]\r\n输出宽度=35\r\n");
  EXPECT_EQ(Read({T("  " + ini), T(" \t条码生成"), T("\x01 输出宽度")}), "35")
      << "leading blanks and control bytes of the names do not count";
  EXPECT_EQ(Read({T(ini), T("条码生成"), T("输出高度"), T("20")}), "20");
  EXPECT_EQ(Read({T(ini), T("条码生成"), T(nullptr), T("20")}), "") << "no key: no default either";

  // An empty text is a value: the key stays, empty, as a cleared edit box leaves it.
  ASSERT_TRUE(Write({T(ini), T("条码生成"), T("输出宽度"), T(nullptr)}));
  EXPECT_EQ(Read({T(ini), T("条码生成"), T("输出宽度"), T("gone")}), "");
  ASSERT_TRUE(Write({T(ini), T("条码生成"), T("顶部边距"), T("5")}));
  ASSERT_TRUE(Write({T(ini), T("条码生成"), T("输出宽度"), ArgRecord{}}));
  EXPECT_EQ(Read({T(ini), T("条码生成"), T("输出宽度"), T("gone")}), "gone") << "no value: key deleted";
  EXPECT_EQ(Read({T(ini), T("条码生成"), T("顶部边距")}), "5");
  ASSERT_TRUE(Write({T(ini), T("other"), T("k"), T("v")}));
  ASSERT_TRUE(Write({T(ini), T("条码生成")}));
  EXPECT_EQ(Contents("boot.ini"), "[other]\r\nk=v\r\n") << "no key: section deleted";
  EXPECT_FALSE(Write({T(nullptr), T("条码生成"), T("k"), T("v")}));
}

TEST_F(ConfigAndFileCommands, FileExistsAndWriteToFile) {
  fs::create_directory(dir_ / "out");
  const std::string out = dir_.string() + "\\out";
  EXPECT_EQ(Call(command::kFileExists, {T(out)}).Int(), 1);
  EXPECT_EQ(Call(command::kFileExists, {T(out + "\\")}).Int(), 0);
  EXPECT_EQ(Call(command::kFileExists, {T(dir_.string() + "\\o?t")}).Int(), 1);

  const uint32_t three[] = {1, 3, 0x00636261};  // "abc"
  const uint32_t four[] = {1, 4, 0x67666564};   // "defg"
  const uint32_t two[] = {1, 2, 0x00007A79};    // "yz"
  const std::string file = dir_.string() + "\\EN13tem.bmp";
  EXPECT_EQ(Call(command::kWriteToFile, {T(file), Bytes(three), Bytes(four)}).Int(), 1);
  EXPECT_EQ(Contents("EN13tem.bmp"), "abcdefg");
  EXPECT_EQ(Call(command::kWriteToFile, {T(file), Bytes(two), Bytes(nullptr)}).Int(), 1);
  EXPECT_EQ(Contents("EN13tem.bmp"), "yz");
  EXPECT_EQ(Call(command::kWriteToFile, {T(nullptr), Bytes(three)}).Int(), 0);
  EXPECT_EQ(Call(command::kWriteToFile, {T(out + "\\no\\f"), Bytes(three)}).Int(), 0);
}

TEST_F(ConfigAndFileCommands, SpecialFolder11IsTheTemporaryDirectoryWithItsSeparator) {
  const char* saved = std::getenv("TMPDIR");
  const std::string saved_value = saved ? saved : "";
  ::setenv("TMPDIR", dir_.c_str(), 1);
  EXPECT_EQ(TakeText(Call(command::kGetSpecialFolder, {ArgRecord::Int(11)})), dir_.string() + "/");
  EXPECT_EQ(TakeText(Call(command::kGetSpecialFolder, {ArgRecord::Int(5)})), "");
  saved ? ::setenv("TMPDIR", saved_value.c_str(), 1) : ::unsetenv("TMPDIR");
}

}  // namespace
}  // namespace barvell::runtime
