#include "ui/region.h"

namespace corvan {

std::vector<RegionRect> RegionFromImage(const ArgbView& image) {
  std::vector<RegionRect> rects;
  rects.reserve(static_cast<size_t>(image.height > 0 ? image.height : 0));
  for (int y = 0; y < image.height; ++y) {
    const uint32_t* row = image.Row(y);
    int x = 0;
    while (x < image.width) {
      while (x < image.width && AlphaOf(row[x]) == 0) ++x;
      if (x == image.width) break;
      const int start = x;
      while (x < image.width && AlphaOf(row[x]) != 0) ++x;
      rects.push_back({start, y, x, y + 1});
    }
  }
  return rects;
}

}  // namespace corvan
