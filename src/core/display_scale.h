#pragma once

#include <cstdint>

#include "core/geometry.h"

namespace corvan {

// Every window is laid out at 96 DPI and shown at the DPI of the monitor it is on: lengths,
// offsets and hot regions go through these, so that they round the same way everywhere.
inline constexpr int32_t kBaseDpi = 96;

struct DisplayScale {
  int32_t dpi = kBaseDpi;

  // A length at 96 DPI in pixels at this DPI, to the nearest pixel (halves away from zero).
  constexpr int32_t Px(int32_t length) const { return Divide(int64_t{length} * dpi, kBaseDpi); }
  // A length in pixels at this DPI back at 96 DPI, rounded the same way.
  constexpr int32_t Base(int32_t pixels) const { return Divide(int64_t{pixels} * kBaseDpi, dpi > 0 ? dpi : kBaseDpi); }
  constexpr float Factor() const { return static_cast<float>(dpi) / kBaseDpi; }
  constexpr bool IsBase() const { return dpi == kBaseDpi; }

  constexpr Point Px(Point p) const { return {Px(p.x), Px(p.y)}; }
  constexpr Point Base(Point p) const { return {Base(p.x), Base(p.y)}; }
  constexpr Rect Px(const Rect& r) const { return {Px(r.left), Px(r.top), Px(r.right), Px(r.bottom)}; }
  constexpr Rect Base(const Rect& r) const { return {Base(r.left), Base(r.top), Base(r.right), Base(r.bottom)}; }

  bool operator==(const DisplayScale&) const = default;

 private:
  static constexpr int32_t Divide(int64_t value, int64_t by) {
    return static_cast<int32_t>(value >= 0 ? (value + by / 2) / by : -((-value + by / 2) / by));
  }
};

}  // namespace corvan
