// Code lists as people feed them to a batch: a million lines, lines that name paths or
// are no file names at all, text in Chinese, bytes that are no text. Every picture lands
// in the chosen folder under the code it holds, or the code is reported as not saved;
// nothing is written anywhere else.
#include <sstream>

#include "command_run.h"

namespace barvell::cli_testing {
namespace {

const std::string kNotSaved = "文件保存失败\n";

class CodeList : public CommandRun {
 protected:
  Outcome Batch(const std::string& symbology, const std::string& list) {
    Put(work_ / "codes.txt", list);
    return Run({"batch-" + symbology, "--list", "codes.txt", "--dir", "out"});
  }
};

TEST_F(CodeList, AMillionLinesAreGoneThroughInBoundedMemory) {
  std::string list;
  list.reserve(7u << 20);
  for (int i = 0; i < 1000000; ++i) {
    list += i == 17 ? "6901234567892\n" : i == 999999 ? "4006381333931\n" : "12345\n";
  }
  Tree before = Snapshot(work_);
  Outcome o = Batch("ean13", list);
  EXPECT_EQ(o.exit_code, 0) << o.err;
  EXPECT_EQ(o.err, "") << "lines that are no full code are passed over in silence";
  EXPECT_EQ(FilesIn(work_ / "out"), (std::vector<std::string>{"4006381333931.PNG", "6901234567892.PNG"}));
  ExpectEachPictureIsItsCode(work_ / "out");
  // Generous: the list is held a few times over (file, edit box, lines), never without end.
  EXPECT_LT(o.peak_kib, 1L << 20) << "KiB";
  EXPECT_EQ(Changed(before, Snapshot(work_)),
            (std::vector<std::string>{"codes.txt", "out/4006381333931.PNG", "out/6901234567892.PNG",
                                      "tmp/EN13tem.bmp"}));
}

TEST_F(CodeList, AListBeyondTheBoundOrThatIsNoTextIsRefusedBeforeAnythingRuns) {
  std::string over;
  for (int i = 0; i < 1000001; ++i) over += "1\n";
  const std::vector<std::pair<std::string, std::string>> refused = {
      {over, "the code list has more than 1000000 lines"},
      // The program's texts end at a NUL: the lines after it would be lost unseen.
      {std::string("6901234567892\nAB\0CD\n4006381333931\n", 34), "line 2 of the code list holds a NUL byte"},
      // Latin-1, not UTF-8: each byte would become "?", and two codes one name.
      {"6901234567892\n\xE9t\xE9\n", "line 2 of the code list is not UTF-8 text that GBK can hold"},
      {"AB\n\xF0\x9F\x98\x80\n", "line 2 of the code list is not UTF-8 text that GBK can hold"},
  };
  for (const auto& [list, message] : refused) {
    Outcome o = Batch("code39", list);
    EXPECT_EQ(o.exit_code, 2);
    EXPECT_EQ(o.err, "barvell: " + (work_ / "codes.txt").string() + ": " + message + "\n");
    EXPECT_TRUE(FilesIn(work_ / "out").empty());
  }

  fs::create_directories(work_ / "a-folder");
  Outcome folder = Run({"batch-code39", "--list", "a-folder", "--dir", "out"});
  EXPECT_EQ(folder.exit_code, 2);
  EXPECT_NE(folder.err.find("Is a directory"), std::string::npos) << folder.err;
  Outcome missing = Run({"batch-code39", "--list", "no-such-list", "--dir", "out"});
  EXPECT_EQ(missing.exit_code, 2);
  EXPECT_NE(missing.err.find("No such file"), std::string::npos) << missing.err;
}

TEST_F(CodeList, LinesThatAreNoFileNameInTheFolderAreReportedAndWriteNothing) {
  fs::create_directories(work_ / "out" / "sub");
  Put(work_ / "victim.PNG", "keep me");
  // 83 characters of three bytes and "AB": 255 bytes with ".PNG", the longest name allowed;
  // one character more and the name is too long.
  std::string near_limit;
  for (int i = 0; i < 83; ++i) near_limit += "中";
  const std::string too_long = "中" + near_limit + "AB";
  near_limit += "AB";
  const std::vector<std::string> refused = {
      "AB/CD", "../victim", "..", "sub/X", "A\\B", "/tmp/abs", std::string(252, 'L'), too_long};
  const std::vector<std::string> taken = {".", "-", "TAB\tX", "中文AB12", near_limit, "<A|B>?"};
  std::string list;
  for (const std::string& l : refused) list += l + "\n";
  for (const std::string& l : taken) list += l + "\r\n";
  Tree before = Snapshot(work_);

  Outcome o = Batch("code39", list);
  EXPECT_EQ(o.exit_code, 1);
  EXPECT_EQ(o.out, "");
  EXPECT_EQ(o.err, [&] { std::string e; for (size_t i = 0; i < refused.size(); ++i) e += kNotSaved; return e; }());

  std::vector<std::string> expected = {"out/" + near_limit + ".PNG", "out/<A|B>?.PNG", "out/-.PNG",
                                       "out/..PNG", "out/TAB\tX.PNG", "out/中文AB12.PNG"};
  std::vector<std::string> changed = Changed(before, Snapshot(work_));
  std::erase(changed, "codes.txt");
  std::erase(changed, "tmp/EN13tem.bmp");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(changed, expected) << "nothing outside the folder, nothing in its subfolder";
  EXPECT_EQ(Slurp(work_ / "victim.PNG"), "keep me");

  // What Code 39 can draw of each text; the file keeps the text whole.
  EXPECT_EQ(Scan(work_ / "out" / (near_limit + ".PNG")), "CODE-39:AB\n");
  EXPECT_EQ(Scan(work_ / "out/<A|B>?.PNG"), "CODE-39:AB\n");
  EXPECT_EQ(Scan(work_ / "out/..PNG"), "CODE-39:.\n");
  EXPECT_EQ(Scan(work_ / "out/-.PNG"), "CODE-39:-\n");
  EXPECT_EQ(Scan(work_ / "out/TAB\tX.PNG"), "CODE-39:TABX\n");
  EXPECT_EQ(Scan(work_ / "out/中文AB12.PNG"), "CODE-39:AB12\n");
}

}  // namespace
}  // namespace barvell::cli_testing
