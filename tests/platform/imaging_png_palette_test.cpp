// PNG files of drawn pictures: few colours go out with a palette of the smallest bit depth,
// many as RGB, and every one comes back pixel for pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "platform/gfx/bmp_file.h"
#include "platform/imaging/decode.h"
#include "platform/imaging/decoded_picture.h"
#include "platform/imaging/encode.h"

namespace barvell::imaging {
namespace {

constexpr int kPalette = 3, kRgb = 2;  // PNG colour types

// Bit depth and colour type (IHDR bytes 24 and 25) of the picture's PNG, which must decode
// to the same pixels.
std::pair<int, int> EncodedAs(const gfx::Bitmap& original) {
  std::optional<std::vector<uint8_t>> png = EncodePicture(original, PictureFormat::kPng);
  if (!png || png->size() < 26) return {-1, -1};
  std::optional<gfx::Bitmap> back = DecodePicture(*png);
  EXPECT_TRUE(back && back->Width() == original.Width() && back->Height() == original.Height() &&
              std::memcmp(back->Data(), original.Data(),
                          size_t(original.Width()) * original.Height() * 4) == 0);
  return {(*png)[24], (*png)[25]};
}

gfx::Bitmap Stripes(int width, int height, std::vector<uint32_t> colours) {
  gfx::Bitmap b(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) b.SetPixel(x, y, colours[size_t(x / 3 + y) % colours.size()]);
  }
  return b;
}

TEST(PngPalette, BitDepthFollowsTheNumberOfColours) {
  // Odd widths, so that packed rows end part-way through a byte.
  EXPECT_EQ(EncodedAs(Stripes(413, 7, {0xFFFFFF, 0x000000})), std::pair(1, kPalette));
  EXPECT_EQ(EncodedAs(Stripes(11, 5, {0x0000FF})), std::pair(1, kPalette));
  EXPECT_EQ(EncodedAs(Stripes(29, 5, {0xFFFFFF, 0x000000, 0xFF0000})), std::pair(2, kPalette));
  EXPECT_EQ(EncodedAs(Stripes(29, 5, {1, 2, 3, 4, 5})), std::pair(4, kPalette));
  std::vector<uint32_t> many;
  for (uint32_t i = 0; i < 256; ++i) many.push_back(i << 8);
  EXPECT_EQ(EncodedAs(Stripes(800, 2, many)), std::pair(8, kPalette));
  many.push_back(0x123456);
  EXPECT_EQ(EncodedAs(Stripes(800, 2, many)), std::pair(8, kRgb));
}

}  // namespace
}  // namespace barvell::imaging

namespace barvell::imaging {
namespace {

// Rows that repeat the one above go out filtered against it: runs of repeats, broken by
// single changed rows and by a change in the last pixel only, must come back exactly.
TEST(PngPalette, RepeatedRowsComeBackExactly) {
  for (std::vector<uint32_t> colours :
       {std::vector<uint32_t>{0xFFFFFF, 0x000000}, std::vector<uint32_t>{0xFFFFFF, 0x102030, 0xA0B0C0, 7, 8}}) {
    gfx::Bitmap b(413, 40, colours[0]);
    for (int y = 0; y < b.Height(); ++y) {
      for (int x = 0; x < b.Width(); x += 3) b.SetPixel(x, y, colours[size_t(x + y / 9) % colours.size()]);
    }
    b.SetPixel(412, 20, colours[1]);
    b.SetPixel(0, 39, colours.back());
    EXPECT_EQ(EncodedAs(b).second, kPalette);
  }
}

}  // namespace
}  // namespace barvell::imaging

namespace barvell::imaging {
namespace {

// Two colours are packed straight from the pixels until a third turns up, however late:
// the picture then goes out at the depth its whole palette needs.
TEST(PngPalette, ColoursTurningUpLateStillComeBack) {
  gfx::Bitmap late(413, 30, 0xFFFFFF);
  EXPECT_EQ(EncodedAs(late), std::pair(1, kPalette));
  for (int y = 10; y < 30; ++y) late.SetPixel(5 + y, y, 0x000000);
  EXPECT_EQ(EncodedAs(late), std::pair(1, kPalette));
  late.SetPixel(412, 29, 0x00FF00);
  EXPECT_EQ(EncodedAs(late), std::pair(2, kPalette));
  // Rows narrower than a byte, and rows of exactly whole bytes.
  for (int width : {1, 7, 8, 9, 15, 16}) {
    gfx::Bitmap narrow(width, 6, 0x000000);
    narrow.SetPixel(width - 1, 3, 0xFFFFFF);
    EXPECT_EQ(EncodedAs(narrow), std::pair(1, kPalette)) << width;
  }
}

// The unused top byte of a pixel is no part of its colour.
TEST(PngPalette, TopByteOfAPixelIsIgnored) {
  gfx::Bitmap clean = Stripes(50, 4, {0xFFFFFF, 0x000000});
  gfx::Bitmap marked = clean;
  for (int x = 0; x < 50; x += 7) marked.Row(2)[x] |= 0xAB000000;
  EXPECT_EQ(EncodePicture(marked, PictureFormat::kPng), EncodePicture(clean, PictureFormat::kPng));
}

}  // namespace
}  // namespace barvell::imaging

namespace barvell::imaging {
namespace {

// A picture read as its distinct rows goes out as the same file as its whole raster.
TEST(PngPalette, DistinctRowsOfAFileGiveTheSameFileAsTheWholePicture) {
  gfx::Bitmap b(413, 30, 0xFFFFFF);
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); x += 4 + y / 10) b.SetPixel(x, y, y == 17 ? 0x2040C0 : 0x000000);
  }
  // Rows 0-9, then 10-16, 17, 18-19, 20-29: and row 18 is the same as row 16.
  DecodedPicture decoded;
  ASSERT_TRUE(decoded.AssignBmp24(gfx::EncodeBmp24(b)));
  const std::vector<uint32_t> row_of(decoded.Rows().row_of.begin(), decoded.Rows().row_of.end());
  EXPECT_EQ(row_of[9], 0u);
  EXPECT_EQ(row_of[16], 1u);
  EXPECT_EQ(row_of[17], 2u);
  EXPECT_EQ(row_of[18], 3u) << "a row like an earlier one but not the one above is stored again";
  EXPECT_EQ(row_of[29], 4u);

  for (PictureFormat format : {PictureFormat::kPng, PictureFormat::kBmp, PictureFormat::kJpeg}) {
    std::vector<uint8_t> from_rows, whole;
    ASSERT_TRUE(EncodePictureInto(decoded, format, from_rows));
    ASSERT_TRUE(EncodePictureInto(b, format, whole));
    EXPECT_EQ(from_rows, whole) << int(format);
  }
}

}  // namespace
}  // namespace barvell::imaging
