#include "platform/gfx/blit.h"
#include "platform/gfx/device.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <functional>

namespace barvell::gfx {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr ColorRef kRedRef = 0x0000FF;  // COLORREF red
constexpr std::uint32_t kRed = 0xFF0000;

// Every pixel for which `inked` holds has `ink`, every other one `paper`.
void ExpectPixels(const Bitmap& b, const std::function<bool(int, int)>& inked, std::uint32_t ink,
                  std::uint32_t paper) {
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      ASSERT_EQ(b.Pixel(x, y), inked(x, y) ? ink : paper) << "at " << x << "," << y;
}

TEST(GfxColour, ColorRefAndRasterLayoutsSwapRedAndBlue) {
  EXPECT_EQ(ToRgb(0x00112233), 0x332211u);
  EXPECT_EQ(ToColorRef(0x332211), 0x00112233u);
  EXPECT_EQ(ToRgb(0xFF000000), 0u);  // the top byte never reaches the raster
  Bitmap b(2, 1, kWhite);
  Device dc(b);
  dc.SetPixel(1, 0, kRedRef);
  EXPECT_EQ(b.Pixel(1, 0), kRed);
  EXPECT_EQ(dc.GetPixel(1, 0), kRedRef);
}

TEST(GfxFill, RectangleIncludesLeftTopAndExcludesRightBottom) {
  Bitmap b(10, 8, kWhite);
  Device dc(b);
  dc.FillRect({2, 1, 5, 4}, Brush::Solid(kRedRef));
  ExpectPixels(b, [](int x, int y) { return x >= 2 && x < 5 && y >= 1 && y < 4; }, kRed, kWhite);

  // Reversed or empty rectangles paint nothing; clipping keeps writes inside.
  Bitmap c(4, 4, kWhite);
  Device dc2(c);
  dc2.FillRect({3, 3, 1, 1}, Brush::Solid(0));
  dc2.FillRect({2, 2, 2, 3}, Brush::Solid(0));
  dc2.FillRect({-5, -5, 1, 100}, Brush::Solid(0));
  ExpectPixels(c, [](int x, int) { return x == 0; }, 0, kWhite);

  // A wide area (filled a row at a time from its first row) keeps to its columns as well,
  // and so does a bitmap made in a colour.
  Bitmap wide(300, 6, kRed);
  Device dc3(wide);
  dc3.FillRect({7, 2, 290, 5}, Brush::Solid(0xFFFFFF));
  ExpectPixels(wide, [](int x, int y) { return x >= 7 && x < 290 && y >= 2 && y < 5; }, kWhite, kRed);
}

// Narrow bars are filled by loops made for each small width, a few rows a pass: every
// width up to and past them, whole and cut by either edge of the bitmap, and every height
// around a pass, keeps to its own pixels.
TEST(GfxFill, NarrowRectanglesOfEveryWidthKeepToTheirColumns) {
  for (int width = 1; width <= 20; ++width) {
    for (int left : {-3, 0, 5, 30 - width, 27}) {
      for (int height : {1, 3, 4, 5, 7, 8, 9, 12, 13}) {
        SCOPED_TRACE(testing::Message() << "width " << width << " left " << left << " height " << height);
        Bitmap b(30, 15, kWhite);
        Device dc(b);
        const int top = 2, bottom = 2 + height;
        dc.FillRect({left, top, left + width, bottom}, Brush::Solid(kRedRef));
        ExpectPixels(b, [&](int x, int y) { return x >= left && x < left + width && y >= top && y < bottom; },
                     kRed, kWhite);
      }
    }
  }
}

TEST(GfxFill, FillRectCopiesWhateverTheRasterOpButPaintRectAppliesIt) {
  Bitmap b(4, 1, 0x00FF00);
  Device dc(b);
  dc.SetRop2(RasterOp::kXorPen);
  dc.FillRect({0, 0, 2, 1}, Brush::Solid(kRedRef));
  dc.SelectBrush(Brush::Solid(kRedRef));
  dc.PaintRect({2, 0, 4, 1});
  EXPECT_EQ(b.Pixel(0, 0), kRed);
  EXPECT_EQ(b.Pixel(3, 0), 0xFFFF00u);
}

// The pixels a hatch style inks, as drawn in the design notes of each style.
bool HatchInked(HatchStyle s, int x, int y) {
  const int u = x % 8, v = y % 8;
  switch (s) {
    case HatchStyle::kHorizontal: return v == 0;
    case HatchStyle::kVertical: return u == 0;
    case HatchStyle::kFDiagonal: return u == v;
    case HatchStyle::kBDiagonal: return u + v == 7;
    case HatchStyle::kCross: return u == 0 || v == 0;
    case HatchStyle::kDiagCross: return u == v || u + v == 7;
  }
  return false;
}

TEST(GfxFill, HatchBrushesInkTheirLinesAndLeaveGapsByBackgroundMode) {
  for (int i = 0; i < 6; ++i) {
    const auto style = static_cast<HatchStyle>(i);
    SCOPED_TRACE(i);
    Bitmap b(16, 16, kWhite);
    Device dc(b);
    dc.SetBkMode(BkMode::kTransparent);
    dc.FillRect({0, 0, 16, 16}, Brush::Hatch(style, kRedRef));
    ExpectPixels(b, [&](int x, int y) { return HatchInked(style, x, y); }, kRed, kWhite);

    // Opaque: the gaps take the background colour. The pattern is anchored to the
    // bitmap, not to the rectangle.
    Bitmap c(16, 16, kWhite);
    Device dc2(c);
    dc2.SetBkMode(BkMode::kOpaque);
    dc2.SetBkColor(0);
    dc2.FillRect({3, 5, 16, 16}, Brush::Hatch(style, kRedRef));
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const std::uint32_t want = (x < 3 || y < 5) ? kWhite : HatchInked(style, x, y) ? kRed : 0u;
        ASSERT_EQ(c.Pixel(x, y), want) << x << "," << y;
      }
  }
}

