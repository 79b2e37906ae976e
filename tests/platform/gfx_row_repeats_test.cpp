// Rows a device's drawing leaves known to repeat the row above: never claimed wrongly,
// and a BMP written from the claims is the one written by comparing rows.
#include "platform/gfx/bmp_file.h"
#include "platform/gfx/device.h"
#include "platform/gfx/row_repeats.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace barvell::gfx {
namespace {

constexpr ColorRef kBlack = 0x000000;
constexpr ColorRef kRedRef = 0x0000FF;

// Every row claimed as a repeat is one, and the BMP written from the claims is byte for
// byte the BMP of the same pixels found by comparing.
void ExpectHonest(const Bitmap& b, const RowRepeats& rows, const std::string& step) {
  SCOPED_TRACE(step);
  const auto flags = rows.Flags();
  if (flags.empty()) return;
  ASSERT_EQ(flags.size(), std::size_t(b.Height()));
  EXPECT_EQ(flags[0], 0);
  for (int y = 1; y < b.Height(); ++y) {
    if (flags[std::size_t(y)] == 0) continue;
    ASSERT_EQ(std::memcmp(b.Row(y), b.Row(y - 1), std::size_t(b.Width()) * 4), 0) << "row " << y;
  }
  std::vector<std::uint8_t> hinted(Bmp24FileSize(b.Width(), b.Height()));
  WriteBmp24(b, b.Width(), b.Height(), hinted.data(), flags);
  EXPECT_EQ(hinted, EncodeBmp24(b));
}

// A cleared raster with a device that reports to `rows`.
struct Tracked {
  Bitmap bitmap;
  RowRepeats rows;
  Device device;
  Tracked(int w, int h) : bitmap(w, h, 0xFFFFFF), device(bitmap) {
    rows.AllAlike(h);
    device.TrackRows(&rows);
  }
  int Marked() const {
    int n = 0;
    for (std::uint8_t f : rows.Flags()) n += f;
    return n;
  }
};

TEST(GfxRowRepeats, SolidFillsKeepTheirInsideAndBreakTheirEdges) {
  Tracked t(40, 30);
  EXPECT_EQ(t.Marked(), 29);
  // Bars, one starting at the top and one running off the bottom; rows inside stay marked.
  t.device.FillRect({3, 5, 6, 20}, Brush::Solid(kBlack));
  t.device.FillRect({10, -4, 12, 12}, Brush::Solid(kRedRef));
  t.device.FillRect({20, 25, 23, 90}, Brush::Solid(kBlack));
  ExpectHonest(t.bitmap, t.rows, "bars");
  const auto f = t.rows.Flags();
  for (int y : {5, 12, 20, 25}) EXPECT_EQ(f[std::size_t(y)], 0) << y;
  for (int y : {1, 4, 6, 11, 13, 19, 21, 24, 26, 29}) EXPECT_EQ(f[std::size_t(y)], 1) << y;
  // Rows the same but for a fill outside the raster keep their marks.
  t.device.FillRect({50, 2, 60, 8}, Brush::Solid(kBlack));
  EXPECT_EQ(f[3], 1);
}

TEST(GfxRowRepeats, EveryOtherWriteBreaksTheRowsItTouchesAndTheOneBelow) {
  const std::vector<std::pair<std::string, std::function<void(Device&)>>> steps = {
      {"pixel inside a run", [](Device& d) { d.SetPixel(4, 10, kRedRef); }},
      {"pixel on the last row", [](Device& d) { d.SetPixel(1, 39, kRedRef); }},
      {"text across a run",
       [](Device& d) {
         d.SetTextColor(kRedRef);
         d.SetBkMode(BkMode::kTransparent);
         d.TextOut(0, 8, "1234");
       }},
      {"opaque text", [](Device& d) { d.TextOut(30, 20, "56"); }},
      {"line", [](Device& d) { d.MoveTo(0, 0); d.LineTo(59, 30); }},
      {"pattern brush", [](Device& d) { d.FillRect({2, 12, 30, 28}, Brush::Hatch(HatchStyle::kCross, kBlack)); }},
      {"xor over mixed rows",
       [](Device& d) {
         d.SelectBrush(Brush::Solid(kRedRef));
         d.SetRop2(RasterOp::kXorPen);
         d.PaintRect({0, 6, 50, 22});
         d.SetRop2(RasterOp::kCopyPen);
       }},
      {"outline", [](Device& d) { d.SelectPen(Pen{PenStyle::kSolid, 3, kBlack}); d.Rectangle(5, 5, 40, 33); }},
      {"solid fill over broken rows", [](Device& d) { d.FillRect({0, 3, 60, 9}, Brush::Solid(kBlack)); }},
  };
  Tracked t(60, 40);
  t.device.FillRect({6, 2, 9, 36}, Brush::Solid(kBlack));
  t.device.FillRect({12, 2, 15, 36}, Brush::Solid(kBlack));
  for (const auto& [name, step] : steps) {
    step(t.device);
    ExpectHonest(t.bitmap, t.rows, name);
  }
  // The rows a whole-width fill covered after the damage are marked again only when a
  // whole clear says so.
  t.bitmap.Fill(0xFFFFFF);
  t.rows.AllAlike(40);
  ExpectHonest(t.bitmap, t.rows, "cleared");
  EXPECT_EQ(t.Marked(), 39);
}

TEST(GfxRowRepeats, RowsWrittenBehindTheDevicesBackCountWhenReported) {
  Tracked t(20, 20);
  t.bitmap.Row(7)[3] = 0x123456;  // a blit onto the target
  t.device.WrittenByOthers({3, 7, 4, 8});
  ExpectHonest(t.bitmap, t.rows, "reported write");
  EXPECT_EQ(t.rows.Flags()[7], 0);
  EXPECT_EQ(t.rows.Flags()[8], 0);
  // Nothing known: no claims at all, and none come from later fills.
  t.rows = RowRepeats{};
  t.device.FillRect({0, 0, 5, 5}, Brush::Solid(kBlack));
  EXPECT_TRUE(t.rows.Flags().empty());
}

}  // namespace
}  // namespace barvell::gfx
