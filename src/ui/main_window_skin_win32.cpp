#include "ui/main_window_skin_win32.h"

#include <cstring>

#include "resource_ids.h"
#include "ui/gdiplus_canvas_win32.h"
#include "ui/image_zoom.h"
#include "ui/png_resource_win32.h"
#include "ui/region.h"

namespace corvan {

static_assert(kProductPictureImage == IDB_PRODUCT_PICTURE && kProductPicture2xImage == IDB_PRODUCT_PICTURE_2X);

namespace {
constexpr int32_t kPictureZooms[] = {1, 2};
}  // namespace

std::optional<ArgbImage> MainWindowSkin::LoadPicture() const {
  const int32_t zoom = ImageZoomFor(scale_, kPictureZooms);
  std::optional<ArgbImage> decoded = LoadPngResource(zoom == 1 ? kProductPictureImage : kProductPicture2xImage);
  const int width = scale_.Px(kProductPictureWidth), height = scale_.Px(kProductPictureHeight);
  if (!decoded || (decoded->width() == width && decoded->height() == height)) return decoded;
  ArgbImage sized(width, height);
  {
    GdiplusCanvas canvas(sized);
    canvas.DrawImage(*decoded, RectF{0, 0, static_cast<float>(width), static_cast<float>(height)});
  }
  return sized;
}

bool MainWindowSkin::SetUp(HWND window, DisplayScale scale) {
  scale_ = scale;
  surface_.Release();
  picture_ = LoadPicture();
  if (!picture_) return false;

  // The picture is the whole window: a frame would shift the client area against it, and the
  // editor draws and hit-tests in client coordinates.
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  SetWindowLongPtrW(window, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME));
  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  const LONG_PTR frameless =
      exStyle & ~static_cast<LONG_PTR>(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE);
  // Switching the layered style off and on forgets any SetLayeredWindowAttributes, after which
  // UpdateLayeredWindow would fail.
  SetWindowLongPtrW(window, GWL_EXSTYLE, frameless & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
  SetWindowLongPtrW(window, GWL_EXSTYLE, frameless | WS_EX_LAYERED);
  SetWindowPos(window, nullptr, 0, 0, picture_->width(), picture_->height(),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

  HRGN region = CreateRegionFromRects(RegionFromImage(picture_->View()));
  // Once accepted, the region belongs to the window.
  if (region && !SetWindowRgn(window, region, FALSE)) DeleteObject(region);

  // The window has something to show from the moment it becomes visible.
  Compose({});
  PresentLayered(window, surface_, 255);
  return true;
}

bool MainWindowSkin::Compose(const std::function<void(Canvas&)>& drawOnTop) {
  if (!picture_) picture_ = LoadPicture();
  if (!picture_ || !surface_.Prepare(picture_->width(), picture_->height())) return false;
  // Both are premultiplied 32-bit rows, top row first.
  const size_t rowBytes = static_cast<size_t>(picture_->width()) * 4;
  for (int y = 0; y < picture_->height(); ++y) {
    std::memcpy(surface_.bits() + static_cast<size_t>(y) * surface_.strideBytes(), picture_->Row(y), rowBytes);
  }
  if (drawOnTop) {
    GdiplusCanvas canvas(surface_.bits(), surface_.width(), surface_.height(), surface_.strideBytes());
    drawOnTop(canvas);
  }
  return true;
}

void MainWindowSkin::ReleaseWhileHidden() {
  picture_.reset();
  surface_.Release();
}

void MainWindowSkin::Paint(HWND window, HICON icon, const std::function<void(Canvas&)>& drawOnTop) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window, &paint);
  if (!IsWindowVisible(window)) {
    // A paint that comes after a hide would only decode the picture again for nobody.
  } else if (IsIconic(window)) {
    SendMessageW(window, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    GetClientRect(window, &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, icon);
  } else if (Compose(drawOnTop)) {
    PresentLayered(window, surface_, 255);
  }
  EndPaint(window, &paint);
}

}  // namespace corvan
