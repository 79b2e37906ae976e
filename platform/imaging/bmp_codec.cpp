// BMP files: the palette pictures (uncompressed 1/4/8-bit, bottom-up or top-down, any
// information header from 40 bytes on) read here; direct-colour pictures and the 24-bit
// writer are the raster layer's (platform/gfx/bmp_file.h). Every offset and size read
// from the file is checked against the file's length before it is used.
#include <cstring>

#include "platform/gfx/bmp_file.h"
#include "platform/gfx/bmp_rows.h"
#include "platform/imaging/codecs.h"
#include "platform/imaging/picture_format.h"

namespace barvell::imaging {

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kInfoHeaderBytes = 40;
constexpr uint32_t kUncompressed = 0;  // BI_RGB

uint32_t Le32(std::span<const uint8_t> b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
         uint32_t(b[at + 3]) << 24;
}
uint16_t Le16(std::span<const uint8_t> b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }


size_t RowBytes(int64_t width, int bits) { return size_t((width * bits + 31) / 32 * 4); }

}  // namespace

std::optional<gfx::Bitmap> DecodeBmp(std::span<const uint8_t> b) {
  if (b.size() < kFileHeaderBytes + kInfoHeaderBytes || b[0] != 'B' || b[1] != 'M') {
    return std::nullopt;
  }
  uint32_t pixel_offset = Le32(b, 10);
  uint32_t info_size = Le32(b, 14);
  if (info_size < kInfoHeaderBytes || info_size > b.size() - kFileHeaderBytes) return std::nullopt;
  int32_t width = int32_t(Le32(b, 18));
  int32_t signed_height = int32_t(Le32(b, 22));
  uint16_t planes = Le16(b, 26);
  uint16_t bits = Le16(b, 28);
  uint32_t compression = Le32(b, 30);
  uint32_t colours_used = Le32(b, 46);
  // Direct colour, bit-field masks included, is the raster layer's reader.
  int64_t rows = signed_height < 0 ? -int64_t(signed_height) : signed_height;
  if ((bits == 24 || bits == 32) && SizeAcceptable(width, rows)) return gfx::DecodeBmp(b);
  bool top_down = signed_height < 0;
  int64_t height = rows;
  if (planes != 1 || compression != kUncompressed || !SizeAcceptable(width, height)) {
    return std::nullopt;
  }
  if (bits != 1 && bits != 4 && bits != 8) return std::nullopt;

  // The palette follows the information header: 4 bytes per entry, B G R and a spare.
  std::vector<uint32_t> palette;
  if (bits <= 8) {
    uint32_t entries = colours_used == 0 ? (1u << bits) : colours_used;
    if (entries > (1u << bits)) return std::nullopt;
    size_t at = kFileHeaderBytes + info_size;
    if (b.size() < at || (b.size() - at) / 4 < entries) return std::nullopt;
    for (uint32_t i = 0; i < entries; ++i, at += 4) palette.push_back(Rgb(b[at + 2], b[at + 1], b[at]));
  }

  size_t row_bytes = RowBytes(width, bits);
  if (pixel_offset > b.size() || (b.size() - pixel_offset) / row_bytes < size_t(height)) {
    return std::nullopt;
  }
  gfx::Bitmap bitmap(width, int(height));
  for (int64_t r = 0; r < height; ++r) {
    const uint8_t* src = b.data() + pixel_offset + size_t(r) * row_bytes;
    uint32_t* row = bitmap.Row(int(top_down ? r : height - 1 - r));
    for (int x = 0; x < width; ++x) {
      int per_byte = 8 / bits;
      int shift = 8 - bits * (x % per_byte + 1);
      uint32_t index = (src[x / per_byte] >> shift) & ((1u << bits) - 1);
      if (index >= palette.size()) return std::nullopt;
      row[x] = palette[index];
    }
  }
  return bitmap;
}

// The same 24-bit layout as the draw panel's picture bytes, each distinct row packed once.
bool EncodeBmp(const gfx::MappedRows& picture, Bytes& out) {
  if (picture.Empty()) return false;
  size_t pixel_bytes = RowBytes(picture.width, 24) * size_t(picture.height);
  if (kFileHeaderBytes + kInfoHeaderBytes + pixel_bytes > UINT32_MAX) return false;
  const size_t size = gfx::Bmp24FileSize(picture.width, picture.height);
  if (size == 0) return false;
  // Every byte, padding included, is written: what `out` held is never cleared first.
  out.resize(size);
  gfx::WriteBmp24Rows(picture, out.data());
  return true;
}

}  // namespace barvell::imaging
