#include "platform/gfx/bmp_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace barvell::gfx {
namespace {

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

TEST(GfxBmp, HeaderFieldsOfAHundredByFifty) {
  const auto b = EncodeBmp24(Bitmap(100, 50, 0xFFFFFF));
  ASSERT_EQ(b.size(), 15054u);
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(U32(b, 2), 15054u);  // file size
  EXPECT_EQ(U32(b, 6), 0u);      // both reserved words
  EXPECT_EQ(U32(b, 10), 54u);    // pixel data offset
  EXPECT_EQ(U32(b, 14), 40u);    // info header size
  EXPECT_EQ(U32(b, 18), 100u);
  EXPECT_EQ(U32(b, 22), 50u);  // positive: bottom-up
  EXPECT_EQ(U16(b, 26), 1u);
  EXPECT_EQ(U16(b, 28), 24u);
  EXPECT_EQ(U32(b, 30), 0u);      // BI_RGB
  EXPECT_EQ(U32(b, 34), 15000u);  // image size: stride x height
  for (std::size_t at : {38u, 42u, 46u, 50u}) EXPECT_EQ(U32(b, at), 0u) << at;
}

TEST(GfxBmp, RowsArePaddedWithZerosToFourBytes) {
  struct Case { int width; std::size_t stride; };
  for (const Case c : {Case{1, 4}, Case{2, 8}, Case{3, 12}, Case{4, 12}, Case{5, 16}, Case{101, 304}}) {
    SCOPED_TRACE(c.width);
    const auto b = EncodeBmp24(Bitmap(c.width, 3, 0xFFFFFF));
    ASSERT_EQ(b.size(), 54 + 3 * c.stride);
    EXPECT_EQ(U32(b, 34), 3 * c.stride);
    for (int row = 0; row < 3; ++row) {
      const std::size_t start = 54 + row * c.stride;
      for (std::size_t i = 0; i < c.stride; ++i)
        ASSERT_EQ(b[start + i], i < 3u * c.width ? 0xFF : 0x00) << "row " << row << " byte " << i;
    }
  }
}

TEST(GfxBmp, BottomRowComesFirstInBlueGreenRedOrder) {
  Bitmap bm(2, 2, 0);
  bm.SetPixel(0, 0, 0x112233);  // top-left
  bm.SetPixel(1, 1, 0xA1B2C3);  // bottom-right
  const auto b = EncodeBmp24(bm);
  // First stored row is the bottom one: (0,1) black, then (1,1).
  EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + 54, b.begin() + 62),
            (std::vector<std::uint8_t>{0, 0, 0, 0xC3, 0xB2, 0xA1, 0, 0}));
  EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + 62, b.begin() + 65), (std::vector<std::uint8_t>{0x33, 0x22, 0x11}));
}

TEST(GfxBmp, RegionsAndEmptySizes) {
  EXPECT_TRUE(EncodeBmp24(Bitmap()).empty());
  EXPECT_TRUE(EncodeBmp24(Bitmap(4, 4), 0, 4).empty());
  EXPECT_TRUE(EncodeBmp24(Bitmap(4, 4), 4, -1).empty());
  EXPECT_TRUE(EncodeBmp24(Bitmap(4, 4), 1 << 30, 1 << 30).empty());  // beyond any BMP
  // A region larger than the bitmap: the outside part is black.
  const auto b = EncodeBmp24(Bitmap(1, 1, 0xFFFFFF), 2, 2);
  const auto back = DecodeBmp(b);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Pixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(back->Pixel(1, 0), 0u);
  EXPECT_EQ(back->Pixel(0, 1), 0u);
}

TEST(GfxBmp, RoundTripsThroughTheReaderAndAFile) {
  Bitmap bm(7, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) bm.SetPixel(x, y, static_cast<std::uint32_t>(x * 0x250000 + y * 0x3100 + x * y));
  const auto bytes = EncodeBmp24(bm);
  const auto back = DecodeBmp(bytes);
  ASSERT_TRUE(back);
  ASSERT_EQ(back->Width(), 7);
  ASSERT_EQ(back->Height(), 5);
  EXPECT_TRUE(std::equal(bm.Data(), bm.Data() + 35, back->Data()));

  const std::string path = ::testing::TempDir() + "gfx_round_trip.bmp";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  const auto fromFile = ReadBmpFile(path);
  std::remove(path.c_str());
  ASSERT_TRUE(fromFile);
  EXPECT_TRUE(std::equal(bm.Data(), bm.Data() + 35, fromFile->Data()));
  EXPECT_FALSE(ReadBmpFile(path));
}

