#include "overview/expose_dlg_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <vector>

#include "overview_test_support.h"

namespace corvan {
namespace {

using namespace test;

TEST_F(OverviewWindow, CoversTheMonitorWithTheWindowsAndRightThenEnterActivatesTheNextOne) {
  Open(first.hwnd());
  const RECT monitor = MonitorRectUnderPointer();
  RECT shown{};
  GetWindowRect(overview.hwnd(), &shown);
  EXPECT_TRUE(EqualRect(&shown, &monitor)) << shown.left << "," << shown.top << " " << shown.right << "," << shown.bottom;
  const std::vector<HWND> listed = overview.listedWindows();
  for (HWND window : {first.hwnd(), second.hwnd(), third.hwnd()}) {
    EXPECT_NE(std::find(listed.begin(), listed.end(), window), listed.end());
  }
  EXPECT_EQ(std::find(listed.begin(), listed.end(), overview.hwnd()), listed.end());
  ASSERT_GE(listed.size(), 3u);
  EXPECT_EQ(overview.selected(), 1) << "the second window in the list is pre-selected";

  // The resting items show the windows' pictures on the dimmed desktop.
  Pump([] { return false; }, 300);
  struct Expected {
    HWND window;
    uint32_t colour;
  };
  for (const Expected& e : {Expected{first.hwnd(), 0xC80000u}, Expected{second.hwnd(), 0x00C800u},
                            Expected{third.hwnd(), 0x0000C8u}}) {
    const size_t index = IndexOf(e.window);
    if (index == 1) continue;  // selected and growing
    const Rect item = overview.shownRects()[index];
    // Above the title, which sits on the item's bottom edge.
    const POINT centre{monitor.left + (item.left + item.right) / 2, monitor.top + (item.top + item.bottom) / 2 - 20};
    const uint32_t pixel = test::GrabScreen({centre.x, centre.y, centre.x + 1, centre.y + 1}).At(centre.x, centre.y);
    for (int shift : {0, 8, 16}) {
      const int want = static_cast<int>((e.colour >> shift) & 255);
      const int got = static_cast<int>((pixel >> shift) & 255);
      EXPECT_LE(std::abs(got - want), 24) << std::hex << pixel << " where the snapshot of " << e.colour << " is";
    }
  }
  if (const char* hold = std::getenv("CORVAN_OVERVIEW_HOLD_MS")) Pump([] { return false; }, std::atoi(hold));

  PressKey(VK_RIGHT);
  ASSERT_TRUE(Pump([&] { return overview.selected() == 2; }, kBoundMs));
  EXPECT_EQ(overview.animationThreads(), 1) << "one animation thread carries every item";
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitClosed());
  EXPECT_EQ(overview.chosen(), 2);
  EXPECT_TRUE(Pump([&] { return GetForegroundWindow() == listed[2]; }, kBoundMs));
  EXPECT_FALSE(overview.holdsPictures()) << "the backdrop and back buffer go with the overview";
  EXPECT_EQ(overview.snapshotCount(), 0u) << "so do the snapshots of windows that can be captured again";
  EXPECT_EQ(overview.animationThreads(), 0);
}

TEST_F(OverviewWindow, EscapeReturnsToTheMinimisedWindowThatWasInFrontAndRestoresIt) {
  SetForegroundWindow(second.hwnd());
  ShowWindow(second.hwnd(), SW_SHOWMINNOACTIVE);
  ASSERT_TRUE(Pump([&] { return IsIconic(second.hwnd()) != FALSE; }, kBoundMs));
  Open(second.hwnd());
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitClosed());
  EXPECT_EQ(overview.chosen(), -1);
  EXPECT_TRUE(Pump([&] { return GetForegroundWindow() == second.hwnd() && !IsIconic(second.hwnd()); }, kBoundMs));
}

TEST_F(OverviewWindow, AClickOnAnItemActivatesItsWindow) {
  Open(third.hwnd());
  const size_t index = IndexOf(first.hwnd());
  ASSERT_LT(index, overview.listedWindows().size());
  const RECT monitor = MonitorRectUnderPointer();
  const Rect item = overview.shownRects()[index];
  ClickAt({monitor.left + (item.left + item.right) / 2, monitor.top + (item.top + item.bottom) / 2});
  ASSERT_TRUE(WaitClosed());
  EXPECT_EQ(overview.chosen(), static_cast<int32_t>(index));
  EXPECT_TRUE(Pump([&] { return GetForegroundWindow() == first.hwnd(); }, kBoundMs));
}

