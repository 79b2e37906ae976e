// The main window's controller and settings as a person meets them: computing and drawing
// codes, the refusals, the settings file at start and at each change, typed and pasted
// numbers, the layout on resize, the rulers and scrolling.
#include <gtest/gtest.h>

#include "main_window_session.h"
#include "picture_checks.h"

namespace barvell::app::testing {
namespace {

constexpr char kNoCode[] = "请输入编码信息";
constexpr unsigned kError = 16;

bool HasLine(const std::string& ini, const std::string& line) {
  return ("\n" + ini + "\r\n").find("\n" + line + "\r\n") != std::string::npos ||
         ("\n" + ini + "\n").find("\n" + line + "\n") != std::string::npos;
}

TEST(MainWindowSettings, FirstStartShowsTheDefaultsAndWritesTheEditBoxKeys) {
  MainWindowSession s;
  std::vector<std::string> texts;
  std::vector<int32_t> values;
  EXPECT_EQ(s.Run([&] {
              s.Check([&] {
                for (ComponentId c : {kOutputWidth, kOutputHeight, kResolution, kFontSize,
                                      kBarHeight, kGuardExtension, kTopMargin, kLeftMargin,
                                      kLineThickness}) {
                  texts.push_back(s.Text(c));
                }
                values = {s.Property(kSaveFormat, property::kCurrentSelection),
                          s.Property(kBackColour, property::kColour),
                          s.Property(kLineColour, property::kColour),
                          s.Property(kTextColour, property::kColour),
                          s.Property(kPanel, property::kWidth),
                          s.Property(kPanel, property::kHeight)};
              });
            }),
            0);
  EXPECT_EQ(texts, (std::vector<std::string>{"35", "20", "300", "3", "10", "2", "5", "5", "0.32"}));
  EXPECT_EQ(values, (std::vector<int32_t>{0, 0xFFFFFF, 0, 0, 413, 236}));
  std::string ini = FileText(s.SettingsFile());
  for (const char* line : {"输出宽度=35", "输出高度=20", "打印分辨率=300", "字体大小=3",
                           "条码高度=10", "标识加长=2", "顶部边距=5", "左边边距=5"}) {
    EXPECT_TRUE(HasLine(ini, line)) << platform::GbkToUtf8(line) << " in\n" << platform::GbkToUtf8(ini);
  }
  EXPECT_EQ(ini.find("线条粗细"), std::string::npos);
}

TEST(MainWindowSettings, StoredValuesLoadAsTheyAreAndDefaultsFillTheGaps) {
  MainWindowSession s;
  s.WriteSettings("背景颜色=255\r\n顶部边距=\r\n保存格式=7\r\n条码高度=abc\r\n");
  int32_t back = 0, format = 0;
  std::string top, bar;
  gfx::Bitmap drawn;
  EXPECT_EQ(s.Run([&] {
              s.Check([&] {
                back = s.Property(kBackColour, property::kColour);
                format = s.Property(kSaveFormat, property::kCurrentSelection);
                top = s.Text(kTopMargin);
                bar = s.Text(kBarHeight);
              });
              s.Type(kProductCode, "6901234567892");
              s.Click(kDrawProductCode);
              s.Check([&] { drawn = PanelPicture(kPanel); });
            }),
            0);
  EXPECT_EQ(back, 255);
  EXPECT_EQ(format, 2) << "limited to the last item, BMP";
  EXPECT_EQ(top, "5");
  EXPECT_EQ(bar, "abc");
  EXPECT_EQ(drawn.Pixel(0, 0), 0xFF0000u) << "red background";
  // A bar height that is no number draws the normal bars with no height at all.
  EXPECT_EQ(DarkColumns(drawn, 100, 0xFF0000).size(), 0u) << "no normal bar reaches y = 100";
  EXPECT_GT(DarkColumns(drawn, 60, 0xFF0000).size(), 0u) << "the guards still reach down 2 mm";
}

TEST(MainWindowSettings, EachChangeIsWrittenAtOnceButTheLineThicknessNever) {
  MainWindowSession s;
  std::string after_emptying, after_typing, before_thickness, after_thickness;
  EXPECT_EQ(s.Run([&] {
              s.Empty(kOutputWidth);
              s.Check([&] { after_emptying = FileText(s.SettingsFile()); });
              s.Type(kOutputWidth, "50");
              s.Check([&] { after_typing = FileText(s.SettingsFile()); });
              s.Check([&] { before_thickness = FileText(s.SettingsFile()); });
              s.Retype(kLineThickness, "1");
              s.Check([&] { after_thickness = FileText(s.SettingsFile()); });
              s.Choose(kSaveFormat, 2);
            }),
            0);
  EXPECT_TRUE(HasLine(after_emptying, "输出宽度=")) << platform::GbkToUtf8(after_emptying);
  EXPECT_TRUE(HasLine(after_typing, "输出宽度=50"));
  EXPECT_EQ(after_thickness, before_thickness);
  EXPECT_TRUE(HasLine(FileText(s.SettingsFile()), "保存格式=2"));
}

TEST(MainWindowSettings, TypedPointsAreDroppedButPastedOnesDrawAsMillimetres) {
  MainWindowSession s;
  std::string typed, pasted;
  gfx::Bitmap drawn;
  EXPECT_EQ(s.Run([&] {
              s.Retype(kBarHeight, "1.5");
              s.Check([&] { typed = s.Text(kBarHeight); });
              s.Empty(kBarHeight);
              s.Driver().Paste(s.Handle(kBarHeight), "1.5");
              s.Check([&] { pasted = s.Text(kBarHeight); });
              s.Type(kProductCode, "6901234567892");
              s.Click(kDrawProductCode);
              s.Check([&] { drawn = PanelPicture(kPanel); });
            }),
            0);
  EXPECT_EQ(typed, "15");
  EXPECT_EQ(pasted, "1.5");
  // Bars from 59 to trunc(59 + 1.5 x 11.811) = 76, guards to trunc(76 + 23.62) = 99.
  EXPECT_EQ(RunEnd(drawn, 59, 59), 99);
  std::vector<int> dark = DarkColumns(drawn, 70);
  ASSERT_FALSE(dark.empty());
  int normal_bars = 0;
  for (int x : dark) normal_bars += RunEnd(drawn, x, 59) == 76;
  EXPECT_GT(normal_bars, 0);
  EXPECT_TRUE(HasLine(FileText(s.SettingsFile()), "条码高度=1.5"));
}

TEST(MainWindowController, ComputingAndDrawingCodesAndTheRefusals) {
  MainWindowSession s;
  std::string full_after_compute, full_after_refusal;
  size_t messages_before_compute = 99;
  gfx::Bitmap uncomputed, computed, typed;
  EXPECT_EQ(s.Run([&] {
              s.Type(kFixedCode, "690123");
              s.Type(kSelfCode, "456789");
              // Drawn before 计算编码: the empty full code, without a message.
              s.Click(kDrawFullCode);
              s.Check([&] {
                uncomputed = PanelPicture(kPanel);
                messages_before_compute = s.Messages().size();
              });
              s.Click(kComputeCode);
              s.Click(kDrawFullCode);
              s.Check([&] {
                full_after_compute = s.Text(kFullCode);
                computed = PanelPicture(kPanel);
              });
              s.Type(kProductCode, "6901234567892");
              s.Click(kDrawProductCode);
              s.Check([&] { typed = PanelPicture(kPanel); });
              s.Empty(kSelfCode);
              s.Click(kComputeCode);
              s.Click(kDrawFullCode);
              s.Empty(kProductCode, 14);
              s.Click(kDrawProductCode);
              s.Check([&] { full_after_refusal = s.Text(kFullCode); });
            }),
            0);
  EXPECT_EQ(messages_before_compute, 0u);
  EXPECT_EQ(full_after_compute, "6901234567892");
  EXPECT_EQ(full_after_refusal, "6901234567892") << "a refusal leaves the full code as it was";
  EXPECT_EQ(s.Messages(), (std::vector<std::pair<std::string, unsigned>>{
                              {kNoCode, kError}, {kNoCode, kError}, {kNoCode, kError}}));
  // The empty code: guards and twelve 0 symbols, and no leading digit.
  ASSERT_FALSE(DarkColumns(uncomputed, 100).empty());
  EXPECT_EQ(DarkIn(uncomputed, 0, 177, 59, 236), 0);
  EXPECT_NE(DarkColumns(uncomputed, 100), DarkColumns(computed, 100));
  ASSERT_EQ(typed.Width(), computed.Width());
  EXPECT_TRUE(std::equal(typed.Data(), typed.Data() + 413 * 236, computed.Data()))
      << "a typed product code draws as the computed one";
}

TEST(MainWindowLayout, TheColumnKeepsToTheRightEdgeAndRefreshResizesThePanel) {
  MainWindowSession s;
  struct Layout {
    int32_t client_width, client_height, status_top, status_height, column, columns[3], ruler_width, h_max, v_max, panel_width;
  };
  auto take = [&] {
    Layout l{};
    l.client_width = ClientWidth(kWindow);
    l.client_height = ClientHeight(kWindow);
    l.status_top = s.Property(kStatusBar, property::kTop);
    l.status_height = s.Property(kStatusBar, property::kHeight);
    l.column = s.Property(kCodeGroup, property::kLeft);
    l.columns[0] = s.Property(kPictureGroup, property::kLeft);
    l.columns[1] = s.Property(kSettingsGroup, property::kLeft);
    l.columns[2] = s.Property(kSavePicture, property::kLeft);
    l.ruler_width = s.Property(kHorizontalRuler, property::kWidth);
    l.h_max = s.Property(kHorizontalBar, property::kBarMaximum);
    l.v_max = s.Property(kVerticalBar, property::kBarMaximum);
    l.panel_width = s.Property(kPanel, property::kWidth);
    return l;
  };
  Layout at_start{}, resized{}, refreshed{};
  int32_t group_width = 0, vbar_width = 0;
  EXPECT_EQ(s.Run([&] {
              s.Check([&] {
                at_start = take();
                group_width = s.Property(kCodeGroup, property::kWidth);
                vbar_width = s.Property(kVerticalBar, property::kWidth);
              });
              s.Check([&] {
                ui::WindowHandle main = s.Handle(0);
                ui::Rect r = runtime::Ui().GetRect(main);
                r.width += 200;
                r.height += 100;
                s.Driver().MoveResize(main, r);
                s.Check([&] { resized = take(); });
                s.Retype(kOutputWidth, "50");
                s.Click(kRefresh);
                s.Check([&] { refreshed = take(); });
              });
            }),
            0);
  for (const Layout* l : {&at_start, &resized, &refreshed}) {
    EXPECT_EQ(l->column, l->client_width - group_width - 2);
    for (int32_t c : l->columns) EXPECT_EQ(c, l->column);
    EXPECT_EQ(l->ruler_width, l->column - 32) << "the ruler reaches the column";
    EXPECT_EQ(l->status_top, l->client_height - l->status_height) << "the status bar at the bottom";
  }
  EXPECT_EQ(resized.client_width, at_start.client_width + 200);
  EXPECT_LT(at_start.h_max, 0) << "nothing to scroll";
  EXPECT_LT(at_start.v_max, 0);
  EXPECT_EQ(refreshed.panel_width, 590);
  EXPECT_EQ(refreshed.h_max, 590 - refreshed.ruler_width + vbar_width);
}

TEST(MainWindowLayout, ScrollingMovesThePanelUnderTheRulers) {
  MainWindowSession s;
  int32_t position = 0, left = 0, top = 0;
  EXPECT_EQ(s.Run([&] {
              s.Retype(kOutputWidth, "100");
              s.Click(kRefresh);
              s.Driver().Focus(s.Handle(kHorizontalBar));
              for (int i = 0; i < 3; ++i) s.Driver().PressKey(ui::key::kRight);
              s.Check([&] {
                position = s.Property(kHorizontalBar, property::kBarPosition);
                left = s.Property(kPanel, property::kLeft);
                top = s.Property(kPanel, property::kTop);
              });
            }),
            0);
  EXPECT_GT(position, 0);
  EXPECT_EQ(left, 32 - position);
  EXPECT_EQ(top, 32);
}

TEST(MainWindowRulers, TicksAndCentimetreLabelsAndNoneAtResolutionZero) {
  MainWindowSession s;
  gfx::Bitmap across, down, across_at_zero;
  EXPECT_EQ(s.Run([&] {
              s.Check([&] {
                across = PanelPicture(kHorizontalRuler);
                down = PanelPicture(kVerticalRuler);
              });
              s.Retype(kResolution, "0");
              s.Click(kRefresh);
              s.Check([&] { across_at_zero = PanelPicture(kHorizontalRuler); });
            }),
            0);
  ASSERT_FALSE(across.Empty());
  const uint32_t ground = across.Pixel(70, 5);
  auto ink = [&](const gfx::Bitmap& b, int x, int y) { return b.Pixel(x, y) != ground; };
  // Centimetre, half-centimetre and millimetre ticks of 20, 15 and 10 pixels.
  for (auto [p, from] : {std::pair{118, 12}, {59, 17}, {11, 22}, {236, 12}}) {
    for (int y = from; y < 32; ++y) EXPECT_TRUE(ink(across, p, y)) << p << "," << y;
    for (int y = from; y < 32; ++y) EXPECT_TRUE(ink(down, y, p)) << y << "," << p;
  }
  EXPECT_FALSE(ink(across, 59, 16));
  EXPECT_FALSE(ink(across, 11, 21));
  EXPECT_FALSE(ink(across, 12, 25)) << "between two millimetre ticks";
  // The label "1" centred on its tick, nothing written between the labels.
  EXPECT_GT(DarkIn(across, 110, 1, 127, 12, ground), 0);
  EXPECT_EQ(DarkIn(across, 20, 0, 100, 12, ground), 0);
  EXPECT_GT(DarkIn(across, 0, 1, 10, 12, ground), 0) << "the label 0 in the corner";
  EXPECT_EQ(DarkIn(across_at_zero, 0, 0, across_at_zero.Width(), 32, ground), 0)
      << "no ticks at resolution 0";
}

}  // namespace
}  // namespace barvell::app::testing
