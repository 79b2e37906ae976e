#pragma once
// Block transfers between bitmaps.

#include "platform/gfx/bitmap.h"

namespace barvell::gfx {

// The platform's common ternary raster operations that need no brush.
enum class BlitOp {
  kSrcCopy,     // S
  kSrcInvert,   // D xor S
  kSrcAnd,      // D and S
  kSrcPaint,    // D or S
  kNotSrcCopy,  // not S
  kDstInvert,   // not D
  kBlackness,   // 0
  kWhiteness,   // white
};

// Combines the w x h block of `src` at (sx, sy) into `dst` at (dx, dy). The block is
// clipped to both bitmaps; pixels it cannot read or write stay untouched. Source and
// destination may be the same bitmap, overlapping.
void BitBlt(Bitmap& dst, int dx, int dy, int w, int h, const Bitmap& src, int sx, int sy,
            BlitOp op = BlitOp::kSrcCopy);

// A copy of `src` scaled to w x h: each output pixel is the average of the source pixels
// under it (the nearest one when enlarging), so shrunk bars keep their share of ink.
// Empty when w or h is not positive or the source is empty.
Bitmap StretchCopy(const Bitmap& src, int w, int h);

}  // namespace barvell::gfx
