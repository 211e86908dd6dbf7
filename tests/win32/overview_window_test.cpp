#include "overview/expose_dlg_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <thread>

#include "platform/raw_input_win32.h"
#include "skin_test_support.h"

namespace corvan {
namespace {

constexpr int kBoundMs = 10000;

bool Pump(const std::function<bool()>& condition, int boundMs) {
  return test::PumpUntilPreTranslated(condition, boundMs);
}

// A plain application window of one colour. Wine renders only this process's windows into
// snapshots, so the overview's items are windows of the test itself.
class ColouredWindow {
 public:
  ColouredWindow(const wchar_t* title, COLORREF colour, int x, int y) {
    static const ATOM windowClass = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = Proc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"OverviewTestWindow";
      wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
      wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
      return RegisterClassW(&wc);
    }();
    (void)windowClass;
    hwnd_ = CreateWindowExW(0, L"OverviewTestWindow", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, 400, 300, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, static_cast<LONG_PTR>(colour));
    UpdateWindow(hwnd_);
  }
  ~ColouredWindow() {
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
  }
  HWND hwnd() const { return hwnd_; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT || message == WM_PRINTCLIENT) {
      PAINTSTRUCT paint{};
      HDC dc = message == WM_PAINT ? BeginPaint(hwnd, &paint) : reinterpret_cast<HDC>(wParam);
      RECT client{};
      GetClientRect(hwnd, &client);
      HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)));
      FillRect(dc, &client, brush);
      DeleteObject(brush);
      if (message == WM_PAINT) EndPaint(hwnd, &paint);
      return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  HWND hwnd_ = nullptr;
};

// Hands the overview every raw mouse input of the process, as the main window does.
class RawMouseRelay : public Dialog {
 public:
  explicit RawMouseRelay(EXPOSE_DLG& overview) : Dialog(IDD_MAGNIFIER), overview_(overview) {}
  bool Register() {
    RAWINPUTDEVICE mouse{1, 2, RIDEV_INPUTSINK, hwnd()};
    return RegisterRawInputDevices(&mouse, 1, sizeof(mouse)) != FALSE;
  }
  ~RawMouseRelay() override {
    RAWINPUTDEVICE mouse{1, 2, RIDEV_REMOVE, nullptr};
    RegisterRawInputDevices(&mouse, 1, sizeof(mouse));
  }

 protected:
  std::optional<LRESULT> WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_INPUT) {
      alignas(8) RawInputBuffer buffer;
      const RawInputView view = ReadRawInput(reinterpret_cast<HRAWINPUT>(lParam), buffer);
      if (view.kind == RawInputView::Mouse && overview_.IsVisible()) overview_.OnRawMouse(view.buttonFlags);
    }
    return Dialog::WindowProc(message, wParam, lParam);
  }

 private:
  EXPOSE_DLG& overview_;
};

void PressKey(WORD key) {
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[1].ki.wVk = key;
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof(INPUT));
}

void ClickAt(Point screen) {
  SetCursorPos(screen.x, screen.y);
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, input, sizeof(INPUT));
}

RECT MonitorUnderPointer() {
  POINT cursor{};
  GetCursorPos(&cursor);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcMonitor;
}

class OverviewWindow : public ::testing::Test {
 protected:
  virtual void BeforeCreate() {}
  void SetUp() override {
    ASSERT_TRUE(gdiplus.ok());
    BeforeCreate();
    ASSERT_TRUE(overview.Create(nullptr));
    ASSERT_TRUE(relay.Create(nullptr));
    ASSERT_TRUE(relay.Register());
    SetCursorPos(5, 5);
    ASSERT_TRUE(Pump([&] { return IsWindowVisible(third.hwnd()) && IsWindowVisible(first.hwnd()); }, kBoundMs));
  }

  // Opens the overview with `front` in front and waits until its items are laid out.
  void Open(HWND front) {
    SetForegroundWindow(front);
    ASSERT_TRUE(Pump([&] { return GetForegroundWindow() == front; }, kBoundMs));
    busy = 1;
    ASSERT_TRUE(overview.Open(busy));
    ASSERT_TRUE(Pump([&] { return overview.laidOut() && busy == 0; }, kBoundMs)) << "laid out";
    ASSERT_TRUE(Pump([&] { return overview.IsVisible(); }, kBoundMs));
  }

  // Waits until the overview's thread has closed it and activated its window.
  bool WaitClosed() {
    return Pump([&] { return !overview.running(); }, kBoundMs) && Pump([&] { return !overview.IsVisible(); }, kBoundMs);
  }

  size_t IndexOf(HWND window) {
    const std::vector<HWND> listed = overview.listedWindows();
    return static_cast<size_t>(std::find(listed.begin(), listed.end(), window) - listed.begin());
  }

