// What a drawn barcode looks like in pixels: where its dark columns are and where each of
// them ends.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "panel_calls.h"
#include "platform/gfx/bitmap.h"
#include "platform/imaging/decode.h"

namespace barvell::app::testing {

// The picture of a draw panel of the main window, read inside a step of the run.
inline gfx::Bitmap PanelPicture(ComponentId panel) {
  ByteArray bytes = GetPicture({0x52010001, panel});
  std::optional<gfx::Bitmap> b =
      imaging::DecodePicture(std::span<const uint8_t>(bytes.Data(), bytes.Size()));
  return b.value_or(gfx::Bitmap());
}

constexpr uint32_t kWhite = 0xFFFFFF;

// The columns that are dark on row y.
inline std::vector<int> DarkColumns(const gfx::Bitmap& b, int y, uint32_t light = kWhite) {
  std::vector<int> out;
  for (int x = 0; x < b.Width(); ++x) {
    if (b.Pixel(x, y) != light) out.push_back(x);
  }
  return out;
}

// Where the dark run of column x that starts at row top ends (exclusive).
inline int RunEnd(const gfx::Bitmap& b, int x, int top, uint32_t light = kWhite) {
  int y = top;
  while (y < b.Height() && b.Pixel(x, y) != light) ++y;
  return y;
}

// Counts the dark pixels inside a rectangle.
inline int DarkIn(const gfx::Bitmap& b, int x1, int y1, int x2, int y2,
                  uint32_t light = kWhite) {
  int n = 0;
  for (int y = y1; y < y2; ++y) {
    for (int x = x1; x < x2; ++x) n += b.Pixel(x, y) != light;
  }
  return n;
}

}  // namespace barvell::app::testing
