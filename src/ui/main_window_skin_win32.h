#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "core/display_scale.h"
#include "ui/argb_image.h"
#include "ui/canvas.h"
#include "ui/layered_win32.h"

namespace corvan {

inline constexpr int kProductPictureImage = 129;
inline constexpr int kProductPicture2xImage = 203;
// The picture's size at 96 DPI, the editor's coordinates.
inline constexpr int kProductPictureWidth = 665;
inline constexpr int kProductPictureHeight = 490;

// The main window's skin: the product picture gives the window its shape, its size and its
// background. The window spends its days hidden in the tray, so the picture and the surface it is
// composed on exist only while it is shown: decoded again at the first paint after a show.
class MainWindowSkin {
 public:
  MainWindowSkin() = default;
  MainWindowSkin(const MainWindowSkin&) = delete;
  MainWindowSkin& operator=(const MainWindowSkin&) = delete;

  // Loads the picture and its bitmap, shapes the window from the picture's transparency, takes away
  // any frame so that window and client coordinates agree, sizes the window to the picture at the
  // display's scale without moving it, and makes it a layered window presented from the picture.
  // False when the picture is missing (the window is then left as it was). Called again when the
  // window moves to a monitor of another scale.
  bool SetUp(HWND window, DisplayScale scale);
  DisplayScale scale() const { return scale_; }

  // The whole WM_PAINT: hidden, nothing; minimised, the application icon centred on the classic background;
  // otherwise the picture at full size, then whatever drawOnTop draws (the editor's controls) on
  // the same off-screen surface, presented fully opaque.
  void Paint(HWND window, HICON icon, const std::function<void(Canvas&)>& drawOnTop = {});

  // The window was hidden: what it shows is the system's to keep until the next paint.
  void ReleaseWhileHidden();
  bool holdsPicture() const { return picture_.has_value() || surface_.dc() != nullptr; }

 private:
  bool Compose(const std::function<void(Canvas&)>& drawOnTop);
  // The picture at the window's size, from the smallest of its sizes that is at least as large.
  std::optional<ArgbImage> LoadPicture() const;

  DisplayScale scale_;
  std::optional<ArgbImage> picture_;
  LayeredSurface surface_;
};

// WM_ERASEBKGND of every window that draws its own background: report it erased and draw nothing,
// since the paint replaces every pixel anyway and an erase in between would flash.
inline bool EraseBackgroundDrawingNothing(HDC) { return true; }

}  // namespace corvan
