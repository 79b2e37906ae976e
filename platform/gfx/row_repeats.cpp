#include "platform/gfx/row_repeats.h"

#include <algorithm>
#include <cstring>

namespace barvell::gfx {

void RowRepeats::AllAlike(int height) {
  flags_.assign(std::size_t(std::max(height, 0)), 1);
  if (!flags_.empty()) flags_[0] = 0;
  known_ = flags_.size() > 1;
}

void RowRepeats::Touched(int top, int bottom) {
  if (!known_ || top >= bottom) return;
  // Each written row and the row below it, whose row above changed.
  const int size = int(flags_.size());
  const int from = std::clamp(top, 0, size), to = std::clamp(bottom + 1, 0, size);
  if (from < to) std::memset(flags_.data() + from, 0, std::size_t(to - from));
}

}  // namespace barvell::gfx