TEST(GfxFill, HollowBrushPaintsNothingAndPatternBrushReadsRowBits) {
  Bitmap b(8, 2, kWhite);
  Device dc(b);
  dc.FillRect({0, 0, 8, 2}, Brush::Hollow());
  ExpectPixels(b, [](int, int) { return false; }, 0, kWhite);
  dc.SetBkMode(BkMode::kTransparent);
  dc.FillRect({0, 0, 8, 2}, Brush::FromPattern({0xA0, 0x01, 0, 0, 0, 0, 0, 0}, 0));
  ExpectPixels(b, [](int x, int y) { return (y == 0 && (x == 0 || x == 2)) || (y == 1 && x == 7); }, 0, kWhite);
}

// Each binary raster operation, checked bit by bit against its truth table: operation n
// sets a result bit to bit (2 * pen + dest) of n - 1.
TEST(GfxRasterOp, AllSixteenFollowTheirTruthTables) {
  const std::uint32_t pen = 0xAAAAAA, dest = 0xCCCCCC;  // all four bit pairs occur
  for (int n = 1; n <= 16; ++n) {
    std::uint32_t want = 0;
    for (int bit = 0; bit < 24; ++bit) {
      const int p = (pen >> bit) & 1, d = (dest >> bit) & 1;
      want |= static_cast<std::uint32_t>(((n - 1) >> (2 * p + d)) & 1) << bit;
    }
    EXPECT_EQ(ApplyRasterOp(static_cast<RasterOp>(n), pen, dest), want) << "op " << n;
  }
  EXPECT_EQ(RasterOpFromNumber(0), RasterOp::kBlack);
  EXPECT_EQ(RasterOpFromNumber(99), RasterOp::kWhite);
}

TEST(GfxLine, VerticalLineStopsBeforeItsEndPoint) {
  Bitmap b(3, 12, kWhite);
  Device dc(b);
  dc.MoveTo(0, 0);
  dc.LineTo(0, 10);
  ExpectPixels(b, [](int x, int y) { return x == 0 && y < 10; }, 0, kWhite);
  EXPECT_EQ(dc.CurrentPosition(), (Point{0, 10}));
}

TEST(GfxLine, EveryDirectionStartsOnTheStartAndSkipsTheEnd) {
  struct Case { int x0, y0, x1, y1; };
  for (const Case c : {Case{1, 1, 8, 1}, Case{8, 1, 1, 1}, Case{1, 1, 8, 8}, Case{8, 8, 1, 1},
                       Case{1, 8, 8, 1}, Case{2, 1, 5, 9}, Case{5, 9, 2, 1}}) {
    Bitmap b(10, 10, kWhite);
    Device dc(b);
    dc.MoveTo(c.x0, c.y0);
    dc.LineTo(c.x1, c.y1);
    int inked = 0;
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) inked += b.Pixel(x, y) == 0;
    const int steps = std::max(std::abs(c.x1 - c.x0), std::abs(c.y1 - c.y0));
    EXPECT_EQ(inked, steps);
    EXPECT_EQ(b.Pixel(c.x0, c.y0), 0u);
    EXPECT_EQ(b.Pixel(c.x1, c.y1), kWhite);
  }
}

