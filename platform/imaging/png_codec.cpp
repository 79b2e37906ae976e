// PNG through libpng's simplified interface, which keeps its own error recovery: a
// malformed or truncated file makes a call return 0 instead of jumping out of our frames.
#include <png.h>

#include <cstring>
#include <optional>
#include <vector>

#include "platform/imaging/codecs.h"
#include "platform/imaging/picture_format.h"

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

constexpr size_t kMaxPaletteEntries = 256;

// The picture's colours when there are few enough for a palette (in order of first
// appearance), with each pixel's index into them; nothing when there are more.
struct Indexed {
  std::vector<uint32_t> palette;
  Bytes indices;
};

std::optional<Indexed> IndexColours(const gfx::Bitmap& bitmap) {
  Indexed out;
  out.indices.reserve(size_t(bitmap.Width()) * bitmap.Height());
  uint32_t last = 0;
  uint8_t last_index = 0;
  for (int y = 0; y < bitmap.Height(); ++y) {
    const uint32_t* row = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width(); ++x) {
      uint32_t rgb = row[x] & 0xFFFFFF;
      // Runs of one colour are the rule in a drawn picture: look up only on a change.
      if (out.palette.empty() || rgb != last) {
        size_t i = 0;
        while (i < out.palette.size() && out.palette[i] != rgb) ++i;
        if (i == out.palette.size()) {
          if (i == kMaxPaletteEntries) return std::nullopt;
          out.palette.push_back(rgb);
        }
        last = rgb;
        last_index = uint8_t(i);
      }
      out.indices.push_back(last_index);
    }
  }
  return out;
}

std::optional<Bytes> WritePng(png_image& image, const void* pixels, const void* colormap) {
  png_alloc_size_t size = 0;
  if (!png_image_write_get_memory_size(image, size, 0, pixels, 0, colormap)) {
    return std::nullopt;
  }
  Bytes out(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, pixels, 0, colormap)) {
    return std::nullopt;
  }
  out.resize(size);
  return out;
}

}  // namespace

// A picture of at most 256 colours (a barcode has two) is written with a palette, whose
// bit depth libpng takes from the number of entries: 1 bit per pixel for two colours.
// Others are written as 8-bit RGB.
std::optional<Bytes> EncodePng(const gfx::Bitmap& bitmap) {
  if (bitmap.Empty()) return std::nullopt;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(bitmap.Width());
  image.height = png_uint_32(bitmap.Height());
  if (std::optional<Indexed> indexed = IndexColours(bitmap)) {
    Bytes colormap;
    for (uint32_t rgb : indexed->palette) {
      colormap.insert(colormap.end(), {RedOf(rgb), GreenOf(rgb), BlueOf(rgb)});
    }
    image.format = PNG_FORMAT_RGB_COLORMAP;
    image.colormap_entries = png_uint_32(indexed->palette.size());
    return WritePng(image, indexed->indices.data(), colormap.data());
  }
  Bytes rgb = PackedRgb(bitmap);
  image.format = PNG_FORMAT_RGB;
  return WritePng(image, rgb.data(), nullptr);
}

}  // namespace barvell::imaging
