// Picture decoding: PNG, JPEG, BMP, GIF (first frame) and TIFF file bytes into a bitmap.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "platform/gfx/bitmap.h"
#include "platform/imaging/picture_format.h"

namespace barvell::imaging {

// The picture in `bytes`, its format recognised by its first bytes. Transparent and
// partly transparent pixels are laid over `background_rgb` (0x00RRGGBB). Empty when the
// bytes are no picture of a known format, are malformed or truncated, or exceed the size
// limits.
std::optional<gfx::Bitmap> DecodePicture(std::span<const uint8_t> bytes,
                                         uint32_t background_rgb = 0xFFFFFF);

}  // namespace barvell::imaging
