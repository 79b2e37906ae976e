#pragma once
// Pictures held as their distinct rows. A drawn picture repeats most rows (a barcode's bars
// run down the whole symbol), so a picture read back from its 24-bit BMP file keeps each
// run of equal rows once, and the encoders unpack and convert each such row once.

#include "platform/gfx/bitmap.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace barvell::gfx {

// A read-only view of a picture: `rows` holds stored rows of `width` pixels one after
// another, and `row_of[y]` is the stored row picture row y shows. Neighbouring rows that
// name the same stored row are the same pixels, so an encoder may repeat its output for
// the row above; rows that name different ones may still be equal.
struct MappedRows {
  int width = 0;
  int height = 0;
  const std::uint32_t* rows = nullptr;
  std::span<const std::uint32_t> row_of;

  bool Empty() const { return width <= 0 || height <= 0; }
  const std::uint32_t* Row(int y) const { return rows + std::size_t(row_of[std::size_t(y)]) * std::size_t(width); }
  bool RepeatsAbove(int y) const { return y > 0 && row_of[std::size_t(y)] == row_of[std::size_t(y) - 1]; }
};

// `bitmap` seen through such a view, its own pixels the stored rows: each row maps to the
// first row of the run it belongs to, rows compared as whole 32-bit words. `row_of` is
// filled here and must outlive the view.
MappedRows MapRepeatedRows(const Bitmap& bitmap, std::vector<std::uint32_t>& row_of);

// The rows of an uncompressed 24-bit BMP file (either row order), each file row compared
// with the one above it in the picture and unpacked only where it differs. `store` grows
// to hold the distinct rows and is never shrunk, so a run of pictures of one size reuses
// it without clearing it; `row_of` is resized to the height. False, with nothing changed,
// for any other or malformed file (the checks of DecodeBmpOnto for 24 bits).
bool ReadBmp24Rows(std::span<const std::uint8_t> file, int& width, int& height,
                   std::vector<std::uint32_t>& store, std::vector<std::uint32_t>& row_of);

// The picture as the same bottom-up 24-bit file WriteBmp24 makes of it, into `out`, which
// must hold Bmp24FileSize(width, height) bytes (every byte is written, padding included).
void WriteBmp24Rows(const MappedRows& picture, std::uint8_t* out);

}  // namespace barvell::gfx
