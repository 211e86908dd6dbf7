// A window for the tilt tests to scroll: prints the scroll and wheel messages it receives.
//   tilt_target hbar|vbar|mozilla COUNT
// hbar: a frame with a horizontal scroll bar child; vbar: with only a vertical one; mozilla: a
// window of the browser's class. The window is put in the foreground with the keyboard focus,
// prints "ready X Y BAR" (its centre and the bar's handle, 0 for none), then one line per message
// and exits after COUNT of them, or after 20 s.
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

int remaining = 0;

void Print(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vprintf(format, args);
  va_end(args);
  std::fflush(stdout);
}

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  bool logged = true;
  switch (message) {
    case WM_HSCROLL:
      Print("hscroll %u %llx\n", LOWORD(wParam), static_cast<unsigned long long>(lParam));
      break;
    case WM_MOUSEHWHEEL:
      Print("hwheel %d %u %llx\n", GET_WHEEL_DELTA_WPARAM(wParam), GET_KEYSTATE_WPARAM(wParam),
            static_cast<unsigned long long>(lParam));
      break;
    case WM_MOUSEWHEEL:
      Print("wheel %d %u\n", GET_WHEEL_DELTA_WPARAM(wParam), GET_KEYSTATE_WPARAM(wParam));
      break;
    default:
      logged = false;
      break;
  }
  if (logged && --remaining <= 0) PostQuitMessage(0);
  return logged ? 0 : DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  const bool mozilla = std::wcscmp(argv[1], L"mozilla") == 0;
  const bool hbar = std::wcscmp(argv[1], L"hbar") == 0;
  const bool vbar = std::wcscmp(argv[1], L"vbar") == 0;
  if (!mozilla && !hbar && !vbar) return 2;
  remaining = _wtoi(argv[2]);

  const wchar_t* className = mozilla ? L"MozillaWindowClass" : L"CorvanTiltTarget";
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = TargetProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = className;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  if (!RegisterClassW(&windowClass)) return 3;
  const RECT place{300, 200, 700, 500};
  HWND frame = CreateWindowExW(0, className, L"tilt target", WS_POPUP | WS_VISIBLE, place.left, place.top,
                               place.right - place.left, place.bottom - place.top, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  if (!frame) return 3;
  HWND bar = nullptr;
  if (hbar) {
    bar = CreateWindowExW(0, L"ScrollBar", nullptr, WS_CHILD | WS_VISIBLE | SBS_HORZ, 0, 280, 400, 20, frame,
                          nullptr, GetModuleHandleW(nullptr), nullptr);
  } else if (vbar) {
    CreateWindowExW(0, L"ScrollBar", nullptr, WS_CHILD | WS_VISIBLE | SBS_VERT, 380, 0, 20, 300, frame, nullptr,
                    GetModuleHandleW(nullptr), nullptr);
  }
  SetForegroundWindow(frame);
  SetFocus(frame);
  SetTimer(nullptr, 0, 20000, nullptr);

  Print("ready %ld %ld %llx\n", (place.left + place.right) / 2, (place.top + place.bottom) / 2,
        static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(bar)));
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && !msg.hwnd) break;
    DispatchMessageW(&msg);
  }
  return remaining <= 0 ? 0 : 1;
}
