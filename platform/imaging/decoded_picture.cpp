#include "platform/imaging/decoded_picture.h"

#include <cstring>
#include <utility>

namespace barvell::imaging {

bool DecodedPicture::AssignBmp24(std::span<const uint8_t> file) {
  if (!gfx::ReadBmp24Rows(file, width_, height_, stored_, row_of_)) return false;
  held_whole_ = false;
  whole_built_ = false;
  return true;
}

void DecodedPicture::AssignWhole(gfx::Bitmap bitmap) {
  whole_ = std::move(bitmap);
  width_ = whole_.Width();
  height_ = whole_.Height();
  gfx::MapRepeatedRows(whole_, row_of_);
  held_whole_ = true;
  whole_built_ = true;
}

gfx::MappedRows DecodedPicture::Rows() const {
  if (held_whole_) return gfx::MappedRows{width_, height_, whole_.Data(), row_of_};
  return gfx::MappedRows{width_, height_, stored_.data(), row_of_};
}

const gfx::Bitmap& DecodedPicture::Whole() const {
  if (whole_built_) return whole_;
  // The last raster built is overwritten when it has the size: every pixel is written.
  if (whole_.Width() != width_ || whole_.Height() != height_) whole_ = gfx::Bitmap(width_, height_);
  const gfx::MappedRows rows = Rows();
  const size_t row_bytes = size_t(width_) * 4;
  for (int y = 0; y < height_; ++y) std::memcpy(whole_.Row(y), rows.Row(y), row_bytes);
  whole_built_ = true;
  return whole_;
}

}  // namespace barvell::imaging
