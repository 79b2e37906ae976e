// Picture codecs: what goes out comes back, and broken files are refused without harm.
#include <gtest/gtest.h>
#include <gif_lib.h>
#include <png.h>

#include <cstdlib>
#include <cstring>

#include "platform/imaging/decode.h"
#include "platform/imaging/encode.h"

namespace barvell::imaging {
namespace {

// Bars, a colour ramp and odd sizes, so that row padding, channel order and orientation
// all show when wrong. Under 256 colours: within an exact GIF palette.
gfx::Bitmap TestPicture(int width = 37, int height = 23) {
  gfx::Bitmap b(width, height, 0xFFFFFF);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (y < height / 2) {
        b.SetPixel(x, y, x % 3 == 0 ? 0x000000 : 0xFFFFFF);
      } else {
        b.SetPixel(x, y, uint32_t(x * 7) << 16 | 0x00A000 | uint32_t(y % 4));
      }
    }
  }
  b.SetPixel(0, 0, 0xFF0000);                   // top-left red
  b.SetPixel(width - 1, height - 1, 0x0000FF);  // bottom-right blue
  return b;
}

bool SamePixels(const gfx::Bitmap& a, const gfx::Bitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  return std::memcmp(a.Data(), b.Data(), size_t(a.Width()) * a.Height() * 4) == 0;
}

int MaxChannelDifference(const gfx::Bitmap& a, const gfx::Bitmap& b) {
  int worst = 0;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      for (int shift : {0, 8, 16}) {
        int d = std::abs(int(a.Pixel(x, y) >> shift & 0xFF) - int(b.Pixel(x, y) >> shift & 0xFF));
        worst = std::max(worst, d);
      }
    }
  }
  return worst;
}

std::vector<uint8_t> Encoded(const gfx::Bitmap& b, PictureFormat format) {
  std::optional<std::vector<uint8_t>> bytes = EncodePicture(b, format);
  EXPECT_TRUE(bytes.has_value());
  return bytes.value_or(std::vector<uint8_t>{});
}

TEST(ImagingCodecs, LosslessFormatsRoundTripExactly) {
  gfx::Bitmap original = TestPicture();
  for (PictureFormat format : {PictureFormat::kPng, PictureFormat::kBmp, PictureFormat::kGif,
                               PictureFormat::kTiff}) {
    std::vector<uint8_t> bytes = Encoded(original, format);
    EXPECT_EQ(SniffFormat(bytes), format);
    std::optional<gfx::Bitmap> back = DecodePicture(bytes);
    ASSERT_TRUE(back.has_value()) << int(format);
    EXPECT_TRUE(SamePixels(*back, original)) << int(format);
  }
}

TEST(ImagingCodecs, JpegRoundTripIsClose) {
  // Wide uniform areas: JPEG keeps those close even at the edges of bars.
  gfx::Bitmap original(64, 32, 0xFFFFFF);
  for (int y = 0; y < 32; ++y)
    for (int x = 16; x < 32; ++x) original.SetPixel(x, y, 0x000000);
  for (int y = 0; y < 32; ++y)
    for (int x = 48; x < 64; ++x) original.SetPixel(x, y, 0x3060C0);
  std::vector<uint8_t> bytes = Encoded(original, PictureFormat::kJpeg);
  ASSERT_EQ(SniffFormat(bytes), PictureFormat::kJpeg);
  std::optional<gfx::Bitmap> back = DecodePicture(bytes);
  ASSERT_TRUE(back.has_value());
  ASSERT_EQ(back->Width(), 64);
  ASSERT_EQ(back->Height(), 32);
  EXPECT_LE(MaxChannelDifference(*back, original), 48);
  // Away from edges the colours are nearly exact (no chroma subsampling).
  EXPECT_NEAR(int(back->Pixel(56, 16) >> 16 & 0xFF), 0x30, 6);
  EXPECT_NEAR(int(back->Pixel(56, 16) & 0xFF), 0xC0, 6);
  EXPECT_LT(back->Pixel(24, 16) & 0xFF, 8u);
}

