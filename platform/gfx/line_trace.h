#pragma once
// The pixels of a one-pixel line, as the platform's line drawing chooses them: Bresenham
// steps from the start point, the end point itself not included.

#include <cstdlib>

namespace barvell::gfx {

template <typename Plot>
void TraceLine(int x0, int y0, int x1, int y1, Plot&& plot) {
  const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  const bool steep = dy > dx;
  const int major = steep ? dy : dx, minor = steep ? dx : dy;
  int err = major / 2;
  int x = x0, y = y0;
  for (int i = 0; i < major; ++i) {
    plot(x, y);
    err -= minor;
    if (err < 0) {
      err += major;
      if (steep) x += sx; else y += sy;
    }
    if (steep) y += sy; else x += sx;
  }
}

}  // namespace barvell::gfx