// Drawn pictures repeat rows in runs; each row must still come out as its own pixels,
// in both directions and for a region wider than the bitmap.
TEST(GfxBmp, RunsOfRepeatedRowsRoundTrip) {
  Bitmap bm(9, 12, 0xFFFFFF);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 9; x += 2) bm.SetPixel(x, y, y < 5 ? 0x102030u : y < 11 ? 0x0000FFu : 0u);
  bm.SetPixel(8, 7, 0xABCDEF);  // one row in the middle of a run differs in its last pixel
  const auto bytes = EncodeBmp24(bm);
  const auto back = DecodeBmp(bytes);
  ASSERT_TRUE(back);
  EXPECT_TRUE(std::equal(bm.Data(), bm.Data() + 9 * 12, back->Data()));

  const auto wider = DecodeBmp(EncodeBmp24(bm, 11, 12));
  ASSERT_TRUE(wider);
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 11; ++x) ASSERT_EQ(wider->Pixel(x, y), x < 9 ? bm.Pixel(x, y) : 0u) << x << "," << y;
  }
}

// Rows are converted several pixels at a time; every width leaves a different tail, and
// the raster's unused top byte must never reach the file (nor make a repeated row look new).
TEST(GfxBmp, EveryWidthConvertsByteForByteWhateverTheTopByte) {
  // Up to 13 the widths cross the four- and eight-pixel steps' limits (they run while a
  // whole step's loads and stores stay inside the row); 19 to 21 the eight-pixel step's twice.
  for (int width : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 19, 20, 21, 413}) {
    SCOPED_TRACE(width);
    constexpr int kHeight = 5;
    Bitmap bm(width, kHeight);
    std::uint32_t seed = 0x9E3779B9u * static_cast<std::uint32_t>(width);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < width; ++x) bm.Row(y)[x] = (seed = seed * 1664525u + 1013904223u);
    // Row 3 repeats row 2 but for the top bytes.
    for (int x = 0; x < width; ++x) bm.Row(3)[x] = bm.Row(2)[x] ^ 0xFF000000u;

    const auto bytes = EncodeBmp24(bm);
    const std::size_t stride = (3 * static_cast<std::size_t>(width) + 3) / 4 * 4;
    ASSERT_EQ(bytes.size(), 54 + stride * kHeight);
    for (int y = 0; y < kHeight; ++y) {
      const std::size_t start = 54 + stride * static_cast<std::size_t>(kHeight - 1 - y);
      for (int x = 0; x < width; ++x) {
        const std::uint32_t p = bm.Row(y)[x];
        ASSERT_EQ(bytes[start + 3 * x], p & 0xFF) << x << "," << y;
        ASSERT_EQ(bytes[start + 3 * x + 1], (p >> 8) & 0xFF) << x << "," << y;
        ASSERT_EQ(bytes[start + 3 * x + 2], (p >> 16) & 0xFF) << x << "," << y;
      }
      for (std::size_t i = 3 * static_cast<std::size_t>(width); i < stride; ++i) ASSERT_EQ(bytes[start + i], 0) << y;
    }

    const auto back = DecodeBmp(bytes);
    ASSERT_TRUE(back);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < width; ++x) ASSERT_EQ(back->Pixel(x, y), bm.Row(y)[x] & 0x00FFFFFFu) << x << "," << y;
  }
}

// A 32-bit file written by hand: 2 x 2, top-down (negative height).
// With compression 3 (bit fields) the masks follow the header: red, green, blue.
constexpr std::uint32_t kUsualMasks[3] = {0x00FF0000u, 0x0000FF00u, 0x000000FFu};

std::vector<std::uint8_t> ThirtyTwoBitTopDown(std::uint32_t compression,
                                              const std::uint32_t (&masks)[3] = kUsualMasks) {
  std::vector<std::uint8_t> b(54, 0);
  const auto put = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  b[0] = 'B', b[1] = 'M';
  put(14, 40);
  put(18, 2);
  put(22, static_cast<std::uint32_t>(-2));
  b[26] = 1, b[28] = 32;
  put(30, compression);
  if (compression == 3) {
    for (std::uint32_t m : masks) {
      b.resize(b.size() + 4);
      put(b.size() - 4, m);
    }
  }
  put(10, static_cast<std::uint32_t>(b.size()));
  for (std::uint32_t px : {0x00102030u, 0x00405060u, 0x00708090u, 0x00A0B0C0u}) {
    b.resize(b.size() + 4);
    put(b.size() - 4, px | 0xFF000000u);
  }
  put(2, static_cast<std::uint32_t>(b.size()));
  return b;
}

