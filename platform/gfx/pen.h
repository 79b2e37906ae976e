#pragma once
// A pen: the style, width and colour of lines and outlines. Style numbers are the
// platform's pen style values.

#include "platform/gfx/colour.h"

namespace barvell::gfx {

enum class PenStyle : int {
  kSolid = 0,
  kDash = 1,
  kDot = 2,
  kDashDot = 3,
  kDashDotDot = 4,
  kNull = 5,
  kInsideFrame = 6,
  kAlternate = 8,  // every other pixel; always one pixel wide
};

struct Pen {
  PenStyle style = PenStyle::kSolid;
  int width = 0;  // 0 and 1 both mean a one-pixel line
  ColorRef colour = 0;
};

// On-off run lengths of the dashed styles, in pixels; empty for continuous styles.
// Dashes apply to one-pixel pens only; wider pens draw solid.
struct DashPattern {
  int runs[6];
  int count;
};
DashPattern DashesOf(PenStyle style);

}  // namespace barvell::gfx
