#pragma once
// The pixels of a one-pixel line, as the platform's line drawing chooses them: Bresenham
// steps from the start point, the end point itself not included.
//
// Only the steps whose pixel falls inside a clip rectangle are visited: the error term at
// the first of them is computed directly, so a line of any int32 coordinates costs no more
// than its visible part and paints exactly the pixels the full walk would.

#include <algorithm>
#include <cstdint>

namespace barvell::gfx {

struct LineClip {
  int left, top, right, bottom;  // right and bottom exclusive
};

namespace line_trace_detail {

// The walk of one line in 64 bits: coordinate differences of int32 end points reach 2^32,
// and the error arithmetic of a step index times the minor difference needs 128 bits.
struct Walk {
  int64_t x0, y0;
  int64_t sx, sy;
  bool steep;
  int64_t major, minor;

  // Minor-axis steps taken before step i (0 <= i <= major): the error term starts at
  // major / 2, loses minor per step and gains major with each minor step, staying in
  // [0, major).
  int64_t MinorSteps(int64_t i) const {
    const __int128 t = __int128(i) * minor - major / 2;
    return t <= 0 ? 0 : int64_t((t + major - 1) / major);
  }
  int64_t Error(int64_t i) const {
    return int64_t(__int128(MinorSteps(i)) * major - (__int128(i) * minor - major / 2));
  }
  int64_t X(int64_t i) const { return x0 + sx * (steep ? MinorSteps(i) : i); }
  int64_t Y(int64_t i) const { return y0 + sy * (steep ? i : MinorSteps(i)); }
};

// The steps [first, last) along the major axis whose major coordinate is inside [lo, hi).
inline void MajorRange(int64_t start, int64_t step, int64_t lo, int64_t hi, int64_t count, int64_t& first,
                       int64_t& last) {
  if (step > 0) {
    first = std::max<int64_t>(0, lo - start);
    last = std::min<int64_t>(count, hi - start);
  } else {
    first = std::max<int64_t>(0, start - (hi - 1));
    last = std::min<int64_t>(count, start - lo + 1);
  }
}

}  // namespace line_trace_detail

// Calls plot(x, y, i) for each visible step i (0-based along the line) and returns the
// number of steps of the whole line, visible or not.
template <typename Plot>
int64_t TraceLine(int x0, int y0, int x1, int y1, const LineClip& clip, Plot&& plot) {
  using line_trace_detail::Walk;
  const int64_t dx = int64_t(x1) - x0, dy = int64_t(y1) - y0;
  Walk w{x0, y0, dx > 0 ? 1 : -1, dy > 0 ? 1 : -1, false, 0, 0};
  const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  w.steep = ady > adx;
  w.major = w.steep ? ady : adx;
  w.minor = w.steep ? adx : ady;
  if (w.major == 0 || clip.left >= clip.right || clip.top >= clip.bottom) return w.major;

  // Steps whose major coordinate is visible, then narrowed to those whose minor one is:
  // the minor coordinate moves monotonically, so the bounds are found by bisection.
  int64_t first = 0, last = 0;
  if (w.steep) {
    line_trace_detail::MajorRange(y0, w.sy, clip.top, clip.bottom, w.major, first, last);
  } else {
    line_trace_detail::MajorRange(x0, w.sx, clip.left, clip.right, w.major, first, last);
  }
  if (first >= last) return w.major;
  const auto minorAt = [&](int64_t i) { return w.steep ? w.X(i) : w.Y(i); };
  const int64_t lo = w.steep ? clip.left : clip.top, hi = w.steep ? clip.right : clip.bottom;
  const int64_t dir = w.steep ? w.sx : w.sy;
  // The first step at or past the visible band, and the first step beyond it.
  const auto firstWhere = [&](int64_t a, int64_t b, auto&& pred) {
    while (a < b) {
      const int64_t mid = a + (b - a) / 2;
      if (pred(minorAt(mid))) b = mid; else a = mid + 1;
    }
    return a;
  };
  const auto reached = [&](int64_t v) { return dir > 0 ? v >= lo : v < hi; };
  const auto passed = [&](int64_t v) { return dir > 0 ? v >= hi : v < lo; };
  first = firstWhere(first, last, reached);
  last = firstWhere(first, last, passed);
  if (first >= last) return w.major;

  int64_t x = w.X(first), y = w.Y(first), err = w.Error(first);
  for (int64_t i = first; i < last; ++i) {
    plot(int(x), int(y), i);
    err -= w.minor;
    if (err < 0) {
      err += w.major;
      if (w.steep) x += w.sx; else y += w.sy;
    }
    if (w.steep) y += w.sy; else x += w.sx;
  }
  return w.major;
}

}  // namespace barvell::gfx
