// PNG files of pictures with few colours, written straight: a palette at the smallest bit
// depth that holds it, and image data compressed for drawn pictures, whose rows mostly
// repeat the one above (a barcode's bars run down the whole symbol).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/bmp_rows.h"

namespace barvell::imaging {

// The PNG bytes of the picture with a palette of its colours in order of first appearance,
// in place of what `out` held (its storage kept); false, `out` unspecified, when the
// picture is empty or has more than 256 colours. Only rows that do not repeat the row above
// are packed; each repeat goes out as a copy of the scanline before.
bool EncodePalettePng(const gfx::MappedRows& picture, std::vector<uint8_t>& out);
bool EncodePalettePng(const gfx::Bitmap& bitmap, std::vector<uint8_t>& out);

}  // namespace barvell::imaging
