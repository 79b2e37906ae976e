#include "platform/gfx/device.h"
#include "platform/gfx/font.h"
#include "platform/gfx/glyph.h"
#include "platform/gfx/text.h"
#include "platform/text/gbk.h"

#include <gtest/gtest.h>

#include <set>

namespace barvell::gfx {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

struct Ink {
  int count = 0;
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // bounds, right/bottom exclusive
};

Ink InkOf(const Bitmap& b, std::uint32_t paper = kWhite) {
  Ink ink;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.Pixel(x, y) != paper) {
        ++ink.count;
        ink.left = std::min(ink.left, x), ink.top = std::min(ink.top, y);
        ink.right = std::max(ink.right, x + 1), ink.bottom = std::max(ink.bottom, y + 1);
      }
  return ink;
}

FontRequest Ask(const std::string& face, int height) {
  FontRequest s;
  s.face = face;
  s.height = height;
  return s;
}

TEST(GfxFont, PointsBecomeNegativePixelHeightsRoundedAsMulDiv) {
  EXPECT_EQ(HeightFromPoints(9, 96), -12);
  EXPECT_EQ(HeightFromPoints(26, 96), -35);  // 34.67 rounds up
  EXPECT_EQ(HeightFromPoints(-53, 96), -71);  // the sign of the size does not matter
  EXPECT_EQ(DefaultGuiFontRequest().height, -12);
}

TEST(GfxFont, SongNamesAndTheDefaultFaceUseTheSongFace) {
  for (const char* name : {"宋体", "新宋体", "SimSun", "nsimsun", ""}) {
    EXPECT_EQ(Font::Create(Ask(name, -24))->FamilyName(), "AR PL UMing CN") << name;
  }
  EXPECT_EQ(Font::DefaultGui()->FamilyName(), "AR PL UMing CN");
  // The home platform's other Chinese faces keep the monospaced CJK face.
  for (const char* name : {"黑体", "微软雅黑", "MS Shell Dlg"}) {
    EXPECT_EQ(Font::Create(Ask(name, -24))->FamilyName(), "WenQuanYi Micro Hei Mono") << name;
  }
}

// The metrics the layouts are made for: at the default digit size (26 points, a 35-pixel
// em) every Latin character advances half an em and a line is 37 pixels; at 9 points
// (the default GUI font) 6 pixels.
TEST(GfxFont, DefaultFaceHasHalfWidthLatinInAnEmHighCell) {
  const auto digits = Font::Create(Ask("宋体", HeightFromPoints(26, 96)));
  EXPECT_EQ(digits->PixelSize(), 35);
  for (const char* text : {"8", "0", "1", "W", "i", " "}) EXPECT_EQ(MeasureText(*digits, text).width, 18) << text;
  EXPECT_EQ(MeasureText(*digits, "6901234567892").width, 13 * 18);
  EXPECT_EQ(MeasureText(*digits, "8").height, 37);
  EXPECT_EQ(MeasureText(*digits, "条码").width, 2 * 35);

  const auto gui = Font::DefaultGui();
  EXPECT_EQ(gui->PixelSize(), 12);
  EXPECT_EQ(MeasureText(*gui, "8").width, 6);
  EXPECT_EQ(MeasureText(*gui, "中").width, 12);
  EXPECT_GT(gui->Ascent(), 0);
  EXPECT_GT(gui->Descent(), 0);
}

TEST(GfxFont, MissingFacesFallBackAndStillDraw) {
  for (const char* name : {"NoSuchFace Xyzzy", "不存在的字体"}) {
    SCOPED_TRACE(name);
    const auto font = Font::Create(Ask(name, -20));
    ASSERT_TRUE(font->HasFace());
    Bitmap b(120, 40, kWhite);
    DrawText(b, *font, 2, 2, "A1中", 0, std::nullopt);
    EXPECT_GT(InkOf(b).count, 10);
  }
  // An unknown Chinese name goes to the Chinese face, not to some Latin face.
  EXPECT_EQ(Font::Create(Ask("不存在的字体", -20))->FamilyName(), "WenQuanYi Micro Hei Mono");
}

TEST(GfxFont, SameDescriptionSharesOneFont) {
  const auto a = Font::Create(Ask("宋体", -30));
  const auto b = Font::Create(Ask("宋体", -30));
  EXPECT_EQ(a.get(), b.get());
  FontRequest other = Ask("宋体", -30);
  other.bold = true;
  EXPECT_NE(Font::Create(other).get(), a.get());
}

TEST(GfxFont, PositiveHeightIsTheCellHeight) {
  const auto font = Font::Create(Ask("宋体", 40));
  EXPECT_NEAR(font->Height(), 40, 1);
  EXPECT_LT(font->PixelSize(), 40);
}

