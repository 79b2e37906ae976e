#include "platform/gfx/raster_op.h"

#include <algorithm>

namespace barvell::gfx {

RasterOp RasterOpFromNumber(int number) {
  return static_cast<RasterOp>(std::clamp(number, 1, 16));
}

std::uint32_t ApplyRasterOp(RasterOp op, std::uint32_t p, std::uint32_t d) {
  constexpr std::uint32_t kMask = 0x00FFFFFFu;
  std::uint32_t r = 0;
  switch (op) {
    case RasterOp::kBlack: r = 0; break;
    case RasterOp::kNotMergePen: r = ~(d | p); break;
    case RasterOp::kMaskNotPen: r = d & ~p; break;
    case RasterOp::kNotCopyPen: r = ~p; break;
    case RasterOp::kMaskPenNot: r = p & ~d; break;
    case RasterOp::kNot: r = ~d; break;
    case RasterOp::kXorPen: r = d ^ p; break;
    case RasterOp::kNotMaskPen: r = ~(d & p); break;
    case RasterOp::kMaskPen: r = d & p; break;
    case RasterOp::kNotXorPen: r = ~(d ^ p); break;
    case RasterOp::kNop: r = d; break;
    case RasterOp::kMergeNotPen: r = d | ~p; break;
    case RasterOp::kCopyPen: r = p; break;
    case RasterOp::kMergePenNot: r = p | ~d; break;
    case RasterOp::kMergePen: r = d | p; break;
    case RasterOp::kWhite: r = kMask; break;
  }
  return r & kMask;
}

}  // namespace barvell::gfx
