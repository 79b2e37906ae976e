// The main window's Code 39 生成图片 run headless with the default settings (300 dpi,
// module 3, left 59, top 59, bar bottom 177): the bars of the symbol and the text centred
// one millimetre under them, read back from the panel's picture.
#include <gtest/gtest.h>

#include <string>

#include "bmp_pixels.h"
#include "code39.h"
#include "draw_metrics.h"
#include "headless_program.h"
#include "main_window_controls.h"
#include "panel_calls.h"

namespace barvell::app::testing {
namespace {

constexpr PanelRef kPanel{main_window::kWindow, main_window::kPanel};

struct Drawn {
  BmpPixels picture{""};
  int32_t cursor = -1;
  int32_t text_width = 0;
  std::string modules;  // the symbol's, as the encoder gives them
};

BmpPixels PanelPicture() {
  ByteArray bytes = GetPicture(kPanel);
  return BmpPixels(std::string(reinterpret_cast<const char*>(bytes.Data()), bytes.Size()));
}

// Draws the text from the main window's Code 39 box.
Drawn DrawFromTheMainWindow(const std::string& utf8, ui::HeadlessWindowSystem& ui) {
  Drawn drawn;
  ui.Driver().Do([&] {
    ui.Driver().TypeInto(Control(kMainWindow, main_window::kCode39Text), utf8);
    ui.Driver().Click(Control(kMainWindow, main_window::kDrawCode39));
    ui.Driver().Do([&] {
      drawn.picture = PanelPicture();
      drawn.cursor = Metrics().cursor;
      drawn.text_width = TextWidth(kPanel, utf8);
      drawn.modules = Code39Symbol(utf8);
    });
  });
  EXPECT_EQ(RunTheProgram(ui), 0);
  return drawn;
}

bool AnyDark(const BmpPixels& p, int x1, int x2, int y1, int y2) {
  for (int y = y1; y < y2; ++y)
    for (int x = x1; x < x2; ++x)
      if (p.Dark(x, y)) return true;
  return false;
}

TEST(Code39Drawing, TheTextOneIsThirtyNineModulesWithItsTextCentredBelow) {
  ui::HeadlessWindowSystem ui;
  const Drawn d = DrawFromTheMainWindow("1", ui);
  ASSERT_EQ(d.picture.Width(), 413);
  ASSERT_EQ(d.picture.Height(), 236);
  EXPECT_EQ(d.cursor, 117);

  const std::string& modules = d.modules;
  ASSERT_EQ(modules.size(), 39u);
  for (int m = 0; m < 39; ++m) {
    for (int x = 59 + 3 * m; x < 62 + 3 * m; ++x) {
      EXPECT_EQ(d.picture.Dark(x, 59), modules[m] == '1') << "module " << m << " at the top";
      EXPECT_EQ(d.picture.Dark(x, 176), modules[m] == '1') << "module " << m << " at the bottom";
    }
  }
  EXPECT_FALSE(AnyDark(d.picture, 0, 413, 0, 59)) << "nothing above the bars";
  EXPECT_FALSE(AnyDark(d.picture, 0, 59, 59, 177)) << "nothing left of the symbol";
  EXPECT_FALSE(AnyDark(d.picture, 176, 413, 59, 177)) << "nothing right of the symbol";
  EXPECT_FALSE(AnyDark(d.picture, 0, 413, 177, 188)) << "the text starts at y 188";

  const int x = int((117 - d.text_width) / 2.0 + 59);
  EXPECT_TRUE(AnyDark(d.picture, x, x + d.text_width, 188, 236));
  EXPECT_FALSE(AnyDark(d.picture, 0, x, 188, 236));
  EXPECT_FALSE(AnyDark(d.picture, x + d.text_width, 413, 188, 236));
}

TEST(Code39Drawing, SkippedCharactersStayInTheText) {
  ui::HeadlessWindowSystem ui;
  const Drawn d = DrawFromTheMainWindow("#", ui);
  EXPECT_EQ(d.cursor, 78) << "start and stop only";
  const int x = int((78 - d.text_width) / 2.0 + 59);
  EXPECT_TRUE(AnyDark(d.picture, x, x + d.text_width, 188, 236)) << "the # is written";
  EXPECT_FALSE(AnyDark(d.picture, 59 + 78, 413, 59, 177));
}

TEST(Code39Drawing, AnEmptyTextIsRefusedAndThePanelKeepsItsPicture) {
  ui::HeadlessWindowSystem ui;
  std::string before, after;
  ui.Driver().Do([&] {
    ui.Driver().TypeInto(Control(kMainWindow, main_window::kCode39Text), "A");
    ui.Driver().Click(Control(kMainWindow, main_window::kDrawCode39));
    ui.Driver().Do([&] {
      before = PanelPicture().Rows(0, 236);
      runtime::Ui().SetText(Control(kMainWindow, main_window::kCode39Text), "");
    });
    ui.Driver().Click(Control(kMainWindow, main_window::kDrawCode39));
    ui.Driver().Do([&] { after = PanelPicture().Rows(0, 236); });
  });
  EXPECT_EQ(RunTheProgram(ui), 0);
  ASSERT_EQ(ui.Driver().MessageBoxes().size(), 1u);
  EXPECT_EQ(ui.Driver().MessageBoxes()[0].text, Utf8(u8"请输入编码信息"));
  EXPECT_EQ(ui.Driver().MessageBoxes()[0].style & ui::mb::kIconMask, ui::mb::kIconError);
  EXPECT_FALSE(before.empty());
  EXPECT_EQ(before, after);
}

}  // namespace
}  // namespace barvell::app::testing