TEST_F(OverviewWindow, ThePointerFlickingBetweenItemsLeavesOnlyTheLastOneGrown) {
  Open(first.hwnd());
  const std::vector<Rect> resting = overview.restingRects();
  ASSERT_GE(resting.size(), 3u);
  auto pointAt = [&](size_t i) {
    const Rect& r = resting[i];
    PostMessageW(overview.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
  };
  for (int k = 0; k < 30; ++k) {
    pointAt(static_cast<size_t>(k % 3));
    Pump([] { return false; }, 7);
  }
  pointAt(0);
  ASSERT_TRUE(Pump([&] { return overview.selected() == 0; }, kBoundMs));
  EXPECT_EQ(overview.animationThreads(), 1);
  EXPECT_TRUE(Pump([&] {
    const std::vector<Rect> shown = overview.shownRects();
    return shown[1] == resting[1] && shown[2] == resting[2] && !(shown[0] == resting[0]);
  }, kBoundMs)) << "the others are back at rest, the last one grown";
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitClosed());
  EXPECT_EQ(overview.animationThreads(), 0);
}

// Whether the process takes raw keyboard input, and into which window.
HWND RawKeyboardTarget() {
  RAWINPUTDEVICE devices[16] = {};
  UINT count = 16;
  const UINT got = GetRegisteredRawInputDevices(devices, &count, sizeof(RAWINPUTDEVICE));
  for (UINT i = 0; got != static_cast<UINT>(-1) && i < got; ++i) {
    if (devices[i].usUsagePage == 1 && devices[i].usUsage == 6) return devices[i].hwndTarget;
  }
  return nullptr;
}

// Every keystroke of the session would wake the program if the overview listened to the keyboard
// while it is closed.
TEST_F(OverviewWindow, ListensToTheKeyboardOnlyWhileOpen) {
  EXPECT_EQ(RawKeyboardTarget(), nullptr) << "created";
  for (int opening = 0; opening < 2; ++opening) {
    Open(first.hwnd());
    EXPECT_EQ(RawKeyboardTarget(), overview.hwnd()) << "open";
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitClosed());
    EXPECT_TRUE(Pump([] { return RawKeyboardTarget() == nullptr; }, kBoundMs)) << "closed";
  }
}

// "Expose application" again while the last opening's thread is still hiding the overview and
// activating its window: the request is not lost, the overview opens once that thread has ended.
TEST_F(OverviewWindow, AnOpeningAskedForWhileTheLastOneIsEndingFollowsIt) {
  Open(first.hwnd());
  PressKey(VK_ESCAPE);
  // The thread hides the overview through this thread, which is not pumped until the next
  // opening has been asked for: the last one is still ending then.
  ASSERT_TRUE(Pump([&] { return !overview.laidOut(); }, kBoundMs));
  busy = 1;
  EXPECT_TRUE(overview.Open(busy));
  ASSERT_TRUE(Pump([&] { return overview.laidOut() && busy == 0 && overview.IsVisible(); }, kBoundMs))
      << "the second opening";
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitClosed());
}

TEST_F(OverviewWindow, AWindowClosedWhileListedActivatesNothingAndTheOverviewStillCloses) {
  Open(first.hwnd());
  const size_t index = IndexOf(third.hwnd());
  ASSERT_LT(index, overview.listedWindows().size());
  DestroyWindow(third.hwnd());
  const RECT monitor = MonitorRectUnderPointer();
  const Rect item = overview.shownRects()[index];
  ClickAt({monitor.left + (item.left + item.right) / 2, monitor.top + (item.top + item.bottom) / 2});
  ASSERT_TRUE(WaitClosed());
  EXPECT_EQ(overview.chosen(), static_cast<int32_t>(index));
  EXPECT_FALSE(overview.holdsPictures());

  // And it opens again.
  Open(first.hwnd());
  EXPECT_EQ(IndexOf(third.hwnd()), overview.listedWindows().size());
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitClosed());
}

// Stands for the desktop, which Wine has none of, and notes whether it has been asked to render.
class DesktopStandIn {
 public:
  DesktopStandIn() {
    static const ATOM windowClass = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = Proc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"Progman";
      return RegisterClassW(&wc);
    }();
    (void)windowClass;
    hwnd_ = CreateWindowExW(0, L"Progman", L"", WS_POPUP, 0, 0, 1280, 800, nullptr, nullptr, GetModuleHandleW(nullptr),
                            nullptr);
  }
  ~DesktopStandIn() { DestroyWindow(hwnd_); }
  HWND hwnd() const { return hwnd_; }
  static bool rendered() { return renders_ > 0; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PRINT || message == WM_PRINTCLIENT) ++renders_;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  HWND hwnd_ = nullptr;
  static inline std::atomic<int> renders_{0};
};

// The function's tip shows once the desktop behind the overview is captured: shown before, it
// would be in the desktop's dimmed picture.
TEST_F(OverviewWindow, AnnouncesItselfOnceTheDesktopIsCaptured) {
  DesktopStandIn desktop;
  ASSERT_NE(desktop.hwnd(), nullptr);
  int announcements = 0;
  bool desktopCapturedFirst = false;
  Open(first.hwnd(), [&] {
    ++announcements;
    desktopCapturedFirst = DesktopStandIn::rendered();
  });
  EXPECT_TRUE(Pump([&] { return announcements == 1; }, kBoundMs));
  EXPECT_TRUE(desktopCapturedFirst);
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitClosed());
  EXPECT_EQ(announcements, 1);
}

}  // namespace
}  // namespace corvan
