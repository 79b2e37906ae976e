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
  // The set bits as runs of pixels, row by row: a row's runs are runs[rowRuns[y]] up to
  // runs[rowRuns[y + 1]]. Drawing fills runs instead of visiting bits.
  struct Run {
    int left, right;  // [left, right)
  };
  std::vector<Run> runs;
  std::vector<int> rowRuns;  // rows + 1 entries

  // Finds the runs of the bits as they are now.
  void FindRuns() {
    runs.clear();
    rowRuns.assign(std::size_t(rows) + 1, 0);
    for (int y = 0; y < rows; ++y) {
      for (int x = 0; x < width;) {
        if (!At(x, y)) {
          ++x;
          continue;
        }
        const int left = x;
        while (x < width && At(x, y)) ++x;
        runs.push_back({left, x});
      }
      rowRuns[std::size_t(y) + 1] = int(runs.size());
    }
  }

  bool At(int x, int y) const { return (bits[static_cast<std::size_t>(y) * pitch + (x >> 3)] >> (7 - (x & 7))) & 1; }
};

}  // namespace barvell::gfx
