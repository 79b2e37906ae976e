// PNG files of pictures with few colours, written straight: a palette at the smallest bit
// depth that holds it, and image data compressed for drawn pictures, whose rows mostly
// repeat the one above (a barcode's bars run down the whole symbol).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/gfx/bitmap.h"

namespace barvell::imaging {

// The PNG bytes of `bitmap` with a palette of its colours in order of first appearance, in
// place of what `out` held (its storage kept); false, `out` unspecified, when the bitmap
// is empty or has more than 256 colours. `row_repeats`, when it has one entry per row,
// is trusted to say exactly which rows are pixel for pixel the row above (the BMP
// decoder's finding, kept with the picture); otherwise the rows are compared here.
bool EncodePalettePng(const gfx::Bitmap& bitmap, std::vector<uint8_t>& out,
                      std::span<const uint8_t> row_repeats = {});

}  // namespace barvell::imaging