TEST(GfxLine, JoinedLinesWithXorTouchEachPixelOnce) {
  Bitmap b(10, 10, kWhite);
  Device dc(b);
  dc.SelectPen({PenStyle::kSolid, 1, 0x00FFFFFF});
  dc.SetRop2(RasterOp::kXorPen);
  dc.MoveTo(1, 1);
  dc.LineTo(6, 1);
  dc.LineTo(6, 6);
  dc.LineTo(1, 1);
  int black = 0;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) black += b.Pixel(x, y) == 0;
  EXPECT_EQ(black, 15);  // 5 + 5 + 5: no shared pixel was inverted twice
}

TEST(GfxLine, DottedPenAlternatesThreeOnThreeOff) {
  Bitmap b(13, 1, kWhite);
  Device dc(b);
  dc.SetBkMode(BkMode::kTransparent);
  dc.SelectPen({PenStyle::kDot, 1, 0});
  dc.MoveTo(0, 0);
  dc.LineTo(13, 0);
  ExpectPixels(b, [](int x, int) { return (x / 3) % 2 == 0; }, 0, kWhite);
  dc.SetBkMode(BkMode::kOpaque);
  dc.SetBkColor(kRedRef);
  dc.MoveTo(0, 0);
  dc.LineTo(6, 0);
  EXPECT_EQ(b.Pixel(4, 0), kRed);  // the phase ran on from the first line: a gap
}

TEST(GfxLine, NullPenDrawsNothingButMoves) {
  Bitmap b(5, 5, kWhite);
  Device dc(b);
  dc.SelectPen({PenStyle::kNull, 1, 0});
  dc.LineTo(4, 4);
  ExpectPixels(b, [](int, int) { return false; }, 0, kWhite);
  EXPECT_EQ(dc.CurrentPosition(), (Point{4, 4}));
}

TEST(GfxLine, WidePenCoversHalfItsWidthEachSideWithRoundEnds) {
  Bitmap b(30, 20, kWhite);
  Device dc(b);
  dc.SelectPen({PenStyle::kSolid, 5, 0});
  dc.MoveTo(5, 10);
  dc.LineTo(20, 10);
  for (int y = 0; y < 20; ++y) EXPECT_EQ(b.Pixel(12, y) == 0, y >= 8 && y <= 12) << y;
  EXPECT_EQ(b.Pixel(22, 10), 0u);   // the round cap reaches past the end point
  EXPECT_EQ(b.Pixel(22, 8), kWhite);  // but not to its corners
  EXPECT_EQ(b.Pixel(26, 10), kWhite);

  // Far outside coordinates cost nothing and paint nothing.
  dc.MoveTo(-100000, -100000);
  dc.LineTo(-90000, -100000);
}

TEST(GfxRectangle, OnePixelPenOutlinesTheOuterRingAndBrushFillsInside) {
  Bitmap b(10, 10, kWhite);
  Device dc(b);
  dc.SelectBrush(Brush::Solid(kRedRef));
  dc.Rectangle(7, 6, 2, 2);  // corners in any order
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      const bool in = x >= 2 && x < 7 && y >= 2 && y < 6;
      const bool ring = in && (x == 2 || x == 6 || y == 2 || y == 5);
      ASSERT_EQ(b.Pixel(x, y), ring ? 0u : in ? kRed : kWhite) << x << "," << y;
    }
}

TEST(GfxRectangle, XorOutlineInvertsEachRingPixelOnce) {
  Bitmap b(8, 8, kWhite);
  Device dc(b);
  dc.SelectPen({PenStyle::kSolid, 1, 0x00FFFFFF});
  dc.SelectBrush(Brush::Hollow());
  dc.SetRop2(RasterOp::kXorPen);
  dc.Rectangle(1, 1, 6, 5);
  ExpectPixels(b, [](int x, int y) { return x >= 1 && x < 6 && y >= 1 && y < 5 && (x == 1 || x == 5 || y == 1 || y == 4); },
               0, kWhite);
}

