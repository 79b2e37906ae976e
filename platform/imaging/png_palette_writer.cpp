#include "platform/imaging/png_palette_writer.h"

#include <zlib.h>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <span>

#include "platform/gfx/vector_units.h"
#include "platform/imaging/scanline_deflate.h"

namespace barvell::imaging {

namespace {

using Bytes = std::vector<uint8_t>;

constexpr size_t kMaxPaletteEntries = 256;
constexpr uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint8_t kColourTypePalette = 3;
// Every scanline goes out unfiltered: a row that repeats the one above is then the same
// bytes as the scanline before, which the deflater sends as one back-reference.
constexpr uint8_t kFilterNone = 0;
// The top byte of a pixel is unused and may hold anything.
constexpr uint32_t kRgbMask = 0xFFFFFF;

// The smallest bit depth whose indices reach every entry.
struct DepthStep {
  size_t entries;
  int bits;
};
constexpr DepthStep kDepths[] = {{2, 1}, {4, 2}, {16, 4}, {256, 8}};

// The picture's colours in order of first appearance, and the scanlines (filter byte and
// packed indices) of the rows unlike the row above, one after another.
struct Packed {
  std::vector<uint32_t> palette;
  int bits = 8;
  size_t stride = 0;
  Bytes scanlines;
};

size_t StrideFor(size_t width, int bits) { return 1 + (width * size_t(bits) + 7) / 8; }

// The last pixels of a row, fewer than eight, as the high bits of one byte; nonzero when
// one of them is a third colour.
uint32_t PackTail(const uint32_t* row, size_t n, uint32_t first, uint32_t second, uint8_t* out) {
  if (n == 0) return 0;
  uint32_t stray = 0, byte = 0;
  for (size_t k = 0; k < n; ++k) {
    const uint32_t rgb = row[k] & kRgbMask;
    stray |= uint32_t(rgb != first) & uint32_t(rgb != second);
    byte |= uint32_t(rgb != first) << (7 - k);
  }
  *out = uint8_t(byte);
  return stray;
}

#if defined(__SSE2__)

// Eight pixels at a time: their compares against the first colour taken as two four-bit
// masks, pixel k in bit k, which a table turns into the scanline's byte (1 for not the
// first colour, the leftmost pixel on top).
constexpr std::array<uint8_t, 256> kNotFirstBits = [] {
  std::array<uint8_t, 256> bits{};
  for (unsigned mask = 0; mask < 256; ++mask) {
    for (unsigned k = 0; k < 8; ++k) {
      if ((mask >> k & 1) == 0) bits[mask] = uint8_t(bits[mask] | 0x80u >> k);
    }
  }
  return bits;
}();

// One row of two colours as bits, 1 for `second`; false at a pixel of any third colour.
// (`second` equal to `first` stands for "none yet": every other colour is then a third.)
bool PackTwoColourRowNarrow(const uint32_t* row, size_t width, uint32_t first, uint32_t second, uint8_t* out) {
  const __m128i mask = _mm_set1_epi32(int(kRgbMask));
  const __m128i is_first = _mm_set1_epi32(int(first)), is_second = _mm_set1_epi32(int(second));
  // Lanes stay all ones while every pixel is one of the two colours.
  __m128i known = _mm_set1_epi32(-1);
  const size_t whole = width - width % 8;
  size_t x = 0;
  for (; x < whole; x += 8) {
    const __m128i left = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x)), mask);
    const __m128i right = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x + 4)), mask);
    const __m128i left_first = _mm_cmpeq_epi32(left, is_first), right_first = _mm_cmpeq_epi32(right, is_first);
    known = _mm_and_si128(known, _mm_and_si128(_mm_or_si128(left_first, _mm_cmpeq_epi32(left, is_second)),
                                               _mm_or_si128(right_first, _mm_cmpeq_epi32(right, is_second))));
    const int firsts = _mm_movemask_ps(_mm_castsi128_ps(left_first)) |
                       _mm_movemask_ps(_mm_castsi128_ps(right_first)) << 4;
    *out++ = kNotFirstBits[size_t(firsts)];
  }
  const uint32_t stray_tail = PackTail(row + x, width - x, first, second, out);
  return _mm_movemask_ps(_mm_castsi128_ps(known)) == 0xF && stray_tail == 0;
}

// The same with 256-bit vectors: eight pixels are one compare against each colour, and
// their mask is the table's index straight away.
__attribute__((target("avx2"))) bool PackTwoColourRowWide(const uint32_t* row, size_t width, uint32_t first,
                                                          uint32_t second, uint8_t* out) {
  const __m256i mask = _mm256_set1_epi32(int(kRgbMask));
  const __m256i is_first = _mm256_set1_epi32(int(first)), is_second = _mm256_set1_epi32(int(second));
  __m256i known = _mm256_set1_epi32(-1);
  const size_t whole = width - width % 8;
  size_t x = 0;
  for (; x < whole; x += 8) {
    const __m256i pixels = _mm256_and_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(row + x)), mask);
    const __m256i firsts = _mm256_cmpeq_epi32(pixels, is_first);
    known = _mm256_and_si256(known, _mm256_or_si256(firsts, _mm256_cmpeq_epi32(pixels, is_second)));
    *out++ = kNotFirstBits[size_t(_mm256_movemask_ps(_mm256_castsi256_ps(firsts)))];
  }
  const uint32_t stray_tail = PackTail(row + x, width - x, first, second, out);
  return _mm256_movemask_ps(_mm256_castsi256_ps(known)) == 0xFF && stray_tail == 0;
}