TEST(GfxFont, AbsurdSizesAreBounded) {
  const auto huge = Font::Create(Ask("宋体", -2000000000));
  EXPECT_EQ(huge->PixelSize(), 4096);
  Bitmap b(50, 50, kWhite);
  DrawText(b, *huge, -100, -100, "8", 0, std::nullopt);  // renders one bounded glyph
  EXPECT_EQ(Font::Create(Ask("宋体", 2147483647))->PixelSize(), 4096);
  EXPECT_EQ(Font::Create(Ask("宋体", -2147483647 - 1))->PixelSize(), 4096);
}

TEST(GfxText, ExtentIsTheAdvanceSumAndTheCellHeight) {
  const auto font = Font::Create(Ask("宋体", -35));
  const TextExtent ab = MeasureText(*font, "ab");
  EXPECT_EQ(ab.width, MeasureText(*font, "a").width + MeasureText(*font, "b").width);
  EXPECT_EQ(ab.height, font->Ascent() + font->Descent());
  EXPECT_EQ(MeasureText(*font, "").width, 0);
  EXPECT_GT(MeasureText(*font, "条码生成").width, 3 * MeasureText(*font, "0").width * 2);
}

TEST(GfxText, DigitsDrawInsideTheirMeasuredCellInOneColour) {
  for (int height : {-12, -26, -35, -53}) {
    SCOPED_TRACE(height);
    const auto font = Font::Create(Ask("宋体", height));
    const std::string code = "6901234567892";
    const TextExtent e = MeasureText(*font, code);
    Bitmap b(e.width + 40, e.height + 40, kWhite);
    DrawText(b, *font, 20, 20, code, 0x123456, std::nullopt);
    const Ink ink = InkOf(b);
    ASSERT_GT(ink.count, 13);
    EXPECT_GE(ink.left, 20);
    EXPECT_GE(ink.top, 20);
    EXPECT_LE(ink.right, 20 + e.width);
    EXPECT_LE(ink.bottom, 20 + e.height);
    // No anti-aliasing: only the ink colour and the paper.
    std::set<std::uint32_t> colours(b.Data(), b.Data() + b.Width() * b.Height());
    EXPECT_EQ(colours, (std::set<std::uint32_t>{0x123456, kWhite}));
  }
}

// Glyph images are drawn as runs of pixels, so a cut at any pixel of a run, on either
// side, must leave exactly the visible part of the whole drawing.
TEST(GfxText, TextCutByTheBitmapsEdgesShowsThePartOfTheWholeDrawing) {
  const auto font = Font::Create(Ask("宋体", -26));
  const std::string text = "6901";
  const TextExtent e = MeasureText(*font, text);
  constexpr int kAt = 40;  // room on every side for each cut compared below
  Bitmap whole(e.width + 2 * kAt, e.height + 2 * kAt, kWhite);
  DrawText(whole, *font, kAt, kAt, text, 0, std::nullopt);
  ASSERT_GT(InkOf(whole).count, 20);
  for (int x = -e.width + 1; x < 24; ++x) {
    for (int y : {-7, 0, 5}) {
      SCOPED_TRACE(testing::Message() << x << "," << y);
      Bitmap cut(24, e.height - 2, kWhite);
      DrawText(cut, *font, x, y, text, 0, std::nullopt);
      for (int cy = 0; cy < cut.Height(); ++cy)
        for (int cx = 0; cx < cut.Width(); ++cx)
          ASSERT_EQ(cut.Pixel(cx, cy), whole.Pixel(cx - x + kAt, cy - y + kAt)) << cx << "," << cy;
    }
  }
}

// The runs a glyph is drawn by are its image's set bits, no more and no fewer.
TEST(GfxText, DrawnGlyphsAreExactlyTheirImages) {
  for (const bool bold : {false, true}) {
    FontRequest ask = Ask("宋体", -35);
    ask.bold = bold;
    ask.italic = bold;
    const auto font = Font::Create(ask);
    for (const std::string text : {"8", "0", "W", "条", "%"}) {
      SCOPED_TRACE(text);
      const GlyphImage* g = font->Glyph(DecodeUtf8(text)[0]);
      ASSERT_NE(g, nullptr);
      Bitmap b(80, 80, kWhite);
      DrawText(b, *font, 10, 10, text, 0, std::nullopt);
      const int left = 10 + g->left, top = 10 + font->Ascent() - g->top;
      int set = 0;
      for (int y = 0; y < g->rows; ++y)
        for (int x = 0; x < g->width; ++x) {
          set += g->At(x, y);
          ASSERT_EQ(b.Pixel(left + x, top + y), g->At(x, y) ? 0u : kWhite) << x << "," << y;
        }
      EXPECT_EQ(InkOf(b).count, set);
    }
  }
}

