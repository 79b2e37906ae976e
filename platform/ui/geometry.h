#pragma once
// Rectangles and points of the window system, in pixels.

namespace barvell::ui {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// Position and outer size. For a child: relative to its parent's client area. For a
// top-level window: screen position and outer size (frame, caption and menu bar included).
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  bool Contains(Point p) const {
    return p.x >= left && p.y >= top && p.x < left + width && p.y < top + height;
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace barvell::ui
