#pragma once

#include <cstdint>

namespace corvan {

// Screen and client positions in pixels.
struct Point {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const Point&) const = default;
};

struct Rect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  bool operator==(const Rect&) const = default;
};

}  // namespace corvan
