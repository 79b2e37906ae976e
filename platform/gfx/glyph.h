#pragma once
// A rendered glyph: a 1-bit image (bit 0x80 of each byte leftmost) placed relative to the
// pen position on the baseline, and the unrotated advance in whole pixels.

#include <cstdint>
#include <vector>

namespace barvell::gfx {

struct GlyphImage {
  int width = 0;
  int rows = 0;
  int pitch = 0;    // bytes per row
  int left = 0;     // x of the image's left edge relative to the pen
  int top = 0;      // rows of the image above the baseline (y grows up here)
  int advance = 0;  // pixels along the writing direction
  std::vector<std::uint8_t> bits;

  bool At(int x, int y) const { return (bits[static_cast<std::size_t>(y) * pitch + (x >> 3)] >> (7 - (x & 7))) & 1; }
};

}  // namespace barvell::gfx
