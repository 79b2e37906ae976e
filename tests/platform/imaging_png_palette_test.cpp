// PNG files of drawn pictures: few colours are written with a palette of the smallest bit
// depth, many as RGB, and every one comes back pixel for pixel.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/imaging/decode.h"
#include "platform/imaging/encode.h"

namespace barvell::imaging {
namespace {

// IHDR follows the 8-byte signature, its length and type: bit depth at 24, colour type at 25.
struct PngHeader {
  int bit_depth;
  int colour_type;
};
PngHeader HeaderOf(const std::vector<uint8_t>& png) {
  if (png.size() < 26) return {-1, -1};
  return {png[24], png[25]};
}
constexpr int kPaletteType = 3;
constexpr int kRgbType = 2;

gfx::Bitmap Stripes(int width, int height, std::initializer_list<uint32_t> colours) {
  gfx::Bitmap b(width, height);
  std::vector<uint32_t> c(colours);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) b.SetPixel(x, y, c[size_t((x / 3 + y) % int(c.size()))]);
  }
  return b;
}

void ExpectRoundTrip(const gfx::Bitmap& original, PngHeader expected) {
  std::optional<std::vector<uint8_t>> png = EncodePicture(original, PictureFormat::kPng);
  ASSERT_TRUE(png.has_value());
  PngHeader h = HeaderOf(*png);
  EXPECT_EQ(h.bit_depth, expected.bit_depth);
  EXPECT_EQ(h.colour_type, expected.colour_type);
  std::optional<gfx::Bitmap> back = DecodePicture(*png);
  ASSERT_TRUE(back.has_value());
  ASSERT_EQ(back->Width(), original.Width());
  ASSERT_EQ(back->Height(), original.Height());
  EXPECT_EQ(std::memcmp(back->Data(), original.Data(),
                        size_t(original.Width()) * original.Height() * 4),
            0);
}

TEST(PngPalette, BitDepthFollowsTheNumberOfColours) {
  // Odd widths, so that packed rows end part-way through a byte.
  ExpectRoundTrip(Stripes(413, 7, {0xFFFFFF, 0x000000}), {1, kPaletteType});
  ExpectRoundTrip(Stripes(11, 5, {0x0000FF}), {1, kPaletteType});
  ExpectRoundTrip(Stripes(29, 5, {0xFFFFFF, 0x000000, 0xFF0000}), {2, kPaletteType});
  ExpectRoundTrip(Stripes(29, 5, {1, 2, 3, 4, 5}), {4, kPaletteType});
}

TEST(PngPalette, MoreThan256ColoursAreWrittenAsRgb) {
  gfx::Bitmap ramp(300, 2);
  for (int x = 0; x < 300; ++x) {
    ramp.SetPixel(x, 0, uint32_t(x) * 0x010203u & 0xFFFFFF);
    ramp.SetPixel(x, 1, 0x123456);
  }
  ExpectRoundTrip(ramp, {8, kRgbType});

  gfx::Bitmap exactly256(256, 1);
  for (int x = 0; x < 256; ++x) exactly256.SetPixel(x, 0, uint32_t(x) << 8);
  ExpectRoundTrip(exactly256, {8, kPaletteType});
}

}  // namespace
}  // namespace barvell::imaging
