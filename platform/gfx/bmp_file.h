#pragma once
// BMP files: the 24-bit bottom-up file the draw panel's picture export produces, and a
// reader for the 24- and 32-bit files the image export reads back.

#include "platform/gfx/bitmap.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace barvell::gfx {

// The whole bitmap as a BMP file: 14-byte file header, 40-byte information header, no
// colour table, rows bottom-up in blue-green-red order, each padded with zeros to a
// multiple of 4 bytes. An empty bitmap gives no bytes.
std::vector<std::uint8_t> EncodeBmp24(const Bitmap& bitmap);
// The width x height block at the bitmap's top-left corner; parts outside the bitmap are
// black. No bytes when either size is not positive or the file would exceed 2 GiB.
std::vector<std::uint8_t> EncodeBmp24(const Bitmap& bitmap, int width, int height);

// The size of that file, 0 when either size is not positive or it would exceed 2 GiB;
// and the same file written into `out`, which must hold that many bytes (every byte is
// written, padding included).
// `row_repeats`, when it has one entry per row of a block the bitmap's own size, is trusted
// to say which rows are pixel for pixel the row above (what the draw panel knows of them);
// otherwise the rows are compared here.
std::size_t Bmp24FileSize(int width, int height);
void WriteBmp24(const Bitmap& bitmap, int width, int height, std::uint8_t* out,
                std::span<const std::uint8_t> row_repeats = {});

// Uncompressed 24-bit, and 32-bit plain or with bit-field masks, either row order.
// Nothing for any other or malformed file.
std::optional<Bitmap> DecodeBmp(std::span<const std::uint8_t> bytes);
// The same into `target`, whose pixels are reused when it already has the file's size
// (every pixel is then written, so reading back one size of file again allocates and clears
// nothing); false, with `target` untouched, for a file DecodeBmp refuses.
bool DecodeBmpOnto(std::span<const std::uint8_t> bytes, Bitmap& target);
// `path` is UTF-8.
std::optional<Bitmap> ReadBmpFile(const std::string& path);

}  // namespace barvell::gfx
