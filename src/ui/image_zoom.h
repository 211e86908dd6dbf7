#pragma once

#include <cstdint>
#include <span>

#include "core/display_scale.h"

namespace corvan {

// An image drawn at several sizes: `zooms` lists them as multiples of its size at 96 DPI, in
// rising order (1, 2). The one to draw at the display's scale is the smallest at or above it,
// scaled down; above them all, the largest, scaled up by the least there is.
int32_t ImageZoomFor(DisplayScale scale, std::span<const int32_t> zooms);

// The icons and the swipe frames come at their own size and twice it; the larger is a resource of
// its own, at the picture's id plus this.
inline constexpr int kDoubleSizeImageOffset = 1000;
inline constexpr int32_t kIconZooms[] = {1, 2};
constexpr int ImageIdAtZoom(int id, int32_t zoom) { return zoom >= 2 ? id + kDoubleSizeImageOffset : id; }

}  // namespace corvan
