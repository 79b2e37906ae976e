#include "platform/imaging/decode.h"

#include <algorithm>

#include "platform/imaging/codecs.h"

namespace barvell::imaging {

namespace {

struct Signature {
  PictureFormat format;
  std::span<const uint8_t> magic;
};

constexpr uint8_t kPngMagic[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint8_t kJpegMagic[] = {0xFF, 0xD8, 0xFF};
constexpr uint8_t kBmpMagic[] = {'B', 'M'};
constexpr uint8_t kGif87Magic[] = {'G', 'I', 'F', '8', '7', 'a'};
constexpr uint8_t kGif89Magic[] = {'G', 'I', 'F', '8', '9', 'a'};
constexpr uint8_t kTiffLittleMagic[] = {'I', 'I', 42, 0};
constexpr uint8_t kTiffBigMagic[] = {'M', 'M', 0, 42};

constexpr Signature kSignatures[] = {
    {PictureFormat::kPng, kPngMagic},       {PictureFormat::kJpeg, kJpegMagic},
    {PictureFormat::kBmp, kBmpMagic},       {PictureFormat::kGif, kGif87Magic},
    {PictureFormat::kGif, kGif89Magic},     {PictureFormat::kTiff, kTiffLittleMagic},
    {PictureFormat::kTiff, kTiffBigMagic},
};

}  // namespace

PictureFormat SniffFormat(std::span<const uint8_t> bytes) {
  for (const Signature& s : kSignatures) {
    if (bytes.size() >= s.magic.size() && std::equal(s.magic.begin(), s.magic.end(), bytes.begin())) {
      return s.format;
    }
  }
  return PictureFormat::kUnknown;
}

std::optional<gfx::Bitmap> DecodePicture(std::span<const uint8_t> bytes, uint32_t background_rgb) {
  switch (SniffFormat(bytes)) {
    case PictureFormat::kPng: return DecodePng(bytes, background_rgb);
    case PictureFormat::kJpeg: return DecodeJpeg(bytes);
    case PictureFormat::kBmp: return DecodeBmp(bytes);
    case PictureFormat::kGif: return DecodeGif(bytes, background_rgb);
    case PictureFormat::kTiff: return DecodeTiff(bytes, background_rgb);
    case PictureFormat::kUnknown: break;
  }
  return std::nullopt;
}

uint32_t Composite(uint8_t r, uint8_t g, uint8_t b, uint8_t alpha, uint32_t background_rgb) {
  auto mix = [alpha](uint32_t fg, uint32_t bg) {
    return uint8_t((fg * alpha + bg * (255u - alpha) + 127u) / 255u);
  };
  return Rgb(mix(r, RedOf(background_rgb)), mix(g, GreenOf(background_rgb)),
             mix(b, BlueOf(background_rgb)));
}

}  // namespace barvell::imaging