bool PackTwoColourRow(const uint32_t* row, size_t width, uint32_t first, uint32_t second, uint8_t* out) {
  return gfx::HasAvx2() ? PackTwoColourRowWide(row, width, first, second, out)
                        : PackTwoColourRowNarrow(row, width, first, second, out);
}

#else

// Four pixels at a time: the compiler's vector extension, which it maps onto whatever
// vector unit the target has (or plain words), about four times fewer instructions a
// pixel than comparing them one by one.
typedef uint32_t FourPixels __attribute__((vector_size(16)));

FourPixels Splat(uint32_t v) { return FourPixels{v, v, v, v}; }

// One row of two colours as bits, 1 for `second`; false at a pixel of any third colour.
// (`second` equal to `first` stands for "none yet": every other colour is then a third.)
bool PackTwoColourRow(const uint32_t* row, size_t width, uint32_t first, uint32_t second, uint8_t* out) {
  const FourPixels mask = Splat(kRgbMask), is_first = Splat(first), is_second = Splat(second);
  // Where each of eight pixels' bit goes in its byte, the leftmost pixel on top.
  const FourPixels left_bits = {0x80, 0x40, 0x20, 0x10}, right_bits = {0x08, 0x04, 0x02, 0x01};
  FourPixels stray = Splat(0);
  const size_t whole = width - width % 8;
  size_t x = 0;
  for (; x < whole; x += 8) {
    FourPixels left, right;
    std::memcpy(&left, row + x, sizeof left);
    std::memcpy(&right, row + x + 4, sizeof right);
    left &= mask;
    right &= mask;
    // Lanes of all ones where a pixel is not the first colour.
    const FourPixels left_other = FourPixels(left != is_first), right_other = FourPixels(right != is_first);
    stray |= (left_other & FourPixels(left != is_second)) | (right_other & FourPixels(right != is_second));
    const FourPixels bits = (left_other & left_bits) | (right_other & right_bits);
    *out++ = uint8_t(bits[0] | bits[1] | bits[2] | bits[3]);
  }
  const uint32_t stray_tail = PackTail(row + x, width - x, first, second, out);
  return (stray[0] | stray[1] | stray[2] | stray[3] | stray_tail) == 0;
}

#endif

// The common case, a picture of one or two colours (a barcode), packed straight from its
// pixels; nothing when a third colour turns up.
std::optional<Packed> PackTwoColours(const gfx::MappedRows& picture, size_t distinct) {
  const size_t width = size_t(picture.width);
  Packed out;
  out.bits = 1;
  out.stride = StrideFor(width, 1);
  out.scanlines.resize(out.stride * distinct);
  const uint32_t first = picture.Row(0)[0] & kRgbMask;
  uint32_t second = first;
  uint8_t* line = out.scanlines.data();
  for (int y = 0; y < picture.height; ++y) {
    if (picture.RepeatsAbove(y)) continue;
    const uint32_t* row = picture.Row(y);
    line[0] = kFilterNone;
    if (!PackTwoColourRow(row, width, first, second, line + 1)) {
      if (second != first) return std::nullopt;
      // This row holds the second colour's first pixel.
      size_t x = 0;
      while ((row[x] & kRgbMask) == first) ++x;
      second = row[x] & kRgbMask;
      if (!PackTwoColourRow(row, width, first, second, line + 1)) return std::nullopt;
    }
    line += out.stride;
  }
  out.palette.push_back(first);
  if (second != first) out.palette.push_back(second);
  return out;
}

void PackRow(const uint8_t* indices, size_t width, int bits, uint8_t* out) {
  if (bits == 8) {
    std::memcpy(out, indices, width);
    return;
  }
  const int per_byte = 8 / bits;
  // Whole bytes without a test per index; only the last, partial byte checks the width.
  const size_t whole = width - width % size_t(per_byte);
  size_t x = 0;
  for (; x < whole; x += size_t(per_byte)) {
    uint8_t byte = 0;
    for (int k = 0; k < per_byte; ++k) byte = uint8_t(byte << bits | indices[x + size_t(k)]);
    *out++ = byte;
  }
  for (; x < width; x += size_t(per_byte)) {
    uint8_t byte = 0;
    for (int k = 0; k < per_byte; ++k) {
      uint8_t index = x + size_t(k) < width ? indices[x + size_t(k)] : 0;
      byte = uint8_t(byte | index << (8 - bits * (k + 1)));
    }
    *out++ = byte;
  }
}

