#pragma once
// The sixteen binary raster operations that combine a pen or brush colour P with the
// destination D, numbered as the device layer's callers number them (1 black ... 16 white,
// 13 copy).

#include <cstdint>

namespace barvell::gfx {

enum class RasterOp : int {
  kBlack = 1,
  kNotMergePen = 2,
  kMaskNotPen = 3,
  kNotCopyPen = 4,
  kMaskPenNot = 5,
  kNot = 6,
  kXorPen = 7,
  kNotMaskPen = 8,
  kMaskPen = 9,
  kNotXorPen = 10,
  kNop = 11,
  kMergeNotPen = 12,
  kCopyPen = 13,
  kMergePenNot = 14,
  kMergePen = 15,
  kWhite = 16,
};

// Out-of-range numbers are clamped to 1..16.
RasterOp RasterOpFromNumber(int number);

// Both colours and the result are 0x00RRGGBB; the operation works bitwise on all 24 bits.
std::uint32_t ApplyRasterOp(RasterOp op, std::uint32_t pen, std::uint32_t dest);

}  // namespace barvell::gfx
