#include "ui/argb_image.h"

#include <algorithm>

namespace corvan {
namespace {

uint8_t Scale(uint8_t channel, uint8_t alpha) { return static_cast<uint8_t>((channel * alpha + 127) / 255); }

}  // namespace

uint32_t Premultiply(Argb straight) {
  const uint8_t a = AlphaOf(straight);
  if (a == 255) return straight;
  if (a == 0) return 0;
  return PackArgb(a, Scale(RedOf(straight), a), Scale(GreenOf(straight), a), Scale(BlueOf(straight), a));
}

Argb Unpremultiply(uint32_t premultiplied) {
  const uint8_t a = AlphaOf(premultiplied);
  if (a == 255) return premultiplied;
  if (a == 0) return 0;
  auto unscale = [a](uint8_t channel) {
    return static_cast<uint8_t>(std::min(255, (channel * 255 + a / 2) / a));
  };
  return PackArgb(a, unscale(RedOf(premultiplied)), unscale(GreenOf(premultiplied)), unscale(BlueOf(premultiplied)));
}

ArgbImage::ArgbImage(int width, int height) : ArgbImage(width, height, width * 4) {}

ArgbImage::ArgbImage(int width, int height, int strideBytes)
    : width_(std::max(0, width)), height_(std::max(0, height)) {
  strideBytes_ = std::max((strideBytes + 3) / 4 * 4, width_ * 4);
  storage_.assign(static_cast<size_t>(strideBytes_ / 4) * height_, 0u);
}

void ArgbImage::Fill(uint32_t premultiplied) {
  for (int y = 0; y < height_; ++y) std::fill_n(Row(y), width_, premultiplied);
}

}  // namespace corvan
