#include "overview/window_render_win32.h"

#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "overview_test_support.h"

namespace corvan {
namespace {

using namespace test;

size_t ThreadsOfThisProcess() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  size_t count = 0;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
  }
  CloseHandle(snapshot);
  return count;
}

// Renders on a thread of the test's, as the overview's thread does in the program: the windows
// live on this thread, which answers them while it waits.
std::unique_ptr<LayeredSurface> RenderAnswering(HWND window, int width, int height, Point from, UINT flags) {
  std::unique_ptr<LayeredSurface> surface;
  std::atomic<bool> done{false};
  std::thread render([&] {
    surface = RenderWindow(window, width, height, from, flags);
    done = true;
  });
  Pump([&] { return done.load(); }, kBoundMs);
  render.join();
  return surface;
}

TEST(RenderWindow, AWindowThatAnswersIsRendered) {
  ColouredWindow window{L"Rendered test window", RGB(0, 200, 0), 240, 140};
  RECT rect{};
  GetWindowRect(window.hwnd(), &rect);
  const auto surface = RenderAnswering(window.hwnd(), rect.right - rect.left, rect.bottom - rect.top, {0, 0}, 0);
  ASSERT_NE(surface, nullptr);
  // The client area's middle: 0x00RRGGBB with GDI's empty alpha byte.
  const uint32_t pixel = surface->View().At(surface->width() / 2, surface->height() / 2) & 0x00FFFFFFu;
  EXPECT_EQ(pixel, 0x00C800u);
}

// A window the system would count as hung is not even handed to a render thread: every such
// thread would wait for as long as the window hangs.
TEST(RenderWindow, AWindowThatTakesNoMessageGetsNoPictureAndNoThread) {
  StallingWindow hung({StallingWindow::Stall::Everything});
  ASSERT_NE(hung.hwnd(), nullptr);
  const size_t threads = ThreadsOfThisProcess();
  EXPECT_EQ(RenderWindow(hung.hwnd(), 400, 300, {0, 0}, 0), nullptr);
  EXPECT_EQ(ThreadsOfThisProcess(), threads);
}

TEST(RenderWindow, AWindowThatStallsInItsPaintIsNotWaitedFor) {
  StallingWindow stalling({StallingWindow::Stall::WhileRendering});
  ASSERT_NE(stalling.hwnd(), nullptr);
  std::atomic<bool> done{false};
  std::unique_ptr<LayeredSurface> surface;
  std::thread render([&] {
    surface = RenderWindow(stalling.hwnd(), 400, 300, {0, 0}, 0);
    done = true;
  });
  const bool returned = Pump([&] { return done.load(); }, kBoundMs);
  EXPECT_TRUE(returned) << "the render waited for the window";
  EXPECT_TRUE(stalling.Rendering());
  if (!returned) stalling.Release();
  render.join();
  EXPECT_EQ(surface, nullptr);
}

// Stands for the desktop window: hidden, covering a virtual screen of a 1280 x 800 primary monitor
// and others left of, above and right of it, and painting each band of its client area in its own
// colour, so that a picture's corner tells which part of it the picture shows.
class FakeDesktop {
 public:
  static constexpr int kLeft = -300;
  static constexpr int kTop = -200;
  static constexpr int kRight = 1880;
  static constexpr int kBottom = 800;
  FakeDesktop() {
    static const ATOM windowClass = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = Proc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"OverviewFakeDesktop";
      return RegisterClassW(&wc);
    }();
    (void)windowClass;
    hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"OverviewFakeDesktop", L"", WS_POPUP, kLeft, kTop, kRight - kLeft,
                            kBottom - kTop, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~FakeDesktop() { DestroyWindow(hwnd_); }
  HWND hwnd() const { return hwnd_; }

  // The colour it paints at a point of its client area, as 0x00RRGGBB: red left of the primary,
  // dark red right of it, green above it.
  static uint32_t ColourAt(int x, int y) {
    const uint32_t red = x < -kLeft ? 0xC80000u : x >= 1280 - kLeft ? 0x640000u : 0;
    return red | (y < -kTop ? 0x00C800u : 0) | 0x78u;
  }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT || message == WM_PRINTCLIENT) {
      PAINTSTRUCT paint{};
      HDC dc = message == WM_PAINT ? BeginPaint(hwnd, &paint) : reinterpret_cast<HDC>(wParam);
      RECT client{};
      GetClientRect(hwnd, &client);
      const int columns[] = {0, -kLeft, 1280 - kLeft, client.right};
      const int rows[] = {0, -kTop, client.bottom};
      for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < 2; ++r) {
          const RECT band{columns[c], rows[r], columns[c + 1], rows[r + 1]};
          const uint32_t colour = ColourAt(band.left, band.top);
          HBRUSH brush = CreateSolidBrush(RGB((colour >> 16) & 255, (colour >> 8) & 255, colour & 255));
          FillRect(dc, &band, brush);
          DeleteObject(brush);
        }
      }
      if (message == WM_PAINT) EndPaint(hwnd, &paint);
      return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  HWND hwnd_ = nullptr;
};

// Each monitor's backdrop is its own part of the desktop, wherever it lies against the primary.
TEST(RenderDesktopPart, EachMonitorGetsItsOwnPartOfTheDesktop) {
  FakeDesktop desktop;
  ASSERT_NE(desktop.hwnd(), nullptr);
  struct Row {
    const char* layout;
    RECT monitor;  // screen coordinates
  };
  const Row rows[] = {
      {"primary",                       {0, 0, 1280, 800}},
      {"left of the primary",           {-300, 0, 0, 800}},
      {"above the primary",             {0, -200, 1280, 0}},
      {"left of and above the primary", {-300, -200, 0, 0}},
      {"right of the primary",          {1280, 0, 1880, 800}},
      {"right of and above the primary",{1280, -200, 1880, 0}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.layout);
    const int width = row.monitor.right - row.monitor.left;
    const int height = row.monitor.bottom - row.monitor.top;
    std::unique_ptr<LayeredSurface> surface;
    std::atomic<bool> done{false};
    std::thread render([&] {
      surface = RenderDesktopPart(desktop.hwnd(), row.monitor);
      done = true;
    });
    Pump([&] { return done.load(); }, kBoundMs);
    render.join();
    ASSERT_NE(surface, nullptr);
    ASSERT_EQ(surface->width(), width);
    ASSERT_EQ(surface->height(), height);
    for (const POINT corner : {POINT{0, 0}, POINT{width - 1, 0}, POINT{0, height - 1}, POINT{width - 1, height - 1}}) {
      // The desktop's client point that lies at this corner of the monitor.
      const int x = row.monitor.left + corner.x - FakeDesktop::kLeft;
      const int y = row.monitor.top + corner.y - FakeDesktop::kTop;
      EXPECT_EQ(surface->View().At(corner.x, corner.y) & 0x00FFFFFFu, FakeDesktop::ColourAt(x, y))
          << "at " << corner.x << "," << corner.y;
    }
  }
}

}  // namespace
}  // namespace corvan
