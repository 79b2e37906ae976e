// The picture file formats the imaging layer reads and writes.
#pragma once

#include <cstdint>
#include <span>

namespace barvell::imaging {

enum class PictureFormat { kUnknown, kBmp, kJpeg, kGif, kTiff, kPng };

// The format named by the first bytes of a picture file; kUnknown when none matches.
PictureFormat SniffFormat(std::span<const uint8_t> bytes);

// Pictures larger than this in either direction, or in pixels overall, are refused before
// any pixel memory is taken: a malformed header must not make the program allocate
// gigabytes.
constexpr int kMaxSide = 16384;
constexpr int64_t kMaxPixels = int64_t{64} << 20;

inline bool SizeAcceptable(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
         width * height <= kMaxPixels;
}

}  // namespace barvell::imaging
