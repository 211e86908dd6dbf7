#include "overview/panel_dlg_win32.h"

namespace corvan {

void PanelDlg::SetPicture(std::unique_ptr<LayeredSurface> picture) {
  std::unique_ptr<LayeredSurface> old;
  {
    std::lock_guard lock(mutex_);
    old = std::move(picture_);
    picture_ = std::move(picture);
  }
}

bool PanelDlg::HasPicture() {
  std::lock_guard lock(mutex_);
  return picture_ != nullptr;
}

bool PanelDlg::OnPaint() {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(hwnd(), &paint);
  RECT client{};
  GetClientRect(hwnd(), &client);
  {
    std::lock_guard lock(mutex_);
    if (picture_) {
      BitBlt(dc, paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right - paint.rcPaint.left,
             paint.rcPaint.bottom - paint.rcPaint.top, picture_->dc(), paint.rcPaint.left, paint.rcPaint.top, SRCCOPY);
    }
  }
  EndPaint(hwnd(), &paint);
  return true;
}

}  // namespace corvan
