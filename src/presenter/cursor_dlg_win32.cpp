#include "presenter/cursor_dlg_win32.h"

#include "presenter/cursor_overlay_frames.h"
#include "ui/gdiplus_canvas_win32.h"
#include "ui/image_zoom.h"
#include "ui/png_resource_win32.h"

namespace corvan {

static_assert(IDB_SWIPE_UP_FIRST == 131 && IDB_SWIPE_DOWN_FIRST == 191 && IDB_SWIPE_LEFT_FIRST == 171 &&
              IDB_SWIPE_RIGHT_FIRST == 181);

bool CursorDlg::CreateOverlay() {
  if (!Create(nullptr)) return false;
  SetWindowPos(hwnd(), nullptr, 0, 0, kCursorOverlaySize, kCursorOverlaySize, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const LONG_PTR style = GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
  if (!(style & WS_EX_LAYERED)) {
    SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, style | WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW);
  }
  return true;
}

bool CursorDlg::OnPaint() {
  PAINTSTRUCT paint{};
  BeginPaint(hwnd(), &paint);
  RECT client{};
  GetClientRect(hwnd(), &client);
  // One pixel more each way than the window, as the layered picture has always been made.
  if (surface_.Prepare(client.right - client.left + 1, client.bottom - client.top + 1)) {
    bool drawn = false;
    if (const auto imageId = CursorOverlayFrameImage(direction_, counter_)) {
      // Decoded for this paint only: the animation is short and rare, the frames need not stay.
      // Larger than at 96 DPI, the overlay shows the double-size frames scaled down.
      const int32_t zoom = client.right - client.left > kCursorOverlaySize ? 2 : 1;
      if (const auto frame = LoadPngResource(ImageIdAtZoom(*imageId, zoom))) {
        GdiplusCanvas canvas(surface_.bits(), surface_.width(), surface_.height(), surface_.strideBytes());
        canvas.SetAntiAlias(true);
        canvas.DrawImage(*frame, RectF{0, 0, static_cast<float>(client.right - client.left),
                                       static_cast<float>(client.bottom - client.top)});
        canvas.Flush();
        drawn = true;
      }
    }
    if (PresentLayered(hwnd(), surface_, 255) && drawn) ++framesPresented_;
  }
  ++paints_;
  EndPaint(hwnd(), &paint);
  return true;
}

}  // namespace corvan
