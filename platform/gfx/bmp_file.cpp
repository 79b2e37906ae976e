#include "platform/gfx/bmp_file.h"

#include <bit>
#include <cstring>
#include <fstream>
#include <iterator>

namespace barvell::gfx {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kMaxFileSize = 0x7FFFFFFF;

void Put16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint32_t Get32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::size_t Stride24(int width) { return ((24ull * static_cast<std::size_t>(width) + 31) / 32) * 4; }

std::uint16_t Get16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

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

// Rows are converted two pixels (six file bytes) a 64-bit word at a time: shifts of
// whole words instead of a store per byte. The word's two bytes past the pair are the next
// pixel's, so pairs go on while a pixel follows them, and that pixel's bytes are written
// (or read) after. Where the words are not little-endian the plain per-byte loops do it.
constexpr bool kLittleEndian = std::endian::native == std::endian::little;

void Store64(std::uint8_t* p, std::uint64_t v) { std::memcpy(p, &v, 8); }

std::uint64_t Load64(const void* p) {
  std::uint64_t v;
  std::memcpy(&v, p, 8);
  return v;
}

// `n` pixels 0x??RRGGBB (the top byte ignored) as blue-green-red bytes.
void PackRow24(const std::uint32_t* src, int n, std::uint8_t* out) {
  int x = 0;
  if constexpr (kLittleEndian) {
    // Two pixels of the raster as one word: the first's low 24 bits, then the second's.
    const auto pack = [](std::uint64_t w) { return (w & 0xFFFFFFu) | ((w >> 8) & 0xFFFFFF000000u); };
    for (; x + 5 <= n; x += 4, src += 4, out += 12) {
      const std::uint64_t a = Load64(src), b = Load64(src + 2);
      Store64(out, pack(a));
      Store64(out + 6, pack(b));
    }
    for (; x + 3 <= n; x += 2, src += 2, out += 6) Store64(out, pack(Load64(src)));
  }
  for (; x < n; ++x, ++src, out += 3) {
    out[0] = static_cast<std::uint8_t>(*src);
    out[1] = static_cast<std::uint8_t>(*src >> 8);
    out[2] = static_cast<std::uint8_t>(*src >> 16);
  }
}

// The reverse: `n` blue-green-red pixels as 0x00RRGGBB.
void UnpackRow24(const std::uint8_t* in, int n, std::uint32_t* dst) {
  int x = 0;
  if constexpr (kLittleEndian) {
    // Six bytes as two raster pixels: the low 24 bits, and the next 24 moved to the high word.
    const auto unpack = [](std::uint64_t w) { return (w & 0xFFFFFFu) | ((w << 8) & 0x00FFFFFF00000000u); };
    for (; x + 5 <= n; x += 4, in += 12, dst += 4) {
      const std::uint64_t a = unpack(Load64(in)), b = unpack(Load64(in + 6));
      std::memcpy(dst, &a, 8);
      std::memcpy(dst + 2, &b, 8);
    }
    for (; x + 3 <= n; x += 2, in += 6, dst += 2) {
      const std::uint64_t a = unpack(Load64(in));
      std::memcpy(dst, &a, 8);
    }
  }
  for (; x < n; ++x, in += 3, ++dst) dst[0] = (std::uint32_t(in[2]) << 16) | (std::uint32_t(in[1]) << 8) | in[0];
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
  const std::size_t dataSize = stride * static_cast<std::size_t>(height);
  std::memset(h, 0, kFileHeaderSize + kInfoHeaderSize);
  h[0] = 'B';
  h[1] = 'M';
  Put32(h + 2, static_cast<std::uint32_t>(kFileHeaderSize + kInfoHeaderSize + dataSize));
  Put32(h + 10, kFileHeaderSize + kInfoHeaderSize);
  Put32(h + 14, kInfoHeaderSize);
  Put32(h + 18, static_cast<std::uint32_t>(width));
  Put32(h + 22, static_cast<std::uint32_t>(height));  // positive: bottom row first
  Put16(h + 26, 1);
  Put16(h + 28, 24);
  Put32(h + 34, static_cast<std::uint32_t>(dataSize));
  // Compression (BI_RGB), resolutions and colour counts stay 0.

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
    if (repeats) {
      std::memcpy(row, row + stride, stride);
      continue;
    }
    PackRow24(src, cw, row);
    // Right of the bitmap black, then the padding.
    std::memset(row + 3 * static_cast<std::size_t>(cw), 0, stride - 3 * static_cast<std::size_t>(cw));
  }
}

std::vector<std::uint8_t> EncodeBmp24(const Bitmap& bitmap, int width, int height) {
  const std::size_t size = Bmp24FileSize(width, height);
  if (size == 0) return {};
  std::vector<std::uint8_t> out(size);
  WriteBmp24(bitmap, width, height, out.data());
  return out;
}

bool DecodeBmpOnto(std::span<const std::uint8_t> b, Bitmap& out, std::vector<std::uint8_t>* row_repeats) {
  if (b.size() < kFileHeaderSize + kInfoHeaderSize || b[0] != 'B' || b[1] != 'M') return false;
  const std::uint32_t offset = Get32(&b[10]);
  const std::uint32_t infoSize = Get32(&b[14]);
  if (infoSize < kInfoHeaderSize || kFileHeaderSize + infoSize > b.size()) return false;
  const auto width = static_cast<std::int32_t>(Get32(&b[18]));
  const auto rawHeight = static_cast<std::int32_t>(Get32(&b[22]));
  const std::uint16_t bpp = Get16(&b[28]);
  const std::uint32_t compression = Get32(&b[30]);
  if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN) return false;
  const bool topDown = rawHeight < 0;
  const int height = topDown ? -rawHeight : rawHeight;
  if (!WithinBitmapBounds(width, height)) return false;  // before any allocation

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
  // exactly equal decoded rows, so what is reported as repeating is exact. Different
  // 32-bit words may decode alike, so there only equal words are known to repeat.
  const std::size_t compared = bpp == 24 ? 3 * std::size_t(width) : stride;
  std::uint8_t* repeats = nullptr;
  if (row_repeats != nullptr) {
    row_repeats->assign(bpp == 24 ? std::size_t(height) : 0, 0);
    if (bpp == 24) repeats = row_repeats->data();
  }
  const std::uint8_t* above = nullptr;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = b.data() + offset + stride * static_cast<std::size_t>(topDown ? y : height - 1 - y);
    std::uint32_t* dst = out.Row(y);
    // A row like the one above (most rows of a drawn picture) is copied, already decoded.
    if (above != nullptr && std::memcmp(row, above, compared) == 0) {
      std::memcpy(dst, out.Row(y - 1), std::size_t(width) * 4);
      if (repeats != nullptr) repeats[y] = 1;
      continue;
    }
    above = row;
    // One loop per depth, so the common 24-bit one has no test per pixel.
    if (bpp == 24) {
      UnpackRow24(row, width, dst);
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