TEST(GfxBmp, DecodingOntoABitmapReusesOrReplacesItAndLeavesItOnRefusal) {
  Bitmap first(9, 4, 0x112233), second(9, 4, 0xFFFFFF);
  second.SetPixel(8, 3, 0x0000FF);
  Bitmap target = first;
  const std::uint32_t* pixels = target.Data();
  ASSERT_TRUE(DecodeBmpOnto(EncodeBmp24(second), target));
  EXPECT_EQ(target.Data(), pixels) << "same size: the pixels are reused";
  EXPECT_EQ(target.Pixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(target.Pixel(8, 3), 0x0000FFu);
  EXPECT_EQ(target.Pixel(7, 3), 0xFFFFFFu);

  std::vector<std::uint8_t> cut = EncodeBmp24(first);
  cut.resize(cut.size() - 1);
  EXPECT_FALSE(DecodeBmpOnto(cut, target));
  EXPECT_EQ(target.Pixel(8, 3), 0x0000FFu) << "a refused file changes nothing";

  ASSERT_TRUE(DecodeBmpOnto(EncodeBmp24(Bitmap(3, 2, 0x445566)), target));
  EXPECT_EQ(target.Width(), 3);
  EXPECT_EQ(target.Height(), 2);
  EXPECT_EQ(target.Pixel(2, 1), 0x445566u);
}

TEST(GfxBmp, ReadsThirtyTwoBitTopDownFiles) {
  for (std::uint32_t compression : {0u, 3u}) {
    SCOPED_TRACE(compression);
    const auto bm = DecodeBmp(ThirtyTwoBitTopDown(compression));
    ASSERT_TRUE(bm);
    EXPECT_EQ(bm->Pixel(0, 0), 0x102030u);
    EXPECT_EQ(bm->Pixel(1, 0), 0x405060u);
    EXPECT_EQ(bm->Pixel(0, 1), 0x708090u);
    EXPECT_EQ(bm->Pixel(1, 1), 0xA0B0C0u);
  }
}

TEST(GfxBmp, BitFieldMasksAnywhereButNeverWithGaps) {
  // Red and blue swapped, and five-bit channels scaled up to eight.
  const auto swapped = DecodeBmp(ThirtyTwoBitTopDown(3, {0x000000FFu, 0x0000FF00u, 0x00FF0000u}));
  ASSERT_TRUE(swapped);
  EXPECT_EQ(swapped->Pixel(0, 0), 0x302010u);
  const auto fiveBits = DecodeBmp(ThirtyTwoBitTopDown(3, {0x00007C00u, 0x000003E0u, 0x0000001Fu}));
  ASSERT_TRUE(fiveBits);
  EXPECT_EQ(fiveBits->Pixel(0, 0), 0x410883u);  // 0x2030: 8, 1 and 16 of 31
  // A mask with a gap has no channel value; refused rather than spilling into the top byte.
  for (const std::uint32_t bad : {0x0F0000F0u, 0x00FF00FFu, 0x80000001u}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(DecodeBmp(ThirtyTwoBitTopDown(3, {bad, 0x0000FF00u, 0x000000FFu})));
    EXPECT_FALSE(DecodeBmp(ThirtyTwoBitTopDown(3, {0x00FF0000u, 0x0000FF00u, bad})));
  }
}

TEST(GfxBmp, RejectsMalformedFiles) {
  const auto good = EncodeBmp24(Bitmap(3, 3, 0x808080));
  auto truncated = good;
  truncated.pop_back();
  EXPECT_FALSE(DecodeBmp(truncated));
  EXPECT_FALSE(DecodeBmp(std::vector<std::uint8_t>(good.begin(), good.begin() + 40)));

  auto badMagic = good;
  badMagic[0] = 'X';
  EXPECT_FALSE(DecodeBmp(badMagic));

  auto eightBit = good;
  eightBit[28] = 8;
  EXPECT_FALSE(DecodeBmp(eightBit));

  auto rle = good;
  rle[30] = 1;
  EXPECT_FALSE(DecodeBmp(rle));

  // A header claiming a huge picture must not allocate it.
  auto huge = good;
  huge[18] = 0xFF, huge[19] = 0xFF, huge[20] = 0xFF, huge[21] = 0x7F;
  EXPECT_FALSE(DecodeBmp(huge));

  auto offsetPastEnd = good;
  offsetPastEnd[10] = 0xF0, offsetPastEnd[11] = 0xFF, offsetPastEnd[12] = 0xFF, offsetPastEnd[13] = 0xFF;
  EXPECT_FALSE(DecodeBmp(offsetPastEnd));

  auto zeroWidth = good;
  zeroWidth[18] = 0;
  EXPECT_FALSE(DecodeBmp(zeroWidth));
}

}  // namespace
}  // namespace barvell::gfx
