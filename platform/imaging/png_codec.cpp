// PNG through libpng's simplified interface, which keeps its own error recovery: a
// malformed or truncated file makes a call return 0 instead of jumping out of our frames.
#include <png.h>

#include <cstring>
#include <optional>
#include <vector>

#include "platform/imaging/codecs.h"
#include "platform/imaging/picture_format.h"
#include "platform/imaging/png_palette_writer.h"

namespace barvell::imaging {

std::optional<gfx::Bitmap> DecodePng(std::span<const uint8_t> bytes, uint32_t background_rgb) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return std::nullopt;
  if (!SizeAcceptable(image.width, image.height)) {
    png_image_free(&image);
    return std::nullopt;
  }
  image.format = PNG_FORMAT_RGBA;
  Bytes rgba(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) return std::nullopt;

  gfx::Bitmap bitmap(int(image.width), int(image.height));
  const uint8_t* p = rgba.data();
  for (int y = 0; y < bitmap.Height(); ++y) {
    uint32_t* row = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width(); ++x, p += 4) {
      row[x] = Composite(p[0], p[1], p[2], p[3], background_rgb);
    }
  }
  return bitmap;
}

namespace {

std::optional<Bytes> WritePng(png_image& image, const void* pixels) {
  png_alloc_size_t size = 0;
  if (!png_image_write_get_memory_size(image, size, 0, pixels, 0, nullptr)) {
    return std::nullopt;
  }
  Bytes out(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, pixels, 0, nullptr)) {
    return std::nullopt;
  }
  out.resize(size);
  return out;
}

}  // namespace

// A picture of at most 256 colours (a barcode has two) is written with a palette at the
// smallest bit depth that holds it: 1 bit per pixel for two colours. Others are written as
// 8-bit RGB.
bool EncodePng(const gfx::MappedRows& picture, Bytes& out) {
  if (picture.Empty()) return false;
  if (EncodePalettePng(picture, out)) return true;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(picture.width);
  image.height = png_uint_32(picture.height);
  Bytes rgb = PackedRgb(picture);
  image.format = PNG_FORMAT_RGB;
  std::optional<Bytes> written = WritePng(image, rgb.data());
  if (!written) return false;
  out = std::move(*written);
  return true;
}

}  // namespace barvell::imaging
