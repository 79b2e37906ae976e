// PNG files of pictures with few colours, written straight: a palette at the smallest bit
// depth that holds it, and image data compressed for drawn pictures, whose rows mostly
// repeat the one above (a barcode's bars run down the whole symbol).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gfx/bitmap.h"

namespace barvell::imaging {

// The PNG bytes of `bitmap` with a palette of its colours in order of first appearance, in
// place of what `out` held (its storage kept); false, `out` unspecified, when the bitmap
// is empty or has more than 256 colours.
bool EncodePalettePng(const gfx::Bitmap& bitmap, std::vector<uint8_t>& out);

}  // namespace barvell::imaging