TEST(ImagingCodecs, BmpIsTwentyFourBitBottomUpWithPaddedRows) {
  gfx::Bitmap b(3, 2, 0x112233);
  b.SetPixel(0, 1, 0xAABBCC);  // bottom-left: first pixel in the file
  std::vector<uint8_t> bytes = Encoded(b, PictureFormat::kBmp);
  const size_t row = 12;  // 3 * 3 bytes padded to 12
  ASSERT_EQ(bytes.size(), 54 + 2 * row);
  EXPECT_EQ(bytes[28], 24);
  EXPECT_EQ(bytes[10], 54);
  EXPECT_EQ(bytes[54], 0xCC);  // B G R
  EXPECT_EQ(bytes[55], 0xBB);
  EXPECT_EQ(bytes[56], 0xAA);
  EXPECT_EQ(bytes[54 + 9], 0);  // padding
  EXPECT_EQ(bytes[54 + row], 0x33);
}

TEST(ImagingCodecs, GifWithManyColoursIsQuantisedNearTheOriginal) {
  gfx::Bitmap original(64, 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) original.SetPixel(x, y, uint32_t(x * 4) << 16 | uint32_t(y * 4) << 8 | 0x80);
  std::optional<gfx::Bitmap> back = DecodePicture(Encoded(original, PictureFormat::kGif));
  ASSERT_TRUE(back.has_value());
  EXPECT_LE(MaxChannelDifference(*back, original), 26);  // half a step of the colour cube
  // Pure black and white stay exact even when quantised.
  gfx::Bitmap bars = original;
  bars.SetPixel(0, 0, 0);
  bars.SetPixel(1, 0, 0xFFFFFF);
  back = DecodePicture(Encoded(bars, PictureFormat::kGif));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->Pixel(0, 0), 0u);
  EXPECT_EQ(back->Pixel(1, 0), 0xFFFFFFu);
}

// An interlaced 4 x 10 GIF whose row y has colour index y % 4; index 3 is transparent, and
// the frame sits one pixel in from the left of a 5-pixel-wide screen.
std::vector<uint8_t> InterlacedGif() {
  std::vector<uint8_t> out;
  auto write = [](GifFileType* gif, const GifByteType* data, int n) {
    auto* o = static_cast<std::vector<uint8_t>*>(gif->UserData);
    o->insert(o->end(), data, data + n);
    return n;
  };
  int error = 0;
  GifFileType* gif = EGifOpen(&out, write, &error);
  const GifColorType colours[4] = {{0, 0, 0}, {255, 0, 0}, {0, 0, 255}, {9, 9, 9}};
  ColorMapObject* map = GifMakeMapObject(4, colours);
  GraphicsControlBlock gcb{};
  gcb.TransparentColor = 3;
  GifByteType extension[4];
  size_t length = EGifGCBToExtension(&gcb, extension);
  EXPECT_EQ(EGifPutScreenDesc(gif, 5, 10, 2, 0, map), GIF_OK);
  EXPECT_EQ(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), extension), GIF_OK);
  EXPECT_EQ(EGifPutImageDesc(gif, 1, 0, 4, 10, true, nullptr), GIF_OK);
  for (int y : {0, 8, 4, 2, 6, 1, 3, 5, 7, 9}) {  // the rows in their stored order
    GifPixelType line[4];
    std::fill(line, line + 4, GifPixelType(y % 4));
    EXPECT_EQ(EGifPutLine(gif, line, 4), GIF_OK);
  }
  EXPECT_EQ(EGifCloseFile(gif, &error), GIF_OK);
  GifFreeMapObject(map);
  return out;
}

TEST(ImagingCodecs, GifFirstFrameIsDeinterlacedWithTransparencyShowingTheBackground) {
  std::optional<gfx::Bitmap> b = DecodePicture(InterlacedGif(), 0x00FF00);
  ASSERT_TRUE(b.has_value());
  ASSERT_EQ(b->Width(), 5);
  ASSERT_EQ(b->Height(), 10);
  const uint32_t by_index[4] = {0x000000, 0xFF0000, 0x0000FF, 0x00FF00};
  for (int y = 0; y < 10; ++y) {
    EXPECT_EQ(b->Pixel(0, y), 0x00FF00u) << "left of the frame: background";
    for (int x = 1; x < 5; ++x) EXPECT_EQ(b->Pixel(x, y), by_index[y % 4]) << x << "," << y;
  }
}

