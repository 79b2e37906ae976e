// The barvell command run as a subprocess, as a person scripting label work runs it:
// files written, exit codes, the messages printed, and every picture read back by a
// real barcode reader.
#include <gtest/gtest.h>

#include "command_run.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace barvell::cli_testing;

class Cli : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/barvell-cli-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    work_ = pattern;
    fs::create_directories(work_ / "tmp");
    binary_ = BARVELL_BINARY;
  }
  void TearDown() override { fs::remove_all(work_); }

  // Runs barvell with the arguments in `work_` as its current directory, with a private
  // temporary directory.
  Outcome Run(const std::vector<std::string>& args, const fs::path& binary = {}) {
    // Under the sanitizers the child's own leak report must not end up in its stderr.
    std::string command = "cd " + Quote(work_.string()) +
                          " && LSAN_OPTIONS=\"${LSAN_OPTIONS:-}:print_suppressions=0\" TMPDIR=" +
                          Quote((work_ / "tmp").string()) + " " +
                          Quote((binary.empty() ? binary_ : binary).string());
    for (const std::string& a : args) command += " " + Quote(a);
    command += " >" + Quote((work_ / "out.txt").string()) + " 2>" + Quote((work_ / "err.txt").string());
    int status = std::system(command.c_str());
    Outcome o;
    o.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    o.out = Slurp(work_ / "out.txt");
    o.err = Slurp(work_ / "err.txt");
    return o;
  }

  // A copy of the program in a folder of its own, so its boot.ini is the test's.
  fs::path OwnCopy() {
    fs::create_directories(work_ / "prog");
    fs::path copy = work_ / "prog" / "barvell";
    fs::copy_file(binary_, copy);
    return copy;
  }

  std::vector<std::string> FilesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path work_;
  fs::path binary_;
};

TEST_F(Cli, Ean13CompletesDrawsAndSavesAScannablePng) {
  Outcome o = Run({"ean13", "690123", "456789", "-o", "code.png"});
  EXPECT_EQ(o.exit_code, 0) << o.err;
  EXPECT_EQ(o.out, "文件保存成功\n");
  EXPECT_EQ(Slurp(work_ / "code.png").substr(1, 3), "PNG") << "relative -o is made absolute against the start directory";
  EXPECT_EQ(Scan(work_ / "code.png"), "EAN-13:6901234567892\n");
}

TEST_F(Cli, ProductAtSixHundredDpiAndCode39AsJpegScan) {
  Outcome big = Run({"product", "6901234567892", "--set", "dpi=600", "--set", "保存格式=BMP", "-o", "big.bmp"});
  ASSERT_EQ(big.exit_code, 0) << big.err;
  std::string bmp = Slurp(work_ / "big.bmp");
  ASSERT_GT(bmp.size(), 26u);
  int32_t width, height;
  std::memcpy(&width, bmp.data() + 18, 4);
  std::memcpy(&height, bmp.data() + 22, 4);
  EXPECT_EQ(width, 826) << "35 mm at 600 dpi after 刷新";
  EXPECT_EQ(std::abs(height), 472);
  EXPECT_EQ(Scan(work_ / "big.bmp"), "EAN-13:6901234567892\n");

  Outcome jpg = Run({"code39", "AB-12", "--set", "format=JPG", "-o", "ab.jpg"});
  ASSERT_EQ(jpg.exit_code, 0) << jpg.err;
  EXPECT_EQ(Slurp(work_ / "ab.jpg").substr(0, 2), "\xFF\xD8");
  EXPECT_EQ(Scan(work_ / "ab.jpg"), "CODE-39:AB-12\n");
}

TEST_F(Cli, ColourSettingsAreChosenInThePickers) {
  Outcome o = Run({"product", "6901234567892", "--set", "背景颜色=#FF0000", "--set", "format=BMP",
                   "-o", "red.bmp"});
  ASSERT_EQ(o.exit_code, 0) << o.err;
  std::string bmp = Slurp(work_ / "red.bmp");
  ASSERT_GT(bmp.size(), 60u);
  uint32_t offset;
  std::memcpy(&offset, bmp.data() + 10, 4);
  // The first pixel of the bottom row, blue green red: the background.
  EXPECT_EQ(bmp.substr(offset, 3), std::string("\x00\x00\xFF", 3));
}

TEST_F(Cli, TheProgramsOwnRefusalIsExitOneAndWritesNothing) {
  Outcome empty = Run({"code39", "", "-o", "e.png"});
  EXPECT_EQ(empty.exit_code, 1);
  EXPECT_EQ(empty.err, "请输入编码信息\n");
  EXPECT_FALSE(fs::exists(work_ / "e.png"));

  Outcome nowhere = Run({"batch-ean13", "--fixed", "690123456", "--start", "1", "--end", "2",
                         "--dir", "missing"});
  EXPECT_EQ(nowhere.exit_code, 1);
  EXPECT_EQ(nowhere.err, "存放目录不存在,请设置存放目录\n");
}

