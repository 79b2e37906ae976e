// Picture encoding: a bitmap as PNG, JPEG (quality 92, no chroma subsampling), BMP (24-bit,
// bottom-up), GIF (exact palette up to 256 colours) or TIFF (RGB, LZW) file bytes, and
// saving them to a file.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/imaging/decoded_picture.h"
#include "platform/imaging/picture_format.h"

namespace barvell::imaging {

// The file bytes of `bitmap` in `format`; empty for an empty bitmap, kUnknown, or a failure
// of the encoder.
std::optional<std::vector<uint8_t>> EncodePicture(const gfx::Bitmap& bitmap, PictureFormat format);
// The same into `out`, in place of what it held; false, `out` unspecified, where
// EncodePicture gives nothing. PNG and BMP keep `out`'s storage, so a caller encoding
// picture after picture keeps one buffer rather than allocating and clearing one each time.
bool EncodePictureInto(const gfx::Bitmap& bitmap, PictureFormat format, std::vector<uint8_t>& out);
// The same for a loaded picture: PNG and BMP read its stored rows as they are, the other
// formats its whole raster.
bool EncodePictureInto(const DecodedPicture& picture, PictureFormat format, std::vector<uint8_t>& out);

// Encodes `bitmap` and writes it to `utf8_path` (see WriteFileReplacing). False when the
// picture cannot be encoded or the file cannot be written; the file is then as it was.
bool SavePicture(const gfx::Bitmap& bitmap, PictureFormat format, std::string_view utf8_path);

}  // namespace barvell::imaging
