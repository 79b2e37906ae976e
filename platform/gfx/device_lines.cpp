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
  const LineClip clip{0, 0, target_->Width(), target_->Height()};
  if (dashes.count == 0) {
    TraceLine(from.x, from.y, x, y, clip, [&](int px, int py, int64_t) { Plot(px, py, ink); });
    return;
  }
  int period = 0;
  for (int i = 0; i < dashes.count; ++i) period += dashes.runs[i];
  // The dash phase runs on along a path of joined lines, through its hidden parts too;
  // gaps take the background colour when the background mode is opaque.
  const int phase = dashPhase_;
  const int64_t steps = TraceLine(from.x, from.y, x, y, clip, [&](int px, int py, int64_t i) {
    int at = int((phase + i) % period), run = 0;
    while (at >= dashes.runs[run]) at -= dashes.runs[run++];
    if (run % 2 == 0) Plot(px, py, ink);
    else if (bkMode_ == BkMode::kOpaque) Plot(px, py, ToRgb(bkColour_));
  });
  dashPhase_ = int((phase + steps) % period);
}

void Device::WideLine(int x0, int y0, int x1, int y1) {
  // Every pixel whose centre lies within half the width of the segment: a band with
  // round caps at both ends. Each pixel is visited once, so XOR draws cleanly, and the
  // work is bounded by the bitmap whatever the coordinates.
  const double w = pen_.width, r = w / 2.0;
  const double shift = (pen_.width % 2 == 0) ? 0.0 : 0.5;  // even widths centre between pixels
  const double ax = x0 + shift, ay = y0 + shift, bx = x1 + shift, by = y1 + shift;
  const double dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy;
  // The band's bounding box, cut to the bitmap while still in floating point: the far end
  // of a line can lie beyond what an int holds.
  const auto within = [](double v, int limit) { return static_cast<int>(std::clamp(v, 0.0, double(limit))); };
  const int left = within(std::floor(std::min(ax, bx) - r), target_->Width());
  const int right = within(std::ceil(std::max(ax, bx) + r), target_->Width());
  const int top = within(std::floor(std::min(ay, by) - r), target_->Height());
  const int bottom = within(std::ceil(std::max(ay, by) + r), target_->Height());
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
