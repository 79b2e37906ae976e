#pragma once
// A plain 32-bit raster: the picture a custom-drawn surface shows and drawing targets.
// Pixels are 0x00RRGGBB words (top byte unused), rows top-down, no padding, so the
// stride is the width in pixels.

#include <cstdint>
#include <vector>

namespace barvell::gfx {

// The largest raster a drawing surface or a picture may have. Each side fits the
// platform's 16-bit signed extents, which keeps every real label exact (one metre at
// 600 dpi is 23,622 pixels), and 64 Mi pixels make one raster at most 256 MiB (192 MiB
// as a 24-bit file), so no request can ask for gigabytes.
inline constexpr int kMaxBitmapSide = 32767;
inline constexpr long long kMaxBitmapPixels = 64LL << 20;

inline constexpr bool WithinBitmapBounds(long long width, long long height) {
  return width > 0 && height > 0 && width <= kMaxBitmapSide && height <= kMaxBitmapSide &&
         width * height <= kMaxBitmapPixels;
}

// A block of pixels, [left, right) x [top, bottom); empty when either span is.
struct PixelArea {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  bool Empty() const { return right <= left || bottom <= top; }
  // Grows to the smallest area holding both; an empty area adds nothing.
  void Include(const PixelArea& other) {
    if (other.Empty()) return;
    if (Empty()) {
      *this = other;
      return;
    }
    if (other.left < left) left = other.left;
    if (other.top < top) top = other.top;
    if (other.right > right) right = other.right;
    if (other.bottom > bottom) bottom = other.bottom;
  }
};

class Bitmap {
 public:
  Bitmap() = default;
  // Negative sizes count as 0; every pixel starts as `fill`.
  Bitmap(int width, int height, std::uint32_t fill = 0);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Stride() const { return width_; }  // in pixels
  bool Empty() const { return width_ == 0 || height_ == 0; }

  void Fill(std::uint32_t rgb);
  // Out-of-range coordinates read 0 and write nothing.
  std::uint32_t Pixel(int x, int y) const;
  void SetPixel(int x, int y, std::uint32_t rgb);

  std::uint32_t* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const std::uint32_t* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const std::uint32_t* Data() const { return pixels_.data(); }

 private:
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

}  // namespace barvell::gfx
