#include "platform/gfx/bitmap.h"

#include <algorithm>
#include <cstring>

namespace barvell::gfx {

Bitmap::Bitmap(int width, int height, std::uint32_t fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {
  if (width_ == 0 || height_ == 0) width_ = height_ = 0;
  // Zeroed by the allocation's clearing; any other colour is filled in afterwards.
  pixels_.resize(static_cast<std::size_t>(width_) * height_);
  if ((fill & 0x00FFFFFFu) != 0) Fill(fill);
}

// One row by a loop, then whole rows copied from it: a panel is cleared for every code of a
// batch, and libc's copy is many times faster than a loop of single stores.
void Bitmap::Fill(std::uint32_t rgb) {
  if (pixels_.empty()) return;
  std::uint32_t* first = pixels_.data();
  std::fill(first, first + width_, rgb & 0x00FFFFFFu);
  for (int y = 1; y < height_; ++y) std::memcpy(Row(y), first, static_cast<std::size_t>(width_) * 4);
}

std::uint32_t Bitmap::Pixel(int x, int y) const {
  return Contains(x, y) ? Row(y)[x] : 0;
}

void Bitmap::SetPixel(int x, int y, std::uint32_t rgb) {
  if (Contains(x, y)) Row(y)[x] = rgb & 0x00FFFFFFu;
}

}  // namespace barvell::gfx
