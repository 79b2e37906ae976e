#pragma once
// What a raster's drawing tells about its rows: per row, whether it is known to be pixel
// for pixel the row above. A picture export copies a known repeat instead of comparing
// the rows. Only what is certain is claimed: a row is marked after a whole-raster plain
// fill, keeps its mark while solid fills cover it and the row above alike, and loses it
// when anything else writes it or the row above.

#include <cstdint>
#include <span>
#include <vector>

namespace barvell::gfx {

class RowRepeats {
 public:
  // A new one knows nothing about any row.
  // Every row of a raster of `height` rows like the one above (it was filled whole with
  // one colour).
  void AllAlike(int height);
  // Rows [top, bottom) were given the same colour in the same columns: rows inside keep
  // what they had; the top row and the row below no longer match their row above. (Here,
  // since every bar of a barcode calls it.)
  void SolidFill(int top, int bottom) {
    if (!known_ || top >= bottom) return;
    Break(top);
    Break(bottom);
  }
  // Rows [top, bottom) were written in any other way.
  void Touched(int top, int bottom);

  // One entry per row (0 for the first), or none when nothing is known.
  std::span<const std::uint8_t> Flags() const {
    return known_ ? std::span<const std::uint8_t>(flags_) : std::span<const std::uint8_t>();
  }

 private:
  void Break(int y) {
    if (y >= 0 && std::size_t(y) < flags_.size()) flags_[std::size_t(y)] = 0;
  }

  std::vector<std::uint8_t> flags_;
  bool known_ = false;  // some row is marked
};

}  // namespace barvell::gfx
