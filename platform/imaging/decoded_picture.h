// A loaded picture as the GDI+ stand-in's images hold it: the pixels and, when the decoder
// found it on the way, which rows repeat the row above, which the PNG writer then need
// not find again.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gfx/bitmap.h"

namespace barvell::imaging {

struct DecodedPicture {
  gfx::Bitmap bitmap;
  // Per row, 1 where it is pixel for pixel the row above; empty when not known. It is
  // exact only for these pixels, so a DecodedPicture is shared read-only once filled.
  std::vector<uint8_t> row_repeats;
};

}  // namespace barvell::imaging
