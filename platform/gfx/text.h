#pragma once
// Text output and measurement with a Font, on a Bitmap. Text is UTF-8 (callers holding
// GBK convert first). Glyphs are drawn 1-bit, without anti-aliasing: barcode digits are
// printed and read by scanners, and a single ink colour keeps the exported picture to the
// colours the program chose (no blended fringe against the background).
//
// (x, y) is the top-left corner of the text cell, as on the platform: the baseline lies
// Ascent() pixels below y. Rotated fonts turn the cell counter-clockwise about (x, y).

#include "platform/gfx/bitmap.h"
#include "platform/gfx/font.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace barvell::gfx {

struct TextExtent {
  int width = 0;   // sum of the characters' advances
  int height = 0;  // the font's cell height, ascent + descent
  friend bool operator==(const TextExtent&, const TextExtent&) = default;
};

TextExtent MeasureText(const Font& font, std::string_view utf8);

// Colours are 0x00RRGGBB. With `background` the whole cell (measured extent) is filled
// first; without it only the glyphs' pixels change. Gives an area of the bitmap holding
// every pixel written.
PixelArea DrawText(Bitmap& target, const Font& font, int x, int y, std::string_view utf8, std::uint32_t colour,
              std::optional<std::uint32_t> background);

// The characters of a UTF-8 text; malformed bytes become U+FFFD one byte at a time.
std::u32string DecodeUtf8(std::string_view utf8);

}  // namespace barvell::gfx
