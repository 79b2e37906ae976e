#pragma once
// A brush: hollow, solid, hatched or an 8x8 monochrome pattern. Hatches and patterns are
// aligned to the bitmap's origin: pixel (x, y) reads bit (x mod 8) of row (y mod 8),
// bit 0x80 being the leftmost. Set bits paint the brush colour; clear bits paint the
// text background colour when the background mode is opaque and nothing when it is
// transparent.

#include "platform/gfx/colour.h"

#include <array>
#include <cstdint>
#include <optional>

namespace barvell::gfx {

enum class HatchStyle : int {
  kHorizontal = 0,
  kVertical = 1,
  kFDiagonal = 2,  // "\\\\": down to the right
  kBDiagonal = 3,  // "////": up to the right
  kCross = 4,
  kDiagCross = 5,
};

using Pattern8 = std::array<std::uint8_t, 8>;

struct Brush {
  enum class Kind { kHollow, kSolid, kPattern };
  Kind kind = Kind::kSolid;
  ColorRef colour = 0x00FFFFFF;
  Pattern8 pattern{};  // used by kPattern

  static Brush Hollow() { return {Kind::kHollow, 0, {}}; }
  static Brush Solid(ColorRef c) { return {Kind::kSolid, c, {}}; }
  static Brush Hatch(HatchStyle style, ColorRef c);
  static Brush FromPattern(const Pattern8& bits, ColorRef c) { return {Kind::kPattern, c, bits}; }
};

// The 8x8 pattern of a hatch style; out-of-range styles give horizontal.
const Pattern8& HatchPattern(HatchStyle style);

}  // namespace barvell::gfx