TEST(ImagingCodecs, PngAlphaIsLaidOverTheBackground) {
  // Opaque red, transparent, and half-covered black.
  const uint8_t rgba[] = {255, 0, 0, 255, 0, 255, 0, 0, 0, 0, 0, 128};
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = 3;
  image.height = 1;
  image.format = PNG_FORMAT_RGBA;
  std::vector<uint8_t> png(1024);
  png_alloc_size_t size = png.size();
  ASSERT_TRUE(png_image_write_to_memory(&image, png.data(), &size, 0, rgba, 0, nullptr));
  png.resize(size);

  std::optional<gfx::Bitmap> on_blue = DecodePicture(png, 0x0000FF);
  ASSERT_TRUE(on_blue.has_value());
  EXPECT_EQ(on_blue->Pixel(0, 0), 0xFF0000u);
  EXPECT_EQ(on_blue->Pixel(1, 0), 0x0000FFu);
  EXPECT_EQ(on_blue->Pixel(2, 0), 0x00007Fu);
  std::optional<gfx::Bitmap> on_white = DecodePicture(png, 0xFFFFFF);
  ASSERT_TRUE(on_white.has_value());
  EXPECT_EQ(on_white->Pixel(1, 0), 0xFFFFFFu);
}

TEST(ImagingCodecs, TruncatedFilesAreRefused) {
  gfx::Bitmap original = TestPicture(120, 90);
  for (PictureFormat format : {PictureFormat::kPng, PictureFormat::kJpeg, PictureFormat::kBmp,
                               PictureFormat::kGif, PictureFormat::kTiff}) {
    std::vector<uint8_t> bytes = Encoded(original, format);
    for (size_t keep : {size_t(0), size_t(2), size_t(8), size_t(30), bytes.size() / 2, bytes.size() - 40}) {
      std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + std::min(keep, bytes.size()));
      EXPECT_FALSE(DecodePicture(cut).has_value()) << int(format) << " kept " << keep;
    }
  }
}

// libjpeg makes up the pixels of missing or damaged data with a warning; such a picture
// is refused like any truncated one.
TEST(ImagingCodecs, JpegWithMadeUpPixelsIsRefused) {
  const std::vector<uint8_t> jpeg = Encoded(TestPicture(120, 90), PictureFormat::kJpeg);
  ASSERT_TRUE(DecodePicture(jpeg).has_value());
  // Cut in the middle of the scan, with the end-of-image marker put back.
  std::vector<uint8_t> cut(jpeg.begin(), jpeg.begin() + jpeg.size() / 2);
  cut.insert(cut.end(), {0xFF, 0xD9});
  EXPECT_FALSE(DecodePicture(cut).has_value());

  // The frame header made to claim 8000 x 8000 pixels over the same few kilobytes of data:
  // they cannot hold that many blocks, so it is refused before its pixels are allocated.
  std::vector<uint8_t> claimed = jpeg;
  size_t sof = 2;
  while (sof + 9 < claimed.size() && !(claimed[sof] == 0xFF && claimed[sof + 1] == 0xC0)) ++sof;
  ASSERT_LT(sof + 9, claimed.size());
  const uint8_t side[] = {0x1F, 0x40};  // 8000, big-endian
  std::copy(side, side + 2, claimed.begin() + long(sof) + 5);
  std::copy(side, side + 2, claimed.begin() + long(sof) + 7);
  EXPECT_FALSE(DecodePicture(claimed).has_value());
}

