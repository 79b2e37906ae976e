// The product-code batch window run headless: computing the range, saving every code as
// a picture named after it, and the run's refusals and failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "batch_window_fixture.h"
#include "ean13.h"
#include "main_window_controls.h"
#include "program_windows.h"

namespace barvell::app::testing {
namespace {

constexpr ComponentId kFixed = 0x16010200;
constexpr ComponentId kStart = 0x16010203;
constexpr ComponentId kEnd = 0x16010205;
constexpr ComponentId kCompute = 0x16010206;
constexpr ComponentId kList = 0x16010207;
constexpr ComponentId kSave = 0x16010208;
constexpr ComponentId kDirectory = 0x16010245;
constexpr ComponentId kChoose = 0x16010246;

class ProductBatch : public BatchWindowTest {
 protected:
  ProductBatch() : BatchWindowTest(kProductBatchWindow, main_window::kProductBatch, kList) {}

  void Range(const std::string& fixed, const std::string& start, const std::string& end) {
    Type(kFixed, fixed);
    Type(kStart, start);
    Type(kEnd, end);
    Press(kCompute);
  }
  // The codes of the list as the window's own check digit makes them.
  static std::string FullCode(const std::string& base) { return base + ComputeCheckDigit(base); }
};

TEST_F(ProductBatch, ComputeFillsSelfNumbersToTheWiderTypedWidth) {
  std::vector<std::string> lines, expected;
  std::vector<std::string> short_range;
  EXPECT_EQ(Run([&] {
              Range("690123456", "001", "120");
              Then([&] {
                lines = ListLines();
                for (int n = 1; n <= 120; ++n) {
                  char self[4];
                  std::snprintf(self, sizeof self, "%03d", n);
                  expected.push_back(FullCode(std::string("690123456") + self));
                }
              });
              Fill(kList, "");
              Fill(kFixed, "");
              Fill(kStart, "");
              Fill(kEnd, "");
              Range("6901234567", "8", "12");
              Then([&] { short_range = ListLines(); });
            }),
            0);
  ASSERT_EQ(lines.size(), 120u);
  EXPECT_EQ(lines, expected);
  for (const std::string& line : lines) EXPECT_EQ(line.size(), 13u);
  EXPECT_EQ(lines.front().substr(9, 3), "001");
  EXPECT_EQ(lines.back().substr(9, 3), "120");
  std::vector<std::string> selfs;
  for (const std::string& line : short_range) selfs.push_back(line.substr(10, 2));
  EXPECT_EQ(selfs, (std::vector<std::string>{"08", "09", "10", "11", "12"}));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ProductBatch, ComputeAppendsEveryPressAndRefusesWhatItCannotList) {
  std::string twice, backwards, text_start, empty_input, too_many, at_the_top;
  std::string once, zero_based, top;  // expected, from the check digit as the window takes it
  EXPECT_EQ(Run([&] {
              Then([&] {
                once = FullCode("6901234561") + "\r\n" + FullCode("6901234562") + "\r\n" +
                       FullCode("6901234563") + "\r\n";
                zero_based = FullCode("690123456000") + "\r\n" + FullCode("690123456001") +
                             "\r\n" + FullCode("690123456002") + "\r\n";
                top = FullCode("690122147483646") + "\r\n" + FullCode("690122147483647") + "\r\n";
              });
              Range("690123456", "1", "3");
              Press(kCompute);
              Then([&] { twice = ListText(); });
              Fill(kList, "");
              Fill(kStart, "5");
              Press(kCompute);  // 5 to 3: nothing, no message
              Then([&] { backwards = ListText(); });
              Fill(kStart, "abc");
              Fill(kEnd, "2");
              Press(kCompute);  // "abc" is 0, width 3
              Then([&] { text_start = ListText(); });
              Fill(kList, "");
              Fill(kFixed, "");
              Press(kCompute);
              Then([&] { empty_input = ListText(); });
              Fill(kFixed, "69012");
              Fill(kStart, "0");
              Fill(kEnd, "1000000");
              Press(kCompute);  // one more than the bound
              Then([&] { too_many = ListText(); });
              Fill(kStart, "2147483646");
              Fill(kEnd, "2147483647");
              Press(kCompute);  // ends after the largest number
              Then([&] { at_the_top = ListText(); });
            }),
            0);
  // Eleven characters each (the bases have ten), listed twice.
  EXPECT_EQ(once.size(), 3 * 13u);
  EXPECT_EQ(twice, once + once);
  EXPECT_EQ(backwards, "");
  EXPECT_EQ(text_start, zero_based);
  EXPECT_EQ(empty_input, "");
  EXPECT_EQ(too_many, "");
  EXPECT_EQ(at_the_top, top);
  EXPECT_EQ(Messages(), (std::vector<std::string>{Utf8(u8"请输入编码信息"), kTooManyCodes}));
}

TEST_F(ProductBatch, SavesEachFullCodeUnderItsNameAndSkipsOtherLinesSilently) {
  EXPECT_EQ(Run([&] {
              Range("690123456", "001", "003");
              // Pasted lines: eleven characters, blank, twelve and fourteen bytes.
              Then([&] {
                runtime::Ui().AppendText(H(kList),
                                         "69012345611\r\n\r\n690123456789\r\n69012345678901\r\n");
              });
              Type(kDirectory, out_.string());
              Press(kSave);
            }),
            0);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Written(), (std::vector<std::string>{"6901234560015.PNG", "6901234560022.PNG",
                                                 "6901234560039.PNG"}));
  if (!HaveZbar()) GTEST_SKIP() << "no zbarimg";
  EXPECT_EQ(Scan(out_ / "6901234560015.PNG"), "EAN-13:6901234560015");
  EXPECT_EQ(Scan(out_ / "6901234560039.PNG"), "EAN-13:6901234560039");
}

TEST_F(ProductBatch, TheFormatComboNamesAndEncodesTheFiles) {
  EXPECT_EQ(Run([&] {
              // Chosen as a program would, so the settings file keeps its format.
              Then([] { runtime::Ui().SetCurrent(Control(kMainWindow, main_window::kSaveFormat), 1); });
              Range("690123456", "007", "008");
              Type(kDirectory, out_.string());
              Press(kSave);
            }),
            0);
  ASSERT_EQ(Written(), (std::vector<std::string>{"6901234560077.JPG", "6901234560084.JPG"}));
  std::ifstream jpeg(out_ / "6901234560077.JPG", std::ios::binary);
  unsigned char magic[3] = {};
  jpeg.read(reinterpret_cast<char*>(magic), 3);
  EXPECT_EQ(magic[0], 0xFF);
  EXPECT_EQ(magic[1], 0xD8);
  EXPECT_EQ(magic[2], 0xFF);
  if (!HaveZbar()) GTEST_SKIP() << "no zbarimg";
  EXPECT_EQ(Scan(out_ / "6901234560084.JPG"), "EAN-13:6901234560084");
}

TEST_F(ProductBatch, RefusesAMissingDirectoryAndAnEmptyList) {
  EXPECT_EQ(Run([&] {
              Press(kSave);  // no directory
              Type(kDirectory, out_.string() + "\\");  // as a drive root comes back
              Range("690123456", "1", "1");
              Press(kSave);
              Fill(kDirectory, (out_ / "missing").string());
              Press(kSave);
              Fill(kDirectory, out_.string());
              Fill(kList, "");
              Press(kSave);
            }),
            0);
  EXPECT_EQ(Messages(), (std::vector<std::string>{kNoDirectory, kNoDirectory, kNoDirectory, kEmptyList}));
  EXPECT_TRUE(Written().empty());
}

TEST_F(ProductBatch, ALineThatNamesAPathIsNotWrittenAndCountsAsAFailure) {
  const std::filesystem::path inner = out_ / "inner";
  std::filesystem::create_directories(inner);
  EXPECT_EQ(Run([&] {
              // 13 bytes each: two reach out of the directory, one is a plain code.
              Fill(kList, "..\\6901234567\r\n../6901234567\r\n6901234560015\r\n");
              Type(kDirectory, inner.string());
              Press(kSave);
            }),
            0);
  EXPECT_EQ(Messages(), (std::vector<std::string>{kSaveFailed, kSaveFailed}));
  EXPECT_EQ(Written(), std::vector<std::string>{"inner"});
  EXPECT_TRUE(std::filesystem::exists(inner / "6901234560015.PNG"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(inner), {}), 1);
}

TEST_F(ProductBatch, AnUnwritableTemporaryPictureFailsItsCodeInsteadOfSavingAnOlderOne) {
  const char* temp = std::getenv("TMPDIR");
  ASSERT_NE(temp, nullptr);
  const std::filesystem::path picture = std::filesystem::path(temp) / "EN13tem.bmp";
  std::filesystem::remove_all(picture);
  std::filesystem::create_directories(picture);  // a directory cannot be written as a file
  EXPECT_EQ(Run([&] {
              Range("690123456", "1", "2");
              Type(kDirectory, out_.string());
              Fill(kList, "6901234560015\r\n6901234560022\r\n");
              Press(kSave);
            }),
            0);
  std::filesystem::remove_all(picture);
  EXPECT_EQ(Messages(), (std::vector<std::string>{kSaveFailed, kSaveFailed}));
  EXPECT_TRUE(Written().empty());
}

TEST_F(ProductBatch, TheFolderChooserFillsTheDirectoryUnlessCancelled) {
  std::string chosen, after_cancel;
  ui_.Driver().AnswerFolder(out_.string());
  ui_.Driver().AnswerFolder(std::nullopt);
  EXPECT_EQ(Run([&] {
              Press(kChoose);
              Then([&] { chosen = runtime::Ui().GetText(H(kDirectory)); });
              Press(kChoose);
              Then([&] { after_cancel = runtime::Ui().GetText(H(kDirectory)); });
            }),
            0);
  ASSERT_EQ(ui_.Driver().FolderRequests().size(), 2u);
  EXPECT_EQ(ui_.Driver().FolderRequests()[0].title, Utf8(u8"请选择目录"));
  EXPECT_FALSE(ui_.Driver().FolderRequests()[0].includeFiles);
  EXPECT_EQ(chosen, out_.string());
  EXPECT_EQ(after_cancel, out_.string());
}

TEST_F(ProductBatch, ARunDisablesTheButtonsSoAPressDuringItStartsNoSecondRun) {
  std::vector<bool> disabled_during;
  std::vector<bool> enabled_after;
  EXPECT_EQ(Run([&] {
              // Three codes and one line that fails: a second run would fail it again.
              Fill(kList, "6901234560015\r\n../6901234567\r\n6901234560022\r\n6901234560039\r\n");
              Type(kDirectory, out_.string());
              Then([&] {
                // Queued until the first code lets messages run: a look at the buttons,
                // then a second press of 批量生成.
                PostClick(ui_, H(kSave));
                PostStep(ui_, [&] {
                  for (ComponentId b : {kCompute, kChoose, kSave})
                    disabled_during.push_back(!runtime::Ui().IsEnabled(H(b)));
                });
                PostClick(ui_, H(kSave));
              });
              Then([&] {
                for (ComponentId b : {kCompute, kChoose, kSave})
                  enabled_after.push_back(runtime::Ui().IsEnabled(H(b)));
              });
            }),
            0);
  EXPECT_EQ(disabled_during, (std::vector<bool>{true, true, true}));
  EXPECT_EQ(enabled_after, (std::vector<bool>{true, true, true}));
  EXPECT_EQ(Messages(), std::vector<std::string>{kSaveFailed});
  EXPECT_EQ(Written().size(), 3u);
}

TEST_F(ProductBatch, ClosingTheWindowStopsARunAfterItsCurrentCode) {
  bool open_after = true;
  EXPECT_EQ(Run([&] {
              Range("690123456", "001", "005");
              Type(kDirectory, out_.string());
              Then([&] {
                PostClick(ui_, H(kSave));
                PostClose(ui_, H());  // reaches the window while the first code is drawn
              });
              Then([&] { open_after = IsOpen(kProductBatchWindow); });
            }),
            0);
  EXPECT_FALSE(open_after);
  EXPECT_EQ(Written(), std::vector<std::string>{"6901234560015.PNG"});
}

}  // namespace
}  // namespace barvell::app::testing
