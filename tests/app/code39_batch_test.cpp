// The Code 39 batch window run headless: the increment formula, the help label, and the
// run that saves every listed code, whatever its characters, under its own name.
#include <gtest/gtest.h>

#include <filesystem>

#include "batch_window_fixture.h"
#include "bmp_pixels.h"
#include "main_window_controls.h"
#include "program_windows.h"

namespace barvell::app::testing {
namespace {

constexpr ComponentId kHelp = 0x16010271;
constexpr ComponentId kFormula = 0x16010270;
constexpr ComponentId kGenerate = 0x1601026E;
constexpr ComponentId kStep = 0x1601026D;
constexpr ComponentId kEnd = 0x1601026B;
constexpr ComponentId kStart = 0x16010269;
constexpr ComponentId kChoose = 0x1601025A;
constexpr ComponentId kDirectory = 0x1601025B;
constexpr ComponentId kSave = 0x1601025D;
constexpr ComponentId kList = 0x1601025E;

const std::string kSetCodes = Utf8(u8"请设置编码信息");
const std::string kBadFormula = Utf8(u8"公式设置错误,请按规定设置");

class Code39Batch : public BatchWindowTest {
 protected:
  Code39Batch() : BatchWindowTest(kCode39BatchWindow, main_window::kCode39Batch, kList) {}

  struct Series {
    const char* formula;
    const char* start;
    const char* end;
    const char* step;
  };
  // Lists one series into an emptied list; the lines and any new message land in `out`.
  struct Outcome {
    std::vector<std::string> lines;
    std::vector<std::string> messages;
  };
  void Generate(const Series& s, Outcome& out) {
    Fill(kList, "");
    Fill(kFormula, s.formula);
    Fill(kStart, s.start);
    Fill(kEnd, s.end);
    Fill(kStep, s.step);
    Then([this] { message_count_ = Messages().size(); });
    Press(kGenerate);
    Then([this, &out] {
      out.lines = ListLines();
      std::vector<std::string> all = Messages();
      out.messages.assign(all.begin() + long(message_count_), all.end());
    });
  }

