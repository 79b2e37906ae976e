#pragma once
// The program's colours are COLORREF words (0x00BBGGRR); the raster stores 0x00RRGGBB.
// This is the one place where the two layouts meet.

#include <cstdint>

namespace barvell::gfx {

using ColorRef = std::uint32_t;

constexpr std::uint32_t ToRgb(ColorRef c) {
  return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

constexpr ColorRef ToColorRef(std::uint32_t rgb) {
  return ((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | ((rgb >> 16) & 0xFFu);
}

}  // namespace barvell::gfx