  test::GdiplusSession gdiplus;
  ColouredWindow first{L"First test window", RGB(200, 0, 0), 40, 40};
  ColouredWindow second{L"Second test window", RGB(0, 200, 0), 240, 140};
  ColouredWindow third{L"Third test window", RGB(0, 0, 200), 440, 240};
  EXPOSE_DLG overview;
  RawMouseRelay relay{overview};
  std::atomic<int32_t> busy{0};
};

TEST_F(OverviewWindow, CoversTheMonitorWithTheWindowsAndRightThenEnterActivatesTheNextOne) {
  Open(first.hwnd());
  const RECT monitor = MonitorUnderPointer();
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
  const RECT monitor = MonitorUnderPointer();
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

// A window whose thread stops answering once it is up, as a hung program's does.
class HungWindow {
 public:
  HungWindow() {
    release_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, ready] {
      window_ = std::make_unique<ColouredWindow>(L"Hung test window", RGB(200, 200, 0), 300, 300);
      SetEvent(ready);
      WaitForSingleObject(release_, 30000);
      window_.reset();
    });
    WaitForSingleObject(ready, 10000);
    CloseHandle(ready);
  }
  ~HungWindow() {
    Release();
    thread_.join();
    CloseHandle(release_);
  }
  void Release() { SetEvent(release_); }
  HWND hwnd() const { return window_ ? window_->hwnd() : nullptr; }

 private:
  HANDLE release_;
  std::unique_ptr<ColouredWindow> window_;
  std::thread thread_;
};

// Capturing a window renders it on its own thread, with no time limit of its own: a window that
// does not answer gets no snapshot, and the overview's opening goes on. (The capture runs on a
// thread of the test's, as it runs on the overview's thread in the program, so that a capture that
// waited for the hung window would show as a timeout here instead of a test that never ends.)
TEST(SnapshotCapture, AWindowThatDoesNotAnswerGetsNoSnapshotAndHoldsNothingUp) {
  HungWindow hung;
  ASSERT_NE(hung.hwnd(), nullptr);
  ColouredWindow answering{L"Answering test window", RGB(0, 200, 0), 240, 140};
  SnapshotCache cache;
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread capture([&] {
    cache.Refresh({hung.hwnd(), answering.hwnd()}, 0);
    SetEvent(done);
  });
  // The answering window is on this thread: it answers while the capture waits for it.
  const bool finished = Pump([&] { return WaitForSingleObject(done, 0) == WAIT_OBJECT_0; }, 3000);
  EXPECT_TRUE(finished) << "the capture waited for the window that does not answer";
  if (!finished) {
    hung.Release();
    Pump([&] { return WaitForSingleObject(done, 0) == WAIT_OBJECT_0; }, 10000);
  }
  capture.join();
  CloseHandle(done);
  auto lock = cache.Lock();
  const SnapshotCache::Record* hungRecord = cache.Find(hung.hwnd());
  ASSERT_NE(hungRecord, nullptr);
  EXPECT_EQ(hungRecord->picture, nullptr);
  const SnapshotCache::Record* answeringRecord = cache.Find(answering.hwnd());
  ASSERT_NE(answeringRecord, nullptr);
  EXPECT_NE(answeringRecord->picture, nullptr);
}

// Answers as a system with desktop composition does, and writes down every call.
class RecordingThumbnails final : public ThumbnailService {
 public:
  struct Log {
    std::mutex mutex;
    std::map<HWND, std::vector<HTHUMBNAIL>> registered;  // by source window
    std::map<HTHUMBNAIL, std::vector<Rect>> placed;
    std::multiset<HTHUMBNAIL> unregistered;
    int next = 1;
  };
  explicit RecordingThumbnails(std::shared_ptr<Log> log) : log_(std::move(log)) {}

  bool CompositionOn() override { return true; }
  bool Register(HWND, HWND source, HTHUMBNAIL* thumbnail) override {
    std::lock_guard lock(log_->mutex);
    *thumbnail = reinterpret_cast<HTHUMBNAIL>(static_cast<intptr_t>(log_->next++));
    log_->registered[source].push_back(*thumbnail);
    return true;
  }
  SIZE SourceSize(HTHUMBNAIL thumbnail) override {
    std::lock_guard lock(log_->mutex);
    for (const auto& [window, thumbnails] : log_->registered) {
      if (std::find(thumbnails.begin(), thumbnails.end(), thumbnail) == thumbnails.end()) continue;
      RECT rect{};
      GetWindowRect(window, &rect);
      return {rect.right - rect.left, rect.bottom - rect.top};
    }
    return {};
  }
  void Place(HTHUMBNAIL thumbnail, const Rect& where) override {
    std::lock_guard lock(log_->mutex);
    log_->placed[thumbnail].push_back(where);
  }
  void Unregister(HTHUMBNAIL thumbnail) override {
    std::lock_guard lock(log_->mutex);
    log_->unregistered.insert(thumbnail);
  }

 private:
  std::shared_ptr<Log> log_;
};

