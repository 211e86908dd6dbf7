#include "presenter/cursor_dlg_win32.h"

#include <gtest/gtest.h>

#include "skin_test_support.h"

namespace corvan {
namespace {

using test::GrabScreen;
using test::PumpUntil;

// Pixels of the gesture's green drops in the overlay's place on the screen.
int GreenPixels(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  int green = 0;
  for (uint32_t pixel : GrabScreen(rect).pixels) {
    const int r = (pixel >> 16) & 255, g = (pixel >> 8) & 255, b = pixel & 255;
    if (g > 120 && g > r + 60 && g > b + 60) ++green;
  }
  return green;
}

TEST(CursorOverlay, PaintsTheFrameOfTheCountAndNothingOnceTheAnimationIsOver) {
  test::GdiplusSession gdiplus;
  ASSERT_TRUE(gdiplus.ok());
  std::atomic<int32_t> direction{3};
  std::atomic<int32_t> counter{0};
  CursorDlg overlay(direction, counter);
  ASSERT_TRUE(overlay.CreateOverlay());
  HWND window = overlay.hwnd();
  EXPECT_FALSE(IsWindowVisible(window));
  RECT rect{};
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.right - rect.left, 32);
  EXPECT_EQ(rect.bottom - rect.top, 32);
  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  EXPECT_EQ(exStyle & (WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW),
            WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW);

  // As the follower does it: placed below the pointer, shown, repainted at once.
  auto paintAt = [&](int32_t count) {
    counter = count;
    const int before = overlay.paints();
    SetWindowPos(window, HWND_TOPMOST, 400, 350, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    if (!IsWindowVisible(window)) ShowWindow(window, SW_SHOWNOACTIVATE);
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    return PumpUntil([&] { return overlay.paints() > before; }, 2000);
  };
  ASSERT_TRUE(paintAt(1));
  EXPECT_EQ(overlay.framesPresented(), 1);
  EXPECT_GT(GreenPixels(window), 10) << "the first frame of the right swipe";
  ASSERT_TRUE(paintAt(23));
  EXPECT_EQ(overlay.framesPresented(), 2);
  EXPECT_GT(GreenPixels(window), 10) << "the last frame, held";
  ASSERT_TRUE(paintAt(24));
  EXPECT_EQ(overlay.framesPresented(), 2);
  EXPECT_EQ(GreenPixels(window), 0) << "nothing once the count is over";
  DestroyWindow(window);
}

}  // namespace
}  // namespace corvan