// Any picture of up to 256 colours: each distinct row indexed, then packed at the depth
// the whole palette needs; nothing for more colours.
std::optional<Packed> PackIndexed(const gfx::MappedRows& picture, size_t distinct) {
  const size_t width = size_t(picture.width);
  Packed out;
  Bytes indices(width * distinct);
  uint8_t* at = indices.data();
  uint32_t last = 0;
  uint8_t last_index = 0;
  for (int y = 0; y < picture.height; ++y) {
    if (picture.RepeatsAbove(y)) continue;
    const uint32_t* row = picture.Row(y);
    for (size_t x = 0; x < width; ++x) {
      uint32_t rgb = row[x] & kRgbMask;
      // Runs of one colour are the rule in a drawn picture: look up only on a change.
      if (rgb != last || out.palette.empty()) {
        size_t i = 0;
        while (i < out.palette.size() && out.palette[i] != rgb) ++i;
        if (i == out.palette.size()) {
          if (i == kMaxPaletteEntries) return std::nullopt;
          out.palette.push_back(rgb);
        }
        last = rgb;
        last_index = uint8_t(i);
      }
      at[x] = last_index;
    }
    at += width;
  }
  for (const DepthStep& d : kDepths) {
    if (out.palette.size() <= d.entries) {
      out.bits = d.bits;
      break;
    }
  }
  out.stride = StrideFor(width, out.bits);
  out.scanlines.resize(out.stride * distinct);
  for (size_t r = 0; r < distinct; ++r) {
    uint8_t* line = out.scanlines.data() + out.stride * r;
    line[0] = kFilterNone;
    PackRow(indices.data() + width * r, width, out.bits, line + 1);
  }
  return out;
}

void Put32(Bytes& out, uint32_t v) {
  out.insert(out.end(), {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)});
}

// A chunk's CRC covers its type and data, from `type_at` to the end.
void PutChunkEnd(Bytes& out, size_t type_at) {
  uLong crc = crc32(0, out.data() + type_at, uInt(out.size() - type_at));
  Put32(out, uint32_t(crc));
}

void PutChunk(Bytes& out, const char (&type)[5], std::span<const uint8_t> data) {
  Put32(out, uint32_t(data.size()));
  size_t type_at = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutChunkEnd(out, type_at);
}

// The image data: each distinct scanline, then the runs of rows that repeat it.
void PutImageData(Bytes& out, const Packed& packed, const gfx::MappedRows& picture) {
  ScanlineDeflater deflater(packed.stride, out);
  const uint8_t* line = packed.scanlines.data();
  const uint8_t* above = nullptr;  // the scanline before, once there is one
  size_t run = 0;
  for (int y = 0; y < picture.height; ++y) {
    if (picture.RepeatsAbove(y)) {
      ++run;
      continue;
    }
    deflater.RepeatScanline(run);
    run = 0;
    deflater.PutScanline(line, above);
    above = line;
    line += packed.stride;
  }
  deflater.RepeatScanline(run);
  deflater.Finish();
}

}  // namespace

bool EncodePalettePng(const gfx::MappedRows& picture, Bytes& out) {
  if (picture.Empty()) return false;
  // Only rows unlike the row above are packed: the rest repeat a scanline already out.
  size_t distinct = 0;
  for (int y = 0; y < picture.height; ++y) distinct += picture.RepeatsAbove(y) ? 0 : 1;
  std::optional<Packed> packed = PackTwoColours(picture, distinct);
  if (!packed) packed = PackIndexed(picture, distinct);
  if (!packed || packed->stride > ScanlineDeflater::kMaxStride) return false;

  Bytes header;
  Put32(header, uint32_t(picture.width));
  Put32(header, uint32_t(picture.height));
  // Bit depth, colour type, then deflate, adaptive filtering and no interlace (all 0).
  header.insert(header.end(), {uint8_t(packed->bits), kColourTypePalette, 0, 0, 0});
  Bytes palette;
  for (uint32_t rgb : packed->palette) {
    palette.insert(palette.end(), {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)});
  }

  out.assign(std::begin(kSignature), std::end(kSignature));
  // Distinct scanlines go out at 9 bits a byte at most; each run of repeats in a few bytes.
  out.reserve(out.size() + 4 * 12 + header.size() + palette.size() +
              packed->scanlines.size() * 9 / 8 + (size_t(picture.height) - distinct) * 8 + 64);
  PutChunk(out, "IHDR", header);
  PutChunk(out, "PLTE", palette);
  // The IDAT chunk's length is known only once the data is compressed: a place held for it.
  const size_t length_at = out.size();
  Put32(out, 0);
  const size_t type_at = out.size();
  out.insert(out.end(), {'I', 'D', 'A', 'T'});
  PutImageData(out, *packed, picture);
  const uint32_t length = uint32_t(out.size() - type_at - 4);
  for (int i = 0; i < 4; ++i) out[length_at + size_t(i)] = uint8_t(length >> (24 - 8 * i));
  PutChunkEnd(out, type_at);
  PutChunk(out, "IEND", {});
  return true;
}

}  // namespace barvell::imaging

namespace barvell::imaging {

bool EncodePalettePng(const gfx::Bitmap& bitmap, Bytes& out) {
  std::vector<uint32_t> row_of;
  return EncodePalettePng(gfx::MapRepeatedRows(bitmap, row_of), out);
}

}  // namespace barvell::imaging
