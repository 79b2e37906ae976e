// The picture file formats the imaging layer reads and writes.
#pragma once

#include <cstdint>
#include <span>

#include "platform/gfx/bitmap.h"

namespace barvell::imaging {

enum class PictureFormat { kUnknown, kBmp, kJpeg, kGif, kTiff, kPng };

// The format named by the first bytes of a picture file; kUnknown when none matches.
PictureFormat SniffFormat(std::span<const uint8_t> bytes);

// Pictures larger than a raster may be, in either direction or in pixels overall, are
// refused before any pixel memory is taken: a malformed header must not make the program
// allocate gigabytes, and every picture a draw panel hands out reads back.
constexpr int kMaxSide = gfx::kMaxBitmapSide;
constexpr int64_t kMaxPixels = gfx::kMaxBitmapPixels;

inline bool SizeAcceptable(int64_t width, int64_t height) {
  return gfx::WithinBitmapBounds(width, height);
}

}  // namespace barvell::imaging
