#include "platform/gfx/bmp_rows.h"

#include <bit>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <tmmintrin.h>
#endif

namespace barvell::gfx {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

std::uint32_t Get32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t Get16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
void Put16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::size_t Stride24(int width) { return ((24ull * static_cast<std::size_t>(width) + 31) / 32) * 4; }

// Four pixels (twelve file bytes, three little-endian words) at a time where words are
// little-endian; byte by byte for the rest of a row and elsewhere.
constexpr bool kLittleEndian = std::endian::native == std::endian::little;

std::uint32_t Load32(const std::uint8_t* p) {
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
void Store32(std::uint8_t* p, std::uint32_t v) { std::memcpy(p, &v, 4); }

// `n` blue-green-red pixels as 0x00RRGGBB.
void UnpackRow24Words(const std::uint8_t* in, int n, std::uint32_t* dst) {
  int x = 0;
  if constexpr (kLittleEndian) {
    for (; x + 4 <= n; x += 4, in += 12, dst += 4) {
      const std::uint32_t w0 = Load32(in), w1 = Load32(in + 4), w2 = Load32(in + 8);
      dst[0] = w0 & 0x00FFFFFFu;
      dst[1] = (w0 >> 24) | ((w1 & 0x0000FFFFu) << 8);
      dst[2] = (w1 >> 16) | ((w2 & 0x000000FFu) << 16);
      dst[3] = w2 >> 8;
    }
  }
  for (; x < n; ++x, in += 3, ++dst) dst[0] = (std::uint32_t(in[2]) << 16) | (std::uint32_t(in[1]) << 8) | in[0];
}

#if defined(__x86_64__) || defined(__i386__)
// Where the processor has a byte shuffle (every x86-64 one of the last fifteen years, but
// not the baseline the program is built for), four pixels are one load, one shuffle and one
// store: blue, green, red and a zero byte each.
__attribute__((target("ssse3"))) void UnpackRow24Shuffled(const std::uint8_t* in, int n, std::uint32_t* dst) {
  const __m128i order = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  int x = 0;
  // Each load reads sixteen bytes for twelve: only while all sixteen are this row's pixels.
  for (; x + 6 <= n; x += 4, in += 12, dst += 4) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst),
                     _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in)), order));
  }
  UnpackRow24Words(in, n - x, dst);
}

bool HasByteShuffle() {
  static const bool has = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("ssse3") != 0;
  }();
  return has;
}

void UnpackRow24(const std::uint8_t* in, int n, std::uint32_t* dst) {
  if (HasByteShuffle()) {
    UnpackRow24Shuffled(in, n, dst);
  } else {
    UnpackRow24Words(in, n, dst);
  }
}
#else
void UnpackRow24(const std::uint8_t* in, int n, std::uint32_t* dst) { UnpackRow24Words(in, n, dst); }
#endif

// `n` pixels 0x??RRGGBB (the top byte ignored) as blue-green-red bytes.
void PackRow24(const std::uint32_t* src, int n, std::uint8_t* out) {
  int x = 0;
  if constexpr (kLittleEndian) {
    for (; x + 4 <= n; x += 4, src += 4, out += 12) {
      const std::uint32_t p0 = src[0], p1 = src[1], p2 = src[2], p3 = src[3];
      Store32(out, (p0 & 0x00FFFFFFu) | (p1 << 24));
      Store32(out + 4, ((p1 >> 8) & 0x0000FFFFu) | (p2 << 16));
      Store32(out + 8, ((p2 >> 16) & 0x000000FFu) | (p3 << 8));
    }
  }
  for (; x < n; ++x, ++src, out += 3) {
    out[0] = static_cast<std::uint8_t>(*src);
    out[1] = static_cast<std::uint8_t>(*src >> 8);
    out[2] = static_cast<std::uint8_t>(*src >> 16);
  }
}

}  // namespace

MappedRows MapRepeatedRows(const Bitmap& bitmap, std::vector<std::uint32_t>& row_of) {
  const int height = bitmap.Height();
  row_of.resize(std::size_t(height));
  const std::size_t row_bytes = std::size_t(bitmap.Width()) * 4;
  std::uint32_t first = 0;
  for (int y = 0; y < height; ++y) {
    if (y > 0 && std::memcmp(bitmap.Row(y), bitmap.Row(y - 1), row_bytes) != 0) first = std::uint32_t(y);
    row_of[std::size_t(y)] = first;
  }
  return MappedRows{bitmap.Width(), height, bitmap.Data(), row_of};
}

bool ReadBmp24Rows(std::span<const std::uint8_t> b, int& width_out, int& height_out,
                   std::vector<std::uint32_t>& store, std::vector<std::uint32_t>& row_of) {
  if (b.size() < kFileHeaderSize + kInfoHeaderSize || b[0] != 'B' || b[1] != 'M') return false;
  const std::uint32_t offset = Get32(&b[10]);
  const std::uint32_t infoSize = Get32(&b[14]);
  if (infoSize < kInfoHeaderSize || kFileHeaderSize + infoSize > b.size()) return false;
  const auto width = static_cast<std::int32_t>(Get32(&b[18]));
  const auto rawHeight = static_cast<std::int32_t>(Get32(&b[22]));
  if (Get16(&b[28]) != 24 || Get32(&b[30]) != 0) return false;  // 24 bits, BI_RGB only
  if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN) return false;
  const bool topDown = rawHeight < 0;
  const int height = topDown ? -rawHeight : rawHeight;
  if (!WithinBitmapBounds(width, height)) return false;  // before any allocation
  const std::size_t stride = Stride24(width);
  if (offset > b.size() || stride * std::size_t(height) > b.size() - offset) return false;

  row_of.resize(std::size_t(height));
  const std::size_t w = std::size_t(width);
  // Only the pixel bytes are compared, not the padding: equal pixel bytes are exactly
  // equal decoded rows.
  const std::size_t compared = 3 * w;
  const std::uint8_t* above = nullptr;
  std::uint32_t stored = 0;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = b.data() + offset + stride * static_cast<std::size_t>(topDown ? y : height - 1 - y);
    if (above != nullptr && std::memcmp(row, above, compared) == 0) {
      row_of[std::size_t(y)] = stored - 1;
      continue;
    }
    above = row;
    if (store.size() < (std::size_t(stored) + 1) * w) store.resize((std::size_t(stored) + 1) * w);
    UnpackRow24(row, width, store.data() + std::size_t(stored) * w);
    row_of[std::size_t(y)] = stored++;
  }
  width_out = width;
  height_out = height;
  return true;
}

void WriteBmp24Rows(const MappedRows& picture, std::uint8_t* h) {
  const int width = picture.width, height = picture.height;
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
  const std::size_t padding = stride - 3 * std::size_t(width);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = pixels + stride * static_cast<std::size_t>(height - 1 - y);
    // The row above is the file row after this one, already converted.
    if (picture.RepeatsAbove(y)) {
      std::memcpy(row, row + stride, stride);
      continue;
    }
    PackRow24(picture.Row(y), width, row);
    std::memset(row + 3 * std::size_t(width), 0, padding);
  }
}

}  // namespace barvell::gfx