TEST(GfxRectangle, NullPenFillsOneShortAndInsideFrameKeepsWidePenInside) {
  Bitmap b(10, 10, kWhite);
  Device dc(b);
  dc.SelectPen({PenStyle::kNull, 1, 0});
  dc.SelectBrush(Brush::Solid(0));
  dc.Rectangle(1, 1, 5, 4);
  ExpectPixels(b, [](int x, int y) { return x >= 1 && x < 4 && y >= 1 && y < 3; }, 0, kWhite);

  Bitmap c(12, 12, kWhite);
  Device dc2(c);
  dc2.SelectPen({PenStyle::kInsideFrame, 3, 0});
  dc2.SelectBrush(Brush::Solid(kRedRef));
  dc2.Rectangle(1, 1, 11, 10);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool in = x >= 1 && x < 11 && y >= 1 && y < 10;
      const bool inner = x >= 4 && x < 8 && y >= 4 && y < 7;
      ASSERT_EQ(c.Pixel(x, y), !in ? kWhite : inner ? kRed : 0u) << x << "," << y;
    }
}

TEST(GfxClip, HugeShapesOnlyTouchTheBitmapAndStayCheap) {
  Bitmap b(6, 6, kWhite);
  Device dc(b);
  dc.SelectPen({PenStyle::kSolid, 32767, 0});
  dc.SelectBrush(Brush::Solid(kRedRef));
  dc.Rectangle(-2000000000, -2000000000, 2000000000, 2000000000);
  ExpectPixels(b, [](int, int) { return false; }, 0, kRed);  // all inside the frame's interior

  Bitmap c(6, 6, kWhite);
  Device dc2(c);
  dc2.SelectPen({PenStyle::kDot, 1, 0});
  dc2.MoveTo(-2000000000, 3);
  dc2.LineTo(-1, 3);  // wholly left of the bitmap: skipped, yet the dash phase moves on
  dc2.MoveTo(0, 1);
  dc2.LineTo(6, 1);
  // 1999999999 steps left the 3-on 3-off phase at 1: two more dots, three gaps, one dot.
  ExpectPixels(c, [](int x, int y) { return y == 1 && (x < 2 || x == 5); }, 0, kWhite);
  dc2.TextOut(2000000000, 2000000000, "8");
  dc2.TextOut(-2000000000, 0, "8");
}

// A line drawn on a small bitmap looking at the middle of a large one must paint exactly
// what the whole line paints there: clipping may skip steps, never move them.
TEST(GfxClip, ClippedLinesPaintTheSamePixelsAsTheWholeWalk) {
  constexpr int kSpan = 1200, kLeft = 580, kTop = 585, kW = 40, kH = 30;
  std::srand(7);
  const auto coordinate = [] { return std::rand() % kSpan; };
  for (PenStyle style : {PenStyle::kSolid, PenStyle::kDashDot}) {
    for (int n = 0; n < 150; ++n) {
      // Mostly lines that cross the window, some that pass beside it.
      int x0 = coordinate(), y0 = coordinate(), x1 = coordinate(), y1 = coordinate();
      if (n % 3 == 0) x0 = kLeft + n % kW, y0 = kTop + n % kH;
      Bitmap whole(kSpan, kSpan, kWhite), window(kW, kH, kWhite);
      Device big(whole), small(window);
      for (Device* dc : {&big, &small}) dc->SelectPen({style, 1, 0});
      big.MoveTo(x0, y0);
      big.LineTo(x1, y1);
      small.MoveTo(x0 - kLeft, y0 - kTop);
      small.LineTo(x1 - kLeft, y1 - kTop);
      for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
          ASSERT_EQ(window.Pixel(x, y), whole.Pixel(x + kLeft, y + kTop))
              << "line " << x0 << "," << y0 << " - " << x1 << "," << y1 << " at " << x << "," << y;
    }
  }
}

