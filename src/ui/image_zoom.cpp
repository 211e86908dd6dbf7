#include "ui/image_zoom.h"

namespace corvan {

int32_t ImageZoomFor(DisplayScale scale, std::span<const int32_t> zooms) {
  if (zooms.empty()) return 1;
  for (const int32_t zoom : zooms) {
    if (int64_t{zoom} * kBaseDpi >= scale.dpi) return zoom;
  }
  return zooms.back();
}

}  // namespace corvan
