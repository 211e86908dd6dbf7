#include "ui/layered_win32.h"

#include <cstring>

namespace corvan {
namespace {

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

LayeredSurface::~LayeredSurface() { Release(); }

void LayeredSurface::Release() {
  if (dc_) {
    if (previous_) SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  if (bitmap_) DeleteObject(bitmap_);
  dc_ = nullptr;
  bitmap_ = nullptr;
  previous_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = 0;
}

bool LayeredSurface::Prepare(int width, int height) {
  if (width <= 0 || height <= 0) {
    Release();
    return false;
  }
  if (bitmap_ && width == width_ && height == height_) {
    GdiFlush();
    std::memset(bits_, 0, static_cast<size_t>(strideBytes()) * height_);
    return true;
  }
  Release();
  const BITMAPINFO info = TopDown32(width, height);
  bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
  if (!bitmap_) return false;
  dc_ = CreateCompatibleDC(nullptr);
  if (!dc_) {
    Release();
    return false;
  }
  previous_ = SelectObject(dc_, bitmap_);
  width_ = width;
  height_ = height;
  // A new DIB section is zero-filled: fully transparent.
  return true;
}

bool PresentLayered(HWND window, const LayeredSurface& surface, uint8_t constantAlpha) {
  if (!window || !surface.dc()) return false;
  RECT rect{};
  if (!GetWindowRect(window, &rect)) return false;
  POINT destination{rect.left, rect.top};
  SIZE size{rect.right - rect.left, rect.bottom - rect.top};
  if (size.cx > surface.width() || size.cy > surface.height()) return false;
  POINT source{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, constantAlpha, AC_SRC_ALPHA};
  GdiFlush();
  return UpdateLayeredWindow(window, nullptr, &destination, &size, surface.dc(), &source, 0, &blend, ULW_ALPHA) !=
         FALSE;
}

bool CopyScreenOpaque(int left, int top, LayeredSurface& surface, bool layeredWindows) {
  if (!surface.dc()) return false;
  HDC screen = GetDC(nullptr);
  if (!screen) return false;
  const DWORD operation = layeredWindows ? SRCCOPY | CAPTUREBLT : SRCCOPY;
  const bool copied = BitBlt(surface.dc(), 0, 0, surface.width(), surface.height(), screen, left, top, operation) != FALSE;
  ReleaseDC(nullptr, screen);
  if (copied) MakeOpaque(surface);
  return copied;
}

void MakeOpaque(LayeredSurface& surface) {
  GdiFlush();
  for (int y = 0; y < surface.height(); ++y) {
    auto* row = reinterpret_cast<uint32_t*>(surface.bits() + static_cast<size_t>(y) * surface.strideBytes());
    for (int x = 0; x < surface.width(); ++x) row[x] |= 0xFF000000u;
  }
}

HRGN CreateRegionFromRects(const std::vector<RegionRect>& rects) {
  const size_t bytes = sizeof(RGNDATAHEADER) + sizeof(RECT) * rects.size();
  std::vector<uint8_t> buffer(bytes);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  data->rdh.dwSize = sizeof(RGNDATAHEADER);
  data->rdh.iType = RDH_RECTANGLES;
  data->rdh.nCount = static_cast<DWORD>(rects.size());
  data->rdh.nRgnSize = 0;
  data->rdh.rcBound = RECT{};
  auto* out = reinterpret_cast<RECT*>(data->Buffer);
  for (size_t i = 0; i < rects.size(); ++i) out[i] = RECT{rects[i].left, rects[i].top, rects[i].right, rects[i].bottom};
  return ExtCreateRegion(nullptr, static_cast<DWORD>(bytes), data);
}

}  // namespace corvan
