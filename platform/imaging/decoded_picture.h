// A loaded picture as the GDI+ stand-in's images hold it. The BMP file we just wrote is
// kept as its distinct rows only (a barcode has a few dozen of its hundreds), which the PNG
// and BMP encoders read as they are; the other encoders get a whole raster, built from
// those rows the first time one asks. A picture decoded from a file is held whole.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/bmp_rows.h"

namespace barvell::imaging {

class DecodedPicture {
 public:
  // The rows of a 24-bit BMP file; false, the picture unchanged, for any other file. The
  // storage of what the picture held before is reused.
  bool AssignBmp24(std::span<const uint8_t> file);
  // A picture decoded whole.
  void AssignWhole(gfx::Bitmap bitmap);

  int Width() const { return width_; }
  int Height() const { return height_; }
  gfx::MappedRows Rows() const;
  // The whole raster. Built on the first call from the stored rows and kept until the
  // picture is assigned again: the program is single-threaded, and the raster shows the
  // same rows Rows() does, so a picture shared read-only looks the same before and after.
  const gfx::Bitmap& Whole() const;

 private:
  int width_ = 0;
  int height_ = 0;
  // Per row, the stored row it shows: an index into `stored_`, or for a picture held
  // whole the first row of its run of equal rows.
  std::vector<uint32_t> row_of_;
  std::vector<uint32_t> stored_;  // distinct rows, `width_` pixels each; grows only
  bool held_whole_ = false;
  mutable gfx::Bitmap whole_;
  mutable bool whole_built_ = false;
};

}  // namespace barvell::imaging
