#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/dialog_win32.h"

namespace corvan::test {

// GDI+ for the length of a test; the program starts it once at start-up.
class GdiplusSession {
 public:
  GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    ok_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
  }
  ~GdiplusSession() {
    if (ok_) Gdiplus::GdiplusShutdown(token_);
  }
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  bool ok() const { return ok_; }

 private:
  ULONG_PTR token_ = 0;
  bool ok_ = false;
};

// Dispatches this thread's messages until the condition holds or the bound runs out; the
// condition's last answer. Waits for messages, never sleeps blindly.
inline bool PumpUntil(const std::function<bool()>& condition, int boundMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(boundMs);
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (condition()) return true;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return condition();
    // Woken by a message, or after a short while for conditions that other threads change.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<long long>(left.count(), 5)), QS_ALLINPUT);
  }
}

// Like the program's message loop: every message is offered for pre-translation first.
inline bool PumpUntilPreTranslated(const std::function<bool()>& condition, int boundMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(boundMs);
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!Dialog::PreTranslateTree(&msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return condition();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

// The screen's pixels in a rectangle (0x00RRGGBB), as a screenshot would show them.
struct ScreenPixels {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  uint32_t At(int screenX, int screenY) const { return pixels[(screenY - top) * width + (screenX - left)]; }
  static int Brightness(uint32_t pixel) {
    return std::max({static_cast<int>((pixel >> 16) & 255), static_cast<int>((pixel >> 8) & 255),
                     static_cast<int>(pixel & 255)});
  }
};

inline ScreenPixels GrabScreen(const RECT& area) {
  ScreenPixels grab{area.left, area.top, area.right - area.left, area.bottom - area.top, {}};
  grab.pixels.assign(static_cast<size_t>(grab.width) * grab.height, 0);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = grab.width;
  info.bmiHeader.biHeight = -grab.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, grab.width, grab.height, screen, area.left, area.top, SRCCOPY | CAPTUREBLT);
  GdiFlush();
  const auto* source = static_cast<const uint32_t*>(bits);
  for (size_t i = 0; i < grab.pixels.size(); ++i) grab.pixels[i] = source[i] & 0x00FFFFFF;
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return grab;
}

}  // namespace corvan::test