class LiveThumbnailOverview : public OverviewWindow {
 protected:
  void BeforeCreate() override { overview.SetThumbnails(std::make_unique<RecordingThumbnails>(log)); }

  std::vector<HTHUMBNAIL> RegistrationsOf(HWND window) {
    std::lock_guard lock(log->mutex);
    return log->registered[window];
  }
  // The window's thumbnail of the latest opening.
  HTHUMBNAIL ThumbnailOf(HWND window) {
    const std::vector<HTHUMBNAIL> thumbnails = RegistrationsOf(window);
    return thumbnails.empty() ? nullptr : thumbnails.back();
  }
  // Every thumbnail registered was unregistered, and once.
  bool AllUnregistered() {
    std::lock_guard lock(log->mutex);
    size_t registered = 0;
    for (const auto& [window, thumbnails] : log->registered) {
      for (HTHUMBNAIL thumbnail : thumbnails) {
        if (log->unregistered.count(thumbnail) != 1) return false;
        ++registered;
      }
    }
    return registered > 0 && log->unregistered.size() == registered;
  }
  std::vector<Rect> Placed(HTHUMBNAIL thumbnail) {
    std::lock_guard lock(log->mutex);
    return log->placed[thumbnail];
  }

  std::shared_ptr<RecordingThumbnails::Log> log = std::make_shared<RecordingThumbnails::Log>();
};

TEST_F(LiveThumbnailOverview, EachItemShowsOneThumbnailOverItsCellThatFollowsTheGrowth) {
  Open(first.hwnd());
  const std::vector<HWND> listed = overview.listedWindows();
  const std::vector<Rect> resting = overview.restingRects();
  ASSERT_EQ(resting.size(), listed.size());
  std::set<HTHUMBNAIL> distinct;
  for (size_t i = 0; i < listed.size(); ++i) {
    ASSERT_EQ(RegistrationsOf(listed[i]).size(), 1u) << "one thumbnail for item " << i;
    const HTHUMBNAIL thumbnail = ThumbnailOf(listed[i]);
    distinct.insert(thumbnail);
    const std::vector<Rect> placed = Placed(thumbnail);
    ASSERT_FALSE(placed.empty());
    EXPECT_EQ(placed.front(), resting[i]) << "item " << i << " starts at rest in its cell";
  }
  EXPECT_EQ(distinct.size(), listed.size());

  PressKey(VK_RIGHT);
  ASSERT_TRUE(Pump([&] { return overview.selected() == 2; }, kBoundMs));
  const HTHUMBNAIL grown = ThumbnailOf(listed[2]);
  EXPECT_TRUE(Pump([&] {
    const std::vector<Rect> placed = Placed(grown);
    return placed.size() > 1 && placed.back() == overview.shownRects()[2] && !(placed.back() == resting[2]);
  }, kBoundMs)) << "the selected item's thumbnail grows with it";
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitClosed());
  EXPECT_TRUE(AllUnregistered());
}

TEST_F(LiveThumbnailOverview, EnterEscAClickAndAClosedWindowUnregisterEveryThumbnail) {
  struct Way {
    const char* name;
    std::function<void(OverviewWindow&)> close;
  };
  const RECT monitor = MonitorUnderPointer();
  const Way ways[] = {
      {"Enter", [](OverviewWindow&) { PressKey(VK_RETURN); }},
      {"Esc", [](OverviewWindow&) { PressKey(VK_ESCAPE); }},
      {"a click", [&](OverviewWindow&) {
         const Rect item = overview.shownRects()[0];
         ClickAt({monitor.left + (item.left + item.right) / 2, monitor.top + (item.top + item.bottom) / 2});
       }},
  };
  for (const Way& way : ways) {
    Open(first.hwnd());
    way.close(*this);
    ASSERT_TRUE(WaitClosed()) << way.name;
    EXPECT_TRUE(AllUnregistered()) << way.name;
  }

  Open(first.hwnd());
  const HTHUMBNAIL closed = ThumbnailOf(third.hwnd());
  ASSERT_NE(closed, nullptr);
  DestroyWindow(third.hwnd());
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitClosed());
  EXPECT_TRUE(AllUnregistered()) << "a window closed while listed included";
}

TEST_F(LiveThumbnailOverview, TheProgramsEndUnregistersEveryThumbnail) {
  Open(first.hwnd());
  overview.Destroy();
  EXPECT_TRUE(AllUnregistered());
  EXPECT_EQ(busy, 0);
}

TEST_F(OverviewWindow, AWindowClosedWhileListedActivatesNothingAndTheOverviewStillCloses) {
  Open(first.hwnd());
  const size_t index = IndexOf(third.hwnd());
  ASSERT_LT(index, overview.listedWindows().size());
  DestroyWindow(third.hwnd());
  const RECT monitor = MonitorUnderPointer();
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

}  // namespace
}  // namespace corvan
