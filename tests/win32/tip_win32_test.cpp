#include "ui/tip_win32.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "skin_test_support.h"

namespace corvan {
namespace {

using test::GrabScreen;
using test::PumpUntil;
using test::ScreenPixels;

class TipWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gdiplus.ok());
    ASSERT_TRUE(tip.Create(nullptr));
  }

  bool Visible() const { return IsWindowVisible(tip.hwnd()) != FALSE; }
  RECT WindowRect() const {
    RECT rect{};
    GetWindowRect(tip.hwnd(), &rect);
    return rect;
  }
  // The brightest pixel of the tip's place on the screen: its white text, faded by the level.
  int Brightest() const {
    const ScreenPixels grab = GrabScreen(WindowRect());
    int brightest = 0;
    for (uint32_t pixel : grab.pixels) brightest = std::max(brightest, ScreenPixels::Brightness(pixel));
    return brightest;
  }

  test::GdiplusSession gdiplus;
  QxTipDLG tip;
};

TEST_F(TipWindow, ShownAtAPointItIsCentredThereFadesInHoldsAndFadesOut) {
  const POINT point{520, 330};
  tip.ShowTip(point.x, point.y, L"Copy", 300, 48);
  const RECT rect = WindowRect();
  EXPECT_LE(std::abs((rect.left + rect.right) / 2 - point.x), 1);
  EXPECT_LE(std::abs((rect.top + rect.bottom) / 2 - point.y), 1);
  EXPECT_GT(rect.right - rect.left, 28 + 60) << "sized from the text measured at 60 pixels";

  ASSERT_TRUE(PumpUntil([&] { return Visible() && tip.level() >= 75 && tip.level() <= 150; }, 2000));
  PumpUntil([] { return false; }, 0);  // let the presentation of that level happen
  const int fadingIn = Brightest();
  ASSERT_TRUE(PumpUntil([&] { return tip.level() == 255; }, 2000));
  PumpUntil([] { return false; }, 0);
  const int opaque = Brightest();
  EXPECT_GT(opaque, 200) << "white text at full level";
  EXPECT_NE(GetActiveWindow(), tip.hwnd()) << "the tip never takes the focus";
  EXPECT_LT(fadingIn, opaque - 60) << "the text is fainter while fading in";

  // The text is centred on the point.
  const ScreenPixels grab = GrabScreen(rect);
  int left = 100000, right = -1, top = 100000, bottom = -1;
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) {
      if (ScreenPixels::Brightness(grab.At(x, y)) < 128) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  ASSERT_GE(right, left);
  EXPECT_LE(std::abs((left + right) / 2 - point.x), 4);
  EXPECT_LE(std::abs((top + bottom) / 2 - point.y), 8);

  ASSERT_TRUE(PumpUntil([&] { return tip.level() < 255; }, 2000)) << "the hold ends";
  ASSERT_TRUE(PumpUntil([&] { return !Visible(); }, 2000)) << "and the tip hides once faded out";
  EXPECT_EQ(tip.composeCount(), 1u) << "a fade only presents the picture again";
  // One presentation at the show and about one per change of level: 11 in, 11 out, not one per
  // tick of the 30-tick hold.
  EXPECT_GE(tip.presentCount(), 20u);
  EXPECT_LE(tip.presentCount(), 30u);
}

TEST_F(TipWindow, ASecondShowMovesTheTipAndStartsTheFadeAgain) {
  tip.ShowTip(400, 300, L"Minimize", 3000, 20);
  ASSERT_TRUE(PumpUntil([&] { return tip.level() == 255; }, 2000));
  tip.ShowTip(700, 500, L"Close", 3000, 20);
  const RECT rect = WindowRect();
  EXPECT_LE(std::abs((rect.left + rect.right) / 2 - 700), 1);
  EXPECT_LE(std::abs((rect.top + rect.bottom) / 2 - 500), 1);
  EXPECT_EQ(tip.level(), 0);
  ASSERT_TRUE(PumpUntil([&] { return Visible() && tip.level() > 0; }, 2000));
  EXPECT_EQ(tip.composeCount(), 2u);
}