TEST(ImagingCodecs, CorruptedHeadersAndUnknownBytesAreRefused) {
  EXPECT_FALSE(DecodePicture(std::vector<uint8_t>{}).has_value());
  const std::string text = "not a picture at all, just some text that is long enough";
  EXPECT_FALSE(DecodePicture(std::vector<uint8_t>(text.begin(), text.end())).has_value());

  gfx::Bitmap original = TestPicture();
  // BMP: a pixel offset past the end, a huge width, an unsupported depth.
  std::vector<uint8_t> bmp = Encoded(original, PictureFormat::kBmp);
  auto patched = [&](size_t at, std::vector<uint8_t> with) {
    std::vector<uint8_t> b = bmp;
    std::copy(with.begin(), with.end(), b.begin() + at);
    return b;
  };
  EXPECT_FALSE(DecodePicture(patched(10, {0xF0, 0xFF, 0xFF, 0x7F})).has_value());
  EXPECT_FALSE(DecodePicture(patched(18, {0xFF, 0xFF, 0xFF, 0x7F})).has_value());
  EXPECT_FALSE(DecodePicture(patched(18, {0, 0, 0, 0})).has_value());
  EXPECT_FALSE(DecodePicture(patched(28, {16, 0})).has_value());
  EXPECT_FALSE(DecodePicture(patched(14, {0xFF, 0xFF, 0, 0})).has_value());

  // PNG: a damaged image header checksum, and a width beyond the size limit.
  std::vector<uint8_t> png = Encoded(original, PictureFormat::kPng);
  std::vector<uint8_t> bad_crc = png;
  bad_crc[29] ^= 0xFF;
  EXPECT_FALSE(DecodePicture(bad_crc).has_value());

  // JPEG: garbage after the start marker.
  std::vector<uint8_t> jpeg = Encoded(original, PictureFormat::kJpeg);
  for (size_t i = 20; i < jpeg.size(); i += 7) jpeg[i] = 0xFF;
  EXPECT_FALSE(DecodePicture(jpeg).has_value());
}

TEST(ImagingCodecs, PicturesBeyondTheSizeLimitAreRefusedBeforeDecoding) {
  // A 24-bit BMP header claiming 20000 x 20000 pixels over a few bytes of data.
  gfx::Bitmap small(2, 2);
  std::vector<uint8_t> bmp = Encoded(small, PictureFormat::kBmp);
  const uint8_t side[] = {0x20, 0x4E, 0, 0};  // 20000
  std::copy(side, side + 4, bmp.begin() + 18);
  std::copy(side, side + 4, bmp.begin() + 22);
  EXPECT_FALSE(DecodePicture(bmp).has_value());
  EXPECT_FALSE(SizeAcceptable(kMaxSide + 1, 1));
  EXPECT_FALSE(SizeAcceptable(kMaxSide, kMaxSide));  // too many pixels overall
  EXPECT_TRUE(SizeAcceptable(4096, 4096));
}

// A buffer kept from a larger picture, or from another format, holds nothing of it after
// the next encoding: the bytes are those of a fresh encoding.
TEST(ImagingCodecs, AReusedBufferGivesTheSameBytes) {
  const gfx::Bitmap big = TestPicture(300, 90), small = TestPicture();
  std::vector<uint8_t> reused;
  for (PictureFormat format : {PictureFormat::kBmp, PictureFormat::kPng, PictureFormat::kJpeg,
                               PictureFormat::kBmp, PictureFormat::kGif, PictureFormat::kPng}) {
    ASSERT_TRUE(EncodePictureInto(big, format, reused));
    EXPECT_EQ(reused, Encoded(big, format)) << int(format);
    ASSERT_TRUE(EncodePictureInto(small, format, reused));
    EXPECT_EQ(reused, Encoded(small, format)) << int(format);
  }
}

TEST(ImagingCodecs, EmptyBitmapsAndUnknownFormatsAreNotEncoded) {
  EXPECT_FALSE(EncodePicture(gfx::Bitmap(), PictureFormat::kPng).has_value());
  EXPECT_FALSE(EncodePicture(gfx::Bitmap(0, 5), PictureFormat::kBmp).has_value());
  EXPECT_FALSE(EncodePicture(TestPicture(), PictureFormat::kUnknown).has_value());
}

}  // namespace
}  // namespace barvell::imaging
