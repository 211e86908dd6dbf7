#pragma once

#include <cstdint>

#include "core/geometry.h"

namespace corvan {

// Every window is laid out at 96 DPI and shown at the DPI of the monitor it is on: lengths,
// offsets and hot regions go through these, so that they round the same way everywhere.
inline constexpr int32_t kBaseDpi = 96;

struct DisplayScale {
  int32_t dpi = kBaseDpi;

  // A length or coordinate at 96 DPI in pixels at this DPI, to the nearest pixel (halves upwards).
  constexpr int32_t Px(int32_t length) const { return FloorDivide(2 * int64_t{length} * Dpi() + kBaseDpi, 2 * kBaseDpi); }
  // The coordinate at 96 DPI of a pixel at this DPI: the last one whose scaled place is at or
  // before it, so that every pixel of a scaled box maps back into the box.
  constexpr int32_t Base(int32_t pixel) const { return FloorDivide((2 * int64_t{pixel} + 1) * kBaseDpi - 1, 2 * int64_t{Dpi()}); }
  constexpr float Factor() const { return static_cast<float>(Dpi()) / kBaseDpi; }
  constexpr bool IsBase() const { return Dpi() == kBaseDpi; }

  constexpr Point Px(Point p) const { return {Px(p.x), Px(p.y)}; }
  constexpr Point Base(Point p) const { return {Base(p.x), Base(p.y)}; }
  constexpr Rect Px(const Rect& r) const { return {Px(r.left), Px(r.top), Px(r.right), Px(r.bottom)}; }
  constexpr Rect Base(const Rect& r) const { return {Base(r.left), Base(r.top), Base(r.right), Base(r.bottom)}; }

  bool operator==(const DisplayScale&) const = default;

 private:
  // A DPI the system cannot have counts as 96.
  constexpr int64_t Dpi() const { return dpi > 0 ? dpi : kBaseDpi; }
  static constexpr int32_t FloorDivide(int64_t value, int64_t by) {
    return static_cast<int32_t>(value >= 0 ? value / by : -((-value + by - 1) / by));
  }
};

}  // namespace corvan