TEST_F(TipWindow, AStopFadesOutAndAHideIsImmediate) {
  tip.ShowTip(500, 400, L"Default", 3000, 20);
  ASSERT_TRUE(PumpUntil([&] { return tip.level() == 255; }, 2000));
  tip.StopTip();
  ASSERT_TRUE(PumpUntil([&] { return tip.level() < 255 && tip.level() > 0; }, 2000)) << "fading out";
  ASSERT_TRUE(PumpUntil([&] { return !Visible(); }, 2000));

  tip.ShowTip(500, 400, L"Default", 3000, 20);
  ASSERT_TRUE(PumpUntil([&] { return Visible(); }, 2000));
  tip.HideTip();
  EXPECT_FALSE(Visible());
  EXPECT_FALSE(PumpUntil([&] { return Visible(); }, 150)) << "a hidden tip does not come back to fade out";
}

TEST_F(TipWindow, TheDisplayThreadEndsWithTheTipAndTheNextTipStartsAnother) {
  tip.ShowTip(500, 400, L"Paste", 0, 20);
  ASSERT_TRUE(PumpUntil([&] { return Visible(); }, 2000));
  ASSERT_TRUE(PumpUntil([&] { return !Visible(); }, 2000));
  ASSERT_TRUE(PumpUntil([&] { return !tip.displayRuns(); }, 2000));
  const uint32_t steps = tip.stepCount();
  EXPECT_EQ(steps, 23u) << "11 in, 11 out, one to hide";
  PumpUntil([] { return false; }, 200);
  EXPECT_EQ(tip.stepCount(), steps);

  tip.ShowTip(500, 400, L"Paste", 0, 20);
  EXPECT_TRUE(tip.displayRuns());
  ASSERT_TRUE(PumpUntil([&] { return Visible(); }, 2000));
  ASSERT_TRUE(PumpUntil([&] { return !Visible() && !tip.displayRuns(); }, 2000));
  EXPECT_EQ(tip.stepCount(), 2 * steps);
}

LRESULT CALLBACK CountClicks(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Not activated by the click: without a window manager, Wine takes two seconds to destroy an
  // active window.
  if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  if (message == WM_LBUTTONDOWN) {
    SetWindowLongPtrW(window, GWLP_USERDATA, GetWindowLongPtrW(window, GWLP_USERDATA) + 1);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(TipWindow, ClicksPassThroughToTheWindowBeneath) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = CountClicks;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = L"CorvanTipClickTarget";
  RegisterClassW(&windowClass);
  HWND beneath = CreateWindowExW(0, windowClass.lpszClassName, L"beneath the tip", WS_POPUP | WS_VISIBLE, 350, 250,
                                 500, 300, nullptr, nullptr, windowClass.hInstance, nullptr);
  ASSERT_NE(beneath, nullptr);

  const POINT point{600, 400};
  tip.ShowTip(point.x, point.y, L"Click to select button functions.", 5000, 20);
  ASSERT_TRUE(PumpUntil([&] { return Visible() && tip.level() == 255; }, 2000));
  RECT rect = WindowRect();
  ASSERT_TRUE(PtInRect(&rect, point));
  EXPECT_EQ(WindowFromPoint(point), beneath);

  SetCursorPos(point.x, point.y);
  INPUT clicks[2] = {};
  clicks[0].type = clicks[1].type = INPUT_MOUSE;
  clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, clicks, sizeof(INPUT));
  EXPECT_TRUE(PumpUntil([&] { return GetWindowLongPtrW(beneath, GWLP_USERDATA) > 0; }, 2000));
  DestroyWindow(beneath);
}

TEST_F(TipWindow, ShowFunctionTipKeepsOneWindowForTheProgram) {
  if (!FunctionTipWindow()) HideFunctionTip(true);  // nothing to hide yet: no window is made for it
  ShowFunctionTip(L"Copy", POINT{640, 400}, 1000, 48);
  QxTipDLG* first = FunctionTipWindow();
  ASSERT_NE(first, nullptr);
  ShowFunctionTip(L"Paste", POINT{640, 400}, 1000, 48);
  EXPECT_EQ(FunctionTipWindow(), first);
  ASSERT_TRUE(PumpUntil([&] { return first->level() > 0; }, 2000));
  EXPECT_NE(GetActiveWindow(), first->hwnd());
  HideFunctionTip(true);
  EXPECT_FALSE(IsWindowVisible(first->hwnd()));
}

}  // namespace
}  // namespace corvan
