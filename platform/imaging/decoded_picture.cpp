#include "platform/imaging/decoded_picture.h"

#include <cstring>
#include <utility>

namespace barvell::imaging {

namespace {

// Storage kept for the next picture beyond what it needs up to this many pixels (16 MiB):
// a batch's picture is far smaller, and a one-off huge one's is not carried through the
// rest of the run.
constexpr size_t kMaxKeptPixels = size_t{4} << 20;

}  // namespace

bool DecodedPicture::AssignBmp24(std::span<const uint8_t> file) {
  if (!gfx::ReadBmp24Rows(file, width_, height_, stored_, row_of_)) return false;
  held_whole_ = false;
  whole_built_ = false;
  const size_t used = size_t(row_of_.back() + 1) * size_t(width_);
  if (stored_.size() > kMaxKeptPixels && used < stored_.size()) {
    stored_.resize(used);
    stored_.shrink_to_fit();
  }
  if (size_t(whole_.Width()) * size_t(whole_.Height()) > kMaxKeptPixels) whole_ = gfx::Bitmap();
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