  size_t message_count_ = 0;
};

TEST_F(Code39Batch, TheFormulaTableHoldsLineForLine) {
  struct Row {
    Series series;
    std::vector<std::string> lines;
    std::vector<std::string> messages;
  };
  const std::vector<Row> rows = {
      {{"AT?n3?", "1", "4", "1"}, {"AT001", "AT002", "AT003", "AT004"}, {}},
      {{"AT?n3?", "1", "10", "3"}, {"AT001", "AT004", "AT007", "AT010"}, {}},
      {{"AT?n3?", "1500", "1500", "1"}, {"AT1500"}, {}},
      {{"", "8", "10", "1"}, {"8", "9", "10"}, {}},
      {{"?n4?", "1", "1", "1"}, {"0001"}, {}},
      {{"AT?n?", "1", "2", "1"}, {"AT1", "AT2"}, {}},
      {{"AT?n2?-X?", "5", "5", "1"}, {"AT05-X?"}, {}},
      {{"AT?n3?", "5", "3", "1"}, {}, {}},
      {{"AT?n3", "1", "4", "1"}, {}, {kBadFormula}},
      {{"AT?N3?", "1", "4", "1"}, {}, {kBadFormula}},
      {{"AT?n3?", "1", "", "1"}, {}, {kSetCodes}},
  };
  std::vector<Outcome> outcomes(rows.size());
  EXPECT_EQ(Run([&] {
              for (size_t i = 0; i < rows.size(); ++i) Generate(rows[i].series, outcomes[i]);
            }),
            0);
  for (size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(std::string("formula \"") + rows[i].series.formula + "\" from " +
                 rows[i].series.start + " to " + rows[i].series.end);
    EXPECT_EQ(outcomes[i].lines, rows[i].lines);
    EXPECT_EQ(outcomes[i].messages, rows[i].messages);
  }
}

TEST_F(Code39Batch, SeriesThatWouldNotEndOrWouldFillMemoryAreRefused) {
  std::vector<Outcome> out(7);
  EXPECT_EQ(Run([&] {
              Generate({"AT?n3?", "1", "4", "0"}, out[0]);
              Generate({"AT?n3?", "1", "4", "-1"}, out[1]);
              Generate({"AT?n3?", "4", "1", "0"}, out[2]);  // nothing to list anyway
              Generate({"", "2147483640", "2147483647", "5"}, out[3]);
              Generate({"", "0", "1000000", "1"}, out[4]);
              Generate({"", "2", "2000000", "2"}, out[5]);  // exactly the bound
              Generate({"?n4?", "-5", "-5", "1"}, out[6]);
            }),
            0);
  EXPECT_EQ(out[0].messages, std::vector<std::string>{kSetCodes});
  EXPECT_TRUE(out[0].lines.empty());
  EXPECT_EQ(out[1].messages, std::vector<std::string>{kSetCodes});
  EXPECT_TRUE(out[2].messages.empty());
  EXPECT_TRUE(out[2].lines.empty());
  EXPECT_EQ(out[3].lines, (std::vector<std::string>{"2147483640", "2147483645"}));
  EXPECT_EQ(out[4].messages, std::vector<std::string>{kTooManyCodes});
  EXPECT_TRUE(out[4].lines.empty());
  EXPECT_TRUE(out[5].messages.empty());
  ASSERT_EQ(out[5].lines.size(), 1000000u);
  EXPECT_EQ(out[5].lines.back(), "2000000");
  // The zeros stand in front of the minus sign.
  EXPECT_EQ(out[6].lines, std::vector<std::string>{"00-5"});
}

TEST_F(Code39Batch, EveryPressAppendsAndTheHelpLabelExplainsTheFormula) {
  std::string twice;
  EXPECT_EQ(Run([&] {
              Fill(kFormula, "B?n2?");
              Type(kStart, "1");
              Type(kEnd, "2");
              Type(kStep, "1");
              Press(kGenerate);
              Press(kGenerate);
              Then([&] { twice = ListText(); });
              Press(kHelp);
            }),
            0);
  EXPECT_EQ(twice, "B01\r\nB02\r\nB01\r\nB02\r\n");
  ASSERT_EQ(ui_.Driver().MessageBoxes().size(), 1u);
  const ui::MessageBoxRequest& help = ui_.Driver().MessageBoxes()[0];
  EXPECT_EQ(help.text,
            Utf8(u8"注:增量部分用?n*?表示其中*为保留位数,例如AT?n3?,起始位置为1那么就会生成AT001,"
                 u8"每次增加1则生产AT002、AT003、AT004依次类推直至结束位置;如果留空则按起始位置到"
                 u8"终止为止依次增加"));
  EXPECT_EQ(help.style & ui::mb::kIconMask, ui::mb::kIconInformation);
}

TEST_F(Code39Batch, EveryNonEmptyLineIsDrawnAndSavedUnderItsOwnName) {
  EXPECT_EQ(Run([&] {
              Then([] { runtime::Ui().SetCurrent(Control(kMainWindow, main_window::kSaveFormat), 2); });
              Fill(kList, "ab-1\r\nAB-1\r\n\r\nA#B\r\nAT001\r\nAB/1\r\n");
              Type(kDirectory, out_.string());
              Press(kSave);
            }),
            0);
  // "AB/1" names a path, not a file in the directory.
  EXPECT_EQ(Messages(), std::vector<std::string>{kSaveFailed});
  EXPECT_EQ(Written(), (std::vector<std::string>{"A#B.BMP", "AB-1.BMP", "AT001.BMP", "ab-1.BMP"}));
  // The same bars from top 59 to bar bottom 177; only the text under them differs.
  const BmpPixels lower = BmpPixels::OfFile(out_ / "ab-1.BMP");
  const BmpPixels upper = BmpPixels::OfFile(out_ / "AB-1.BMP");
  ASSERT_EQ(lower.Height(), 236);
  EXPECT_EQ(lower.Rows(59, 177), upper.Rows(59, 177));
  EXPECT_NE(lower.Rows(177, 236), upper.Rows(177, 236));
  if (!HaveZbar()) GTEST_SKIP() << "no zbarimg";
  EXPECT_EQ(Scan(out_ / "ab-1.BMP"), "CODE-39:AB-1");
  EXPECT_EQ(Scan(out_ / "AT001.BMP"), "CODE-39:AT001");
  EXPECT_EQ(Scan(out_ / "A#B.BMP"), "CODE-39:AB");
}

TEST_F(Code39Batch, SharesTheRefusalsAndTheChooserOfTheLowerHalf) {
  ui_.Driver().AnswerFolder(out_.string());
  std::string chosen;
  EXPECT_EQ(Run([&] {
              Press(kSave);
              Press(kChoose);
              Then([&] { chosen = runtime::Ui().GetText(H(kDirectory)); });
              Press(kSave);
            }),
            0);
  EXPECT_EQ(Messages(), (std::vector<std::string>{kNoDirectory, kEmptyList}));
  ASSERT_EQ(ui_.Driver().FolderRequests().size(), 1u);
  EXPECT_EQ(ui_.Driver().FolderRequests()[0].title, Utf8(u8"请选择文件夹"));
  EXPECT_EQ(chosen, out_.string());
}

}  // namespace
}  // namespace barvell::app::testing
