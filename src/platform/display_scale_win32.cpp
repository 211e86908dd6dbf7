#include "platform/display_scale_win32.h"

namespace corvan {
namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

// Looked up once: Windows 7 and 8 have neither function.
template <typename Function>
Function Find(const wchar_t* module, const char* name) {
  HMODULE handle = GetModuleHandleW(module);
  if (!handle) handle = LoadLibraryW(module);
  return handle ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name))) : nullptr;
}

DisplayScale SystemScale() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : kBaseDpi;
  if (screen) ReleaseDC(nullptr, screen);
  return {dpi > 0 ? dpi : kBaseDpi};
}

}  // namespace

DisplayScale ScaleOfWindow(HWND window) {
  static const auto getDpiForWindow = Find<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
  if (getDpiForWindow && window) {
    if (const UINT dpi = getDpiForWindow(window); dpi > 0) return {static_cast<int32_t>(dpi)};
  }
  return SystemScale();
}

DisplayScale ScaleAt(POINT screen) {
  static const auto getDpiForMonitor = Find<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
  if (getDpiForMonitor) {
    UINT x = 0, y = 0;
    if (SUCCEEDED(getDpiForMonitor(MonitorFromPoint(screen, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y)) && x > 0) {
      return {static_cast<int32_t>(x)};
    }
  }
  return SystemScale();
}

}  // namespace corvan
