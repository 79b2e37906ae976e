#include "platform/gfx/bitmap.h"

#include <algorithm>

namespace barvell::gfx {

Bitmap::Bitmap(int width, int height, std::uint32_t fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {
  if (width_ == 0 || height_ == 0) width_ = height_ = 0;
  pixels_.assign(static_cast<std::size_t>(width_) * height_, fill & 0x00FFFFFFu);
}

void Bitmap::Fill(std::uint32_t rgb) { std::fill(pixels_.begin(), pixels_.end(), rgb & 0x00FFFFFFu); }

std::uint32_t Bitmap::Pixel(int x, int y) const {
  return Contains(x, y) ? Row(y)[x] : 0;
}

void Bitmap::SetPixel(int x, int y, std::uint32_t rgb) {
  if (Contains(x, y)) Row(y)[x] = rgb & 0x00FFFFFFu;
}

}  // namespace barvell::gfx
