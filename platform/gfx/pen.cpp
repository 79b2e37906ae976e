#include "platform/gfx/pen.h"

namespace barvell::gfx {

DashPattern DashesOf(PenStyle style) {
  switch (style) {
    case PenStyle::kDash: return {{18, 6}, 2};
    case PenStyle::kDot: return {{3, 3}, 2};
    case PenStyle::kDashDot: return {{9, 6, 3, 6}, 4};
    case PenStyle::kDashDotDot: return {{9, 3, 3, 3, 3, 3}, 6};
    case PenStyle::kAlternate: return {{1, 1}, 2};
    default: return {{}, 0};
  }
}

}  // namespace barvell::gfx
