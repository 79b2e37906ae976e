// PNG files of pictures with few colours, written straight: a palette at the smallest bit
// depth that holds it, and image data compressed for drawn pictures, whose rows mostly
// repeat the one above (a barcode's bars run down the whole symbol).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/gfx/bitmap.h"

namespace barvell::imaging {

// The PNG bytes of `bitmap` with a palette of its colours in order of first appearance;
// nothing when the bitmap is empty or has more than 256 colours.
std::optional<std::vector<uint8_t>> EncodePalettePng(const gfx::Bitmap& bitmap);

}  // namespace barvell::imaging
