#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "ui/argb_image.h"
#include "ui/region.h"

namespace corvan {

// The off-screen picture of a layered window: a top-down 32-bit premultiplied DIB selected into a
// memory device context. Kept by its window between paints, so a fade can present it again
// without drawing it again.
class LayeredSurface {
 public:
  LayeredSurface() = default;
  ~LayeredSurface();
  LayeredSurface(const LayeredSurface&) = delete;
  LayeredSurface& operator=(const LayeredSurface&) = delete;

  // A fully transparent surface of that size (the bitmap is kept when the size is unchanged).
  // False when no bitmap can be had.
  bool Prepare(int width, int height);

  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }
  int strideBytes() const { return width_ * 4; }
  uint8_t* bits() const { return static_cast<uint8_t*>(bits_); }
  ArgbView View() const { return {bits(), width_, height_, strideBytes()}; }
  // Frees the bitmap; the next Prepare makes a new one.
  void Release();

 private:

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  void* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// Copies the screen from (left, top) onto the whole surface; with layeredWindows, layered windows
// are part of the picture too. A screen picture carries no transparency: every pixel comes out
// opaque.
bool CopyScreenOpaque(int left, int top, LayeredSurface& surface, bool layeredWindows);
// Every pixel's alpha made 255, for a picture drawn by something that leaves alpha undefined.
void MakeOpaque(LayeredSurface& surface);

// Hands the surface to the window at the window's own place and size: per-pixel alpha from the
// surface, the whole window faded by constantAlpha. The surface must be at least the window's size.
// Every change of constantAlpha needs the surface again: Wine ignores a call that only changes it.
bool PresentLayered(HWND window, const LayeredSurface& surface, uint8_t constantAlpha);

// A window region made of the rectangles, as ExtCreateRegion takes them. The caller owns it (until
// SetWindowRgn accepts it).
HRGN CreateRegionFromRects(const std::vector<RegionRect>& rects);

}  // namespace corvan