TEST(GfxClip, LinesAcrossTheWholeIntRangeDrawTheirVisiblePart) {
  Bitmap b(50, 20, kWhite);
  Device dc(b);
  dc.MoveTo(INT_MIN, 10);
  dc.LineTo(INT_MAX, 10);
  ExpectPixels(b, [](int, int y) { return y == 10; }, 0, kWhite);

  Bitmap steep(20, 50, kWhite);
  Device dc2(steep);
  dc2.MoveTo(7, INT_MAX);
  dc2.LineTo(7, INT_MIN);
  ExpectPixels(steep, [](int x, int) { return x == 7; }, 0, kWhite);

  // A dashed line two billion pixels long: the phase on the visible part is that of the
  // steps from the start, 10^9 of them before x = 0 (10^9 mod 24 = 16: a dash, 2 left).
  Bitmap dashed(30, 1, kWhite);
  Device dc3(dashed);
  dc3.SelectPen({PenStyle::kDash, 1, 0});
  dc3.MoveTo(-1000000000, 0);
  dc3.LineTo(1000000000, 0);
  ExpectPixels(dashed, [](int x, int) { return x < 2 || (x >= 8 && x < 26); }, 0, kWhite);

  // A wide pen along the diagonal to the far corner of the int range.
  Bitmap wide(40, 40, kWhite);
  Device dc4(wide);
  dc4.SelectPen({PenStyle::kSolid, 3, 0});
  dc4.MoveTo(0, 0);
  dc4.LineTo(INT_MAX, INT_MAX);
  for (int i = 1; i < 40; ++i) {
    EXPECT_EQ(wide.Pixel(i, i), 0u) << i;
    EXPECT_EQ(wide.Pixel(i, i - 1), 0u) << i;
  }
  EXPECT_EQ(wide.Pixel(0, 20), kWhite);
  EXPECT_EQ(wide.Pixel(20, 0), kWhite);
}

TEST(GfxClip, RectanglesAtTheEndsOfTheIntRange) {
  for (int width : {1, 4}) {
    SCOPED_TRACE(width);
    Bitmap b(8, 8, kWhite);
    Device dc(b);
    dc.SelectPen({PenStyle::kSolid, width, 0});
    dc.SelectBrush(Brush::Solid(kRedRef));
    dc.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);  // the whole bitmap is inside
    ExpectPixels(b, [](int, int) { return false; }, 0, kRed);
    dc.Rectangle(INT_MAX, INT_MAX, INT_MAX, INT_MAX);
    dc.Rectangle(INT_MIN, INT_MIN, INT_MIN, INT_MIN);
    ExpectPixels(b, [](int, int) { return false; }, 0, kRed);
  }
  // Only the right and top edges in view.
  Bitmap b(8, 8, kWhite);
  Device dc(b);
  dc.SelectBrush(Brush::Solid(kRedRef));
  dc.Rectangle(INT_MIN, 2, 3, INT_MAX);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const bool ring = (y == 2 && x <= 2) || (x == 2 && y >= 2);
      ASSERT_EQ(b.Pixel(x, y), ring ? 0u : x < 2 && y > 2 ? kRed : kWhite) << x << "," << y;
    }
}

TEST(GfxBlit, CopiesClipsAndHandlesOverlap) {
  Bitmap src(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) src.SetPixel(x, y, static_cast<std::uint32_t>(y * 16 + x));
  Bitmap dst(5, 5, kWhite);
  BitBlt(dst, -1, 3, 4, 4, src, 0, 0);
  // Only the part inside dst arrives: dst (0..2, 3..4) from src (1..3, 0..1).
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x) {
      const bool copied = x < 3 && y >= 3;
      ASSERT_EQ(dst.Pixel(x, y), copied ? static_cast<std::uint32_t>((y - 3) * 16 + x + 1) : kWhite);
    }

  // Shifting a bitmap right by one within itself keeps every value.
  BitBlt(src, 1, 0, 3, 4, src, 0, 0);
  for (int x = 1; x < 4; ++x) EXPECT_EQ(src.Pixel(x, 2), static_cast<std::uint32_t>(32 + x - 1));

  Bitmap inv(2, 1, 0x00FF00);
  BitBlt(inv, 0, 0, 2, 1, Bitmap(2, 1, 0xFFFFFF), 0, 0, BlitOp::kSrcInvert);
  EXPECT_EQ(inv.Pixel(1, 0), 0xFF00FFu);
}

TEST(GfxBlit, StretchAveragesWhenShrinkingAndRepeatsWhenEnlarging) {
  Bitmap src(2, 1);
  src.SetPixel(1, 0, 0xFFFFFF);
  EXPECT_EQ(StretchCopy(src, 1, 1).Pixel(0, 0), 0x808080u);
  const Bitmap big = StretchCopy(src, 4, 2);
  EXPECT_EQ(big.Pixel(1, 1), 0u);
  EXPECT_EQ(big.Pixel(2, 0), 0xFFFFFFu);
  EXPECT_TRUE(StretchCopy(src, 0, 5).Empty());
}

}  // namespace
}  // namespace barvell::gfx