TEST_F(Cli, UsageErrorsAreExitTwoWithAHintAndWriteNothing) {
  const std::vector<std::vector<std::string>> bad = {
      {"frobnicate"},
      {"product", "6901234567892"},                                    // no -o
      {"product", "6901234567892", "-o"},                              // missing value
      {"product", "6901234567892", "--set", "no-such=1", "-o", "x.png"},
      {"product", "6901234567892", "--set", "背景颜色=red", "-o", "x.png"},
      {"product", "6901234567892", "--set", "format=GIF", "-o", "x.png"},
      {"batch-code39", "--start", "1", "--end", "3", "--dir", "."},   // no step
      {"ean13", "690123", "-o", "x.png"},                              // one part only
  };
  for (const auto& args : bad) {
    Outcome o = Run(args);
    EXPECT_EQ(o.exit_code, 2) << args[0];
    EXPECT_NE(o.err.find("barvell: "), std::string::npos);
    EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
  }
  EXPECT_FALSE(fs::exists(work_ / "x.png"));
}

TEST_F(Cli, BatchesWriteOneScannablePictureNamedAfterEachCode) {
  fs::create_directories(work_ / "ean");
  Outcome ean = Run({"batch-ean13", "--fixed", "6901234560", "--start", "08", "--end", "12", "--dir", "ean"});
  ASSERT_EQ(ean.exit_code, 0) << ean.err;
  std::vector<std::string> files = FilesIn(work_ / "ean");
  ASSERT_EQ(files.size(), 5u);
  for (const std::string& f : files) {
    ASSERT_EQ(f.size(), 13u + 4u) << f;
    EXPECT_EQ(f.substr(13), ".PNG");
    EXPECT_EQ(Scan(work_ / "ean" / f), "EAN-13:" + f.substr(0, 13) + "\n");
  }
  EXPECT_EQ(files.front().substr(0, 12), "690123456008") << "start 08: self parts two wide";

  fs::create_directories(work_ / "c39");
  Outcome c39 = Run({"batch-code39", "--formula", "AT?n3?", "--start", "1", "--end", "10", "--step", "3",
                     "--dir", "c39"});
  ASSERT_EQ(c39.exit_code, 0) << c39.err;
  EXPECT_EQ(FilesIn(work_ / "c39"),
            (std::vector<std::string>{"AT001.PNG", "AT004.PNG", "AT007.PNG", "AT010.PNG"}));
  EXPECT_EQ(Scan(work_ / "c39" / "AT007.PNG"), "CODE-39:AT007\n");
}

TEST_F(Cli, AListFileIsPastedAsTheCodeList) {
  fs::create_directories(work_ / "out");
  std::ofstream(work_ / "codes.txt") << "6901234567892\r\nnot-a-code\n4006381333931\n";
  Outcome o = Run({"batch-ean13", "--list", "codes.txt", "--dir", "out"});
  ASSERT_EQ(o.exit_code, 0) << o.err;
  EXPECT_EQ(FilesIn(work_ / "out"), (std::vector<std::string>{"4006381333931.PNG", "6901234567892.PNG"}));
  EXPECT_EQ(Scan(work_ / "out" / "4006381333931.PNG"), "EAN-13:4006381333931\n");
}

TEST_F(Cli, SettingsStayAsTheyWereUnlessAskedToBeSaved) {
  fs::path program = OwnCopy();
  fs::path ini = program.parent_path() / "boot.ini";
  Outcome first = Run({"product", "6901234567892", "-o", "a.png"}, program);
  ASSERT_EQ(first.exit_code, 0) << first.err;
  EXPECT_FALSE(fs::exists(ini)) << "the program's first-start write-back went to the private copy";

  Outcome saved = Run({"product", "6901234567892", "--set", "条码高度=12", "--save-settings", "-o", "b.png"}, program);
  ASSERT_EQ(saved.exit_code, 0) << saved.err;
  std::string kept = Slurp(ini);
  EXPECT_NE(kept.find("12"), std::string::npos) << kept;

  Outcome again = Run({"product", "6901234567892", "--set", "条码高度=30", "-o", "c.png"}, program);
  ASSERT_EQ(again.exit_code, 0) << again.err;
  EXPECT_EQ(Slurp(ini), kept) << "without --save-settings boot.ini is left as it was found";
}

TEST_F(Cli, AScriptTypesClicksAndPrints) {
  std::ofstream(work_ / "s.txt") << "# complete a code and show it\n"
                                    "type 编辑框1 690123\n"
                                    "type 编辑框2 456789\n"
                                    "click 计算编码\n"
                                    "print 编辑框3\n"
                                    "menu 关于\n"
                                    "close\n";
  Outcome o = Run({"script", "s.txt"});
  EXPECT_EQ(o.exit_code, 0) << o.err;
  EXPECT_EQ(o.out, "6901234567892\n版本：V1.0\n");

  std::ofstream(work_ / "bad.txt") << "type 编辑框1 1\nclick 没有的按钮\n";
  Outcome bad = Run({"script", "bad.txt"});
  EXPECT_EQ(bad.exit_code, 2);
  EXPECT_NE(bad.err.find("line 2"), std::string::npos) << bad.err;
}

}  // namespace
