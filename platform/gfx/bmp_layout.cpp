#include "platform/gfx/bmp_layout.h"

#include <bit>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include "platform/gfx/bitmap.h"
#include "platform/gfx/vector_units.h"

namespace barvell::gfx::bmp {
namespace {

void Put16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
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

void PackRow24Words(const std::uint32_t* src, int n, std::uint8_t* out) {
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
void UnpackRow24Words(const std::uint8_t* in, int n, std::uint32_t* dst) {
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

// And the other way: four pixels to twelve bytes, stored as sixteen whose last four the
// next step (or the rest of the row) writes over; only while those four are this row's.
__attribute__((target("ssse3"))) void PackRow24Shuffled(const std::uint32_t* src, int n, std::uint8_t* out) {
  const __m128i order = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
  int x = 0;
  for (; x + 6 <= n; x += 4, src += 4, out += 12) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out),
                     _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src)), order));
  }
  PackRow24Words(src, n - x, out);
}

// With 256-bit vectors, eight pixels a step: the 24 bytes are spread so that each 128-bit
// half holds twelve, which the in-half shuffle then places as above. Loads and stores of
// 32 bytes stay inside this row's pixels, the rest left to the narrower loop.
__attribute__((target("avx2"))) void UnpackRow24Wide(const std::uint8_t* in, int n, std::uint32_t* dst) {
  const __m256i spread = _mm256_setr_epi32(0, 1, 2, 2, 3, 4, 5, 5);
  const __m256i order = _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1,
                                         0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  int x = 0;
  for (; x + 11 <= n; x += 8, in += 24, dst += 8) {
    const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst),
                        _mm256_shuffle_epi8(_mm256_permutevar8x32_epi32(bytes, spread), order));
  }
  UnpackRow24Shuffled(in, n - x, dst);
}

// Eight pixels to 24 bytes, stored as 32 whose last eight the next step overwrites.
__attribute__((target("avx2"))) void PackRow24Wide(const std::uint32_t* src, int n, std::uint8_t* out) {
  const __m256i order = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1,
                                         0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
  const __m256i gather = _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 7, 7);
  int x = 0;
  for (; x + 11 <= n; x += 8, src += 8, out += 24) {
    const __m256i pixels = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out),
                        _mm256_permutevar8x32_epi32(_mm256_shuffle_epi8(pixels, order), gather));
  }
  PackRow24Shuffled(src, n - x, out);
}
#endif

}  // namespace

void PackRow24(const std::uint32_t* src, int n, std::uint8_t* out) {
#if defined(__x86_64__) || defined(__i386__)
  if (HasAvx2()) return PackRow24Wide(src, n, out);
  if (HasByteShuffle()) return PackRow24Shuffled(src, n, out);
#endif
  PackRow24Words(src, n, out);
}

void UnpackRow24(const std::uint8_t* in, int n, std::uint32_t* dst) {
#if defined(__x86_64__) || defined(__i386__)
  if (HasAvx2()) return UnpackRow24Wide(in, n, dst);
  if (HasByteShuffle()) return UnpackRow24Shuffled(in, n, dst);
#endif
  UnpackRow24Words(in, n, dst);
}

void WriteRow24(std::uint8_t* row, std::size_t stride, const std::uint32_t* src, int n, bool repeats_above) {
  if (repeats_above) {
    std::memcpy(row, row + stride, stride);
    return;
  }
  PackRow24(src, n, row);
  std::memset(row + 3 * static_cast<std::size_t>(n), 0, stride - 3 * static_cast<std::size_t>(n));
}

bool ReadHeader(std::span<const std::uint8_t> b, Header& header) {
  if (b.size() < kFileHeaderSize + kInfoHeaderSize || b[0] != 'B' || b[1] != 'M') return false;
  const std::uint32_t infoSize = Get32(&b[14]);
  if (infoSize < kInfoHeaderSize || kFileHeaderSize + infoSize > b.size()) return false;
  const auto width = static_cast<std::int32_t>(Get32(&b[18]));
  const auto rawHeight = static_cast<std::int32_t>(Get32(&b[22]));
  if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN) return false;
  const int height = rawHeight < 0 ? -rawHeight : rawHeight;
  if (!WithinBitmapBounds(width, height)) return false;  // before any allocation
  header = {Get32(&b[10]), width, height, rawHeight < 0, Get16(&b[28]), Get32(&b[30])};
  return true;
}

void WriteHeader24(std::uint8_t* h, int width, int height) {
  const std::size_t dataSize = Stride24(width) * static_cast<std::size_t>(height);
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
}

}  // namespace barvell::gfx::bmp
