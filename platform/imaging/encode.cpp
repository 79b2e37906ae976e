#include "platform/imaging/encode.h"

#include "platform/gfx/bmp_rows.h"
#include "platform/imaging/codecs.h"
#include "platform/imaging/picture_file.h"

namespace barvell::imaging {

namespace {

// The formats that need every pixel of a whole raster.
bool EncodeWhole(const gfx::Bitmap& bitmap, PictureFormat format, Bytes& out) {
  std::optional<Bytes> bytes;
  switch (format) {
    case PictureFormat::kJpeg: bytes = EncodeJpeg(bitmap); break;
    case PictureFormat::kGif: bytes = EncodeGif(bitmap); break;
    case PictureFormat::kTiff: bytes = EncodeTiff(bitmap); break;
    case PictureFormat::kPng:
    case PictureFormat::kBmp:
    case PictureFormat::kUnknown: break;
  }
  if (!bytes) return false;
  out = std::move(*bytes);
  return true;
}

}  // namespace

bool EncodePictureInto(const gfx::Bitmap& bitmap, PictureFormat format, Bytes& out) {
  if (format == PictureFormat::kPng || format == PictureFormat::kBmp) {
    std::vector<uint32_t> row_of;
    const gfx::MappedRows rows = gfx::MapRepeatedRows(bitmap, row_of);
    return format == PictureFormat::kPng ? EncodePng(rows, out) : EncodeBmp(rows, out);
  }
  return EncodeWhole(bitmap, format, out);
}

bool EncodePictureInto(const DecodedPicture& picture, PictureFormat format, Bytes& out) {
  switch (format) {
    case PictureFormat::kPng: return EncodePng(picture.Rows(), out);
    case PictureFormat::kBmp: return EncodeBmp(picture.Rows(), out);
    case PictureFormat::kUnknown: return false;
    default: return EncodeWhole(picture.Whole(), format, out);
  }
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

Bytes PackedRgb(const gfx::MappedRows& picture) {
  Bytes out;
  out.reserve(size_t(picture.width) * size_t(picture.height) * 3);
  for (int y = 0; y < picture.height; ++y) {
    const uint32_t* row = picture.Row(y);
    for (int x = 0; x < picture.width; ++x) {
      out.push_back(RedOf(row[x]));
      out.push_back(GreenOf(row[x]));
      out.push_back(BlueOf(row[x]));
    }
  }
  return out;
}

}  // namespace barvell::imaging
