// The pixels of a 24-bit bottom-up BMP file's bytes, as the draw panel exports them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace barvell::app::testing {

class BmpPixels {
 public:
  explicit BmpPixels(std::string bytes) : bytes_(std::move(bytes)) {
    if (bytes_.size() < 54 || bytes_.compare(0, 2, "BM") != 0) return;
    width_ = Word(18);
    height_ = Word(22);
    stride_ = (size_t(width_) * 3 + 3) / 4 * 4;
    if (bytes_.size() < 54 + stride_ * size_t(height_)) width_ = height_ = 0;
  }
  static BmpPixels OfFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return BmpPixels(std::string((std::istreambuf_iterator<char>(in)), {}));
  }

  int Width() const { return width_; }
  int Height() const { return height_; }
  // 0x00RRGGBB
  uint32_t At(int x, int y) const {
    const size_t at = 54 + size_t(height_ - 1 - y) * stride_ + size_t(x) * 3;
    return uint32_t(uint8_t(bytes_[at + 2])) << 16 | uint32_t(uint8_t(bytes_[at + 1])) << 8 |
           uint8_t(bytes_[at]);
  }
  bool Dark(int x, int y) const { return (At(x, y) & 0xFF) < 0x80; }
  // The raw bytes of rows [top, bottom).
  std::string Rows(int top, int bottom) const {
    std::string rows;
    for (int y = top; y < bottom && y < height_; ++y)
      rows += bytes_.substr(54 + size_t(height_ - 1 - y) * stride_, stride_);
    return rows;
  }

 private:
  int32_t Word(size_t at) const {
    return int32_t(uint32_t(uint8_t(bytes_[at])) | uint32_t(uint8_t(bytes_[at + 1])) << 8 |
                   uint32_t(uint8_t(bytes_[at + 2])) << 16 | uint32_t(uint8_t(bytes_[at + 3])) << 24);
  }

  std::string bytes_;
  int width_ = 0;
  int height_ = 0;
  size_t stride_ = 0;
};

}  // namespace barvell::app::testing
