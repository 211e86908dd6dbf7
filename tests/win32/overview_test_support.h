#pragma once

// What the overview's Wine tests share: windows of the test process for the overview to list, the
// raw mouse relay the main window provides, input, and a fixture with the overview created.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "overview/expose_dlg_win32.h"
#include "platform/monitor_win32.h"
#include "platform/raw_input_win32.h"
#include "skin_test_support.h"

namespace corvan::test {

inline constexpr int kBoundMs = 10000;

inline bool Pump(const std::function<bool()>& condition, int boundMs) {
  return PumpUntilPreTranslated(condition, boundMs);
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

inline void PressKey(WORD key) {
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[1].ki.wVk = key;
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof(INPUT));
}

inline void ClickAt(Point screen) {
  SetCursorPos(screen.x, screen.y);
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, input, sizeof(INPUT));
}

// The overview covers the monitor under the pointer, as the program finds it.
inline RECT MonitorRectUnderPointer() { return corvan::MonitorUnderPointer().value_or(MonitorArea{}).whole; }

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
  void Open(HWND front, std::function<void()> onDesktopCaptured = {}) {
    SetForegroundWindow(front);
    ASSERT_TRUE(Pump([&] { return GetForegroundWindow() == front; }, kBoundMs));
    busy = 1;
    ASSERT_TRUE(overview.Open(busy, std::move(onDesktopCaptured)));
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

// Longer than any bound of the tests: a stalled window holds out until the test lets it go.
inline constexpr DWORD kStallCapMs = 60000;

// A window whose thread stops answering, as a hung program's does: either at once, taking no
// message at all, or only once it is asked to render itself, answering everything else until then.
// A thread of the test's own: Wine renders no window of another process, so a stall in rendering
// can only be had here.
class StallingWindow {
 public:
  enum class Stall { Everything, WhileRendering };
  struct Options {
    Stall stall = Stall::Everything;
    const wchar_t* className = L"OverviewStallingWindow";
    bool visible = true;
  };

  explicit StallingWindow(Options options) : options_(options) {
    release_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    rendering_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, ready] { Run(ready); });
    WaitForSingleObject(ready, kBoundMs);
    CloseHandle(ready);
  }
  ~StallingWindow() {
    Release();
    thread_.join();
    CloseHandle(rendering_);
    CloseHandle(release_);
  }
  StallingWindow(const StallingWindow&) = delete;
  StallingWindow& operator=(const StallingWindow&) = delete;

  void Release() { SetEvent(release_); }
  HWND hwnd() const { return hwnd_; }
  // Whether it has been asked to render itself and is stalling in it.
  bool Rendering() const { return WaitForSingleObject(rendering_, 0) == WAIT_OBJECT_0; }

 private:
  void Run(HANDLE ready) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = options_.className;
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    RegisterClassW(&wc);  // fails harmlessly while an earlier stalling window has it registered
    // A plain pop-up, which Wine leaves to no window manager: one would hand it the focus, and
    // Wine's foreground changes in this process would then wait for its thread, which Windows'
    // do not.
    hwnd_ = CreateWindowExW(0, options_.className, L"Stalling test window", WS_POPUP, 300, 300, 400, 300, nullptr,
                            nullptr, GetModuleHandleW(nullptr), this);
    if (options_.visible) ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    SetEvent(ready);
    if (options_.stall == Stall::Everything) {
      WaitForSingleObject(release_, kStallCapMs);
    } else {
      while (MsgWaitForMultipleObjects(1, &release_, FALSE, kStallCapMs, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      }
    }
    DestroyWindow(hwnd_);
    UnregisterClassW(options_.className, GetModuleHandleW(nullptr));
  }

  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<StallingWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && (message == WM_PRINT || message == WM_PRINTCLIENT)) {
      SetEvent(self->rendering_);
      WaitForSingleObject(self->release_, kStallCapMs);
      return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }

  Options options_;
  HANDLE release_ = nullptr;
  HANDLE rendering_ = nullptr;
  std::atomic<HWND> hwnd_{nullptr};
  std::thread thread_;
};

}  // namespace corvan::test
