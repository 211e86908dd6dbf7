#include "ui/main_window_skin_win32.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/dialog_win32.h"
#include "resource_ids.h"
#include "skin_test_support.h"
#include "ui/png_resource_win32.h"

namespace corvan {
namespace {

using test::GrabScreen;
using test::PumpUntil;
using test::ScreenPixels;

// The main window's template with its skin, as the main window sets it up and paints it.
class SkinnedWindow : public Dialog {
 public:
  SkinnedWindow() : Dialog(IDD_MAIN_WINDOW) {}
  MainWindowSkin skin;
  DisplayScale scale;
  bool setUp = false;
  int paints = 0;

 protected:
  BOOL OnInitDialog() override {
    Dialog::OnInitDialog();
    SetWindowTextW(hwnd(), L"skin test");
    SetWindowPos(hwnd(), nullptr, 60, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    setUp = skin.SetUp(hwnd(), scale);
    return TRUE;
  }
  bool OnPaint() override {
    skin.Paint(hwnd(), nullptr, [](Canvas& canvas) {
      canvas.FillRectangle(SolidBrush{0xFFFF0000}, RectF{598, 14, 20, 20});
    });
    ++paints;
    return true;
  }
  bool OnEraseBackground(HDC dc) override { return EraseBackgroundDrawingNothing(dc); }
};

TEST(MainWindowSkin, TheWindowIsThePictureWithTheEditorDrawnOnIt) {
  test::GdiplusSession gdiplus;
  ASSERT_TRUE(gdiplus.ok());
  SkinnedWindow window;
  ASSERT_TRUE(window.Create(nullptr));
  ASSERT_TRUE(window.setUp);

  RECT rect{}, client{};
  GetWindowRect(window.hwnd(), &rect);
  GetClientRect(window.hwnd(), &client);
  EXPECT_EQ(rect.right - rect.left, 665);
  EXPECT_EQ(rect.bottom - rect.top, 490);
  EXPECT_EQ(client.right, 665) << "no frame: client and picture coordinates agree";
  EXPECT_EQ(client.bottom, 490);
  EXPECT_TRUE(GetWindowLongPtrW(window.hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(window.hwnd(), region), ERROR);
  RECT box{};
  GetRgnBox(region, &box);
  EXPECT_EQ(box.right - box.left, 665);
  EXPECT_EQ(box.bottom - box.top, 490);
  DeleteObject(region);

  InvalidateRect(window.hwnd(), nullptr, FALSE);
  ASSERT_TRUE(PumpUntil([&] { return window.paints > 0; }, 3000));
  const auto picture = LoadPngResource(IDB_PRODUCT_PICTURE);
  ASSERT_TRUE(picture);
  const ScreenPixels screen = GrabScreen(rect);
  const POINT samples[] = {{5, 5}, {100, 400}, {330, 200}, {387, 283}, {413, 239}, {548, 392}, {660, 485}};
  for (const POINT& p : samples) {
    const uint32_t expected = picture->At(p.x, p.y) & 0x00FFFFFF;
    const uint32_t seen = screen.At(rect.left + p.x, rect.top + p.y);
    for (int shift = 0; shift < 24; shift += 8) {
      EXPECT_NEAR(static_cast<int>((seen >> shift) & 255), static_cast<int>((expected >> shift) & 255), 3)
          << "at " << p.x << "," << p.y;
    }
  }
  EXPECT_EQ(screen.At(rect.left + 608, rect.top + 24), 0xFF0000u) << "drawn on top at client coordinates";

  // Hidden, the window holds no picture; shown again, the next paint brings it back.
  EXPECT_TRUE(window.skin.holdsPicture());
  ShowWindow(window.hwnd(), SW_HIDE);
  window.skin.ReleaseWhileHidden();
  EXPECT_FALSE(window.skin.holdsPicture());
  const int paintsBefore = window.paints;
  ShowWindow(window.hwnd(), SW_SHOWNOACTIVATE);
  InvalidateRect(window.hwnd(), nullptr, FALSE);
  ASSERT_TRUE(PumpUntil([&] { return window.paints > paintsBefore; }, 3000));
  EXPECT_TRUE(window.skin.holdsPicture());
  const ScreenPixels again = GrabScreen(rect);
  EXPECT_EQ(again.At(rect.left + 608, rect.top + 24), 0xFF0000u);
  EXPECT_NEAR(static_cast<int>(again.At(rect.left + 330, rect.top + 200) & 255),
              static_cast<int>(picture->At(330, 200) & 255), 3);
}

TEST(MainWindowSkin, AtOneAndAHalfTimesTheWindowIsTheLargerPictureScaledToFit) {
  test::GdiplusSession gdiplus;
  ASSERT_TRUE(gdiplus.ok());
  SkinnedWindow window;
  window.scale = DisplayScale{144};
  ASSERT_TRUE(window.Create(nullptr));
  ASSERT_TRUE(window.setUp);

  RECT rect{}, client{};
  GetWindowRect(window.hwnd(), &rect);
  GetClientRect(window.hwnd(), &client);
  EXPECT_EQ(client.right, 998);
  EXPECT_EQ(client.bottom, 735);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(window.hwnd(), region), ERROR);
  RECT box{};
  GetRgnBox(region, &box);
  EXPECT_EQ(box.right - box.left, 998);
  DeleteObject(region);

  InvalidateRect(window.hwnd(), nullptr, FALSE);
  ASSERT_TRUE(PumpUntil([&] { return window.paints > 0; }, 3000));
  const auto picture = LoadPngResource(IDB_PRODUCT_PICTURE_2X);
  ASSERT_TRUE(picture);
  ASSERT_EQ(picture->width(), 1330);
  const ScreenPixels screen = GrabScreen(rect);
  // Smooth parts of the picture, where scaling changes little: a pixel at 1.5 times a point of the
  // picture at 96 DPI shows the double picture's pixel at twice it.
  const POINT samples[] = {{5, 5}, {100, 400}, {600, 300}, {660, 485}};
  for (const POINT& p : samples) {
    const uint32_t expected = picture->At(p.x * 2, p.y * 2) & 0x00FFFFFF;
    const uint32_t seen = screen.At(rect.left + p.x * 3 / 2, rect.top + p.y * 3 / 2);
    for (int shift = 0; shift < 24; shift += 8) {
      EXPECT_NEAR(static_cast<int>((seen >> shift) & 255), static_cast<int>((expected >> shift) & 255), 6)
          << "at " << p.x << "," << p.y;
    }
  }
}

TEST(MainWindowSkin, SetUpAgainAtAnotherScaleTheWindowTakesItsSize) {
  // What the main window does when it moves to a monitor of another scale.
  test::GdiplusSession gdiplus;
  ASSERT_TRUE(gdiplus.ok());
  SkinnedWindow window;
  ASSERT_TRUE(window.Create(nullptr));
  ASSERT_TRUE(window.skin.SetUp(window.hwnd(), DisplayScale{192}));
  RECT client{};
  GetClientRect(window.hwnd(), &client);
  EXPECT_EQ(client.right, 1330);
  EXPECT_EQ(client.bottom, 980);
  EXPECT_EQ(window.skin.scale(), DisplayScale{192});
  ASSERT_TRUE(window.skin.SetUp(window.hwnd(), DisplayScale{96}));
  GetClientRect(window.hwnd(), &client);
  EXPECT_EQ(client.right, 665) << "and back";
  EXPECT_EQ(client.bottom, 490);
}

}  // namespace
}  // namespace corvan
