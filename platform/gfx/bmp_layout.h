#pragma once
// The layout both BMP writers and readers share: the two headers, 24-bit rows and their
// conversion to and from raster pixels.

#include <cstddef>
#include <cstdint>
#include <span>

namespace barvell::gfx::bmp {

inline constexpr std::size_t kFileHeaderSize = 14;
inline constexpr std::size_t kInfoHeaderSize = 40;

inline std::uint16_t Get16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
inline std::uint32_t Get32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// A 24-bit row's bytes, padded to a multiple of 4.
inline std::size_t Stride24(int width) { return ((24ull * static_cast<std::size_t>(width) + 31) / 32) * 4; }

// What the headers say, once the checks every depth shares have passed.
struct Header {
  std::uint32_t offset;  // of the first pixel row
  int width;
  int height;
  bool top_down;
  std::uint16_t bits_per_pixel;
  std::uint32_t compression;
};
// False for a file too short, without the signature, with a short information header or
// a size that is zero, negative or beyond the raster bounds.
bool ReadHeader(std::span<const std::uint8_t> file, Header& header);

// Both headers of the bottom-up 24-bit file of width x height pixels, at `out`.
void WriteHeader24(std::uint8_t* out, int width, int height);

// `n` pixels 0x??RRGGBB (the top byte ignored) as blue-green-red bytes, and back as
// 0x00RRGGBB.
void PackRow24(const std::uint32_t* src, int n, std::uint8_t* out);
void UnpackRow24(const std::uint8_t* in, int n, std::uint32_t* dst);

// One row of a bottom-up 24-bit file at `row`, `stride` bytes: a copy of the file row after
// it (the picture row above, already written) when `repeats_above`, else `n` pixels of
// `src` packed and the rest of the row zero (black, then the padding).
void WriteRow24(std::uint8_t* row, std::size_t stride, const std::uint32_t* src, int n, bool repeats_above);

}  // namespace barvell::gfx::bmp
