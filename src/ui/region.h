#pragma once

#include <vector>

#include "ui/argb_image.h"

namespace corvan {

// One rectangle of a window region, right and bottom exclusive, in the image's pixels.
struct RegionRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const RegionRect&) const = default;
};

// The shape of a window cut from an image: every pixel that is not fully transparent belongs to
// it. One rectangle per horizontal run of such pixels, rows from the top, runs from the left;
// rectangles of different rows are never merged, so a window shaped from the same image always
// gets the same list.
std::vector<RegionRect> RegionFromImage(const ArgbView& image);

}  // namespace corvan
