#pragma once

#include <cstdint>
#include <span>

#include "core/display_scale.h"

namespace corvan {

// An image drawn at several sizes: `zooms` lists them as multiples of its size at 96 DPI, in
// rising order (1, 2). The one to draw at the display's scale is the smallest at or above it,
// scaled down; above them all, the largest, scaled up by the least there is.
int32_t ImageZoomFor(DisplayScale scale, std::span<const int32_t> zooms);

}  // namespace corvan
