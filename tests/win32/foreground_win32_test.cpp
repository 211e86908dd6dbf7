#include "platform/foreground_win32.h"

#include <gtest/gtest.h>

#include <thread>

namespace corvan {
namespace {

constexpr DWORD kBoundMs = 5000;

// A window of a thread of its own, active in that thread's input, until the thread is let go.
class WindowOfAnotherThread {
 public:
  WindowOfAnotherThread() {
    ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this] {
      window_ = CreateWindowExW(0, L"STATIC", L"another thread's window", WS_POPUP | WS_VISIBLE, 10, 10, 100, 100,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
      SetForegroundWindow(window_);
      SetActiveWindow(window_);
      threadId_ = GetCurrentThreadId();
      SetEvent(ready_);
      MSG msg;
      while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
      DestroyWindow(window_);
    });
  }
  ~WindowOfAnotherThread() {
    if (WaitReady()) PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
    CloseHandle(ready_);
  }
  bool WaitReady() { return WaitForSingleObject(ready_, kBoundMs) == WAIT_OBJECT_0; }
  HWND window() const { return window_; }

 private:
  HANDLE ready_ = nullptr;
  HWND window_ = nullptr;
  std::thread thread_;
  DWORD threadId_ = 0;
};

// Attached, this thread shares the other thread's input state, and so its active window.
TEST(Foreground, TheActionRunsOnceWithTheInputOfTheWindowsThread) {
  WindowOfAnotherThread other;
  ASSERT_TRUE(other.WaitReady());
  ASSERT_NE(other.window(), nullptr);
  EXPECT_NE(GetActiveWindow(), other.window());
  int runs = 0;
  HWND activeDuring = nullptr;
  WithInputOf(other.window(), [&] {
    ++runs;
    activeDuring = GetActiveWindow();
  });
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(activeDuring, other.window());
  EXPECT_NE(GetActiveWindow(), other.window()) << "and its own again afterwards";
}

TEST(Foreground, WithoutAWindowTheActionStillRuns) {
  int runs = 0;
  WithInputOf(nullptr, [&] { ++runs; });
  EXPECT_EQ(runs, 1);
}

}  // namespace
}  // namespace corvan