TEST(GfxText, ChineseFromGbkRendersLikeTheUtf8Literal) {
  const auto font = Font::DefaultGui();
  const std::string gbk = "\xCC\xF5\xC2\xEB\xC9\xFA\xB3\xC9";  // 条码生成
  Bitmap viaGbk(80, 20, kWhite), literal(80, 20, kWhite);
  DrawText(viaGbk, *font, 0, 0, platform::GbkToUtf8(gbk), 0, std::nullopt);
  DrawText(literal, *font, 0, 0, "条码生成", 0, std::nullopt);
  EXPECT_GT(InkOf(literal).count, 40);
  EXPECT_TRUE(std::equal(viaGbk.Data(), viaGbk.Data() + 80 * 20, literal.Data()));
}

TEST(GfxText, OpaqueBackgroundFillsExactlyTheCell) {
  const auto font = Font::Create(Ask("宋体", -20));
  const TextExtent e = MeasureText(*font, "12");
  Bitmap b(60, 40, 0xFF0000);
  Device dc(b);
  dc.SelectFont(font);
  dc.SetBkMode(BkMode::kOpaque);
  dc.SetBkColor(0x00FFFFFF);
  dc.SetTextColor(0);
  dc.TextOut(5, 6, "12");
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x) {
      const bool cell = x >= 5 && x < 5 + e.width && y >= 6 && y < 6 + e.height;
      if (cell) ASSERT_NE(b.Pixel(x, y), 0xFF0000u) << x << "," << y;
      else ASSERT_EQ(b.Pixel(x, y), 0xFF0000u) << x << "," << y;
    }

  // Transparent: the paper shows between the strokes.
  Bitmap t(60, 40, 0xFF0000);
  Device dc2(t);
  dc2.SelectFont(font);
  dc2.SetBkMode(BkMode::kTransparent);
  dc2.TextOut(5, 6, "12");
  const Ink ink = InkOf(t, 0xFF0000);
  EXPECT_GT(ink.count, 0);
  EXPECT_LT(ink.count, e.width * e.height / 2);
}

TEST(GfxText, BoldInksMoreAndUnderlineSpansTheWidth) {
  FontRequest regular = Ask("宋体", -30);
  FontRequest bold = regular;
  bold.bold = true;
  FontRequest underlined = regular;
  underlined.underline = true;
  const auto draw = [](const FontRequest& s, int* width) {
    const auto font = Font::Create(s);
    *width = MeasureText(*font, "88").width;
    Bitmap b(100, 50, kWhite);
    DrawText(b, *font, 0, 0, "88", 0, std::nullopt);
    return b;
  };
  int w = 0, wb = 0, wu = 0;
  const Bitmap r = draw(regular, &w), b = draw(bold, &wb), u = draw(underlined, &wu);
  EXPECT_GT(InkOf(b).count, InkOf(r).count);
  EXPECT_GE(wb, w);
  EXPECT_EQ(wu, w);
  // Some row of the underlined text is inked across the whole measured width.
  bool fullRow = false;
  for (int y = 0; y < 50 && !fullRow; ++y) {
    int n = 0;
    for (int x = 0; x < w; ++x) n += u.Pixel(x, y) == 0;
    fullRow = n == w;
  }
  EXPECT_TRUE(fullRow);
}

TEST(GfxText, EscapementRotatesCounterClockwiseAboutTheCellCorner) {
  FontRequest s = Ask("宋体", -20);
  s.escapement = 900 + 3600;  // brought into range: 90 degrees
  const auto font = Font::Create(s);
  EXPECT_EQ(font->Request().escapement, 900);
  const TextExtent e = MeasureText(*font, "12345");
  Bitmap b(100, 140, kWhite);
  DrawText(b, *font, 20, 120, "12345", 0, std::nullopt);
  const Ink ink = InkOf(b);
  ASSERT_GT(ink.count, 10);
  // Written upwards from (20, 120); the cell's height lies to the right of x = 20.
  EXPECT_GE(ink.left, 20);
  EXPECT_LE(ink.right, 20 + e.height + 1);
  EXPECT_GE(ink.top, 120 - e.width - 1);
  EXPECT_LE(ink.bottom, 121);
  EXPECT_GT(ink.bottom - ink.top, ink.right - ink.left);
}

TEST(GfxText, MalformedUtf8BecomesReplacementCharacters) {
  EXPECT_EQ(DecodeUtf8("a\xFF" "b"), U"a\uFFFDb");
  EXPECT_EQ(DecodeUtf8("\xE4\xB8"), U"\uFFFD\uFFFD");  // cut short at the end
  EXPECT_EQ(DecodeUtf8("\xC0\xAF"), U"\uFFFD\uFFFD");  // overlong
  EXPECT_EQ(DecodeUtf8("中"), U"中");
  // Drawing such text must not crash and still draws the good characters.
  Bitmap b(60, 20, kWhite);
  DrawText(b, *Font::DefaultGui(), -5, -3, "\xE4\xB8" "AB\xFF", 0, std::nullopt);
  EXPECT_GT(InkOf(b).count, 0);
}

}  // namespace
}  // namespace barvell::gfx
