#include "platform/gfx/bmp_file.h"

#include "platform/gfx/bmp_layout.h"

#include <bit>
#include <cstring>
#include <fstream>
#include <iterator>

namespace barvell::gfx {
namespace {

using bmp::Get32;
using bmp::kFileHeaderSize;
using bmp::kInfoHeaderSize;
using bmp::Stride24;

constexpr std::size_t kMaxFileSize = 0x7FFFFFFF;

// A bit-field mask is one run of set bits (or none); with gaps the channel's value has no
// meaning and the scaling below would spill into the neighbouring channel.
bool Contiguous(std::uint32_t mask) {
  if (mask == 0) return true;
  const std::uint32_t run = mask >> std::countr_zero(mask);
  return (run & (run + 1)) == 0;
}

// A colour channel out of a 32-bit pixel by its contiguous bit-field mask, scaled to 8 bits.
std::uint32_t Channel(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int bits = std::popcount(mask);
  std::uint32_t v = (pixel & mask) >> shift;
  if (bits >= 8) return v >> (bits - 8);
  return bits > 0 ? v * 255 / ((1u << bits) - 1) : 0;
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp24(const Bitmap& bitmap) {
  return EncodeBmp24(bitmap, bitmap.Width(), bitmap.Height());
}

std::size_t Bmp24FileSize(int width, int height) {
  if (width <= 0 || height <= 0) return 0;
  const std::size_t dataSize = Stride24(width) * static_cast<std::size_t>(height);
  if (dataSize > kMaxFileSize - kFileHeaderSize - kInfoHeaderSize) return 0;
  return kFileHeaderSize + kInfoHeaderSize + dataSize;
}

void WriteBmp24(const Bitmap& bitmap, int width, int height, std::uint8_t* h,
                std::span<const std::uint8_t> row_repeats) {
  const std::size_t stride = Stride24(width);
  bmp::WriteHeader24(h, width, height);

  std::uint8_t* pixels = h + kFileHeaderSize + kInfoHeaderSize;
  const int cw = std::max(0, std::min(width, bitmap.Width()));
  const bool hinted = width == bitmap.Width() && height == bitmap.Height() &&
                      row_repeats.size() == std::size_t(height) && row_repeats[0] == 0;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = pixels + stride * static_cast<std::size_t>(height - 1 - y);
    if (y >= bitmap.Height()) {
      std::memset(row, 0, stride);  // below the bitmap: black
      continue;
    }
    const std::uint32_t* src = bitmap.Row(y);
    // Drawn pictures repeat most rows (a barcode's bars run down the symbol): a row like
    // the one above is copied as bytes, already converted.
    const bool repeats = hinted ? row_repeats[std::size_t(y)] != 0
                                : y > 0 && std::memcmp(src, bitmap.Row(y - 1), std::size_t(cw) * 4) == 0;
    bmp::WriteRow24(row, stride, src, cw, repeats);  // right of the bitmap black
  }
}

std::vector<std::uint8_t> EncodeBmp24(const Bitmap& bitmap, int width, int height) {
  const std::size_t size = Bmp24FileSize(width, height);
  if (size == 0) return {};
  std::vector<std::uint8_t> out(size);
  WriteBmp24(bitmap, width, height, out.data());
  return out;
}

bool DecodeBmpOnto(std::span<const std::uint8_t> b, Bitmap& out) {
  bmp::Header header;
  if (!bmp::ReadHeader(b, header)) return false;
  const std::uint32_t offset = header.offset;
  const int width = header.width, height = header.height;
  const bool topDown = header.top_down;
  const std::uint16_t bpp = header.bits_per_pixel;
  const std::uint32_t compression = header.compression;

  std::uint32_t masks[3] = {0x00FF0000, 0x0000FF00, 0x000000FF};
  if (bpp == 24) {
    if (compression != 0) return false;
  } else if (bpp == 32) {
    if (compression == 3) {  // BI_BITFIELDS: masks in the header or right after it
      const std::size_t at = kFileHeaderSize + kInfoHeaderSize;
      if (at + 12 > b.size()) return false;
      for (int i = 0; i < 3; ++i) {
        masks[i] = Get32(&b[at + 4 * i]);
        if (!Contiguous(masks[i])) return false;
      }
    } else if (compression != 0) {
      return false;
    }
  } else {
    return false;
  }

  const std::size_t stride = ((static_cast<std::size_t>(bpp) * width + 31) / 32) * 4;
  if (offset > b.size() || stride * height > b.size() - offset) return false;
  if (out.Width() != width || out.Height() != height) out = Bitmap(width, height);
  // Only the pixel bytes are compared, not the padding: for 24 bits equal pixel bytes are
  // exactly equal decoded rows. Different 32-bit words may decode alike, so there only
  // equal words are taken for a repeat.
  const std::size_t compared = bpp == 24 ? 3 * std::size_t(width) : stride;
  const std::uint8_t* above = nullptr;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = b.data() + offset + stride * static_cast<std::size_t>(topDown ? y : height - 1 - y);
    std::uint32_t* dst = out.Row(y);
    // A row like the one above (most rows of a drawn picture) is copied, already decoded.
    if (above != nullptr && std::memcmp(row, above, compared) == 0) {
      std::memcpy(dst, out.Row(y - 1), std::size_t(width) * 4);
      continue;
    }
    above = row;
    // One loop per depth, so the common 24-bit one has no test per pixel.
    if (bpp == 24) {
      bmp::UnpackRow24(row, width, dst);
      continue;
    }
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = Get32(row + 4 * x);
      dst[x] = (Channel(p, masks[0]) << 16) | (Channel(p, masks[1]) << 8) | Channel(p, masks[2]);
    }
  }
  return true;
}

std::optional<Bitmap> DecodeBmp(std::span<const std::uint8_t> b) {
  Bitmap out;
  if (!DecodeBmpOnto(b, out)) return std::nullopt;
  return out;
}

std::optional<Bitmap> ReadBmpFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return DecodeBmp(bytes);
}

}  // namespace barvell::gfx
