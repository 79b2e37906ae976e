#include "platform/gfx/device.h"
#include "platform/gfx/line_trace.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace barvell::gfx {

void Device::LineTo(int x, int y) {
  const Point from = position_;
  position_ = {x, y};
  if (pen_.style == PenStyle::kNull) return;
  if (pen_.width > 1 && pen_.style != PenStyle::kAlternate) {
    WideLine(from.x, from.y, x, y);
    return;
  }
  const std::uint32_t ink = ToRgb(pen_.colour);
  const DashPattern dashes = DashesOf(pen_.style);
  // A line wholly beside the bitmap paints nothing; skip its steps (keeping the dash phase).
  const int w = target_->Width(), h = target_->Height();
  if ((from.x < 0 && x < 0) || (from.y < 0 && y < 0) || (from.x >= w && x >= w) || (from.y >= h && y >= h)) {
    int period = 0;
    for (int i = 0; i < dashes.count; ++i) period += dashes.runs[i];
    if (period > 0) {
      const long long steps = std::max(std::llabs(0LL + x - from.x), std::llabs(0LL + y - from.y));
      dashPhase_ = static_cast<int>((dashPhase_ + steps) % period);
    }
    return;
  }
  if (dashes.count == 0) {
    TraceLine(from.x, from.y, x, y, [&](int px, int py) { Plot(px, py, ink); });
    return;
  }
  int period = 0;
  for (int i = 0; i < dashes.count; ++i) period += dashes.runs[i];
  // The dash phase runs on along a path of joined lines; gaps take the background colour
  // when the background mode is opaque.
  TraceLine(from.x, from.y, x, y, [&](int px, int py) {
    int at = dashPhase_ % period, run = 0;
    while (at >= dashes.runs[run]) at -= dashes.runs[run++];
    if (run % 2 == 0) Plot(px, py, ink);
    else if (bkMode_ == BkMode::kOpaque) Plot(px, py, ToRgb(bkColour_));
    dashPhase_ = (dashPhase_ + 1) % period;
  });
}

void Device::WideLine(int x0, int y0, int x1, int y1) {
  // Every pixel whose centre lies within half the width of the segment: a band with
  // round caps at both ends. Each pixel is visited once, so XOR draws cleanly, and the
  // work is bounded by the bitmap whatever the coordinates.
  const double w = pen_.width, r = w / 2.0;
  const double shift = (pen_.width % 2 == 0) ? 0.0 : 0.5;  // even widths centre between pixels
  const double ax = x0 + shift, ay = y0 + shift, bx = x1 + shift, by = y1 + shift;
  const double dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy;
  const int left = std::max(0, static_cast<int>(std::floor(std::min(ax, bx) - r)));
  const int right = std::min(target_->Width(), static_cast<int>(std::ceil(std::max(ax, bx) + r)));
  const int top = std::max(0, static_cast<int>(std::floor(std::min(ay, by) - r)));
  const int bottom = std::min(target_->Height(), static_cast<int>(std::ceil(std::max(ay, by) + r)));
  const std::uint32_t ink = ToRgb(pen_.colour);
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) {
      const double px = x + 0.5 - ax, py = y + 0.5 - ay;
      const double t = len2 > 0 ? std::clamp((px * dx + py * dy) / len2, 0.0, 1.0) : 0.0;
      const double ex = px - t * dx, ey = py - t * dy;
      if (ex * ex + ey * ey <= r * r) Plot(x, y, ink);
    }
}

}  // namespace barvell::gfx
