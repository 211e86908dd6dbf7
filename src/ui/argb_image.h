#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace corvan {

// A colour as the drawing code writes it: alpha first, then red, green and blue, NOT premultiplied
// (0x80202020 is alpha 128 with red, green and blue 32).
using Argb = uint32_t;

constexpr uint8_t AlphaOf(uint32_t pixel) { return static_cast<uint8_t>(pixel >> 24); }
constexpr uint8_t RedOf(uint32_t pixel) { return static_cast<uint8_t>(pixel >> 16); }
constexpr uint8_t GreenOf(uint32_t pixel) { return static_cast<uint8_t>(pixel >> 8); }
constexpr uint8_t BlueOf(uint32_t pixel) { return static_cast<uint8_t>(pixel); }
constexpr uint32_t PackArgb(uint8_t a, uint8_t r, uint8_t g, uint8_t b) {
  return (uint32_t{a} << 24) | (uint32_t{r} << 16) | (uint32_t{g} << 8) | b;
}

// Straight to premultiplied and back, rounding to nearest. A fully transparent pixel is 0 either way.
uint32_t Premultiply(Argb straight);
Argb Unpremultiply(uint32_t premultiplied);

// A read-only window on 32-bit pixels that someone else owns (a locked bitmap, a DIB section).
// Rows are `strideBytes` apart, top row first.
struct ArgbView {
  const uint8_t* bits = nullptr;
  int width = 0;
  int height = 0;
  int strideBytes = 0;

  const uint32_t* Row(int y) const { return reinterpret_cast<const uint32_t*>(bits + static_cast<ptrdiff_t>(y) * strideBytes); }
  uint32_t At(int x, int y) const { return Row(y)[x]; }
};

// 32-bit premultiplied ARGB pixels with an explicit stride: the bytes of a top-down 32-bit DIB,
// which is what a layered window is handed. A pixel is 0xAARRGGBB in a uint32_t (B, G, R, A in
// memory). New images are fully transparent.
class ArgbImage {
 public:
  ArgbImage() = default;
  ArgbImage(int width, int height);
  // strideBytes is rounded up to whole pixels and is at least a row's worth.
  ArgbImage(int width, int height, int strideBytes);

  int width() const { return width_; }
  int height() const { return height_; }
  int strideBytes() const { return strideBytes_; }
  bool empty() const { return width_ == 0 || height_ == 0; }

  uint32_t* Row(int y) { return storage_.data() + static_cast<size_t>(y) * (strideBytes_ / 4); }
  const uint32_t* Row(int y) const { return storage_.data() + static_cast<size_t>(y) * (strideBytes_ / 4); }
  uint32_t At(int x, int y) const { return Row(y)[x]; }
  void Set(int x, int y, uint32_t premultiplied) { Row(y)[x] = premultiplied; }
  uint8_t* bytes() { return reinterpret_cast<uint8_t*>(storage_.data()); }
  const uint8_t* bytes() const { return reinterpret_cast<const uint8_t*>(storage_.data()); }

  void Fill(uint32_t premultiplied);
  ArgbView View() const { return {bytes(), width_, height_, strideBytes_}; }

 private:
  int width_ = 0;
  int height_ = 0;
  int strideBytes_ = 0;
  std::vector<uint32_t> storage_;
};

}  // namespace corvan
