#include "platform/imaging/encode.h"

#include "platform/imaging/codecs.h"
#include "platform/imaging/picture_file.h"

namespace barvell::imaging {

bool EncodePictureInto(const gfx::Bitmap& bitmap, PictureFormat format, Bytes& out,
                       std::span<const uint8_t> row_repeats) {
  std::optional<Bytes> bytes;
  switch (format) {
    case PictureFormat::kPng: return EncodePng(bitmap, out, row_repeats);
    case PictureFormat::kBmp: return EncodeBmp(bitmap, out, row_repeats);
    case PictureFormat::kJpeg: bytes = EncodeJpeg(bitmap); break;
    case PictureFormat::kGif: bytes = EncodeGif(bitmap); break;
    case PictureFormat::kTiff: bytes = EncodeTiff(bitmap); break;
    case PictureFormat::kUnknown: break;
  }
  if (!bytes) return false;
  out = std::move(*bytes);
  return true;
}

std::optional<std::vector<uint8_t>> EncodePicture(const gfx::Bitmap& bitmap, PictureFormat format) {
  Bytes out;
  if (!EncodePictureInto(bitmap, format, out)) return std::nullopt;
  return out;
}

bool SavePicture(const gfx::Bitmap& bitmap, PictureFormat format, std::string_view utf8_path) {
  std::optional<std::vector<uint8_t>> bytes = EncodePicture(bitmap, format);
  return bytes && WriteFileReplacing(utf8_path, *bytes);
}

Bytes PackedRgb(const gfx::Bitmap& bitmap) {
  Bytes out;
  out.reserve(size_t(bitmap.Width()) * bitmap.Height() * 3);
  for (int y = 0; y < bitmap.Height(); ++y) {
    const uint32_t* row = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width(); ++x) {
      out.push_back(RedOf(row[x]));
      out.push_back(GreenOf(row[x]));
      out.push_back(BlueOf(row[x]));
    }
  }
  return out;
}

}  // namespace barvell::imaging
