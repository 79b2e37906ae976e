// BMP files: a minimal reader (uncompressed 1/4/8-bit palette, 24- and 32-bit pictures,
// bottom-up or top-down, any information header from 40 bytes on) and a writer of 24-bit
// bottom-up pictures with rows padded to four bytes. Every offset and size read from the
// file is checked against the file's length before it is used.
#include <cstring>

#include "platform/imaging/codecs.h"
#include "platform/imaging/picture_format.h"

namespace barvell::imaging {

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kInfoHeaderBytes = 40;
constexpr uint32_t kUncompressed = 0;  // BI_RGB
constexpr int32_t kPixelsPerMetre = 3780;  // 96 dpi

uint32_t Le32(std::span<const uint8_t> b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
         uint32_t(b[at + 3]) << 24;
}
uint16_t Le16(std::span<const uint8_t> b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }

void Put32(Bytes& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}
void Put16(Bytes& out, uint16_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}

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
  bool top_down = signed_height < 0;
  int64_t height = top_down ? -int64_t(signed_height) : signed_height;
  if (planes != 1 || compression != kUncompressed || !SizeAcceptable(width, height)) {
    return std::nullopt;
  }
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return std::nullopt;

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
      if (bits == 24 || bits == 32) {
        const uint8_t* p = src + size_t(x) * (bits / 8);
        row[x] = Rgb(p[2], p[1], p[0]);
        continue;
      }
      int per_byte = 8 / bits;
      int shift = 8 - bits * (x % per_byte + 1);
      uint32_t index = (src[x / per_byte] >> shift) & ((1u << bits) - 1);
      if (index >= palette.size()) return std::nullopt;
      row[x] = palette[index];
    }
  }
  return bitmap;
}

std::optional<Bytes> EncodeBmp(const gfx::Bitmap& bitmap) {
  if (bitmap.Empty()) return std::nullopt;
  size_t row_bytes = RowBytes(bitmap.Width(), 24);
  size_t pixel_bytes = row_bytes * size_t(bitmap.Height());
  size_t file_bytes = kFileHeaderBytes + kInfoHeaderBytes + pixel_bytes;
  if (file_bytes > UINT32_MAX) return std::nullopt;

  Bytes out;
  out.reserve(file_bytes);
  out.push_back('B');
  out.push_back('M');
  Put32(out, uint32_t(file_bytes));
  Put32(out, 0);  // reserved
  Put32(out, uint32_t(kFileHeaderBytes + kInfoHeaderBytes));
  Put32(out, kInfoHeaderBytes);
  Put32(out, uint32_t(bitmap.Width()));
  Put32(out, uint32_t(bitmap.Height()));  // positive: bottom-up
  Put16(out, 1);   // planes
  Put16(out, 24);  // bits per pixel
  Put32(out, kUncompressed);
  Put32(out, uint32_t(pixel_bytes));
  Put32(out, uint32_t(kPixelsPerMetre));
  Put32(out, uint32_t(kPixelsPerMetre));
  Put32(out, 0);  // colours used
  Put32(out, 0);  // important colours
  for (int y = bitmap.Height() - 1; y >= 0; --y) {
    const uint32_t* row = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width(); ++x) {
      out.push_back(BlueOf(row[x]));
      out.push_back(GreenOf(row[x]));
      out.push_back(RedOf(row[x]));
    }
    out.resize(out.size() + row_bytes - size_t(bitmap.Width()) * 3, 0);
  }
  return out;
}

}  // namespace barvell::imaging
